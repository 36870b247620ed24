#include "engine/render/DCachedPicture.h"

#include <algorithm>

#include "engine/widgets/DCompositeObject.h"
#include "engine/core/DPage.h"
#include "engine/core/DProject.h"
#include "engine/render/DRenderer.h"

namespace {

// No panel is larger; bounds from a malformed file must not decide an allocation.
constexpr int64_t kLargestSide = 4096;

int64_t largestSide(const DPage* page)
{
    if (!page || !page->project())
        return kLargestSide;
    const DSize size = page->project()->pageSize();
    const int64_t side = std::max<int64_t>(size.width, size.height);
    return side > 0 ? std::min(side, kLargestSide) : kLargestSide;
}

} // namespace

DBitmap* DCachedPicture::ensure(DRenderer& renderer, const DRect& bounds, const DPage* page, bool& fresh)
{
    fresh = false;
    if (m_bitmap || m_refused)
        return m_bitmap.get();
    const int64_t limit = largestSide(page);
    if (bounds.width() <= 0 || bounds.height() <= 0 || bounds.width() > limit || bounds.height() > limit) {
        m_refused = true;
        return nullptr;
    }
    m_bitmap.reset(renderer.createBitmap(int(bounds.width()), int(bounds.height()), 0));
    fresh = m_bitmap != nullptr;
    return m_bitmap.get();
}
