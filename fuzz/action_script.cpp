// Action script JSON: parsing never fails hard, and one store-and-parse round is stable.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "editor/document/CActionScript.h"
#include "editor/project/document/CHeadlessConnection.h"

// A program without views: the model's changes keep their marks on the project alone.
const CHeadlessConnection g_headlessConnection;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int formatVersion = int(size % 2);
    const std::string stored = CActionScript::Store(CActionScript::Parse(text, formatVersion));
    const std::string again = CActionScript::Store(CActionScript::Parse(stored, formatVersion));
    if (again != stored)
        std::abort();
    return 0;
}
