// Compile of a page of 50 objects of the second object kinds with their themes: buttons,
// indicator buttons and lamps in each of the four real themes (frames in five states,
// glows, indicator pictures, icon and text pictures), at 16 bits (dithered) and 32 bits.
// Each compile collects every picture and writes every record through the collect/compile
// alignment check, as a page compile does. Counters: objects and pictures per second,
// bytes written per compile.

#include <benchmark/benchmark.h>

#include <FreeImage.h>

#include <cstdlib>
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

constexpr int kObjects = 50;
constexpr int kColumns = 5;
constexpr int kWidth = 140;
constexpr int kHeight = 56;
constexpr const char16_t* kThemes[] = {u"Lacquer", u"Dune", u"Alloy", u"Timber"};

// The built styles folder beside the programs: build/bin/Styles for build/bench.
std::filesystem::path stylesFolder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "bin" / "Styles";
}

// An icon with some detail, so its rescale does real work.
std::filesystem::path writeIcon()
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vx-bench-buttons";
    std::filesystem::create_directories(folder);
    FIBITMAP* bitmap = FreeImage_Allocate(64, 64, 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK);
    for (int y = 0; y < 64; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(FreeImage_GetScanLine(bitmap, y));
        for (int x = 0; x < 64; ++x)
            row[x] = (uint32_t((x + y) * 2) << 24) | (uint32_t(x * 0x040302) ^ uint32_t(y * 0x020304));
    }
    FreeImage_Save(FIF_PNG, bitmap, (folder / "icon.png").c_str(), PNG_DEFAULT);
    FreeImage_Unload(bitmap);
    return folder;
}

// Buttons, indicator buttons and lamps in turn, each in the next theme; every other one
// with an icon.
struct Page {
    Page()
    {
        setenv("VX_STYLES_DIR", stylesFolder().c_str(), 1);
        startup = std::make_unique<CCompileStartup>(stylesFolder());
        CObjectImageFile::SetProjectFolder(writeIcon());
        const int32_t types[] = {17, 11, 10};
        for (int i = 0; i < kObjects; ++i) {
            const int32_t type = types[i % 3];
            auto object = CEditorObject::CreateObject(type, &page);
            object->OnStyleChanged(kThemes[i % 4]);
            const int left = (i % kColumns) * (kWidth + 4), top = (i / kColumns) * (kHeight + 4);
            object->SetRect(left, top, left + (type == 10 ? kHeight : kWidth), top + kHeight);
            object->GetFormat().FindProperty(u"Format", u"Text")->SetValue(CPropertyValue(u"DejaVu Sans"));
            object->FindProperty(u"Appearance", u"Text")->SetValue(CPropertyValue(utf8ToWide("Go " + std::to_string(i))));
            if (i % 2 == 0)
                object->FindProperty(u"Appearance", u"Icon")->SetValue(CPropertyValue(u"icon.png"));
            objects.push_back(std::move(object));
        }
    }
    ~Page()
    {
        objects.clear();
        startup.reset();
        CObjectImageFile::SetProjectFolder({});
    }

    std::unique_ptr<CCompileStartup> startup;
    CSelectable page{kPageObjectType};
    std::vector<std::unique_ptr<CEditorObject>> objects;
};

void compilePage(benchmark::State& state)
{
    static Page page;
    compileObjects(state, page.objects);
}
BENCHMARK(compilePage)->ArgName("bits")->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond);

} // namespace
