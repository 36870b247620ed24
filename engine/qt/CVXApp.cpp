#include "engine/qt/CVXApp.h"

#include <QString>

#include "engine/core/DApplication.h"
#include "engine/core/DCommandLine.h"
#include "engine/render/DRendererComposed.h"
#include "engine/posix/DMemory_CRT.h"
#include "engine/posix/DPlatform_posix.h"
#include "engine/qt/DDisplay_Qt.h"
#include "platform/ui/Prompts.h"

namespace {

class DEngineParts_Qt : public DEngineParts {
public:
    std::unique_ptr<DPlatform> createPlatform() override { return std::make_unique<DPlatform_posix>(); }
    std::unique_ptr<DDisplay> createDisplay() override
    {
        auto display = std::make_unique<DDisplay_Qt>();
        if (display)
            display->setRendererFactory(
                [](DPresentTarget& window) { return std::make_unique<DRendererComposed>(window); });
        return display;
    }
};

QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

void reportFailedOpen(std::u16string_view path)
{
    Prompts::message(nullptr, {QStringLiteral("Failed to open file"), toQString(path), Prompts::Icon::Error,
                               Prompts::Buttons::Ok});
}

} // namespace

int CVXApp::run(std::span<const std::u16string> args)
{
    DEngineParts_Qt parts;
    return run(args, parts);
}

int CVXApp::run(std::span<const std::u16string> args, DEngineParts& parts)
{
    DCommandLine line = DCommandLine::parse(args);
    if (line.path.empty()) {
        const auto chosen = Prompts::openFile(
            nullptr, {QStringLiteral("Select project"),
                      {QStringLiteral("VX-Engine project (*.ddd)"), QStringLiteral("All files (*)")},
                      {}, {}, true});
        if (!chosen || chosen->isEmpty())
            return 0;
        line.path = chosen->toStdU16String();
        line.pathTooLong = line.path.size() > DCommandLine::kMaxPathUnits;
    }
    if (line.pathTooLong) {
        // The path buffer holds 259 units; a longer path is refused, not cut short.
        reportFailedOpen(line.path);
        return 0;
    }

    // Everything from here on is taken from the one counted allocator, which outlives it.
    DMemory_CRT memory;
    DMemory::setGlobal(&memory);
    const DString::NarrowCharset previousCharset = DString::narrowCharset();
    DString::setNarrowCharset(DString::NarrowCharset::Ascii);
    {
        DEngineOptions options;
        options.memoryImageSize = line.memoryImageSize;
        options.memoryImageSizeFixed = line.memoryImageSizeFixed;
        options.tagsFilePath.assign(tagsFilePathFor(line.path));
        const DString path(line.path);

        auto application = std::make_unique<DApplication>(parts, std::move(options));
        if (application && application->init(line.width, line.height) == 0) {
            application->platform()->setProjectPath(path);
            if (application->project()->load(path) != 0)
                reportFailedOpen(line.path);
            else
                application->run();
        } else {
            reportFailedOpen(line.path);
        }
    }
    DString::setNarrowCharset(previousCharset);
    DMemory::setGlobal(nullptr);
    return 0;
}
