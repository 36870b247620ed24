#include "editor/project/compile/CProjectCompiler.h"

#include <algorithm>
#include <limits>

#include "editor/document/CCompileReport.h"
#include "editor/document/CResourceIndex.h"
#include "editor/document/TargetPicture.h"
#include "editor/objects/CObjectNames.h"
#include "editor/objects/CProgramFolder.h"
#include "editor/project/compile/CompileMessages.h"
#include "editor/project/document/CProject.h"
#include "editor/project/document/CProjectOutput.h"
#include "editor/project/document/CProjectPrompts.h"
#include "editor/project/document/ProjectMessages.h"
#include "editor/project/page/CPageCompileContext.h"
#include "foundation/DMemoryStream.h"
#include "foundation/DRIFFFile.h"
#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetProject.h"

namespace {

constexpr uint32_t kMillisecondsPerSecond = 1000;

uint32_t clampedMilliseconds(int64_t seconds)
{
    return uint32_t(std::clamp<int64_t>(seconds * kMillisecondsPerSecond, 0, std::numeric_limits<uint32_t>::max()));
}

target::ProjectHeader projectHeader(const CProject& project, int32_t startPage)
{
    const CProjectSettings& settings = project.Settings();
    const CPageSize size = project.GetPageSize();
    target::ProjectHeader header;
    header.pageWidth = uint32_t(size.width);
    header.pageHeight = uint32_t(size.height);
    header.frameBytes = target::ProjectHeader::frameBytesFor(header.pageWidth, header.pageHeight);
    header.pixelFormat = target::pixelFormatForDepth(settings.target.colorBits);
    header.layerVisible = settings.layerInitiallyVisible ? 1 : 0;
    header.layerX = settings.layerHorzPosition;
    header.layerY = settings.layerVertPosition;
    header.basePagePlusOne = uint32_t(project.FindPageOfType(int32_t(target::PageType::Global)) + 1);
    header.setPassword(settings.password);
    header.holdFirst = uint32_t(settings.holdFirst);
    header.holdRepeat = uint32_t(settings.holdRepeat);
    header.screenSaverPage = project.FindPageOfType(int32_t(target::PageType::ScreenSaver));
    header.screenSaverTimeout = clampedMilliseconds(settings.SSstart);
    header.startPage = startPage;
    header.pageCount = uint32_t(project.GetPageCount());
    return header;
}

} // namespace

bool CCompiledTarget::HasErrors() const
{
    return (result & kCompileError) != 0;
}

bool CCompiledTarget::HasWarnings() const
{
    return (result & kCompileWarning) != 0;
}

int32_t CProjectCompiler::SettleStartPage(CProject& project)
{
    if (const int32_t initial = project.FindPageOfType(int32_t(target::PageType::Initial)); initial >= 0)
        return initial;
    if (const int32_t normal = project.FindPageOfType(int32_t(target::PageType::Normal)); normal >= 0)
        return normal;
    if (project.GetPageCount() == 0)
        return 0;
    project.Prompts().ShowMessage(CompileMessages::kForcedNormal);
    project.GetPage(0).SetPageType(int32_t(target::PageType::Normal));
    project.SetModified(true);
    return 0;
}

bool CProjectCompiler::ReportOversizedPictures(CProject& project)
{
    bool found = false;
    project.ForEachPage([&](CPage& page) {
        page.TakeEditorObjects();
        for (const auto& object : page.GetObjects()) {
            const CDiagramRect rect = object->GetRect();
            const int64_t width = int64_t(rect.right) - rect.left;
            const int64_t height = int64_t(rect.bottom) - rect.top;
            if (object->IsInvisible() || width <= 0 || height <= 0 || TargetPicture::Fits(width, height))
                continue;
            const std::u16string text = std::u16string(CompileMessages::kWarningStart)
                + CObjectNames::GetName(*object, NameKind::Current) + std::u16string(CompileMessages::kPictureTooLarge);
            project.Output().AppendLine(text, CCompileReport::kMessageColor, &page, object.get());
            found = true;
        }
    });
    return found;
}

CCompiledTarget CProjectCompiler::Compile(CProject& project)
{
    CCompiledTarget compiled;
    CProjectOutput& output = project.Output();
    output.AppendLine(CompileMessages::kCompiling, CompileMessages::kCompilingColor, nullptr, nullptr);
    if (project.GetPageCount() == 0) {
        output.AppendLine(CompileMessages::kNoPages, CCompileReport::kMessageColor, nullptr, nullptr);
        compiled.result = kCompileError;
        output.AppendLine(CompileMessages::kDone, CompileMessages::kDoneColor, nullptr, nullptr);
        return compiled;
    }
    // Settled before the header is written, so the header and the pages agree.
    const int32_t startPage = SettleStartPage(project);
    const bool oversized = ReportOversizedPictures(project);

    const CProjectSettings& settings = project.Settings();
    CCompileReport report(output);
    CResourceIndex resources;
    resources.Begin(settings.target.colorBits, uint32_t(settings.target.targetFlags));

    DMemoryStream stream;
    bool failed = false;
    {
        DRIFFFile root(stream, target::kChunkRiff, target::kFormProject);
        // The header waits open for the page table while the pages follow it.
        DRIFFFile proj(root, target::kChunkProject);
        const uint64_t headerStart = proj.tell();
        target::ProjectHeader header = projectHeader(project, startPage);
        header.pageTableOffset = uint32_t(headerStart + target::ProjectHeader::pageTableEntryOffset(0));
        target::writeRecord(proj, header);
        for (int32_t i = 0; i < project.GetPageCount(); ++i)
            proj.writeInt(0);

        CPageCompileContext context(project.Tags(), report, resources, project);
        const CPageSize size = project.GetPageSize();
        context.pageWidth = size.width;
        context.pageHeight = size.height;
        context.globalPage = project.FindPageOfType(int32_t(target::PageType::Global)) >= 0 ? GlobalPagePresence::Present
                                                                                            : GlobalPagePresence::Absent;
        context.formatVersion = settings.formatVersion;
        context.projectFolder = project.GetFolder();
        context.placeholderFolder = CProgramFolder::Placeholders();
        context.output = &output;
        context.progress = [&output](int32_t percent) { output.ShowProgress(ProjectMessages::PercentText(percent)); };

        for (int32_t i = 0; i < project.GetPageCount(); ++i) {
            const uint64_t offset = project.GetPage(i).Compile(root, context);
            failed = failed || offset > std::numeric_limits<uint32_t>::max();
            root.patchValue(headerStart + target::ProjectHeader::pageTableEntryOffset(uint32_t(i)), uint32_t(offset));
        }
        proj.close();
        root.close();
        failed = failed || root.failed();
    }
    compiled.result = report.Result() | (oversized ? uint32_t(kCompileWarning) : 0u);
    if (failed) {
        output.AppendLine(CompileMessages::kTargetTooLarge, CCompileReport::kMessageColor, nullptr, nullptr);
        compiled.result |= kCompileError;
    } else {
        compiled.bytes = stream.take();
    }
    output.AppendLine(CompileMessages::kDone, CompileMessages::kDoneColor, nullptr, nullptr);
    return compiled;
}
