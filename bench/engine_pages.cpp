// The engine's page work: loading a 20-page target file, switching to a page whose
// background image must be decoded, and redrawing a whole 800x480 page.
#include <benchmark/benchmark.h>

#include "engine/render/DDisplay_Null.h"
#include "engine/core/DFile_Memory.h"
#include "engine/core/DPlatform.h"
#include "engine/core/DProject.h"
#include "tests/support/TargetBuilder.h"

namespace {

using namespace target;
constexpr int32_t kWidth = 800, kHeight = 480;

class BenchPlatform : public DPlatform {
public:
    void start(DEngineServices&) override {}
    void tick() override {}
    void sleep(uint32_t) override {}
    uint32_t ticks() override { return 1; }
    int64_t wallClockSeconds() override { return 0; }
    void setProjectPath(const DString&) override {}
    const DString& buildProjectPath(uint32_t) override { return m_path; }
    void setInputOrigin(int, int) override {}
    void setInputOriginX(int) override {}
    void setInputOriginY(int) override {}
    std::unique_ptr<DFile> createFile() override
    {
        return std::make_unique<DFile_Memory>(bytes, DFile_Memory::Borrow::InPlace);
    }
    std::vector<uint8_t> bytes;

private:
    DString m_path;
};

// 20 pages, each with its own compressed background picture and 30 rectangles.
std::vector<uint8_t> twentyPages()
{
    vx::test::TargetBuilder builder(kWidth, kHeight, 20);
    std::vector<uint32_t> pixels(std::size_t(kWidth) * kHeight);
    for (int page = 0; page < 20; ++page) {
        for (std::size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = 0xFF000000u | uint32_t(i * 2654435761u + page) % 0xFFFFFFu;
        const uint32_t image = builder.image(kWidth, kHeight, pixels);
        builder.page(uint32_t(PageType::Normal), -1, [&](auto& chunk) {
            for (int i = 0; i < 30; ++i)
                chunk.object(uint32_t(WidgetType::Rectangle), [&](DRIFFFile& file) {
                    writeRecord(file, RectangleWords{0x80FFFFFFu});
                    chunk.element(ElementKind::SolidRect, i * 20, i * 10, i * 20 + 60, i * 10 + 40,
                                  kElementFlagVisible | kElementFlagTouchable);
                });
            chunk.backgroundImage(image, kWidth, kHeight);
        });
    }
    return builder.finish();
}

struct Engine {
    Engine()
    {
        platform.bytes = twentyPages();
        (void)display.open(&project, kWidth, kHeight);
    }
    BenchPlatform platform;
    // The display outlives the project, which lets go of it when it unloads.
    DDisplay_Null display{0, DDisplay_Null::Drawing::Software};
    DProject project{platform};
};

void loadTwentyPages(benchmark::State& state)
{
    Engine engine;
    for (auto _ : state) {
        engine.project.unload();
        benchmark::DoNotOptimize(engine.project.load(DString(u"bench.ddd")));
    }
}
BENCHMARK(loadTwentyPages)->Unit(benchmark::kMillisecond);

void switchPageAndDecode(benchmark::State& state)
{
    Engine engine;
    (void)engine.project.load(DString(u"bench.ddd"));
    int32_t next = 1;
    for (auto _ : state) {
        engine.project.showPage(next, DProject::Jump::Absolute);
        engine.project.render(); // the new background is decoded on its first draw
        next = (next + 1) % 20;
    }
}
BENCHMARK(switchPageAndDecode)->Unit(benchmark::kMillisecond);

void redrawWholePage(benchmark::State& state)
{
    Engine engine;
    (void)engine.project.load(DString(u"bench.ddd"));
    engine.project.render();
    for (auto _ : state) {
        engine.project.invalidate({0, 0, kWidth - 1, kHeight - 1});
        engine.project.render();
    }
}
BENCHMARK(redrawWholePage)->Unit(benchmark::kMillisecond);

} // namespace
