#pragma once
// The editor's ribbon: an application button with its menu, a quick access bar, a row
// of category tabs (with a few buttons on its right side) and, under it, the panels of
// the chosen category. Every control stands for a command id and goes through the
// command table: a click, Enter in an edit or a choice from a list executes it, and the
// idle pass (UpdateControls) gives every control its state from the update handlers.
// Handlers read what the user typed or chose through the value accessors below.

#include <QColor>
#include <QIcon>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/CommandTable.h"
#include "platform/ui/ribbon/CRibbonControl.h"

class QAction;
class QMenu;
class QStackedWidget;
class QTabBar;
class QToolButton;
class CRibbonApplicationMenu;
class CRibbonCategory;
class CRibbonKeyTips;
class CRibbonQuickAccessBar;

// The image strips a category draws its buttons from.
struct RibbonImages {
    int small = 0;
    int large = 0;
};

class CRibbonBar : public QWidget {
    Q_OBJECT
public:
    // An icon by image strip and index; a null icon when the strip has none there.
    using ImageSource = std::function<QIcon(int strip, int index)>;
    // The colour a user picks after "Other...", or an invalid colour when cancelled.
    using ColourChooser = std::function<QColor(const QColor& current, QWidget* parent)>;

    explicit CRibbonBar(CommandTable& commands, QWidget* parent = nullptr);
    ~CRibbonBar() override;

    CommandTable& Commands() const { return m_commands; }

    void SetImageSource(ImageSource source) { m_images = std::move(source); }
    QIcon Image(int strip, int index) const;
    void SetColourChooser(ColourChooser chooser) { m_colourChooser = std::move(chooser); }
    QColor ChooseColour(const QColor& current, QWidget* parent) const;

    // The application button's menu, and the main category's image strips.
    CRibbonApplicationMenu& ApplicationMenu() const { return *m_applicationMenu; }
    void SetApplicationImages(RibbonImages images);
    QToolButton* ApplicationButton() const { return m_applicationButton; }

    CRibbonCategory& AddCategory(const QString& name, RibbonImages images);
    int CategoryCount() const { return int(m_categories.size()); }
    CRibbonCategory& Category(int index) const { return *m_categories[std::size_t(index)]; }
    // The category whose tab caption (without "&") is name, or none.
    CRibbonCategory* FindCategory(const QString& name) const;
    void SetActiveCategory(int index);
    int ActiveCategory() const;

    CRibbonQuickAccessBar& QuickAccess() const { return *m_quickAccess; }

    // Tab row, right side: a button with a drop-down menu, or one that runs a command.
    QToolButton* AddTabRowMenu(const QString& label, const QIcon& icon, QMenu* menu);
    QToolButton* AddTabRowButton(int id, const QString& label, const QIcon& icon);

    // A command in the ribbon's list that sits on no panel (reached from the quick access
    // bar and the options dialog).
    void AddHiddenCommand(int id, const QString& label, const QIcon& icon,
                          RibbonActionList actionList = RibbonActionList::None);

    // The entries of a command's list of steps, newest first, asked for each time the list
    // opens (the owner of the undo history sets it).
    void SetActionListSource(int id, std::function<QStringList()> source);
    QStringList ActionListLabels(int id) const;
    // Runs id for count steps (the list's k-th entry is k + 1 steps).
    void ExecuteSteps(int id, int count);
    // The steps the command was last run for: 1 for a plain click.
    int ActionSteps(int id) const;

    // Registers a control; the panels and menus call it for every control they make.
    void RegisterControl(int id, ControlKind kind, QWidget* widget);
    // Registers a menu or quick access item; it follows its command's state like a control.
    void RegisterAction(int id, QAction* action);
    // Adds id to the ribbon's list of commands once, in building order.
    void RegisterCommand(int id, const QString& label, const QIcon& icon);

    const std::vector<CRibbonControl>& Controls() const { return m_controls; }
    // Every command of the ribbon (panels, menus, hidden ones, tab row), in building order.
    const std::vector<CRibbonCommand>& CommandList() const { return m_commandList; }
    const CRibbonCommand* FindCommand(int id) const;
    // The first control standing for id, or none.
    QWidget* ControlWidget(int id) const;
    std::vector<QWidget*> ControlWidgets(int id) const;

    // The values handlers read: the text of an edit or combo, the chosen item's data of a
    // combo, a slider's position, a colour button's colour, a gallery's chosen index (-1
    // when none). Where a command has several controls, the one the user last used answers.
    QString ControlText(int id) const;
    void SetControlText(int id, const QString& text);
    QVariant ControlData(int id) const;
    int ControlValue(int id) const;
    void SetControlValue(int id, int value);
    QColor ControlColour(int id) const;
    void SetControlColour(int id, const QColor& colour);

    // Runs the command of a control the user acted on (remembering which control it was).
    void Execute(int id, QWidget* control);

    // The idle pass: every control's enabled, checked and text state from the table. The
    // bar runs it itself whenever the event loop is about to wait.
    void UpdateControls();
    // True while UpdateControls or a Set... call changes controls, so their change
    // signals do not run commands.
    bool IsUpdating() const { return m_updating > 0; }
    // Whether a Set... call may change widget now: not while the user drags it, nor while
    // its command is being run for what it shows.
    bool MayOverwrite(int id, const QWidget* widget) const;

    // The ribbon's own customise request (the quick access bar's "More Commands...").
    void SetCustomizeHandler(std::function<void()> handler) { m_customize = std::move(handler); }
    void RequestCustomize();

    // Key tips: the tip a label carried after its line feed, by command id.
    QString KeyTip(int id) const;
    void SetKeyTip(int id, const QString& tip);
    CRibbonKeyTips& KeyTips() const { return *m_keyTipMode; }

private:
    friend class CRibbonUpdateGuard;
    QWidget* actedControl(int id) const;
    void applyState(const CRibbonControl& control, const CommandState& state);
    void showText(const CRibbonControl& control, const QString& text);

    CommandTable& m_commands;
    ImageSource m_images;
    ColourChooser m_colourChooser;
    std::function<void()> m_customize;
    QToolButton* m_applicationButton = nullptr;
    CRibbonApplicationMenu* m_applicationMenu = nullptr;
    CRibbonQuickAccessBar* m_quickAccess = nullptr;
    CRibbonKeyTips* m_keyTipMode = nullptr;
    QTabBar* m_tabs = nullptr;
    QWidget* m_tabRowRight = nullptr;
    QStackedWidget* m_pages = nullptr;
    std::vector<CRibbonCategory*> m_categories;
    std::vector<CRibbonControl> m_controls;
    std::vector<std::pair<int, QAction*>> m_actions;
    std::vector<CRibbonCommand> m_commandList;
    std::vector<std::pair<int, QWidget*>> m_acted;
    std::vector<std::pair<int, QString>> m_keyTips;
    std::vector<std::pair<int, std::function<QStringList()>>> m_actionLists;
    std::vector<std::pair<int, int>> m_steps;
    int m_pendingSteps = 0;
    int m_updating = 0;
    // The command whose control the user acted on, while Execute runs it.
    std::optional<int> m_acting;
};

// Marks the bar as updating for its lifetime.
class CRibbonUpdateGuard {
public:
    explicit CRibbonUpdateGuard(CRibbonBar& bar) : m_bar(bar) { ++m_bar.m_updating; }
    ~CRibbonUpdateGuard() { --m_bar.m_updating; }
    CRibbonUpdateGuard(const CRibbonUpdateGuard&) = delete;
    CRibbonUpdateGuard& operator=(const CRibbonUpdateGuard&) = delete;

private:
    CRibbonBar& m_bar;
};
