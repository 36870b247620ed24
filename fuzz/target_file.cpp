// The engine loads a target file and runs a few frames of scripted input over it: the
// first input byte picks how many trailing bytes are the script.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/core/DApplication.h"
#include "engine/render/DDisplay_Null.h"
#include "engine/core/DFile_Memory.h"
#include "engine/core/DPlatform.h"
#include "tests/support/engine/FakePlatform.h"
#include "tests/support/engine/KeptPart.h"

namespace {

class FuzzParts : public DEngineParts {
public:
    std::unique_ptr<DPlatform> createPlatform() override { return vx::test::keep(platform); }
    std::unique_ptr<DDisplay> createDisplay() override
    {
        return std::make_unique<DDisplay_Null>(0, DDisplay_Null::Drawing::Software);
    }
    FakePlatform* platform = nullptr;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t scriptLength = std::min<std::size_t>(data[0], size - 1);
    const uint8_t* script = data + size - scriptLength;
    FuzzParts parts;
    DEngineOptions options;
    options.memoryImageSize = 4096;
    DApplication application(parts, std::move(options));
    if (application.init(64, 48) != 0)
        return 0;
    parts.platform->fileBytes.assign(data + 1, data + size - scriptLength);
    if (application.project()->load(DString(u"fuzz.ddd")) != 0)
        return 0;
    DProject& project = *application.project();
    // Points reach every part of the page (a little past its edges too); keys are the
    // panel's codes and printable characters alike.
    const DSize page = project.pageSize();
    const int64_t width = page.width > 0 && page.width <= 4096 ? page.width : 80;
    const int64_t height = page.height > 0 && page.height <= 4096 ? page.height : 60;
    for (std::size_t i = 0; i + 2 < scriptLength; i += 3) {
        const DPoint point{int32_t(script[i + 1] * (width + 16) / 256) - 8,
                           int32_t(script[i + 2] * (height + 16) / 256) - 8};
        switch (script[i] % 7) {
        case 0: project.onPointerDown(point); break;
        case 1: project.onPointerMove(point); break;
        case 2: project.onPointerUp(point); break;
        case 3: project.onKeyDown(script[i + 1] < 128 ? script[i + 1] : script[i + 1] % 32); break;
        case 4: project.onKeyUp(script[i + 1] < 128 ? script[i + 1] : script[i + 1] % 32); break;
        case 5: parts.platform->now += uint32_t(script[i + 1]) * 40; break;
        default: break;
        }
        application.tick();
    }
    application.tick();
    return 0;
}
