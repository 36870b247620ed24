#pragma once
// The options of a list property and the conversions of its references: a fixed list
// split at the separator, or a dynamic source. References to tags, pages and objects
// are stored by original name and shown by current name, so renames keep them.

#include <string>
#include <string_view>
#include <vector>

#include "editor/objects/CObjectNames.h"

class CProject;
class CSelectable;

struct DPropListContext {
    CProject* project = nullptr;
    const CSelectable* owner = nullptr;   // the first selected item
    std::u16string_view caption;          // the property's
};

class DPropListSource {
public:
    static constexpr std::u16string_view kTags = u"<tags>";
    static constexpr std::u16string_view kPages = u"<pages>";
    static constexpr std::u16string_view kObjects = u"<objects>";
    static constexpr std::u16string_view kKeys = u"<keys>";
    static constexpr std::u16string_view kDateTime = u"<dtc>";
    static constexpr std::u16string_view kNewTag = u"<new tag>";
    static constexpr std::u16string_view kNoTag = u"<no tag>";
    // What the item holds between choosing "<new tag>" and typing the name.
    static constexpr std::u16string_view kNewTagMarker = u"<NT>";

    static bool IsDynamic(std::u16string_view source) { return source.starts_with(u'<'); }
    static std::vector<std::u16string> Options(std::u16string_view source, const DPropListContext& context);
    // The formats of the group a "DTC choice" selects, in the order offered.
    static std::vector<std::u16string_view> DateTimeFormats(std::u16string_view choice);

    // A stored value as shown: the current name of the tag, page or object it refers
    // to, empty when none has it; other sources show the value itself.
    static std::u16string ToDisplay(std::u16string_view source, std::u16string_view stored,
                                    const DPropListContext& context);
    // A shown name as stored: the original name of the first match, empty when none.
    static std::u16string ToStored(std::u16string_view source, std::u16string_view shown,
                                   const DPropListContext& context);

    // The tag named name, made when missing (a string tag when the property expects
    // one); its original name, or empty when the name cannot be a tag's.
    static std::u16string CreateTag(std::u16string_view name, const DPropListContext& context);

private:
    static std::u16string Convert(std::u16string_view source, std::u16string_view name,
                                  const DPropListContext& context, NameKind to);
};
