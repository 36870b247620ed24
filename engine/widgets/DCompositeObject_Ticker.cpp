#include "engine/widgets/DCompositeObject_Ticker.h"

#include <algorithm>
#include <climits>

#include "engine/primitives/DBaseObject_ScrollingBitmap.h"
#include "engine/core/DFile.h"
#include "engine/widgets/DImageSet.h"
#include "foundation/target/TargetTickerWords.h"
#include "foundation/target/TargetClassData.h"

namespace {

// The strip never reaches past what a page coordinate can hold.
constexpr int64_t kLargestOverflow = INT32_MAX / 2;

} // namespace

DCompositeObject_Ticker::DCompositeObject_Ticker() = default;
DCompositeObject_Ticker::~DCompositeObject_Ticker() = default;

int DCompositeObject_Ticker::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::TickerClassData data;
    const int status = target::readClassData(file, data).status;
    const target::TickerWords& words = data.words;
    m_speed = words.speed;
    m_period = words.period;
    m_overflow = uint32_t(std::min<int64_t>(words.overflow, kLargestOverflow));
    DImageSet::referTo(m_image, file, words.image);
    m_scroller = dynamic_cast<DBaseObject_ScrollingBitmap*>(loadPrimitive(file));
    return status;
}

int64_t DCompositeObject_Ticker::limit() const
{
    const int64_t width = m_scroller ? m_scroller->windowWidth() : 0;
    return m_scroller && m_scroller->mode() == DBaseObject_ScrollingBitmap::Wrapping ? m_overflow + width
                                                                                      : m_overflow;
}

void DCompositeObject_Ticker::show()
{
    if (m_scroller) {
        m_scroller->setBitmap(m_image.get());
        const int64_t width = m_scroller->windowWidth(), height = m_scroller->windowHeight();
        const auto clamp = [](int64_t value) { return int32_t(std::clamp<int64_t>(value, 0, INT32_MAX)); };
        m_scroller->setContentSize({clamp(width + m_overflow), clamp(height)});
        m_scroller->setWrapPeriod({clamp(width + m_overflow), clamp(height)});
    }
    startTick(m_period);
}

void DCompositeObject_Ticker::hide()
{
    m_tickEnabled = false;
}

void DCompositeObject_Ticker::tick(uint32_t now)
{
    DCompositeObject::tick(now);
    if (!m_scroller)
        return;
    m_position += m_speed;
    if (m_position > limit())
        m_position = 0;
    else if (m_position < 0)
        m_position = m_scroller->mode() == DBaseObject_ScrollingBitmap::Wrapping ? limit() : 0; // runs backwards
    m_scroller->setScrollPosition({int32_t(std::min<int64_t>(m_position, INT32_MAX)), 0});
}
