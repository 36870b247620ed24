// The renderer's reference scene: an 800 x 480 page with a background picture, 20
// pictures of 100 x 100 whose alpha fades from an opaque core to transparent corners, one
// needle picture turned by a meter and 10 numeric fields in DejaVu Sans 20 px, the whole
// page invalidated and redrawn every frame.
//
// Every scene is loaded once per pixel path and the frames of the paths take turns in one
// loop, so each figure is a ratio measured side by side: "plain_us" is a frame with the
// plain loops (the reference), "speedup" plain over the fastest path ("speedup_sse2" plain
// over SSE2 where that is not the fastest). The reported time is the fastest path's frame.
//
// Cached: the pictures are decoded and the texts and the needle drawn once.
// Redrawn: every frame gives the fields and the meter new values, so every text and the
//   turned needle picture are made again.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <vector>

#include "bench/PageBench.h"
#include "tests/support/engine/WidgetRecords.h"

using namespace target;
using namespace vx::test;

namespace {

using Scene = PageBench<800, 480>;
using Clock = std::chrono::steady_clock;

constexpr int32_t kPictureSide = 100, kColumns = 5, kRows = 4;
constexpr int32_t kCellWidth = Scene::kWidth / kColumns, kCellHeight = Scene::kHeight / kRows;
constexpr uint32_t kPictures = kColumns * kRows, kFields = 10;
constexpr int32_t kFieldWidth = 120, kFieldHeight = 28;
constexpr int32_t kDial = 200;
// Tag addresses: the meter's 0, the fields' from 1.
constexpr uint32_t kMeterTag = 0, kFieldTags = 1;
constexpr DRect kPage{0, 0, Scene::kWidth - 1, Scene::kHeight - 1};

TagReference local(uint32_t address)
{
    return TagReference::make(Controller::Local, address, kValueType32, 4);
}

uint32_t premultiply(uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha)
{
    return alpha << 24 | (red * alpha / 255) << 16 | (green * alpha / 255) << 8 | (blue * alpha / 255);
}

// Opaque, a colour ramp across the page.
uint32_t backgroundImage(TargetBuilder& builder)
{
    std::vector<uint32_t> pixels(std::size_t(Scene::kWidth) * Scene::kHeight);
    for (int32_t y = 0; y < Scene::kHeight; ++y)
        for (int32_t x = 0; x < Scene::kWidth; ++x)
            pixels[std::size_t(y) * Scene::kWidth + x] =
                premultiply(uint32_t(x * 255 / Scene::kWidth), uint32_t(y * 255 / Scene::kHeight), 0x80, 255);
    return builder.image(uint32_t(Scene::kWidth), uint32_t(Scene::kHeight), pixels);
}

// An icon: opaque within 30 pixels of the centre, fading to transparent at 50, the
// corners clear; its colour is graded along the other axis.
uint32_t gradedPicture(TargetBuilder& builder, uint32_t index)
{
    std::vector<uint32_t> pixels(std::size_t(kPictureSide) * kPictureSide);
    for (int32_t y = 0; y < kPictureSide; ++y)
        for (int32_t x = 0; x < kPictureSide; ++x) {
            const double distance = std::hypot(x - 49.5, y - 49.5);
            const double fade = std::clamp((50.0 - distance) / 20.0, 0.0, 1.0);
            const uint32_t alpha = uint32_t(std::lround(fade * 255.0));
            pixels[std::size_t(y) * kPictureSide + x] =
                premultiply((index * 40) & 0xFF, uint32_t(y * 255 / kPictureSide), 0xC0, alpha);
        }
    return builder.image(kPictureSide, kPictureSide, pixels);
}

std::vector<uint8_t> referenceScene()
{
    TargetBuilder builder(Scene::kWidth, Scene::kHeight, 1);
    const uint32_t background = backgroundImage(builder);
    std::vector<uint32_t> pictures;
    for (uint32_t i = 0; i < kPictures; ++i)
        pictures.push_back(gradedPicture(builder, i));
    std::vector<uint32_t> needle(8 * 90);
    for (int32_t y = 0; y < 90; ++y)
        for (int32_t x = 0; x < 8; ++x)
            needle[std::size_t(y) * 8 + x] = premultiply(0xE0, 0x40, 0x20, x == 0 || x == 7 ? 0x80 : 0xFF);
    const uint32_t needleImage = builder.image(8, 90, needle);
    const uint32_t font = builder.font(sansBytes());

    builder.page(uint32_t(PageType::Normal), -1, [&](TargetBuilder::Page& page) {
        for (uint32_t i = 0; i < kPictures; ++i) {
            const int32_t left = int32_t(i % kColumns) * kCellWidth + (kCellWidth - kPictureSide) / 2;
            const int32_t top = int32_t(i / kColumns) * kCellHeight + (kCellHeight - kPictureSide) / 2;
            writeStaticImage(page, pictures[i], {left, top, left + kPictureSide, top + kPictureSide});
        }
        MeterRecord meter;
        meter.words.needle = needleImage;
        meter.words.angles = packHalves(30, 330);
        meter.words.pivot = packHalves(kDial / 2, kDial / 2);
        meter.words.needlePivot = packHalves(4, 10);
        meter.words.maximum = 1000;
        meter.tag = local(kMeterTag);
        meter.needle = ElementKind::RotatingBitmap;
        const int32_t dialLeft = (Scene::kWidth - kDial) / 2, dialTop = (Scene::kHeight - kDial) / 2;
        meter.area = {dialLeft, dialTop, dialLeft + kDial, dialTop + kDial};
        writeMeter(page, meter);
        for (uint32_t i = 0; i < kFields; ++i) {
            const int32_t left = int32_t(i % kColumns) * kCellWidth + (kCellWidth - kFieldWidth) / 2;
            const int32_t top = int32_t(i / kColumns) * (Scene::kHeight - kFieldHeight - 20) + 10;
            FieldRecord field;
            field.format.digits = 6;
            field.format.decimals = 2;
            field.tag = local(kFieldTags + i);
            field.rect = {left, top, left + kFieldWidth, top + kFieldHeight};
            writeField(page, font, field);
        }
        page.backgroundImage(background, Scene::kWidth, Scene::kHeight);
    });
    return builder.finish();
}

// The scene drawn with one path's loops.
struct SceneOnPath {
    [[nodiscard]] bool load(DPixelPath path)
    {
        scene.renderer.setPixelPath(path);
        if (sansBytes().empty() || scene.load(referenceScene()) != 0 || scene.renderer.pixelPath() != path)
            return false;
        meter = scene.localTags(kMeterTag, 1).front();
        fields = scene.localTags(kFieldTags, kFields);
        (void)frame(false);
        // The first picture's opaque core shows over the background.
        const int32_t centre = (kCellWidth - kPictureSide) / 2 + kPictureSide / 2;
        const int32_t middle = (kCellHeight - kPictureSide) / 2 + kPictureSide / 2;
        const uint32_t core = premultiply(0, uint32_t(kPictureSide / 2 * 255 / kPictureSide), 0xC0, 255);
        return reinterpret_cast<const uint32_t*>(scene.renderer.target()->row(middle))[centre] == core;
    }

