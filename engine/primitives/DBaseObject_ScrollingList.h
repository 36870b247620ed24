#pragma once
// Rows of one height that scroll under the finger, coast after release and snap to a
// row; the rows are drawn once into an own bitmap that the scrolling window shows.

#include <memory>
#include <vector>

#include "engine/primitives/DBaseObject_ScrollingBitmap.h"
#include "foundation/DString.h"

struct DTextDescriptor;

class DBaseObject_ScrollingList : public DBaseObject_ScrollingBitmap {
public:
    // The own bitmap (width x row height x maximum rows, 4 bytes a pixel) stays below
    // this; a file asking for more gets as many rows as fit.
    static constexpr uint64_t kLargestBitmapBytes = 64ull << 20;
    // More rows than a string tag can hold parts are never needed.
    static constexpr uint32_t kLargestRowCount = 32768;
    static constexpr int32_t kMaximumDragSpeed = 48;
    static constexpr uint32_t kMotionPeriod = 10; // milliseconds between motion ticks

    enum class Motion : uint32_t { Idle = 0, Dragging = 1, Coasting = 2, Settling = 3 };
    // Which part of a tapped row is kept nearest the window's middle when it scrolls in.
    enum Hint : uint32_t { Middle = 0, Bottom = 2, Top = 3 };

    DBaseObject_ScrollingList(uint32_t typeId, DCompositeObject* owner, DPage* page);
    ~DBaseObject_ScrollingList() override;

    void draw(DRenderer& renderer, const DRect& dirty) override;
    // The common words, the scroll mode and the four list words; the rows are allocated
    // here, after the row count and the bitmap they need are bounded.
    [[nodiscard]] int load(DFile& file) override;

    void setRowText(uint32_t index, std::u16string_view text);
    // Borrows the image (the widget owns it).
    void setRowImage(uint32_t index, DBitmap* image);
    void setRowCount(uint32_t count);
    void setNormalBackground(DBitmap* image);
    void setSelectedBackground(DBitmap* image);
    // Borrows the descriptor the row texts are drawn with, and takes their packed style word
    // (alignment, right to left, underline); null draws no texts.
    void setTextDescriptor(const DTextDescriptor* descriptor, uint32_t style = 0)
    {
        m_textDescriptor = descriptor;
        m_textStyle = style;
    }

    // The 1-based row under a page point, or 0.
    uint32_t rowAt(DPoint point) const;
    // Selects the tapped row (on touch) or the row in the middle (centred); returns it.
    uint32_t selectAtPoint(DPoint point);
    void select(uint32_t index, Hint hint);
    // A change of the selection tag: the list moves to the row, coasting when it slows down.
    void scrollToRow(int64_t index);
    void beginDrag(int32_t pointerY);
    // The pointer moved while dragging.
    void dragTo(int32_t pointerY) { m_targetY = pointerY; }
    // Returns 1 when the motion has ended.
    int motionTick(uint32_t now);
    void setMotion(Motion motion) { m_motion = motion; }

    // False when the row height, the width or the row count leave nothing to show.
    bool isUsable() const { return m_maximumRows > 0; }
    bool isCentred() const { return m_selectionOffset != -1; }
    bool slowsDown() const { return m_slowDown; }
    uint32_t maximumRows() const { return m_maximumRows; }
    int32_t rowHeight() const { return m_rowHeight; }
    uint32_t rowCount() const { return m_rowCount; }
    uint32_t selected() const { return m_selected; }
    Motion motion() const { return m_motion; }
    int32_t speed() const { return m_speed; }
    std::u16string_view rowText(uint32_t index) const;
    DBitmap* rowImage(uint32_t index) const { return index < m_rows.size() ? m_rows[index].image : nullptr; }

private:
    struct Row {
        DString text;
        DBitmap* image = nullptr;
        bool dirty = true;
    };

    void markRowDirty(uint32_t index);
    void markShownRowsDirty();
    // Moves the scroll position's y; true when it changed.
    bool scrollTo(int64_t y) { return applyScrollPosition(m_scroll.x, y); }
    int64_t contentHeight() const { return int64_t(m_rowCount) * m_rowHeight; }
    // Starts the owner's tick for the motion when it is not running.
    void startMotionTick() const;
    void drawRows(DRenderer& renderer);
    void drawRow(DRenderer& renderer, uint32_t index);

    uint32_t m_maximumRows = 0;
    int32_t m_rowHeight = 0;
    int32_t m_selectionOffset = -1;
    bool m_slowDown = false;
    const DTextDescriptor* m_textDescriptor = nullptr;
    uint32_t m_textStyle = 0;
    std::vector<Row> m_rows;
    uint32_t m_rowCount = 0;
    uint32_t m_selected = 0;
    DBitmap* m_normalBackground = nullptr;
    DBitmap* m_selectedBackground = nullptr;
    Motion m_motion = Motion::Idle;
    int32_t m_speed = 0;
    int32_t m_maximumSpeed = 0;
    int32_t m_remainder = 0;
    int32_t m_targetY = 0;
    int32_t m_previousY = 0;
    uint32_t m_lastTickTime = 0;
    bool m_hasLastTick = false;
    std::unique_ptr<DBitmap> m_own;
    bool m_ownFailed = false;
};
