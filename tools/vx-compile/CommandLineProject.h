#pragma once
// The output pane and the prompts of the command line: the pane's texts go to stdout as
// they come, messages to stderr, and every question is answered Yes, as a user who wants
// the project compiled would. A line the pane left open on stdout is ended before
// anything else is written, so a message never runs into it.

#include <cstdio>
#include <string_view>

#include "editor/project/document/CProjectOutput.h"
#include "editor/project/document/CProjectPrompts.h"

class CommandLineOutput : public CProjectOutput {
public:
    explicit CommandLineOutput(std::FILE* stream) : m_stream(stream) {}
    void AppendLine(std::u16string_view text, uint32_t color, const CSelectable* page, const CSelectable* object) override;
    void Clear() override {}
    // Percentages are the pane's tail; a terminal shows only the last one of a line.
    void ShowProgress(std::u16string_view) override {}
    // A line feed when the last text did not end its line.
    void EndLine();

private:
    std::FILE* m_stream;
    bool m_lineOpen = false;
};

class CommandLinePrompts : public CProjectPrompts {
public:
    CommandLinePrompts(std::FILE* stream, CommandLineOutput& output) : m_stream(stream), m_output(output) {}
    void ShowMessage(std::u16string_view text) override;
    PromptAnswer AskYesNo(std::u16string_view text) override;

private:
    std::FILE* m_stream;
    CommandLineOutput& m_output;
};

// Carriage returns dropped: the pane's "\r\n" is a line feed on a terminal.
void WriteText(std::FILE* stream, std::u16string_view text);
