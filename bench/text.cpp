// Text rendering: glyphs per second from a warm and a cold glyph cache (16 px,
// anti-aliased), strings laid out and rendered per second, and font enumeration at
// start-up with an empty and a filled registry cache.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "foundation/TextHelpers.h"
#include "foundation/text/DFontCatalogue.h"
#include "foundation/text/DRendererBitmap.h"
#include "foundation/text/DTextRenderer.h"
#include "platform/sys/Registry.h"

namespace {

const std::string kSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// The settings the enumeration benchmarks write go to a folder of their own.
const bool g_privateSettings = [] {
    std::string folder = (std::filesystem::temp_directory_path() / "vx-bench-text").string();
    std::filesystem::create_directories(folder);
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    return true;
}();

// The renderer's trace lines would drown the report.
class QuietStdout {
public:
    QuietStdout()
    {
        std::fflush(stdout);
        m_saved = dup(STDOUT_FILENO);
        int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        close(null);
    }
    ~QuietStdout()
    {
        std::fflush(stdout);
        dup2(m_saved, STDOUT_FILENO);
        close(m_saved);
    }

private:
    int m_saved = -1;
};

// One font file, no registry: what the glyph benchmarks draw with.
class OneFile final : public DFontSource {
public:
    void enumFonts(FT_Library library, DFontFaceList& faces) override
    {
        FT_Face face = nullptr;
        if (FT_New_Face(library, kSans.c_str(), 0, &face))
            return;
        auto descriptor = std::make_unique<DFontFileDescriptor>();
        descriptor->absPath = DString(utf8ToWide(kSans));
        descriptor->friendlyName = DString(u"Sans");
        descriptor->describe(face);
        descriptor->fileExists = 1;
        FT_Done_Face(face);
        faces.push_back(std::move(descriptor));
    }
    const DFontFileDescriptor* findFace(const DTextDescriptor&, const DFontFaceList& faces) override
    {
        return faces.empty() ? nullptr : faces.front().get();
    }
    void saveFaces(const DFontFaceList&) override {}
};

DTextDescriptor sans16(DTextRenderer& renderer)
{
    DTextDescriptor descriptor;
    descriptor.size = 16;
    descriptor.colour = 0xFF000000u;
    descriptor.face = renderer.findFace(descriptor);
    return descriptor;
}

void renderPrintable(benchmark::State& state, DTextRenderer& renderer)
{
    DTextTexture texture;
    for (uint32_t code = 32; code < 127; ++code)
        benchmark::DoNotOptimize(renderer.getGlyphTexture(code, texture));
    state.SetItemsProcessed(state.items_processed() + 95);
}

void BM_GlyphsWarm(benchmark::State& state)
{
    QuietStdout quiet;
    DTextRenderer renderer(std::make_unique<OneFile>());
    renderer.enumFonts();
    DTextDescriptor descriptor = sans16(renderer);
    (void)renderer.setupScaler(descriptor);
    for (auto _ : state)
        renderPrintable(state, renderer);
}
BENCHMARK(BM_GlyphsWarm);

void BM_GlyphsCold(benchmark::State& state)
{
    QuietStdout quiet;
    for (auto _ : state) {
        state.PauseTiming();
        auto renderer = std::make_unique<DTextRenderer>(std::make_unique<OneFile>());
        renderer->enumFonts();
        DTextDescriptor descriptor = sans16(*renderer);
        state.ResumeTiming();
        (void)renderer->setupScaler(descriptor);
        renderPrintable(state, *renderer);
        state.PauseTiming();
        renderer.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GlyphsCold);

// A renderer over the one file and a wrapped 16 px request for a panel-like string.
struct StringSetup {
    StringSetup() : bitmaps(std::make_unique<OneFile>()), renderer(bitmaps.textRenderer())
    {
        renderer.enumFonts();
        descriptor = sans16(renderer);
        descriptor.wrap = 1;
    }
    foundation::DRendererBitmap bitmaps;
    DTextRenderer& renderer;
    DTextDescriptor descriptor;
    const DString text{u"Tank 3 level 42 % - pump running"};
};

void BM_StringsLaidOut(benchmark::State& state)
{
    QuietStdout quiet;
    StringSetup setup;
    foundation::DRendererBitmap::Glyphs glyphs;
    std::vector<foundation::DRendererBitmap::Line> lines;
    for (auto _ : state) {
        foundation::DRect rect{0, 0, 159, 59};
        benchmark::DoNotOptimize(
            foundation::DRendererBitmap::layoutText(setup.text, setup.renderer, rect, glyphs, lines, setup.descriptor));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StringsLaidOut);

void BM_StringsRendered(benchmark::State& state)
{
    QuietStdout quiet;
    StringSetup setup;
    for (auto _ : state) {
        foundation::DBitmap* bitmap =
            setup.bitmaps.renderText({160, 60}, setup.text, setup.renderer, {0, 0, 159, 59}, setup.descriptor,
                                     foundation::DRendererBitmap::AlphaMode::CopyAlpha);
        benchmark::DoNotOptimize(bitmap);
        setup.bitmaps.release(bitmap);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StringsRendered);

void forgetCache()
{
    Registry registry;
    registry.remove("FontCache");
    (void)registry.sync();
}

// Start-up with an empty cache: every installed file is opened.
void BM_EnumerateFontsCold(benchmark::State& state)
{
    QuietStdout quiet;
    for (auto _ : state) {
        state.PauseTiming();
        forgetCache();
        DTextRenderer renderer;
        state.ResumeTiming();
        renderer.enumFonts();
        benchmark::DoNotOptimize(renderer.faces().size());
    }
}
BENCHMARK(BM_EnumerateFontsCold)->Unit(benchmark::kMillisecond);

// Start-up after an earlier run saved its cache: the files are known already.
void BM_EnumerateFontsWarm(benchmark::State& state)
{
    QuietStdout quiet;
    forgetCache();
    {
        DTextRenderer renderer;
        renderer.enumFonts();
        (void)renderer.clear();
    }
    for (auto _ : state) {
        DTextRenderer renderer;
        renderer.enumFonts();
        benchmark::DoNotOptimize(renderer.faces().size());
    }
}
BENCHMARK(BM_EnumerateFontsWarm)->Unit(benchmark::kMillisecond);

} // namespace
