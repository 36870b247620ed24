#include "editor/views/properties/DPropListSource.h"

#include "diagram/CDiagramEntityContainer.h"
#include "editor/document/CSysTag.h"
#include "editor/document/CTagType.h"
#include "editor/document/PropertyKind.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectNames.h"
#include "editor/objects/fields/CDateTimeFormats.h"
#include "editor/objects/shared/CObjectProperty.h"
#include "editor/project/document/CProject.h"
#include "foundation/target/TargetPage.h"

namespace {

constexpr std::u16string_view kKeyNames[] = {u"Enter", u"Escape", u"Left", u"Up", u"Right", u"Down"};
// The format groups; a code's group is its upper half.
enum class DateTimeGroup : uint32_t { Date = 0, Time = 1, Other = 2 };
constexpr uint32_t kGroupShift = 16;

const CEditorObject* ownerObject(const DPropListContext& context)
{
    return dynamic_cast<const CEditorObject*>(context.owner);
}

bool expectsStringTag(const DPropListContext& context)
{
    const CEditorObject* object = ownerObject(context);
    return object && object->IsStringTagProperty(context.caption);
}

// The page the owner is on (or is).
const CPage* ownerPage(const DPropListContext& context)
{
    if (const CEditorObject* object = ownerObject(context))
        return dynamic_cast<const CPage*>(object->GetPage());
    return dynamic_cast<const CPage*>(context.owner);
}

const CDiagramEntityContainer* ownerEditor(const DPropListContext& context)
{
    return context.owner ? context.owner->GetOwnerEditor() : nullptr;
}

bool equalsLower(std::u16string_view text, std::u16string_view lower)
{
    if (text.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i] >= u'A' && text[i] <= u'Z' ? char16_t(text[i] - u'A' + u'a') : text[i];
        if (c != lower[i])
            return false;
    }
    return true;
}

std::vector<std::u16string> tagOptions(const DPropListContext& context)
{
    std::vector<std::u16string> options{std::u16string(DPropListSource::kNewTag),
                                        std::u16string(DPropListSource::kNoTag)};
    const bool string = expectsStringTag(context);
    if (context.project)
        for (const CTagRow& row : context.project->Tags().Rows())
            if (!row.name.empty() && CTagType::IsNumeric(row.type) != string)
                options.push_back(row.name);
    const CEditorObject* object = ownerObject(context);
    if (!string && !(object && object->IsWritableTagProperty(context.caption)))
        for (int i = 0; i < CSysTag::GetCount(); ++i)
            options.push_back(CSysTag::GetName(i));
    return options;
}

std::vector<std::u16string> pageOptions(const DPropListContext& context)
{
    std::vector<std::u16string> options;
    if (!context.project)
        return options;
    const CPage* edited = ownerPage(context);
    for (const auto& page : context.project->GetPages())
        if (page.get() != edited && page->GetPageType() != int32_t(target::PageType::Global))
            options.push_back(page->GetName());
    return options;
}

std::vector<std::u16string> objectOptions(const DPropListContext& context)
{
    std::vector<std::u16string> options{std::u16string()};
    const CDiagramEntityContainer* editor = ownerEditor(context);
    if (!editor)
        return options;
    for (int32_t i = 0; i < editor->GetSize(); ++i) {
        const auto* object = dynamic_cast<const CEditorObject*>(editor->GetAt(i));
        if (object && object != context.owner && object->IsFocusable())
            options.push_back(CObjectNames::GetName(*object, NameKind::Current));
    }
    return options;
}

// The tag row whose name (or original name) is text; -1 for none.
int findTag(const CProject* project, std::u16string_view text, TagColumn by)
{
    if (!project)
        return -1;
    const auto rows = project->Tags().Rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if ((by == TagColumn::Name ? rows[i].name : rows[i].originalName) == text)
            return int(i);
    return -1;
}

} // namespace

std::vector<std::u16string_view> DPropListSource::DateTimeFormats(std::u16string_view choice)
{
    const DateTimeGroup group = equalsLower(choice, u"date")   ? DateTimeGroup::Date
                                : equalsLower(choice, u"time") ? DateTimeGroup::Time
                                                               : DateTimeGroup::Other;
    std::vector<std::u16string_view> formats;
    for (const CDateTimeFormat& row : CDateTimeFormats::Rows())
        if (row.code >> kGroupShift == uint32_t(group))
            formats.push_back(row.text);
    return formats;
}

std::vector<std::u16string> DPropListSource::Options(std::u16string_view source, const DPropListContext& context)
{
    if (!IsDynamic(source))
        return CObjectProperty::Tokens(source, ListTokens::Split);
    if (source == kTags)
        return tagOptions(context);
    if (source == kPages)
        return pageOptions(context);
    if (source == kObjects)
        return objectOptions(context);
    if (source == kKeys)
        return {std::begin(kKeyNames), std::end(kKeyNames)};
    if (source == kDateTime) {
        const CPropertyBase* choice = context.owner ? context.owner->FindProperty(u"Appearance", u"DTC choice") : nullptr;
        std::vector<std::u16string> options;
        for (const std::u16string_view format : DateTimeFormats(choice ? choice->GetListValue() : std::u16string()))
            options.emplace_back(format);
        return options;
    }
    return {};
}

std::u16string DPropListSource::ToDisplay(std::u16string_view source, std::u16string_view stored,
                                          const DPropListContext& context)
{
    return Convert(source, stored, context, NameKind::Current);
}

std::u16string DPropListSource::ToStored(std::u16string_view source, std::u16string_view shown,
                                         const DPropListContext& context)
{
    return Convert(source, shown, context, NameKind::Original);
}

std::u16string DPropListSource::Convert(std::u16string_view source, std::u16string_view name,
                                        const DPropListContext& context, NameKind to)
{
    std::u16string text(name);
    const bool toCurrent = to == NameKind::Current;
    if (source == kTags) {
        // System tags have no row: their name is what is stored.
        if (text.empty() || CSysTag::IsSystemTagName(text))
            return text;
        const int row = findTag(context.project, text, toCurrent ? TagColumn::OriginalName : TagColumn::Name);
        if (row < 0)
            return {};
        const CTagRow& tag = context.project->Tags().Row(row);
        return toCurrent ? tag.name : tag.originalName;
    }
    if (source == kPages) {
        if (!context.project)
            return {};
        (void)(toCurrent ? context.project->ResolvePageOriginalName(text) : context.project->ResolvePageName(text));
        return text;
    }
    if (source == kObjects) {
        const CDiagramEntityContainer* editor = ownerEditor(context);
        if (!editor)
            return {};
        (void)(toCurrent ? CObjectNames::ToCurrentObjectName(*editor, text)
                         : CObjectNames::ToOriginalObjectName(*editor, text));
    }
    return text;
}

std::u16string DPropListSource::CreateTag(std::u16string_view name, const DPropListContext& context)
{
    if (!context.project || name.empty())
        return {};
    if (CSysTag::IsSystemTagName(name))
        return {};
    CTagsModel& tags = context.project->Tags();
    int row = findTag(context.project, name, TagColumn::Name);
    if (row < 0) {
        row = expectsStringTag(context) ? tags.AddStringTag() : tags.AddNumericTag();
        if (!tags.SetName(row, name)) {
            tags.DeleteTags(std::span<const int>(&row, 1));
            return {};
        }
    }
    return tags.Row(row).originalName;
}
