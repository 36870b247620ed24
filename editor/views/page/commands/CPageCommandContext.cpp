#include "editor/views/page/commands/CPageCommandContext.h"

#include "platform/ui/CommandTable.h"

#include "editor/objects/CEditorObject.h"
#include "editor/project/document/CProject.h"
#include "editor/views/CEditorHost.h"
#include "editor/views/page/CChildViewPage.h"
#include "editor/views/page/CPageViewEnvironment.h"

DDiagramEditor& CPageCommandContext::Editor() const { return m_view.GetEditor(); }

CDiagramEntityContainer& CPageCommandContext::Container() const { return m_view.GetContainer(); }

CEditorHost& CPageCommandContext::Host() const { return m_view.GetHost(); }

CPageRibbonControls& CPageCommandContext::Ribbon() const { return m_view.GetEnvironment().GetRibbon(); }

CPageViewSettings& CPageCommandContext::ViewSettings() const { return m_view.GetEnvironment().GetViewSettings(); }

CProject* CPageCommandContext::Project() const { return m_view.GetPage() ? m_view.GetHost().GetProject() : nullptr; }

CPage* CPageCommandContext::Page() const { return m_view.GetHost().GetProject() ? m_view.GetPage() : nullptr; }

std::vector<CEditorObject*> CPageCommandContext::SelectedObjects() const
{
    std::vector<CEditorObject*> selected;
    for (int32_t index = 0; index < Container().GetSize(); ++index)
        if (CEditorObject* object = m_view.GetObjectAt(index); object && object->IsSelected())
            selected.push_back(object);
    return selected;
}

int32_t CPageCommandContext::SelectedCount() const { return Container().GetSelectCount(); }

bool CPageCommandContext::Has(SelectionNeed need) const
{
    const int32_t count = SelectedCount();
    switch (need) {
    case SelectionNeed::Any: return count > 0;
    case SelectionNeed::ExactlyOne: return count == 1;
    case SelectionNeed::Several: return count > 1;
    }
    return false;
}

void CPageCommandContext::MergeText(std::u16string_view caption, CPropertySelectedList& merged) const
{
    m_view.CollectProperty(kFormatContainer, kTextCategory, caption, merged);
}

void CPageCommandContext::SetText(const std::vector<CEditorObject*>& objects, std::u16string_view caption,
                                  const CPropertyValue& value)
{
    for (CEditorObject* object : objects)
        if (object->GetFormat().SetPropertyValue(kTextCategory, caption, value))
            object->Invalidate();
}

void CPageCommandContext::AddSelectionCommands(CommandTarget& target, std::span<const SelectionCommand> commands)
{
    for (const SelectionCommand& command : commands)
        target.add(
            ToInt(command.id),
            [this, command] {
                if (Has(command.need))
                    command.act(*this);
            },
            [this, command](CommandState& state) { state.enabled = Has(command.need); });
}

void CPageCommandContext::ViewSettingChanged() const
{
    Host().MarkProjectModified();
    Container().SetModified(true);
    if (m_view.IsAnySelected())
        Host().RequestPropertiesRefill(PropertiesRefill::InPlace);
}

void CPageCommandContext::RequestFullRefill() const { Host().RequestPropertiesRefill(PropertiesRefill::Full); }
