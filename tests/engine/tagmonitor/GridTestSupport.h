#pragma once
// Fixed text measures and a listener that records the grid's notifications, for the grid tests.

#include <functional>
#include <vector>

#include "engine/tagmonitor/grid/CGridListener.h"
#include "engine/tagmonitor/grid/CGridTextMetrics.h"

namespace vx::test {

// Every unit 7 pixels wide, lines 14 high; in a font of its own, units half its height wide
// and lines its height high.
class FixedMetrics final : public CGridTextMetrics {
public:
    static constexpr int kUnitWidth = 7, kLineHeight = 14;
    int textWidth(std::u16string_view text) const override { return int(text.size()) * kUnitWidth; }
    int lineHeight() const override { return kLineHeight; }
    int textWidthIn(const CGridFont& font, std::u16string_view text) const override
    {
        return int(text.size()) * (font.height / 2);
    }
    int lineHeightIn(const CGridFont& font) const override { return font.height; }
};

class RecordingListener final : public CGridListener {
public:
    int onGridNotify(const CGridNotification& notification) override
    {
        seen.push_back(notification);
        return answer ? answer(notification) : 0;
    }
    void onGridCommand(CGridCellId focus) override { commands.push_back(focus); }
    [[nodiscard]] int count(CGridCode code) const
    {
        int n = 0;
        for (const CGridNotification& notification : seen)
            n += notification.code == code;
        return n;
    }
    std::vector<CGridNotification> seen;
    std::vector<CGridCellId> commands;
    std::function<int(const CGridNotification&)> answer;
};

} // namespace vx::test
