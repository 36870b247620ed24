#pragma once
// A curve of samples, one every step pixels, drawn as dots or lines into an own bitmap:
// scrolling (new samples enter at the right) or sweeping (a cursor overwrites them).

#include <memory>
#include <vector>

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"

class DBaseObject_Graph : public DBaseObject_UnscaledBitmap {
public:
    enum Style : uint32_t { Dots = 0, Line = 1 };
    // Larger bounds than a page can have make a graph that draws nothing.
    static constexpr int64_t kLargestSide = 16384;

    struct Sample {
        bool dirty = true;
        bool valid = false;
        int32_t y = 0; // the row in the own bitmap, 0 at the top
    };

    DBaseObject_Graph(uint32_t typeId, DCompositeObject* owner, DPage* page);
    ~DBaseObject_Graph() override;

    void draw(DRenderer& renderer, const DRect& dirty) override;

    void setColour(DColor colour);
    void setStyle(Style style);
    // Rebuilds the samples: as many as cover the width; none for a step that is not positive.
    void setStep(int32_t step);
    // Scrolling: the oldest sample leaves, a new one at the value's row comes in at the right.
    void append(int32_t value);
    // Sweeping: the sample at the cursor takes the value and the one after it is blanked.
    void writeAtCursor(int32_t value);

    bool isUsable() const;
    DColor colour() const { return m_colour; }
    Style style() const { return m_style; }
    int32_t step() const { return m_step; }
    std::size_t sampleCount() const { return m_samples.size(); }
    // Sample i counted from the first (the leftmost).
    const Sample& sample(std::size_t index) const { return m_samples[(m_first + index) % m_samples.size()]; }
    std::size_t cursor() const { return m_cursor; }
    int64_t cursorX() const { return m_cursorX; }

private:
    Sample& at(std::size_t index) { return m_samples[(m_first + index) % m_samples.size()]; }
    // The row of a value: counted up from the bottom.
    int32_t rowOf(int32_t value) const;
    void markAllDirty();
    // Stores a value that every sample is drawn with, redrawing them all when it changed.
    template <class Field>
    void redrawWith(Field& field, Field value);
    void drawSamples(DRenderer& renderer);

    DColor m_colour = 0;
    // A ring: the first sample is at m_first, so scrolling moves no samples.
    std::vector<Sample> m_samples;
    std::size_t m_first = 0;
    int32_t m_step = 0;
    Style m_style = Dots;
    uint64_t m_appended = 0;
    std::size_t m_cursor = 0;
    int64_t m_cursorX = 0;
    std::unique_ptr<DBitmap> m_own;
    bool m_ownFailed = false;
};
