#include "editor/objects/text/CObjTicker.h"

#include <algorithm>
#include <limits>

#include "editor/document/CResourceIndex.h"
#include "editor/document/TargetPicture.h"
#include "editor/objects/CObjectCompileContext.h"
#include "editor/objects/shared/CObjectImageFile.h"
#include "editor/objects/shared/CObjectProperty.h"
#include "editor/objects/shared/CObjectRecordWriter.h"
#include "editor/objects/sliders/CUsableValues.h"
#include "foundation/DRIFFFile.h"
#include "foundation/image/CWinFreeImage.h"
#include "foundation/target/TargetClassData.h"
#include "foundation/target/TargetTickerWords.h"
#include "platform/gfx/DeviceContext.h"

namespace {

constexpr std::u16string_view kBehavior = u"Behavior";
constexpr std::u16string_view kSpeedInterval = u"Speed interval [ms]";

} // namespace

std::unique_ptr<CWinFreeImage> CObjTicker::RenderStrip(PictureAlpha alpha)
{
    const int64_t height = GetWorkSize().height;
    // A strip at least a pixel wide: a taller one has more pixels than a picture may.
    if (!TargetPicture::Fits(1, height))
        return nullptr;
    std::unique_ptr<CWinFreeImage> strip =
        CObjectImageFile::Load(*this, u"Appearance", u"Image", alpha, GetAppearanceInt(u"Transparency"));
    if (!strip || strip->width() <= 0 || strip->height() <= 0)
        return nullptr;
    const int64_t width = height * strip->width() / strip->height();
    if (!TargetPicture::Fits(width, height))
        return nullptr;
    if ((width != strip->width() || height != strip->height()) && !strip->Rescale(int(width), int(height)))
        return nullptr;
    m_stripWidth = int32_t(width);
    return strip;
}

void CObjTicker::CollectImages(DRIFFFile& target, CResourceIndex& resources)
{
    const DSize size = GetWorkSize();
    m_noSize = !CObjectPicture::IsDrawable(size);
    const std::unique_ptr<CWinFreeImage> strip =
        m_noSize ? nullptr : RenderStrip(CObjectPicture::AlphaOf(resources.TargetFlags()));
    CSelectable::CollectImage(target, resources, strip.get());
}

int CObjTicker::Compile(DRIFFFile& target, CObjectCompileContext& context)
{
    const DSize size = GetWorkSize();
    if (m_noSize)
        CObjectRecordWriter::Warn(*this, CompileDiagnostic::EmptyPicture, u"object size",
                                  CObjectRecordWriter::SizeText(size), context);
    CObjectRecordWriter::WriteHeader(target, *this, target::WidgetType::Ticker, context);
    target::TickerClassData data;
    data.words.speed = int32_t(CObjectProperty::Int(*this, kBehavior, u"Speed pixels", 0));
    // The panel would step a negative interval every millisecond: it is written as 0, and said.
    const int64_t interval = CObjectProperty::Int(*this, kBehavior, kSpeedInterval, 0);
    const int64_t period = std::clamp<int64_t>(interval, 0, std::numeric_limits<uint32_t>::max());
    if (period != interval)
        CUsableValues::Warn(*this, kSpeedInterval, context);
    data.words.period = uint32_t(period);
    data.words.overflow = uint32_t(std::max<int64_t>(int64_t(m_stripWidth) - size.width, 0));
    data.words.image = context.resources.TakeNext();
    target::writeClassData(target, data);
    const CDiagramRect bounds = GetRect();
    CompileElement(target, target::ElementKind::ScrollingBitmap, {bounds.left, bounds.top, bounds.right, bounds.bottom},
                   context);
    return 0;
}

gfx::Surface CObjTicker::RenderPreview()
{
    const DSize size = GetWorkSize();
    if (!CObjectPicture::IsDrawable(size))
        return {};
    const std::unique_ptr<CWinFreeImage> strip = RenderStrip(PictureAlpha::Premultiplied);
    if (!strip)
        return {};
    gfx::Surface picture(size.width, size.height);
    const gfx::ConstPixelBuffer pixels = strip->pixels();
    if (!picture.isValid() || !pixels.isValid())
        return {};
    gfx::DeviceContext dc(picture);
    const int32_t shown = std::min(pixels.width, size.width);
    const int32_t left = pixels.width < size.width ? (size.width - pixels.width) / 2 : 0;
    (void)dc.bitBlt({left, 0}, pixels, {0, 0, shown, pixels.height});
    return picture;
}
