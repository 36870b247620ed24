#include "engine/primitives/DBaseObject_ScrollingList.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "engine/widgets/DCompositeObject.h"
#include "engine/core/DFile.h"
#include "engine/render/DRenderer.h"
#include "engine/core/DStatus.h"
#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetElement.h"

namespace {

constexpr uint32_t kBytesPerPixel = 4;
constexpr int32_t kSlowestDragSpeed = 4;   // a drag that coasts at all moves at least this fast
constexpr int32_t kDeceleration = 2;       // speed lost per tick while coasting
constexpr int32_t kSettlingSpeed = 4;      // at or below it a coasting drag snaps to a row

int64_t signOf(int64_t value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

// Division rounding toward minus infinity; divisor > 0.
int64_t floorDiv(int64_t value, int64_t divisor)
{
    const int64_t quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

} // namespace

DBaseObject_ScrollingList::DBaseObject_ScrollingList(uint32_t typeId, DCompositeObject* owner, DPage* page)
    : DBaseObject_ScrollingBitmap(typeId, owner, page)
{
    m_dirty = true;
}

DBaseObject_ScrollingList::~DBaseObject_ScrollingList() = default;

int DBaseObject_ScrollingList::load(DFile& file)
{
    int status = DBaseObject_ScrollingBitmap::load(file);
    target::ScrollingListWords words;
    if (status == DStatus::Ok)
        status = target::readRecord(file, words);
    if (status == DStatus::Ok) {
        m_rowHeight = words.itemHeight;
        m_selectionOffset = words.firstItemOffset;
        m_slowDown = words.slowDown != 0;
    }
    // Bounded before anything is allocated: rows x row height x width must fit the bitmap.
    const int64_t width = windowWidth();
    uint64_t rows = 0;
    if (status == DStatus::Ok && m_rowHeight > 0 && width > 0 &&
        uint64_t(width) * kBytesPerPixel <= kLargestBitmapBytes) {
        const uint64_t rowBytes = uint64_t(width) * kBytesPerPixel * uint64_t(m_rowHeight);
        rows = std::min<uint64_t>({words.maximumItems, kLargestBitmapBytes / rowBytes, kLargestRowCount});
    }
    m_maximumRows = uint32_t(rows);
    m_rows.resize(m_maximumRows);
    m_contentSize = {saturated32(width), 0};
    // Centred lists may scroll their first and last rows into the middle.
    const int64_t margin = isCentred() ? std::max<int64_t>((windowHeight() - m_rowHeight) / 2, 0) : 0;
    m_margins = {0, saturated32(margin)};
    return status;
}

std::u16string_view DBaseObject_ScrollingList::rowText(uint32_t index) const
{
    return index < m_rows.size() ? m_rows[index].text.view() : std::u16string_view{};
}

void DBaseObject_ScrollingList::markRowDirty(uint32_t index)
{
    if (index < m_rows.size())
        m_rows[index].dirty = true;
}

void DBaseObject_ScrollingList::markShownRowsDirty()
{
    for (uint32_t i = 0; i < m_rowCount; ++i)
        m_rows[i].dirty = true;
    m_dirty = true;
    invalidate();
}

void DBaseObject_ScrollingList::setRowText(uint32_t index, std::u16string_view text)
{
    if (index >= m_rows.size() || m_rows[index].text == text)
        return;
    Row& row = m_rows[index];
    row.text.assign(text);
    row.image = nullptr;
    row.dirty = true;
    m_dirty = true;
    invalidate();
}

void DBaseObject_ScrollingList::setRowImage(uint32_t index, DBitmap* image)
{
    if (index >= m_rows.size() || m_rows[index].image == image)
        return;
    m_rows[index].image = image;
    m_rows[index].dirty = true;
    m_dirty = true;
    invalidate();
}

void DBaseObject_ScrollingList::setRowCount(uint32_t count)
{
    count = std::min(count, m_maximumRows);
    if (count == m_rowCount)
        return;
    for (uint32_t i = std::min(count, m_rowCount); i < std::max(count, m_rowCount); ++i)
        m_rows[i].dirty = true;
    m_rowCount = count;
    // A wrapping list repeats after its last row.
    m_contentSize.height = saturated32(contentHeight());
    m_period.height = m_contentSize.height;
    (void)applyScrollPosition(m_scroll.x, m_scroll.y);
    m_dirty = true;
    invalidate();
}

void DBaseObject_ScrollingList::setNormalBackground(DBitmap* image)
{
    if (image == m_normalBackground)
        return;
    m_normalBackground = image;
    markShownRowsDirty();
}

void DBaseObject_ScrollingList::setSelectedBackground(DBitmap* image)
{
    if (image == m_selectedBackground)
        return;
    m_selectedBackground = image;
    markShownRowsDirty();
}

uint32_t DBaseObject_ScrollingList::rowAt(DPoint point) const
{
    if (m_rowHeight <= 0 || !m_bounds.contains(point))
        return 0;
    const int64_t offset = int64_t(point.y) + m_scroll.y - m_bounds.top;
    if (offset < 0)
        return 0; // in the margin above the first row
    const int64_t row = offset / m_rowHeight + 1;
    if (row <= m_rowCount)
        return uint32_t(row);
    if (wrapsVertically() && row - m_rowCount <= m_rowCount)
        return uint32_t(row - m_rowCount);
    return 0;
}

uint32_t DBaseObject_ScrollingList::selectAtPoint(DPoint point)
{
    uint32_t row;
    Hint hint;
    if (!isCentred()) {
        row = rowAt(point);
        if (row == 0)
            return 0;
        hint = int64_t(point.y) - m_bounds.top < windowHeight() / 2 ? Bottom : Top;
    } else {
        row = rowAt({m_bounds.left, saturated32((int64_t(m_bounds.top) + m_bounds.bottom) / 2)});
        hint = Middle;
    }
    select(row, hint);
    return row;
}

void DBaseObject_ScrollingList::select(uint32_t index, Hint hint)
{
    if (index == m_selected)
        return;
    if (m_selected >= 1 && m_selected <= m_rowCount)
        markRowDirty(m_selected - 1);
    m_selected = index;
    if (index >= 1 && index <= m_rowCount) {
        markRowDirty(index - 1);
        const int64_t height = m_rowHeight, window = windowHeight();
        if (!isCentred()) {
            int64_t top = int64_t(index - 1) * height;
            if (wrapsVertically()) {
                // A copy of the row one content height away may lie nearer the window's middle.
                const int64_t middle = int64_t(m_scroll.y) + window / 2;
                const auto distance = [&](int64_t rowTop) {
                    const int64_t measured =
                        hint == Bottom ? rowTop + height : hint == Top ? rowTop : rowTop + height / 2;
                    return std::llabs(measured - middle);
                };
                const int64_t whole = contentHeight();
                for (const int64_t copy : {top - whole, top + whole})
                    if (distance(copy) < distance(top))
                        top = copy;
            }
            int64_t y = m_scroll.y;
            if (top < y)
                y = top;
            else if (top + height > y + window)
                y = top + height - window;
            (void)scrollTo(y);
        } else {
            (void)scrollTo(height * (int64_t(index) - 1) - (window - height) / 2);
        }
    }
    m_dirty = true;
    invalidate();
}

void DBaseObject_ScrollingList::scrollToRow(int64_t index)
{
    index = std::clamp<int64_t>(index, 0, UINT32_MAX);
    if (index == m_selected || m_motion == Motion::Dragging)
        return;
    int64_t rows = std::llabs(index - int64_t(m_selected));
    if (wrapsVertically())
        rows = std::min<int64_t>(rows, std::llabs(rows - int64_t(m_rowCount)));
    const int32_t oldY = m_scroll.y;
    select(uint32_t(index), Middle);
    if (!m_slowDown)
        return;
    int64_t distance = int64_t(m_scroll.y) - oldY;
    if (distance == 0)
        return;
    const int64_t span = rows * m_rowHeight;
    // Round the other way when that is the shorter way.
    if (span < std::llabs(distance) && std::llabs(distance) + span >= contentHeight())
        distance = -signOf(distance) * span;
    (void)scrollTo(oldY);
    // The start speed n: the smallest even number with 0 + 2 + ... + (n - 2) >= |d|,
    // that sum being k(k - 1) for n = 2k.
    const int64_t length = std::llabs(distance);
    int64_t half = 1;
    while (half * (half - 1) < length)
        ++half;
    m_speed = saturated32(signOf(distance) * 2 * half);
    m_remainder = saturated32(half * (half - 1) - length);
    m_maximumSpeed = 0;
    startMotionTick();
    m_motion = Motion::Coasting;
}

void DBaseObject_ScrollingList::beginDrag(int32_t pointerY)
{
    m_hasLastTick = false;
    m_speed = 0;
    m_remainder = 0;
    m_maximumSpeed = kMaximumDragSpeed;
    m_targetY = pointerY;
    startMotionTick();
    m_motion = Motion::Dragging;
}

void DBaseObject_ScrollingList::startMotionTick() const
{
    if (m_owner && !m_owner->tickEnabled())
        m_owner->startTick(kMotionPeriod);
}

int DBaseObject_ScrollingList::motionTick(uint32_t now)
{
    if (m_motion == Motion::Idle)
        return 1;
    if (m_motion == Motion::Dragging) {
        if (m_targetY == m_previousY)
            return 0;
        if (m_hasLastTick) {
            if (m_slowDown) {
                const uint32_t elapsed = std::max<uint32_t>(now - m_lastTickTime, 1);
                int64_t speed = (int64_t(m_previousY) - m_targetY) * 32 / elapsed;
                if (m_maximumSpeed)
                    speed = std::clamp<int64_t>(speed, -m_maximumSpeed, m_maximumSpeed);
                if (std::llabs(speed) < kSlowestDragSpeed)
                    speed = speed > 0 ? kSlowestDragSpeed : -kSlowestDragSpeed;
                m_speed = int32_t(speed);
            } else {
                m_speed = m_targetY > m_previousY ? -m_rowHeight : m_rowHeight;
            }
            if (isCentred())
                select(0, Middle);
        }
        m_previousY = m_targetY;
        m_lastTickTime = now;
        m_hasLastTick = true;
        return 0;
    }

    if (m_speed == 0)
        return 1;
    int64_t y = m_scroll.y;
    if (m_slowDown && m_motion != Motion::Settling) {
        // Toward 0 by the deceleration, never past it.
        m_speed = m_speed > 0 ? std::max(m_speed - kDeceleration, 0) : std::min(m_speed + kDeceleration, 0);
        if (m_maximumSpeed && std::abs(m_speed) <= kSettlingSpeed)
            m_motion = Motion::Settling;
        y += m_speed - signOf(m_speed) * m_remainder;
        m_remainder = 0;
    } else {
        if (!isCentred() || m_rowHeight <= 0)
            return 1;
        const int64_t offset = m_selectionOffset, height = m_rowHeight;
        const int64_t before = floorDiv(y - offset, height), after = floorDiv(y + m_speed - offset, height);
        if (before != after) {
            (void)scrollTo(offset + height * (m_speed > 0 ? std::max(before, after) : std::min(before, after) + 1));
            return 1;
        }
        y += m_speed;
    }
    if (!scrollTo(y))
        return 1; // a limit was reached
    m_lastTickTime = now;
    m_hasLastTick = true;
    return 0;
}

void DBaseObject_ScrollingList::draw(DRenderer& renderer, const DRect& dirty)
{
    if (isUsable() && !m_own && !m_ownFailed) {
        m_own.reset(renderer.createBitmap(int(windowWidth()), int(int64_t(m_rowHeight) * m_maximumRows), 0));
        m_ownFailed = !m_own;
    }
    m_bitmap = m_own.get();
    if (m_bitmap && m_dirty) {
        drawRows(renderer);
        m_dirty = false;
    }
    DBaseObject_ScrollingBitmap::draw(renderer, dirty);
}

void DBaseObject_ScrollingList::drawRows(DRenderer& renderer)
{
    for (uint32_t i = 0; i < m_rowCount; ++i)
        if (m_rows[i].dirty)
            drawRow(renderer, i);
}

void DBaseObject_ScrollingList::drawRow(DRenderer& renderer, uint32_t index)
{
    Row& row = m_rows[index];
    const int32_t top = int32_t(index) * m_rowHeight;
    const DRect rect{0, top, int32_t(windowWidth()) - 1, top + m_rowHeight - 1};
    DBitmap* background = index + 1 == m_selected ? m_selectedBackground : m_normalBackground;
    // Layers blend over a cleared row, so a row image without a background is a plain copy.
    renderer.fillRectOn(m_own.get(), 0, rect, DFillMode::Opaque);
    if (background)
        renderer.blit(m_own.get(), background, rect, {0, 0}, 0);
    if (row.image)
        renderer.blit(m_own.get(), row.image, rect, {0, 0}, 0);
    else if (m_textDescriptor && !row.text.isEmpty())
        (void)renderer.drawText(m_own.get(), *m_textDescriptor, rect, m_textStyle, row.text,
                                background ? DTextClear::Keep : DTextClear::ClearFirst, -1, DCaretBlink::Off);
    row.dirty = false;
}
