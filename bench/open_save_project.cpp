// The file commands' open and save of a project of 50 pages that hold every object type
// (the sample project's two pages, over and over): the file read, checked, inflated,
// parsed and read into a fresh project that replaces the open one; and the document
// written, compressed and put beside the old file before it replaces it (fsync included).
// Bytes are those of the XML text.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "editor/project/document/CHeadlessConnection.h"
#include "editor/project/document/CHeadlessProject.h"
#include "editor/project/document/CProjectFile.h"
#include "editor/shell/file/CFileCommands.h"
#include "editor/shell/file/CFileCommandsHost.h"
#include "editor/views/CEditorHost.h"

// A program without views: the model's changes keep their marks on the project alone.
const CHeadlessConnection g_headlessConnection;

namespace {

constexpr int kPages = 50;

class BenchHost : public CEditorHost, public CFileCommandsHost {
public:
    CProject* project = nullptr;
    std::filesystem::path folder;

    CProject* GetProject() override { return project; }
    CChildViewPage* GetActiveView() override { return nullptr; }
    CProjectPrompts& GetPrompts() override { return m_prompts; }
    CProjectOutput& GetOutput() override { return m_output; }
    void MarkProjectModified() override {}
    void UpdateTitle() override {}
    void RequestPropertiesRefill(PropertiesRefill) override {}
    void ForgetLastView() override {}
    void SelectPageInProjectTree(std::u16string_view) override {}
    bool IsPageItemSelectedInProjectTree() override { return false; }
    void RebuildProjectTree(const CPage*) override {}
    void RebuildObjectsPane() override {}
    void RefreshTagsGrid() override {}
    void StoreActionScript() override {}
    void InsertAction(int32_t) override {}
    void RefreshUndoLists() override {}
    CChildViewPage* OpenPage(CPage&) override { return nullptr; }
    std::filesystem::path GetImagesFolder() override { return folder; }
    void SetImagesFolder(const std::filesystem::path&) override {}

    QWidget* GetDialogParent() override { return nullptr; }
    void AttachProject(CProject* attached) override { project = attached; }
    void NewPage(CommandId) override {}
    void ShowProjectSettings() override {}
    void SelectFirstTagRow() override {}
    void SelectFirstPage() override {}
    std::optional<Prompts::Answer> GetCloseAnswer() override { return Prompts::Answer::No; }
    void AddToRecentFileList(const std::filesystem::path&) override {}
    std::filesystem::path GetProjectsFolder() override { return folder; }
    void SetProjectsFolder(const std::filesystem::path&) override {}
    std::filesystem::path GetProgramFolder() override { return folder; }

private:
    CFixedAnswerPrompts m_prompts;
    CSilentProjectOutput m_output;
};

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    std::string result;
    std::size_t done = 0;
    for (std::size_t at = text.find(from); at != std::string_view::npos; at = text.find(from, done)) {
        result.append(text.substr(done, at - done)).append(to);
        done = at + from.size();
    }
    return result.append(text.substr(done));
}

// The sample's pages again and again under names of their own; one initial page.
std::string generatedDocument()
{
    std::ifstream in(VX_BENCH_SAMPLE_PROJECT, std::ios::binary);
    const std::string sample((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t first = sample.find("\t<page>");
    const std::size_t end = sample.rfind("</project>");
    const std::string pages = sample.substr(first, end - first);
    std::string document = sample.substr(0, first);
    for (int copy = 0; copy < kPages / 2; ++copy) {
        std::string named = pages;
        const std::string number = std::to_string(copy);
        for (const std::string_view page : {"Start", "Second"}) {
            std::string name = ">";
            name.append(page).append("<");
            std::string renamed = ">";
            renamed.append(page).append(" ").append(number).append("<");
            named = replaceAll(named, name, renamed);
        }
        if (copy > 0)
            named = replaceAll(named, "<pageType>Initial</pageType>", "<pageType>Normal</pageType>");
        document += named;
    }
    return document + "</project>\n";
}

struct Fixture {
    BenchHost host;
    CFileCommands commands{host, host};
    std::filesystem::path path;
    std::size_t xmlBytes = 0;

    Fixture()
    {
        host.folder = std::filesystem::temp_directory_path() / ("vx-bench-open-save-" + std::to_string(::getpid()));
        std::filesystem::create_directories(host.folder);
        path = host.folder / "plant.vxp";
        const std::string document = generatedDocument();
        xmlBytes = document.size();
        std::ofstream(path, std::ios::binary) << CProjectFile::Wrap(document);
    }
    ~Fixture() { std::filesystem::remove_all(host.folder); }
};

void BM_OpenProject(benchmark::State& state)
{
    Fixture fixture;
    for (auto _ : state) {
        if (fixture.commands.OpenProjectFile(fixture.path, ProjectReading::Load) != OpenOutcome::Opened) {
            state.SkipWithError("the project did not open");
            break;
        }
    }
    if (CProject* project = fixture.commands.GetProject())
        state.counters["pages"] = project->GetPageCount();
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fixture.xmlBytes));
}

void BM_SaveProject(benchmark::State& state)
{
    Fixture fixture;
    if (fixture.commands.OpenProjectFile(fixture.path, ProjectReading::Load) != OpenOutcome::Opened) {
        state.SkipWithError("the project did not open");
        return;
    }
    CProject& project = *fixture.commands.GetProject();
    for (auto _ : state) {
        project.SetModified(true);
        if (fixture.commands.SaveProjectFile() != SaveOutcome::Saved) {
            state.SkipWithError("the project was not saved");
            break;
        }
    }
    state.counters["pages"] = project.GetPageCount();
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fixture.xmlBytes));
}

BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

} // namespace
