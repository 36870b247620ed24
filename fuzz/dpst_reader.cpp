// The preset reader over outside bytes; what it reads is written again.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "editor/project/document/CHeadlessConnection.h"
#include "editor/project/tags/CPreset.h"

// A program without views: the model's changes keep their marks on the project alone.
const CHeadlessConnection g_headlessConnection;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CTargetSettings settings;
    if (CPreset::ParsePreset(std::string_view(reinterpret_cast<const char*>(data), size), settings))
        (void)CPreset::PresetBytes(settings);
    return 0;
}
