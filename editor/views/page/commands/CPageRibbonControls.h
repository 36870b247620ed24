#pragma once
// What the page view's commands read of the ribbon controls they stand behind, and
// write back into them: box texts, colour buttons, sliders, the undo lists' choice. The
// main frame answers over its ribbon; tests answer with recorded values. Controls are
// named by their command id.

#include <cstdint>
#include <string>

#include "diagram/CommandId.h"

class CPageRibbonControls {
public:
    virtual ~CPageRibbonControls() = default;

    virtual std::u16string GetText(CommandId control) const = 0;
    virtual void SetText(CommandId control, std::u16string_view text) = 0;
    // 0xBBGGRR.
    virtual uint32_t GetColour(CommandId control) const = 0;
    virtual void SetColour(CommandId control, uint32_t colour) = 0;
    virtual int32_t GetPosition(CommandId control) const = 0;
    virtual void SetPosition(CommandId control, int32_t position) = 0;
    // The entry chosen in a button's drop-down list (the undo and redo lists); -1 for none.
    virtual int32_t GetChosenIndex(CommandId control) const = 0;
    // The box is being edited (it has the focus) or its text is highlighted: updates
    // leave its text alone then.
    virtual bool HasFocus(CommandId control) const = 0;
    virtual bool IsHighlighted(CommandId control) const = 0;
};
