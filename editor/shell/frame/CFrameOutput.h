#pragma once
// The project's output as the output pane shows it; nothing while the pane is not there.

#include "editor/project/document/CProjectOutput.h"

class COutputBar;

class CFrameOutput : public CProjectOutput {
public:
    void SetBar(COutputBar* bar) { m_bar = bar; }
    COutputBar* Bar() const { return m_bar; }

    void AppendLine(std::u16string_view text, uint32_t color, const CSelectable* page,
                    const CSelectable* object) override;
    void Clear() override;
    void ShowProgress(std::u16string_view text) override;

private:
    COutputBar* m_bar = nullptr;
};
