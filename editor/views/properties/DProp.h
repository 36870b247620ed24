#pragma once
// One item of the properties grid: a property as the selection holds it, the copy of
// the value it was created with (to restore a refused edit), the selection it writes
// to, and its editor. The program writes into an editor only under a signal blocker, so
// no such write reads back as a user edit; a mixed value (the selection differs) is
// written back only once the user changed it.

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/document/CPropertyValue.h"
#include "editor/document/PropertyKind.h"

class CEditorHost;
class CPropertyBase;
class CSelectable;
class QDialog;
class QWidget;

// The items one fill applies to, shared by its grid items; emptied when they go away.
struct DPropSelection {
    std::vector<CSelectable*> items;
};

// Whether every selected item holds the value shown, or the values differ.
enum class ValueState { Common, Mixed };

class DProp : public QObject {
public:
    static constexpr std::u16string_view kTopLevelCategory = u"none";

    DProp(CEditorHost& host, std::shared_ptr<DPropSelection> selection, std::u16string_view category,
          const CPropertyBase& property, CPropertyValue value, ValueState state);
    ~DProp() override;

    const std::u16string& GetName() const { return m_name; }
    const std::u16string& GetCategory() const { return m_category; }
    const std::u16string& GetDescription() const { return m_description; }
    PropertyKind GetKind() const { return m_kind; }
    const CPropertyValue& GetValue() const { return m_value; }
    const CPropertyValue& GetOriginalValue() const { return m_original; }
    bool IsMixed() const { return m_state == ValueState::Mixed; }
    bool IsTopLevel() const { return m_category == kTopLevelCategory; }

    // The editor, made on first call; the grid's view owns it.
    QWidget* GetEditor(QWidget* parent);
    QWidget* GetEditor() const { return m_editor; }
    // A value from the program (a refill in place): shown, and the new original.
    void SetValue(const CPropertyValue& value, ValueState state);
    // The item no longer acts: its editors' signals reach it no more and its selection is gone.
    void Retire();

    // Writes the item's value, or text as a string, to every selected item.
    void ApplyToSelection(std::optional<std::u16string> text = std::nullopt);
    // The end of an edit: applied, unless a mixed value was left as it was.
    virtual void OnEndEdit();

    // Modal dialogs run through this; tests drive the dialog and give its result.
    using DialogRunner = std::function<int(QDialog&)>;
    static void SetDialogRunner(DialogRunner runner);
    static int RunDialog(QDialog& dialog);

protected:
    virtual QWidget* MakeEditor(QWidget* parent) = 0;
    // Writes the value into the editor's controls, each under its own signal blocker.
    virtual void ShowValue() = 0;
    virtual void SetEditable(bool editable);

    // The user changed the control to value: the next end of edit applies it.
    void UserChanged(CPropertyValue value);
    // Shows the value the item was created with again.
    void RestoreOriginal();
    void ChangeValue(CPropertyValue value) { m_value = std::move(value); }

    CEditorHost& Host() const { return m_host; }
    const std::vector<CSelectable*>& Selection() const;
    // The first selected item; none once retired.
    CSelectable* First() const;
    bool IsRetired() const { return m_retired; }
    bool IsEdited() const { return m_edited; }

private:
    void ApplyInCategory(const CPropertyValue& value);
    void ApplyName(const CPropertyValue& value);
    void ApplyFollowUps(CSelectable& item, const CPropertyValue& value);

    CEditorHost& m_host;
    std::shared_ptr<DPropSelection> m_selection;
    std::u16string m_category;
    std::u16string m_name;
    std::u16string m_description;
    PropertyKind m_kind;
    CPropertyValue m_original;
    CPropertyValue m_value;
    ValueState m_state;
    bool m_edited = false;
    bool m_retired = false;
    QWidget* m_editor = nullptr;
};