    // New values for the meter and every field.
    void change()
    {
        ++count;
        Scene::write(*meter, (count * 37) % 1000);
        for (uint32_t i = 0; i < kFields; ++i)
            Scene::write(*fields[i], (count * 7919 + int32_t(i) * 1013) % 1000000);
        scene.platform.now += 16;
        scene.local.update(scene.platform.now);
    }

    // The pixels of the first field, to see that a redrawn frame changes its text.
    std::vector<uint32_t> firstField()
    {
        std::vector<uint32_t> pixels;
        const DBitmap& target = *scene.renderer.target();
        const int32_t left = (kCellWidth - kFieldWidth) / 2;
        for (int32_t y = 10; y < 10 + kFieldHeight; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(target.row(y));
            pixels.insert(pixels.end(), row + left, row + left + kFieldWidth);
        }
        return pixels;
    }

    // One frame, its time in seconds.
    double frame(bool redraw)
    {
        const Clock::time_point start = Clock::now();
        if (redraw)
            change();
        scene.project.invalidate(kPage);
        scene.project.render();
        benchmark::DoNotOptimize(scene.renderer.target()->pixels());
        return std::chrono::duration<double>(Clock::now() - start).count();
    }

    Scene scene;
    DItem* meter = nullptr;
    std::vector<DItem*> fields;
    int32_t count = 0;
};

// The paths to compare: the plain reference first, then every faster one the processor runs.
std::vector<DPixelPath> paths()
{
    std::vector<DPixelPath> found{DPixelPath::Plain};
    for (DPixelPath path : {DPixelPath::Sse2, DPixelPath::Avx2})
        if (DPixelLoops::available(path))
            found.push_back(path);
    return found;
}

void runScene(benchmark::State& state, bool redraw)
{
    const std::vector<DPixelPath> compared = paths();
    std::vector<std::unique_ptr<SceneOnPath>> scenes;
    for (DPixelPath path : compared) {
        scenes.push_back(std::make_unique<SceneOnPath>());
        if (!scenes.back()->load(path))
            return state.SkipWithError("the scene did not load");
        // The first frames decode the pictures and match the font; they are not measured.
        for (int frame = 0; frame < 3; ++frame)
            (void)scenes.back()->frame(redraw);
        const std::vector<uint32_t> before = scenes.back()->firstField();
        (void)scenes.back()->frame(redraw);
        if ((scenes.back()->firstField() != before) != redraw)
            return state.SkipWithError(redraw ? "a redrawn frame kept its text" : "a cached frame changed its text");
    }
    std::vector<double> seconds(scenes.size(), 0.0);
    std::size_t turn = 0;
    for (auto _ : state) {
        // Each path goes first in turn, so none always meets the caches the other left.
        double fastest = 0;
        for (std::size_t k = 0; k < scenes.size(); ++k) {
            const std::size_t i = (k + turn) % scenes.size();
            const double taken = scenes[i]->frame(redraw);
            seconds[i] += taken;
            if (i + 1 == scenes.size())
                fastest = taken;
        }
        ++turn;
        state.SetIterationTime(fastest);
    }
    const double frames = double(state.iterations());
    state.counters["plain_us"] = benchmark::Counter(seconds.front() / frames * 1e6);
    state.counters["speedup"] = benchmark::Counter(seconds.front() / seconds.back());
    if (compared.size() > 2)
        state.counters["speedup_sse2"] = benchmark::Counter(seconds.front() / seconds[1]);
    state.SetLabel(compared.back() == DPixelPath::Avx2   ? "fastest path AVX2"
                   : compared.back() == DPixelPath::Sse2 ? "fastest path SSE2"
                                                         : "plain loops only");
}

void BM_ReferenceScene_Cached(benchmark::State& state)
{
    runScene(state, false);
}

void BM_ReferenceScene_Redrawn(benchmark::State& state)
{
    runScene(state, true);
}

// A full-page translucent fill against a full-page opaque one on the fastest path, side
// by side; "plain_translucent_us" is the translucent fill with the plain loop.
void BM_FullPageFill(benchmark::State& state)
{
    DRendererBitmap fast, plain;
    plain.setPixelPath(DPixelPath::Plain);
    DBitmap page;
    if (page.allocate({Scene::kWidth, Scene::kHeight}, 4) != 0)
        return state.SkipWithError("no memory");
    const auto timed = [&](DRendererBitmap& renderer, DColor colour, DFillMode fill) {
        const Clock::time_point start = Clock::now();
        renderer.fillRectOn(&page, colour, kPage, fill);
        benchmark::DoNotOptimize(page.pixels());
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    double opaque = 0, translucent = 0, plainTranslucent = 0;
    for (auto _ : state) {
        opaque += timed(fast, 0xFF336699u, DFillMode::Opaque);
        const double taken = timed(fast, 0x80204060u, DFillMode::Blend);
        translucent += taken;
        plainTranslucent += timed(plain, 0x80204060u, DFillMode::Blend);
        state.SetIterationTime(taken);
    }
    const double fills = double(state.iterations());
    state.counters["opaque_us"] = benchmark::Counter(opaque / fills * 1e6);
    state.counters["translucent_over_opaque"] = benchmark::Counter(translucent / opaque);
    state.counters["plain_translucent_us"] = benchmark::Counter(plainTranslucent / fills * 1e6);
}

} // namespace

BENCHMARK(BM_ReferenceScene_Cached)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReferenceScene_Redrawn)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullPageFill)->UseManualTime()->Unit(benchmark::kMicrosecond);
