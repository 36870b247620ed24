// The editor's reader of tags files (".dctags", and "dtags" read back) over outside
// bytes, then the rows written again and placed in memory.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "editor/project/document/CHeadlessConnection.h"
#include "editor/project/tags/CProjectTags.h"

// A program without views: the model's changes keep their marks on the project alone.
const CHeadlessConnection g_headlessConnection;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CTagsModel model;
    model.SetTagMemorySize(0x1000);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)CProjectTags::ParseTagsFile(bytes, model, TagsReading::Load, IdenticalTags::Keep);
    (void)CProjectTags::ParseTagsFile(bytes, model, TagsReading::Import, IdenticalTags::Merge);
    (void)CProjectTags::TagsFileBytes(model, 11, CProjectTags::MemoryCheck::WithinTagMemory);
    return 0;
}
