// vx-compile end to end: a generated project of 50 pages, each with one object of every
// type that can be created and a background picture (two pictures in turn, so equal
// content is found), opened from its document, compiled at 16 bits with dithering and
// LZO, and saved with its listing; the themes, image library and fonts started as the
// editor starts them.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/CEditorObject.h"
#include "editor/project/compile/CCompileStartup.h"
#include "editor/project/compile/CTargetDriver.h"
#include "editor/project/document/CHeadlessConnection.h"
#include "editor/project/document/CHeadlessProject.h"
#include "editor/project/document/CProject.h"
#include "editor/project/document/CProjectFile.h"
#include "foundation/TextHelpers.h"

// A program without views: the model's changes keep their marks on the project alone.
const CHeadlessConnection g_headlessConnection;

namespace {

constexpr int kPages = 50;
constexpr int kLastCreatableType = 24;
constexpr int kPictureWidth = 256;
constexpr int kPictureHeight = 160;

void word(std::string& bytes, uint32_t value, int size = 4)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(char(uint8_t(value >> (8 * i))));
}

// A 24-bit bottom-up BMP of a gradient that depends on seed.
void writePicture(const std::filesystem::path& path, int seed)
{
    const uint32_t rowBytes = (kPictureWidth * 3 + 3) & ~3u;
    std::string bytes = "BM";
    word(bytes, 54 + rowBytes * kPictureHeight);
    word(bytes, 0);
    word(bytes, 54);
    word(bytes, 40);
    word(bytes, kPictureWidth);
    word(bytes, kPictureHeight);
    word(bytes, 1, 2);
    word(bytes, 24, 2);
    for (int i = 0; i < 6; ++i)
        word(bytes, 0);
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            bytes.push_back(char(uint8_t(x + seed * 40)));
            bytes.push_back(char(uint8_t(y * 3 + seed)));
            bytes.push_back(char(uint8_t((x ^ y) + seed * 90)));
        }
        bytes.append(rowBytes - kPictureWidth * 3, '\0');
    }
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string generatedDocument()
{
    std::string xml(CProjectFile::kDeclaration);
    xml += "<project formatVersion=\"2\" pageSize=\"800x480\" colorBits=\"16\" targetFlags=\"5\">\n<tags>"
           "<integer address=\"10\">Level</integer><short address=\"20\">Mode</short>"
           "<UTF-8 address=\"memory\" size=\"20\">Label</UTF-8></tags>\n";
    for (int page = 0; page < kPages; ++page) {
        xml += "<page><name>Page " + std::to_string(page + 1) + "</name><pageType>" + (page == 0 ? "Initial" : "Normal")
            + "</pageType><relPath>back" + std::to_string(page % 2) + ".bmp</relPath>";
        xml += "<actionScript>[{\"command\":\"Go to page X\",\"params\":\"Page " + std::to_string((page + 1) % kPages + 1)
            + "\",\"trigger\":\"On entering page\",\"triggerParams\":\"\"}]</actionScript>\n";
        for (int type = 1; type <= kLastCreatableType; ++type) {
            const int x = 10 + (type - 1) % 6 * 130;
            const int y = 10 + (type - 1) / 6 * 110;
            // Text fields show a string tag, every other object a number; a window shows the next page.
            const std::unique_ptr<CEditorObject> object = CEditorObject::CreateObject(type, nullptr);
            const bool stringTag =
                object && object->IsStringTagProperty(CObjectTypeTable::GetMainTagProperty(type));
            xml += "<object><type>" + wideToUtf8(CObjectTypeTable::Rows()[std::size_t(type)].typeName) + "</type><posLeft>"
                + std::to_string(x) + "</posLeft><posTop>" + std::to_string(y) + "</posTop><posRight>"
                + std::to_string(x + 120) + "</posRight><posBottom>" + std::to_string(y + 100) + "</posBottom><tag>"
                + (stringTag ? "Label" : "Level") + "</tag><refPage>Page " + std::to_string((page + 1) % kPages + 1)
                + "</refPage></object>\n";
        }
        xml += "</page>\n";
    }
    return xml + "</project>\n";
}

struct Folder {
    Folder()
    {
        path = std::filesystem::temp_directory_path() / ("vx-bench-compile-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        writePicture(path / "back0.bmp", 0);
        writePicture(path / "back1.bmp", 1);
        std::ofstream(path / "project.xml", std::ios::binary) << generatedDocument();
    }
    ~Folder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

void BM_VxCompile50Pages(benchmark::State& state)
{
    const CCompileStartup startup(std::filesystem::path(VX_BENCH_BIN_DIR) / "Styles");
    const Folder folder;
    std::size_t bytes = 0;
    for (auto _ : state) {
        CSilentProjectOutput output;
        CFixedAnswerPrompts prompts;
        CProject project(prompts, output);
        if (!CProjectFile::Open(project, folder.path / "project.xml", ProjectReading::Load).ok()) {
            state.SkipWithError("the generated project does not open");
            return;
        }
        CTargetDriver driver(project);
        if (!driver.SaveTargetBinary(folder.path / "out.ddd")) {
            state.SkipWithError("the generated project does not compile");
            return;
        }
        bytes = driver.Binary().size();
    }
    state.counters["target_bytes"] = double(bytes);
}

} // namespace

BENCHMARK(BM_VxCompile50Pages)->Unit(benchmark::kMillisecond);
