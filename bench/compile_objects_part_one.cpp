// Compile of a page of 200 objects of the first object kinds: texts (some in colours),
// message fields and tickers. Each compile collects every picture (text rendering,
// the strip's rescale, dithering at 16 bits, LZO) and writes every record, as a page
// compile does, through the collect/compile alignment check. Counters: objects and
// pictures per second, bytes written per compile.

#include <benchmark/benchmark.h>

#include <FreeImage.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editor/document/CObjectTypeTable.h"
#include "editor/document/CPropertyBase.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/shared/CObjectImageFile.h"
#include "editor/project/compile/CCompileStartup.h"
#include "editor/project/document/CHeadlessConnection.h"
#include "foundation/TextHelpers.h"
#include "bench/ObjectCompileBench.h"

// A program without views: the model's changes keep their marks on the project alone.
const CHeadlessConnection g_headlessConnection;

namespace {

constexpr int kObjects = 200;
constexpr int kColumns = 8;
constexpr int kWidth = 96;
constexpr int kHeight = 24;

std::u16string text(const std::string& value)
{
    return utf8ToWide(value);
}

// A strip of coloured bands for the tickers, in a folder of its own.
std::filesystem::path writeStrip()
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vx-bench-objects";
    std::filesystem::create_directories(folder);
    FIBITMAP* bitmap = FreeImage_Allocate(640, 48, 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK);
    for (int y = 0; y < 48; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(FreeImage_GetScanLine(bitmap, y));
        for (int x = 0; x < 640; ++x)
            row[x] = 0xFF000000u | (uint32_t(x * 0x010203) ^ uint32_t(y * 0x030201));
    }
    FreeImage_Save(FIF_PNG, bitmap, (folder / "strip.png").c_str(), PNG_DEFAULT);
    FreeImage_Unload(bitmap);
    return folder;
}

// 200 objects in a grid: two texts in five in colours, one message field in three, a
// ticker in every fifth place.
struct Page {
    Page()
    {
        CObjectImageFile::SetProjectFolder(writeStrip());
        for (int i = 0; i < kObjects; ++i) {
            const int type = i % 5 == 4 ? 16 : i % 3 == 0 ? 8 : 2;
            auto object = CEditorObject::CreateObject(type, &page);
            const int left = (i % kColumns) * (kWidth + 4), top = (i / kColumns) * (kHeight + 2);
            object->SetRect(left, top, left + kWidth, top + kHeight);
            if (CPropertyBase* family = object->GetFormat().FindProperty(u"Format", u"Text"))
                family->SetValue(CPropertyValue(u"DejaVu Sans"));
            if (CPropertyBase* size = object->GetFormat().FindProperty(u"Format", u"Size"))
                size->SetValue(CPropertyValue(int32_t(10)));
            const auto set = [&](std::u16string_view category, std::u16string_view caption, std::u16string value) {
                object->FindProperty(category, caption)->SetValue(CPropertyValue(std::move(value)));
            };
            if (type == 2) {
                set(u"Appearance", u"Text", text("Text " + std::to_string(i)));
                if (i % 5 < 2) {
                    set(u"Behavior", u"Nr of color states", u"2");
                    set(u"Behavior", u"Extra text colors", u"ff\u0001ff00\u0001");
                }
            } else if (type == 8) {
                set(u"Behavior", u"Text messages",
                    text("off " + std::to_string(i) + "\1on\1fault " + std::to_string(i) + "\1"));
            } else {
                set(u"Appearance", u"Image", u"strip.png");
            }
            objects.push_back(std::move(object));
        }
    }
    ~Page()
    {
        CObjectImageFile::SetProjectFolder({});
    }

    const CCompileStartup startup;
    CSelectable page{kPageObjectType};
    std::vector<std::unique_ptr<CEditorObject>> objects;
};

void compilePage(benchmark::State& state)
{
    static Page page;
    compileObjects(state, page.objects);
}
BENCHMARK(compilePage)->Arg(32)->Arg(16)->Unit(benchmark::kMillisecond);

} // namespace
