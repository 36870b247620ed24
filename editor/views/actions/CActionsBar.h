#pragma once
// The "Actions" pane: the action script of the single selected object, or of the page
// when nothing is selected, as the actions grid with four prompted parameter boxes above
// it whose prompts and option lists follow the selected row's action. References show
// current names and are stored by original names.

#include <QWidget>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/views/actions/ActionParameters.h"
#include "editor/views/actions/CActionsEditor.h"
#include "editor/views/dialogs/CDlgResizeLayout.h"

class CEditorHost;
class CSelectable;
class CTransparentStatic;
class QComboBox;

enum class ScriptLoading {
    Display,      // stored original names shown as current names
    Conversion,   // current names (of older projects) to original names
};

class CActionsBar : public QWidget {
    Q_OBJECT
public:
    // The control ids of the four boxes, in order, and of the grid.
    static constexpr std::array<int32_t, 4> kBoxIds{1046, 1047, 1048, 1052};
    static constexpr int32_t kGridId = 1042;

    explicit CActionsBar(CEditorHost& host, QWidget* parent = nullptr);
    ~CActionsBar() override;

    // The selection changed: the shown script is stored; with one item that has an
    // action script it becomes the target, else the pane is emptied.
    void ShowObjectActions(std::span<CSelectable* const> selection);
    // Replaces the grid's entries with the script's; a script that does not parse gives
    // the output line "Error on edit action: " and the reader's message.
    void LoadScript(std::u16string_view text, ScriptLoading loading);
    // An older project's script with current names stored by original names; 1 when the
    // text changed, else 0.
    int RewriteScript(std::u16string& text);
    // Inserts the action of a command (32870 to 32897) at the selected row.
    void InsertAction(int32_t commandId);
    void UpdateParameterPrompts();
    // The script being edited goes into its item.
    void StoreScript();
    // The key word of a key name ("Enter" 13 ...), else the name's character.
    static uint32_t KeyNameToCode(std::u16string_view keyName);

    // The pane drops what it shows when its item, the item's page or the whole project
    // goes away; whoever removes them tells the pane first. Nothing is stored then.
    void OnSelectableGoing(const CSelectable& going);
    void ForgetProject();
    bool HasTarget() const;
    CSelectable* GetTarget() const;
    const std::u16string& GetDefaultTrigger() const { return m_defaultTrigger; }

    CActionsEditor& Editor() { return *m_grid; }
    QComboBox* ParameterBox(int index) const { return m_boxes[std::size_t(index)]; }
    CTransparentStatic* PromptLabel(int index) const { return m_prompts[std::size_t(index)]; }
    // The default trigger a new script's first action takes, by the item's type.
    static std::u16string DefaultTrigger(int32_t objectTypeIndex);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnSelectionChanged();
    void OnParameterEdited();
    ActionParameters::Boxes BoxTexts() const;
    void FillBox(int index, const ParameterPrompt& prompt, uint32_t signatureLetter, const std::u16string& text);
    void ClearPrompts(int fromPair);
    void ApplyBoxesToRow(int32_t entry);

    CEditorHost& m_host;
    CDlgResizeLayout m_layout;
    std::array<CTransparentStatic*, 4> m_prompts{};
    std::array<QComboBox*, 4> m_boxes{};
    CActionsEditor* m_grid = nullptr;
    std::u16string m_defaultTrigger;
    bool m_created = false;
    // The entry whose prompts the boxes show; -1 none.
    int32_t m_promptedEntry = -1;
};
