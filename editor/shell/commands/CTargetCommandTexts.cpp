#include "editor/shell/commands/CTargetCommandTexts.h"

#include "foundation/TextHelpers.h"
#include "platform/ui/Prompts.h"

namespace CTargetCommandTexts {

QStringList TargetFilters()
{
    return {QStringLiteral("VX-Engine target files (*.ddd)"), QLatin1String(Prompts::kAllFilesFilter)};
}

std::filesystem::path WithTargetExtension(std::filesystem::path path)
{
    if (!path.has_extension())
        path += kTargetExtension;
    return path;
}

std::u16string FailureLine(std::u16string_view lead, std::string_view reason)
{
    std::u16string line(lead);
    line += utf8ToWide(reason);
    line += kLineEnd;
    return line;
}

std::u16string FailureLine(std::u16string_view reason)
{
    std::u16string line(reason);
    line += kLineEnd;
    return line;
}

} // namespace CTargetCommandTexts
