#include "editor/project/document/CTagRenames.h"

#include "editor/document/CPropertyBase.h"
#include "editor/document/CPropertyCategory.h"
#include "editor/document/CPropertyContainer.h"
#include "editor/document/CSelectable.h"
#include "editor/project/document/CScriptRewriter.h"

void CTagRenames::Add(std::u16string_view from, std::u16string_view to)
{
    if (from != to)
        m_renames.insert_or_assign(std::u16string(from), std::u16string(to));
}

bool CTagRenames::Rename(std::u16string& name) const
{
    const auto found = m_renames.find(name);
    if (found == m_renames.end())
        return false;
    name = found->second;
    return true;
}

bool CTagRenames::ApplyTo(CSelectable& owner, int formatVersion) const
{
    if (empty())
        return false;
    bool changed = false;
    CPropertyContainer& properties = owner.GetProperties();
    if (CPropertyCategory* data = properties.FindCategory(kDataCategory)) {
        for (const auto& property : data->GetProperties()) {
            std::u16string value = property->GetValueText();
            if (Rename(value))
                changed = properties.SetPropertyValue(kDataCategory, property->GetCaption(), CPropertyValue(value)) || changed;
        }
    }
    if (CPropertyBase* script = owner.FindProperty(kBehavior, kActionScript)) {
        std::u16string text = script->GetValueText();
        const CReferenceRenames renames{[this](std::u16string& name) { return Rename(name); }, {}};
        if (CScriptRewriter::Rewrite(text, formatVersion, renames))
            changed = properties.SetPropertyValue(kBehavior, kActionScript, CPropertyValue(text)) || changed;
    }
    return changed;
}
