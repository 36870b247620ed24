#pragma once
// A list property: a drop-down of its options, fixed or from a dynamic source. Tag
// lists are editable, so a new tag can be named after "<new tag>"; references show
// current names and store original names.

#include "editor/views/properties/DProp.h"
#include "editor/views/properties/DPropListSource.h"

class DPropCombo;

class DPropList : public DProp {
public:
    DPropList(CEditorHost& host, std::shared_ptr<DPropSelection> selection, std::u16string_view category,
              const CPropertyBase& property, CPropertyValue value, ValueState state);

    const std::u16string& GetSource() const { return m_source; }
    DPropCombo* Combo() const { return m_combo; }
    bool IsNewTagPending() const { return m_newTagPending; }

    // The list opens or typing starts.
    void OnEdit();
    // A choice from the open list.
    void OnCloseCombo(const std::u16string& chosen);
    void OnEndEdit() override;

protected:
    QWidget* MakeEditor(QWidget* parent) override;
    void ShowValue() override;

private:
    DPropListContext Context() const;
    void FillOptions();
    // Converts the value as the source stores it and applies it.
    void EndEdit();

    std::u16string m_source;
    DPropCombo* m_combo = nullptr;
    bool m_newTagPending = false;
};
