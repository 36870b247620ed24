#include "editor/views/actions/CActionReferences.h"

#include <array>

#include "diagram/CDiagramEntityContainer.h"
#include "editor/document/CObjectTypeTable.h"
#include "foundation/target/TargetActions.h"
#include "editor/document/CSysTag.h"
#include "editor/document/CTagType.h"
#include "editor/objects/CObjectNames.h"
#include "editor/project/document/CProject.h"
#include "editor/project/document/CScriptRewriter.h"
#include "editor/views/actions/ActionParameters.h"

namespace {

using target::ActionNumber;

constexpr std::u16string_view kObjectTag = u"<objectTag>";
constexpr std::array<std::u16string_view, 4> kDirections{u"<left>", u"<up>", u"<right>", u"<down>"};

// "<left>", "<objectTag>" and their kind name no object.
bool isPlaceholderName(std::u16string_view text)
{
    return text.size() >= 2 && text.front() == u'<' && text.back() == u'>';
}

// Replaces text by what rename makes of a copy, unless that matches nothing (empty).
bool renameKeepingUnknown(std::u16string& text, const auto& rename)
{
    std::u16string renamed = text;
    if (!rename(renamed) || renamed.empty())
        return false;
    text = std::move(renamed);
    return true;
}

} // namespace

CActionReferences::CActionReferences(const CProject* project, const CSelectable* target)
    : m_project(project), m_target(target)
{
}

std::u16string CActionReferences::Convert(uint32_t action, std::u16string_view parameters,
                                          NameDirection direction) const
{
    std::u16string text(parameters);
    if (ActionParameters::IsTagAction(action)) {
        CScriptRewriter::RewriteTagParameters(text, [&](std::u16string& name) { return RenameTag(name, direction); });
    } else if (action == uint32_t(ActionNumber::GoToPage)) {
        RenamePage(text, direction);
    } else if (action == uint32_t(ActionNumber::SetFocusToObject)) {
        RenameObject(text, direction);
    }
    return text;
}

bool CActionReferences::RenameTag(std::u16string& name, NameDirection direction) const
{
    if (!m_project)
        return false;
    const CTagsModel& tags = m_project->Tags();
    for (const CTagRow& row : tags.Rows()) {
        const std::u16string& from = direction == NameDirection::ToCurrent ? row.originalName : row.name;
        const std::u16string& to = direction == NameDirection::ToCurrent ? row.name : row.originalName;
        if (from == name) {
            if (to == name || to.empty())
                return false;
            name = to;
            return true;
        }
    }
    return false;
}

bool CActionReferences::RenamePage(std::u16string& name, NameDirection direction) const
{
    if (!m_project || name.empty())
        return false;
    return renameKeepingUnknown(name, [&](std::u16string& text) {
        return direction == NameDirection::ToCurrent ? m_project->ResolvePageOriginalName(text)
                                                     : m_project->ResolvePageName(text);
    });
}

bool CActionReferences::RenameObject(std::u16string& name, NameDirection direction) const
{
    const CDiagramEntityContainer* editor = ObjectEditor();
    if (!editor || name.empty() || isPlaceholderName(name))
        return false;
    return renameKeepingUnknown(name, [&](std::u16string& text) {
        return direction == NameDirection::ToCurrent ? CObjectNames::ToCurrentObjectName(*editor, text)
                                                     : CObjectNames::ToOriginalObjectName(*editor, text);
    });
}

const CSelectable* CActionReferences::ActivePage() const
{
    if (!m_target)
        return nullptr;
    if (m_target->IsPage())
        return m_target;
    const auto* object = dynamic_cast<const CEditorObject*>(m_target);
    return object ? object->GetPage() : nullptr;
}

const CDiagramEntityContainer* CActionReferences::ObjectEditor() const
{
    return m_target ? m_target->GetOwnerEditor() : nullptr;
}

std::vector<std::u16string> CActionReferences::TagNames(TagKind kind, SystemTags system) const
{
    std::vector<std::u16string> names;
    if (m_target && !m_target->IsPage() && !CObjectTypeTable::GetMainTagProperty(m_target->GetObjectTypeIndex()).empty())
        names.emplace_back(kObjectTag);
    if (m_project)
        for (const CTagRow& row : m_project->Tags().Rows())
            if (CTagType::IsNumeric(row.type) == (kind == TagKind::Numeric))
                names.push_back(row.name);
    if (system == SystemTags::Add)
        for (int i = 0; i < CSysTag::GetCount(); ++i)
            names.push_back(CSysTag::GetName(i));
    return names;
}

std::vector<std::u16string> CActionReferences::PageNames() const
{
    std::vector<std::u16string> names;
    if (!m_project)
        return names;
    const CSelectable* active = ActivePage();
    for (const auto& page : m_project->GetPages())
        if (page.get() != active && page->GetPageType() != int32_t(target::PageType::Global))
            names.push_back(page->GetName());
    return names;
}

std::vector<std::u16string> CActionReferences::ObjectNames() const
{
    std::vector<std::u16string> names;
    const auto add = [&](const CEditorObject* object) {
        if (object && object != m_target && object->IsFocusable())
            names.push_back(CObjectNames::GetName(*object, NameKind::Current));
    };
    if (const CDiagramEntityContainer* editor = ObjectEditor()) {
        for (int32_t i = 0; i < editor->GetSize(); ++i)
            add(dynamic_cast<const CEditorObject*>(editor->GetAt(i)));
    } else if (const auto* page = dynamic_cast<const CPage*>(ActivePage())) {
        for (const auto& object : page->GetObjects())
            add(object.get());
    }
    if (m_target && !m_target->IsPage() && m_target->IsFocusable())
        names.insert(names.end(), kDirections.begin(), kDirections.end());
    return names;
}
