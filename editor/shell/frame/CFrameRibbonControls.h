#pragma once
// The ribbon's controls as the page view's commands read and write them, by command id;
// answers nothing while the frame has no ribbon.

#include "editor/views/page/commands/CPageRibbonControls.h"

class CRibbonBar;

class CFrameRibbonControls : public CPageRibbonControls {
public:
    void SetBar(CRibbonBar* bar) { m_bar = bar; }

    std::u16string GetText(CommandId control) const override;
    void SetText(CommandId control, std::u16string_view text) override;
    uint32_t GetColour(CommandId control) const override;
    void SetColour(CommandId control, uint32_t colour) override;
    int32_t GetPosition(CommandId control) const override;
    void SetPosition(CommandId control, int32_t position) override;
    int32_t GetChosenIndex(CommandId control) const override;
    bool HasFocus(CommandId control) const override;
    bool IsHighlighted(CommandId control) const override;

private:
    CRibbonBar* m_bar = nullptr;
};
