#include "editor/views/actions/CTargetGuard.h"

#include "diagram/CDiagramEntityContainer.h"
#include "editor/objects/CEditorObject.h"
#include "editor/project/document/CProject.h"
#include "editor/views/CEditorHost.h"

void CTargetGuard::Set(CSelectable* target)
{
    m_target = target;
    m_project = target ? m_host.GetProject() : nullptr;
}

void CTargetGuard::Clear()
{
    m_target = nullptr;
    m_project = nullptr;
}

CSelectable* CTargetGuard::Get() const
{
    if (!m_target)
        return nullptr;
    const CProject* project = m_host.GetProject();
    if (!project || project != m_project || !Holds(*project, m_target))
        return nullptr;
    return m_target;
}

bool CTargetGuard::Forget(const CSelectable& going)
{
    if (!m_target)
        return false;
    const CSelectable* alive = Get();
    const auto* object = dynamic_cast<const CEditorObject*>(alive);
    if (m_target != &going && alive && !(object && object->GetPage() == &going))
        return false;
    Clear();
    return true;
}

bool CTargetGuard::Holds(const CProject& project, const CSelectable* item)
{
    // Only addresses are compared: the item itself is never read before it is found.
    for (const auto& page : project.GetPages()) {
        if (page.get() == item)
            return true;
        if (const CDiagramEntityContainer* editor = page->GetOwnerEditor()) {
            for (int32_t i = 0; i < editor->GetSize(); ++i)
                if (dynamic_cast<const CSelectable*>(editor->GetAt(i)) == item)
                    return true;
        }
        for (const auto& object : page->GetObjects())
            if (static_cast<const CSelectable*>(object.get()) == item)
                return true;
    }
    return false;
}
