#pragma once
// The output pane and prompts of a project run with nobody to see them: the command
// line's batch runs, benchmarks and fuzzing. Lines go nowhere; every question gets one
// fixed answer.

#include "editor/project/document/CProjectOutput.h"
#include "editor/project/document/CProjectPrompts.h"

class CSilentProjectOutput : public CProjectOutput {
public:
    void AppendLine(std::u16string_view, uint32_t, const CSelectable*, const CSelectable*) override {}
    void Clear() override {}
    void ShowProgress(std::u16string_view) override {}
};

class CFixedAnswerPrompts : public CProjectPrompts {
public:
    explicit CFixedAnswerPrompts(PromptAnswer answer = PromptAnswer::Yes) : m_answer(answer) {}
    void ShowMessage(std::u16string_view) override {}
    PromptAnswer AskYesNo(std::u16string_view) override { return m_answer; }

private:
    PromptAnswer m_answer;
};
