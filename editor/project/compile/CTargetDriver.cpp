#include "editor/project/compile/CTargetDriver.h"

#include <string>

#include "editor/document/CPropertyValue.h"
#include "editor/project/CFileAccess.h"
#include "editor/project/compile/CProjectCompiler.h"
#include "editor/project/compile/CRibbonFields.h"
#include "editor/project/compile/CompileMessages.h"
#include "editor/project/document/CProject.h"
#include "editor/project/document/CProjectOutput.h"
#include "editor/project/document/CProjectPrompts.h"
#include "editor/project/document/ProjectMessages.h"
#include "editor/project/download/CSerialZhProtocol.h"
#include "editor/project/tags/CProjectTags.h"

namespace {

constexpr std::string_view kListingExtension = ".tags";

// The tags the objects name that the tags pane does not hold yet.
void registerObjectTags(CProject& project)
{
    project.ForEachPage([&project](CPage& page) {
        page.TakeEditorObjects();
        (void)page.RegisterTags(project.Tags());
    });
}

} // namespace

CTargetDriver::CTargetDriver(CProject& project, CSerialZhProtocol* protocol) : m_project(project), m_protocol(protocol)
{
}

CTargetDriver::~CTargetDriver()
{
    if (m_project.IsDownloading() && m_protocol) {
        (void)m_protocol->FinishDownload();
        m_project.SetDownloading(false);
    }
}

void CTargetDriver::Compile()
{
    CCompiledTarget compiled = CProjectCompiler::Compile(m_project);
    m_binary = std::move(compiled.bytes);
    m_result = compiled.result;
    ++m_compileCount;
    m_project.ClearTargetStale();
}

void CTargetDriver::Rebuild()
{
    if (!m_project.IsTargetStale())
        return;
    m_binary.clear();
    m_result = 0;
    registerObjectTags(m_project);
    (void)m_project.Tags().AllocateMemoryTags();
    Compile();
}

bool CTargetDriver::AcceptResult()
{
    if ((m_result & kCompileError) != 0) {
        m_project.Prompts().ShowMessage(CompileMessages::kErrorsFound);
        return false;
    }
    if ((m_result & kCompileWarning) != 0)
        m_project.Prompts().ShowMessage(CompileMessages::kWarningsFound);
    return true;
}

bool CTargetDriver::SaveTargetBinary(const std::filesystem::path& path)
{
    if (m_project.IsDownloading()) {
        m_project.Prompts().ShowMessage(ProjectMessages::kDownloadInProgress);
        return false;
    }
    CProjectOutput& output = m_project.Output();
    output.Clear();
    // The listing is written beside a target that is saved, never beside a refused one.
    std::u16string listing;
    const bool rebuilt = m_project.IsTargetStale();
    if (rebuilt) {
        m_binary.clear();
        m_result = 0;
        registerObjectTags(m_project);
        // Places the "memory" tags the compile resolves.
        listing = m_project.Tags().AllocateMemoryTags();
        Compile();
    }
    if (!AcceptResult())
        return false;
    if (rebuilt) {
        std::filesystem::path listingPath = path;
        listingPath += kListingExtension;
        if (const std::u16string error = CFileAccess::Write(listingPath, CProjectTags::ListingBytes(listing));
            !error.empty())
            m_project.Prompts().ShowMessage(error);
    }
    output.AppendLine(CompileMessages::kSaving, CompileMessages::kSavingColor, nullptr, nullptr);
    const std::string_view bytes(reinterpret_cast<const char*>(m_binary.data()), m_binary.size());
    if (!CFileAccess::Write(path, bytes).empty()) {
        m_project.Prompts().ShowMessage(CompileMessages::kFileInUse);
        output.AppendLine(CompileMessages::kLineEnd, 0, nullptr, nullptr);
        return false;
    }
    output.AppendLine(CompileMessages::kSaved, CompileMessages::kSavingColor, nullptr, nullptr);
    return true;
}

bool CTargetDriver::BuildTarget(const std::filesystem::path& path, const CRibbonFields& fields)
{
    CProjectSettings& settings = m_project.Settings();
    const int32_t horizontal = CPropertyValue(fields.LayerHorzPositionText()).ToInt();
    const int32_t vertical = CPropertyValue(fields.LayerVertPositionText()).ToInt();
    if (horizontal != settings.layerHorzPosition || vertical != settings.layerVertPosition) {
        settings.layerHorzPosition = horizontal;
        settings.layerVertPosition = vertical;
        m_project.SettingsChanged();
    }
    return SaveTargetBinary(path);
}

bool CTargetDriver::Download()
{
    if (m_project.IsDownloading()) {
        m_project.Prompts().ShowMessage(ProjectMessages::kDownloadAlreadyInProgress);
        return false;
    }
    m_project.Output().Clear();
    Rebuild();
    if (!AcceptResult())
        return false;
    if (!m_protocol || !m_protocol->StartDownload(m_binary)) {
        if (m_protocol)
            (void)m_protocol->FinishDownload();
        m_project.Prompts().ShowMessage(CompileMessages::kPortNotOpened);
        return false;
    }
    m_project.Output().AppendLine(CompileMessages::kDownloading, CompileMessages::kDownloadingColor, nullptr, nullptr);
    m_monitor.Reset();
    m_project.SetDownloading(true);
    return true;
}

bool CTargetDriver::PollDownload()
{
    if (!m_project.IsDownloading() || !m_protocol)
        return false;
    const CDownloadPoll poll = m_monitor.Poll(*m_protocol);
    if (!poll.output.empty()) {
        if (poll.running)
            m_project.Output().ShowProgress(poll.output);
        else
            m_project.Output().AppendLine(poll.output, CompileMessages::kDownloadingColor, nullptr, nullptr);
    }
    if (!poll.message.empty())
        m_project.Prompts().ShowMessage(poll.message);
    if (!poll.running)
        m_project.SetDownloading(false);
    return true;
}
