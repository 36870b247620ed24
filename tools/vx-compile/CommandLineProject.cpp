#include "tools/vx-compile/CommandLineProject.h"

#include <string>

#include "foundation/TextHelpers.h"

void WriteText(std::FILE* stream, std::u16string_view text)
{
    std::string bytes = wideToUtf8(text);
    std::erase(bytes, '\r');
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

void CommandLineOutput::AppendLine(std::u16string_view text, uint32_t, const CSelectable*, const CSelectable*)
{
    WriteText(m_stream, text);
    const std::size_t last = text.find_last_not_of(u'\r');
    if (last != std::u16string_view::npos)
        m_lineOpen = text[last] != u'\n';
}

void CommandLineOutput::EndLine()
{
    if (m_lineOpen)
        std::fputc('\n', m_stream);
    m_lineOpen = false;
    std::fflush(m_stream);
}

void CommandLinePrompts::ShowMessage(std::u16string_view text)
{
    m_output.EndLine();
    WriteText(m_stream, text);
    std::fputc('\n', m_stream);
}

PromptAnswer CommandLinePrompts::AskYesNo(std::u16string_view text)
{
    ShowMessage(text);
    return PromptAnswer::Yes;
}
