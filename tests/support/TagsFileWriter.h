#pragma once
// "dtags" files for tests and the sample: the declaration, then the "tags" element with
// one child per tag, its type as the element's name and its name as the text.

#include <span>
#include <string>

namespace vx::test {

struct TagsFileEntry {
    std::u16string type;
    std::u16string name;
    std::u16string address;     // hexadecimal; empty leaves the attribute out
    std::u16string size;        // empty leaves the attribute out
    std::u16string autoAddress; // "auto", for tags whose address the editor allocated
};

[[nodiscard]] std::string writeTagsFile(std::span<const TagsFileEntry> entries);
// Every tag of the sample panel (SampleTags), by name.
[[nodiscard]] std::string sampleTagsFile();

} // namespace vx::test
