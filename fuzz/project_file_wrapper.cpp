// The ".vxp"/".vxt" reader: header, check value and inflate over any bytes.
#include <cstddef>
#include <cstdint>
#include <span>

#include "editor/project/document/CHeadlessConnection.h"
#include "editor/project/wrapper/CProjectFileWrapper.h"

// A program without views: the model's changes keep their marks on the project alone.
const CHeadlessConnection g_headlessConnection;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto result = CProjectFileWrapper::Decode(std::span(data, size));
    // What reads back must write again into a file that reads back the same.
    if (result.status == CProjectFileWrapper::ReadStatus::Ok && !result.xml.empty()) {
        const auto again = CProjectFileWrapper::Decode(CProjectFileWrapper::Encode(result.xml));
        if (again.xml != result.xml)
            __builtin_trap();
    }
    return 0;
}
