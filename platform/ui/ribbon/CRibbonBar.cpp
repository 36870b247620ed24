#include "platform/ui/ribbon/CRibbonBar.h"

#include <QAction>
#include <QApplication>
#include <QAbstractButton>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "platform/ui/IdleHook.h"
#include "platform/ui/ribbon/CRibbonApplicationMenu.h"
#include "platform/ui/ribbon/CRibbonCategory.h"
#include "platform/ui/ribbon/CRibbonColourButton.h"
#include "platform/ui/ribbon/CRibbonGallery.h"
#include "platform/ui/ribbon/CRibbonKeyTips.h"
#include "platform/ui/ribbon/CRibbonQuickAccessBar.h"
#include "platform/ui/ribbon/RibbonLabel.h"

namespace {

constexpr int kApplicationButtonSize = 36;

QString withoutMnemonic(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text;
}

// The category's height, and as wide as the window lets it be.
class CRibbonCategoryScroll : public QScrollArea {
public:
    explicit CRibbonCategoryScroll(QWidget* category)
    {
        setWidget(category);
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    QSize sizeHint() const override
    {
        return {widget()->sizeHint().width(), widget()->sizeHint().height() + horizontalScrollBar()->sizeHint().height()};
    }
    QSize minimumSizeHint() const override { return {0, sizeHint().height()}; }
};

} // namespace

CRibbonBar::CRibbonBar(CommandTable& commands, QWidget* parent) : QWidget(parent), m_commands(commands)
{
    setObjectName(QStringLiteral("ribbonBar"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(2, 2, 2, 2);
    outer->setSpacing(0);

    auto* top = new QHBoxLayout;
    top->setSpacing(4);
    m_applicationButton = new QToolButton(this);
    m_applicationButton->setObjectName(QStringLiteral("applicationButton"));
    m_applicationButton->setFixedSize(kApplicationButtonSize, kApplicationButtonSize);
    m_applicationButton->setIconSize(QSize(32, 32));
    m_applicationButton->setPopupMode(QToolButton::InstantPopup);
    m_applicationButton->setAutoRaise(true);
    m_applicationMenu = new CRibbonApplicationMenu(*this);
    m_applicationButton->setMenu(m_applicationMenu);
    top->addWidget(m_applicationButton);
    m_quickAccess = new CRibbonQuickAccessBar(*this);
    top->addWidget(m_quickAccess);
    top->addStretch(1);
    outer->addLayout(top);

    auto* tabRow = new QHBoxLayout;
    tabRow->setSpacing(2);
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("ribbonTabs"));
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    tabRow->addWidget(m_tabs);
    tabRow->addStretch(1);
    m_tabRowRight = new QWidget(this);
    auto* right = new QHBoxLayout(m_tabRowRight);
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(2);
    tabRow->addWidget(m_tabRowRight);
    outer->addLayout(tabRow);

    m_pages = new QStackedWidget(this);
    m_pages->setFrameShape(QFrame::StyledPanel);
    outer->addWidget(m_pages);
    connect(m_tabs, &QTabBar::currentChanged, m_pages, &QStackedWidget::setCurrentIndex);
    m_keyTipMode = new CRibbonKeyTips(*this);
    // The controls take their state whenever the event loop goes idle, as menus do.
    auto* idle = new IdleHook(this);
    idle->add([this] { UpdateControls(); });
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

CRibbonBar::~CRibbonBar() = default;

QIcon CRibbonBar::Image(int strip, int index) const
{
    if (!m_images || index < 0)
        return {};
    return m_images(strip, index);
}

QColor CRibbonBar::ChooseColour(const QColor& current, QWidget* parent) const
{
    if (m_colourChooser)
        return m_colourChooser(current, parent);
    return QColorDialog::getColor(current, parent);
}

void CRibbonBar::SetApplicationImages(RibbonImages images)
{
    m_applicationMenu->setProperty("smallStrip", images.small);
    m_applicationMenu->setProperty("largeStrip", images.large);
}

CRibbonCategory& CRibbonBar::AddCategory(const QString& name, RibbonImages images)
{
    auto* category = new CRibbonCategory(*this, name, images);
    m_categories.push_back(category);
    // A window narrower than the category scrolls it sideways rather than growing.
    auto* scroll = new CRibbonCategoryScroll(category);
    m_pages->addWidget(scroll);
    m_tabs->addTab(name);
    return *category;
}

CRibbonCategory* CRibbonBar::FindCategory(const QString& name) const
{
    for (CRibbonCategory* category : m_categories)
        if (withoutMnemonic(category->Name()) == name)
            return category;
    return nullptr;
}

void CRibbonBar::SetActiveCategory(int index) { m_tabs->setCurrentIndex(index); }

int CRibbonBar::ActiveCategory() const { return m_tabs->currentIndex(); }

QToolButton* CRibbonBar::AddTabRowMenu(const QString& label, const QIcon& icon, QMenu* menu)
{
    const RibbonLabel split = SplitRibbonLabel(label);
    auto* button = new QToolButton(m_tabRowRight);
    button->setText(split.text);
    button->setToolTip(withoutMnemonic(split.text));
    button->setIcon(icon);
    button->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setPopupMode(QToolButton::InstantPopup);
    markKeyTip(button, split);
    menu->setParent(button, menu->windowFlags());
    button->setMenu(menu);
    m_tabRowRight->layout()->addWidget(button);
    return button;
}

QToolButton* CRibbonBar::AddTabRowButton(int id, const QString& label, const QIcon& icon)
{
    auto* button = new QToolButton(m_tabRowRight);
    button->setIcon(icon);
    button->setToolTip(withoutMnemonic(label));
    button->setAutoRaise(true);
    if (icon.isNull())
        button->setText(label);
    connect(button, &QToolButton::clicked, this, [this, id, button] { Execute(id, button); });
    m_tabRowRight->layout()->addWidget(button);
    RegisterControl(id, ControlKind::Button, button);
    RegisterCommand(id, label, icon);
    return button;
}

void CRibbonBar::AddHiddenCommand(int id, const QString& label, const QIcon& icon, RibbonActionList actionList)
{
    RegisterCommand(id, label, icon);
    for (CRibbonCommand& command : m_commandList)
        if (command.id == id) {
            command.hidden = true;
            command.actionList = actionList;
        }
}

void CRibbonBar::SetActionListSource(int id, std::function<QStringList()> source)
{
    for (auto& [listId, existing] : m_actionLists)
        if (listId == id) {
            existing = std::move(source);
            return;
        }
    m_actionLists.emplace_back(id, std::move(source));
}

QStringList CRibbonBar::ActionListLabels(int id) const
{
    for (const auto& [listId, source] : m_actionLists)
        if (listId == id && source)
            return source();
    return {};
}

void CRibbonBar::ExecuteSteps(int id, int count)
{
    m_pendingSteps = count;
    Execute(id, nullptr);
    m_pendingSteps = 0;
}

int CRibbonBar::ActionSteps(int id) const
{
    for (const auto& [stepsId, steps] : m_steps)
        if (stepsId == id)
            return steps;
    return 1;
}

void CRibbonBar::RegisterControl(int id, ControlKind kind, QWidget* widget)
{
    m_controls.push_back({id, kind, widget});
    widget->setProperty("commandId", id);
}

void CRibbonBar::RegisterAction(int id, QAction* action)
{
    m_actions.emplace_back(id, action);
    action->setProperty("commandId", id);
}

void CRibbonBar::RegisterCommand(int id, const QString& label, const QIcon& icon)
{
    if (FindCommand(id))
        return;
    const RibbonLabel split = SplitRibbonLabel(label);
    m_commandList.push_back({id, withoutMnemonic(split.text), icon, false});
    if (!split.keyTip.isEmpty())
        SetKeyTip(id, split.keyTip);
}

const CRibbonCommand* CRibbonBar::FindCommand(int id) const
{
    const auto found = std::find_if(m_commandList.begin(), m_commandList.end(),
                                    [id](const CRibbonCommand& command) { return command.id == id; });
    return found == m_commandList.end() ? nullptr : &*found;
}

QWidget* CRibbonBar::ControlWidget(int id) const
{
    for (const CRibbonControl& control : m_controls)
        if (control.id == id)
            return control.widget;
    return nullptr;
}

std::vector<QWidget*> CRibbonBar::ControlWidgets(int id) const
{
    std::vector<QWidget*> widgets;
    for (const CRibbonControl& control : m_controls)
        if (control.id == id)
            widgets.push_back(control.widget);
    return widgets;
}

QWidget* CRibbonBar::actedControl(int id) const
{
    for (const auto& [acted, widget] : m_acted)
        if (acted == id)
            return widget;
    return ControlWidget(id);
}

QString CRibbonBar::ControlText(int id) const
{
    QWidget* widget = actedControl(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    return {};
}

bool CRibbonBar::MayOverwrite(int id, const QWidget* widget) const
{
    if (m_acting == id)
        return false;
    const auto* slider = qobject_cast<const QSlider*>(widget);
    return !slider || !slider->isSliderDown();
}

void CRibbonBar::SetControlText(int id, const QString& text)
{
    CRibbonUpdateGuard guard(*this);
    for (const CRibbonControl& control : m_controls)
        if (control.id == id && control.kind != ControlKind::Button && MayOverwrite(id, control.widget))
            showText(control, text);
}

QVariant CRibbonBar::ControlData(int id) const
{
    if (auto* combo = qobject_cast<QComboBox*>(actedControl(id))) {
        // A typed text that is one of the items answers that item's data.
        const int index = combo->findText(combo->currentText());
        return index < 0 ? QVariant() : combo->itemData(index);
    }
    return {};
}

int CRibbonBar::ControlValue(int id) const
{
    QWidget* widget = actedControl(id);
    if (auto* slider = qobject_cast<QSlider*>(widget))
        return slider->value();
    if (auto* gallery = qobject_cast<CRibbonGallery*>(widget))
        return gallery->ChosenIndex();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentIndex();
    return 0;
}

void CRibbonBar::SetControlValue(int id, int value)
{
    CRibbonUpdateGuard guard(*this);
    for (QWidget* widget : ControlWidgets(id)) {
        if (!MayOverwrite(id, widget))
            continue;
        if (auto* slider = qobject_cast<QSlider*>(widget))
            slider->setValue(value);
        else if (auto* gallery = qobject_cast<CRibbonGallery*>(widget))
            gallery->Choose(value);
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            combo->setCurrentIndex(value);
    }
}

QColor CRibbonBar::ControlColour(int id) const
{
    if (auto* button = qobject_cast<CRibbonColourButton*>(actedControl(id)))
        return button->Colour();
    return {};
}

void CRibbonBar::SetControlColour(int id, const QColor& colour)
{
    CRibbonUpdateGuard guard(*this);
    for (QWidget* widget : ControlWidgets(id))
        if (auto* button = qobject_cast<CRibbonColourButton*>(widget); button && MayOverwrite(id, widget))
            button->SetColour(colour);
}

void CRibbonBar::Execute(int id, QWidget* control)
{
    if (IsUpdating())
        return;
    if (control) {
        const auto found = std::find_if(m_acted.begin(), m_acted.end(), [id](const auto& entry) { return entry.first == id; });
        if (found == m_acted.end())
            m_acted.emplace_back(id, control);
        else
            found->second = control;
    }
    const int steps = m_pendingSteps > 0 ? m_pendingSteps : 1;
    const auto counted = std::find_if(m_steps.begin(), m_steps.end(), [id](const auto& entry) { return entry.first == id; });
    if (counted == m_steps.end())
        m_steps.emplace_back(id, steps);
    else
        counted->second = steps;
    // A command nobody serves is disabled; a control that still fires (a key typed into
    // a disabled edit's popup) runs nothing. Its update handler, asked here, shows the
    // model's old value and must not put it over what the user just chose.
    bool enabled = false;
    {
        const std::optional<int> outer = std::exchange(m_acting, id);
        enabled = m_commands.state(id).enabled;
        m_acting = outer;
    }
    if (enabled)
        m_commands.execute(id);
}

void CRibbonBar::applyState(const CRibbonControl& control, const CommandState& state)
{
    QWidget* widget = control.widget;
    if (widget->isEnabled() != state.enabled)
        widget->setEnabled(state.enabled);
    if (state.checked) {
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            if (!button->isCheckable())
                button->setCheckable(true);
            if (button->isChecked() != *state.checked)
                button->setChecked(*state.checked);
        }
    }
    if (!state.text)
        return;
    // What the user is typing stays until the edit acts.
    if (QWidget* focus = QApplication::focusWidget(); focus && (focus == widget || widget->isAncestorOf(focus)))
        return;
    showText(control, *state.text);
}

void CRibbonBar::showText(const CRibbonControl& control, const QString& text)
{
    QWidget* widget = control.widget;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (edit->text() != text)
            edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->isEditable()) {
            if (combo->currentText() != text)
                combo->setEditText(text);
        } else if (const int index = combo->findText(text); index != combo->currentIndex()) {
            combo->setCurrentIndex(index);
        }
    } else if (auto* gallery = qobject_cast<CRibbonGallery*>(widget)) {
        gallery->ChooseByName(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget); button && control.kind == ControlKind::Button) {
        const QString shown = SplitRibbonLabel(text).text;
        if (button->text() != shown)
            button->setText(shown);
    }
}

void CRibbonBar::UpdateControls()
{
    CRibbonUpdateGuard guard(*this);
    for (const CRibbonControl& control : m_controls) {
        const CommandState state = m_commands.state(control.id);
        if (control.kind == ControlKind::Label) {
            // A label shows only whether its command is enabled.
            if (control.widget->isEnabled() != state.enabled)
                control.widget->setEnabled(state.enabled);
            continue;
        }
        applyState(control, state);
    }
    for (const auto& [id, action] : m_actions) {
        const CommandState state = m_commands.state(id);
        if (action->isEnabled() != state.enabled)
            action->setEnabled(state.enabled);
        if (state.checked) {
            action->setCheckable(true);
            action->setChecked(*state.checked);
        }
    }
}

void CRibbonBar::RequestCustomize()
{
    if (m_customize)
        m_customize();
}

QString CRibbonBar::KeyTip(int id) const
{
    for (const auto& [tipId, tip] : m_keyTips)
        if (tipId == id)
            return tip;
    return {};
}

void CRibbonBar::SetKeyTip(int id, const QString& tip)
{
    for (auto& [tipId, existing] : m_keyTips)
        if (tipId == id) {
            existing = tip;
            return;
        }
    m_keyTips.emplace_back(id, tip);
}
