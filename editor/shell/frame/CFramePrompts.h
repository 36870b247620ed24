#pragma once
// The project's questions and messages as the editor's message boxes.

#include "editor/project/document/CProjectPrompts.h"

class QWidget;

class CFramePrompts : public CProjectPrompts {
public:
    explicit CFramePrompts(QWidget* parent) : m_parent(parent) {}
    void ShowMessage(std::u16string_view text) override;
    PromptAnswer AskYesNo(std::u16string_view text) override;

private:
    QWidget* m_parent;
};
