#include "editor/objects/scales/CObjBargraph.h"

#include <algorithm>
#include <memory>

#include <cairo.h>

#include "editor/document/CResourceIndex.h"
#include "editor/objects/CObjectCompileContext.h"
#include "editor/objects/scales/CScaleProperties.h"
#include "editor/objects/shared/CObjectImageFile.h"
#include "editor/objects/shared/CObjectProperty.h"
#include "editor/objects/shared/CObjectRecordWriter.h"
#include "foundation/DRIFFFile.h"
#include "foundation/image/CWinFreeImage.h"
#include "foundation/target/TargetBarGraphWords.h"
#include "foundation/target/TargetClassData.h"
#include "platform/gfx/DeviceContext.h"

namespace {

constexpr int32_t kImageBar = 12;
constexpr int32_t kColorBar = 13;
constexpr std::size_t kMaxGradientColors = 2;
constexpr std::u16string_view kAppearance = u"Appearance";
constexpr std::u16string_view kTicks = u"Ticks & Labels";

gfx::Rect sizeRect(DSize size)
{
    return gfx::Rect::fromSize(0, 0, size.width, size.height);
}

DSize sizeOf(const gfx::Rect& rect)
{
    return {rect.width(), rect.height()};
}

void drawImage(gfx::DeviceContext& dc, const CWinFreeImage& image, gfx::Point at)
{
    const gfx::ConstPixelBuffer pixels = image.pixels();
    (void)dc.bitBlt(at, pixels, gfx::Rect::fromSize(0, 0, pixels.width, pixels.height));
}

} // namespace

BarGraphTickSettings CObjBargraph::ReadTickSettings() const
{
    const ScaleTicks ticks = CScaleProperties::ReadTicks(*this);
    BarGraphTickSettings settings;
    settings.show = ticks.show;
    settings.size = ticks.size;
    settings.outer = CObjectProperty::ChoiceLetter(*this, kTicks, u"Tick placement") == u'o';
    settings.alignment = BarTickAlignment::Centre; // without the property
    if (FindProperty(kTicks, u"Tick alignment")) {
        switch (CObjectProperty::ChoiceLetter(*this, kTicks, u"Tick alignment")) {
        case u't': case u'i': settings.alignment = BarTickAlignment::TopLeft; break;
        case u'b': case u'o': settings.alignment = BarTickAlignment::BottomRight; break;
        case u'd': settings.alignment = BarTickAlignment::Dual; break;
        default: break;
        }
    }
    return settings;
}

CBarGraphGeometry CObjBargraph::Geometry() const
{
    return CBarGraphGeometry(sizeRect(GetWorkSize()), GetDirectionCode(), ReadTickSettings());
}

std::vector<uint32_t> CObjBargraph::GradientColors() const
{
    const CPropertyBase* property = FindProperty(kAppearance, u"Gradient colors");
    if (!property)
        return {};
    std::vector<uint32_t> colors;
    for (const std::u16string& token :
         CObjectProperty::Tokens(property->GetValueText(), ListTokens::Split, kMaxGradientColors))
        if (const std::optional<uint32_t> color = CObjectProperty::HexColor(token))
            colors.push_back(*color);
    return colors;
}

void CObjBargraph::DrawTicks(gfx::DeviceContext& dc, gfx::Point origin) const
{
    const CBarGraphGeometry geometry = Geometry();
    const ScaleTicks ticks = CScaleProperties::ReadTicks(*this);
    const TickScale scale = CScaleProperties::TickScaleOf(CScaleProperties::ReadValues(*this), ticks);
    const CTickPen pen = CScaleProperties::TickPen(*this, ticks);
    dc.setViewportOrigin({-origin.x, -origin.y});
    const BarTickAlignment alignment = ReadTickSettings().alignment;
    const auto drawBand = [&](BarTickAlignment bandAlignment) {
        if (const std::optional<gfx::Rect> band = geometry.TickBand(bandAlignment))
            CLinearTickDrawer(geometry.TickLayout(*band, bandAlignment)).Draw(dc, pen, scale);
    };
    if (alignment == BarTickAlignment::Dual) {
        if (geometry.TickBand()) {
            drawBand(BarTickAlignment::TopLeft);
            drawBand(BarTickAlignment::BottomRight);
        }
    } else {
        drawBand(alignment);
    }
    dc.setViewportOrigin({0, 0});
}

std::vector<gfx::Rect> CObjBargraph::BodyParts(const BarArea& area) const
{
    const gfx::Rect whole = sizeRect(sizeOf(area.rect));
    if (area.split == 0)
        return {whole};
    const bool vertical = Geometry().IsVertical();
    const int32_t cross = vertical ? whole.width() : whole.height();
    const int32_t half = cross / 2;
    const int32_t part = half - area.split;
    if (part <= 0)
        return {};
    if (vertical)
        return {{0, 0, part, whole.bottom}, {half + area.split, 0, half + area.split + part, whole.bottom}};
    return {{0, 0, whole.right, part}, {0, half + area.split, whole.right, half + area.split + part}};
}

bool CObjBargraph::DrawImageBody(CObjectPicture& picture, const BarArea& area) const
{
    const std::unique_ptr<CWinFreeImage> image = CObjectImageFile::Load(
        *this, kAppearance, u"Bar fill image", PictureAlpha::Premultiplied, GetAppearanceInt(u"Transparency"));
    if (!image || image->width() <= 0 || image->height() <= 0)
        return false;
    gfx::DeviceContext dc(picture.Surface());
    const std::vector<gfx::Rect> parts = BodyParts(area);
    if (area.split == 0) {
        if (!parts.empty() && image->Rescale(parts[0].width(), parts[0].height()))
            drawImage(dc, *image, {0, 0});
        return true;
    }
    if (parts.size() != 2)
        return true;
    // The picture cut in halves across the bar, each half fitted to its part.
    const int32_t iw = image->width(), ih = image->height();
    std::unique_ptr<CWinFreeImage> halves[2];
    if (Geometry().IsVertical()) {
        halves[0] = iw / 2 > 0 ? image->Crop(0, 0, iw / 2, ih) : nullptr;
        halves[1] = image->Crop(0, iw / 2, iw - iw / 2, ih);
    } else {
        halves[0] = ih / 2 > 0 ? image->Crop(0, 0, iw, ih / 2) : nullptr;
        halves[1] = image->Crop(ih / 2, 0, iw, ih - ih / 2);
    }
    for (int i = 0; i < 2; ++i)
        if (halves[i] && halves[i]->Rescale(parts[i].width(), parts[i].height()))
            drawImage(dc, *halves[i], {parts[i].left, parts[i].top});
    return true;
}

void CObjBargraph::DrawGradientBody(CObjectPicture& picture, const BarArea& area) const
{
    std::vector<uint32_t> colors = GradientColors();
    if (colors.empty())
        return;
    uint32_t start = GetTargetColor(colors.front());
    uint32_t end = GetTargetColor(colors.back());
    const int32_t direction = GetDirectionCode();
    if (direction == 2 || direction == 4)
        std::swap(start, end);
    gfx::DeviceContext dc(picture.Surface());
    cairo_t* cr = dc.cairo();
    if (!cr)
        return;
    const DSize size = picture.Size();
    const bool across = direction == 1 || direction == 2;
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, across ? size.width : 0, across ? 0 : size.height);
    for (const auto& [offset, argb] : {std::pair{0.0, start}, std::pair{1.0, end}})
        cairo_pattern_add_color_stop_rgba(gradient, offset, (argb >> 16 & 0xFF) / 255.0, (argb >> 8 & 0xFF) / 255.0,
                                          (argb & 0xFF) / 255.0, (argb >> 24) / 255.0);
    cairo_save(cr);
    cairo_set_source(cr, gradient);
    for (const gfx::Rect& part : BodyParts(area))
        cairo_rectangle(cr, part.left, part.top, part.width(), part.height());
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_pattern_destroy(gradient);
}

CObjectPicture CObjBargraph::RenderBody(PictureAlpha alpha, bool withInnerTicks) const
{
    const BarArea area = Geometry().Area();
    CObjectPicture picture(sizeOf(area.rect), alpha);
    if (!picture.IsValid())
        return picture;
    if (GetObjectTypeIndex() == kColorBar)
        DrawGradientBody(picture, area);
    else if (!DrawImageBody(picture, area))
        return CObjectPicture({0, 0}, alpha);
    if (withInnerTicks && !ReadTickSettings().outer) {
        gfx::DeviceContext dc(picture.Surface());
        DrawTicks(dc, {area.rect.left, area.rect.top});
    }
    return picture;
}

CObjectPicture CObjBargraph::RenderTicks(PictureAlpha alpha) const
{
    const std::optional<gfx::Rect> band = Geometry().TickBand();
    if (!band)
        return CObjectPicture({0, 0}, alpha);
    CObjectPicture picture(sizeOf(*band), alpha);
    if (picture.IsValid()) {
        gfx::DeviceContext dc(picture.Surface());
        DrawTicks(dc, {band->left, band->top});
    }
    return picture;
}

void CObjBargraph::CollectImages(DRIFFFile& target, CResourceIndex& resources)
{
    m_uniformColor.reset();
    m_hasTicksPicture = false;
    m_hasBodyPicture = false;
    m_pictureLeftOut = false;
    const PictureAlpha alpha = CObjectPicture::AlphaOf(resources.TargetFlags());
    const CBarGraphGeometry geometry = Geometry();
    const std::optional<gfx::Rect> band = geometry.TickBand();
    const BarArea area = geometry.Area();

    std::optional<uint32_t> uniform;
    if (GetObjectTypeIndex() == kColorBar) {
        const std::vector<uint32_t> colors = GradientColors();
        if (!colors.empty() && std::all_of(colors.begin(), colors.end(), [&](uint32_t c) { return c == colors[0]; }))
            uniform = colors[0];
    }
    if (band) {
        const CObjectPicture ticks = RenderTicks(alpha);
        m_pictureLeftOut |= !ticks.IsValid();
        ticks.Collect(target, resources);
        m_hasTicksPicture = true;
    }
    const bool outer = ReadTickSettings().outer;
    if (uniform && (!band || (area.split == 0 && outer))) {
        m_uniformColor = uniform;
        return;
    }
    const CObjectPicture body = RenderBody(alpha, true);
    m_pictureLeftOut |= !CObjectPicture::IsDrawable(sizeOf(area.rect)) || (area.split != 0 && BodyParts(area).empty());
    body.Collect(target, resources);
    m_hasBodyPicture = true;
}

int CObjBargraph::Compile(DRIFFFile& target, CObjectCompileContext& context)
{
    const bool colourBar = m_uniformColor.has_value();
    CObjectRecordWriter::WriteHeader(target, *this, colourBar ? target::WidgetType::ColorBar : target::WidgetType::ImageBar,
                                     context);
    target::BarGraphClassData data;
    target::BarGraphWords& words = data.words;
    words.frameImage = m_hasTicksPicture ? context.resources.TakeNext() : 0;
    if (colourBar)
        words.bar = ColorToTarget(*m_uniformColor, 0);
    else
        words.bar = m_hasBodyPicture ? context.resources.TakeNext() : 0;
    words.direction = uint32_t(GetDirectionCode());
    const ScaleValues values = CScaleProperties::UsableValues(*this, context);
    words.minimum = values.minimum;
    words.maximum = values.maximum;
    words.lowLimit = values.lowAlarm;
    words.highLimit = values.highAlarm;
    CObjectRecordWriter::ReadScaling(*this).ApplyTo(words);
    data.valueTag = CObjectRecordWriter::ResolveTag(*this, u"Value tag", context);
    target::writeClassData(target, data);

    const CDiagramRect rect = GetRect();
    const CBarGraphGeometry geometry = Geometry();
    CompileElement(target, colourBar ? target::ElementKind::SolidRect : target::ElementKind::UnscaledBitmap,
                   geometry.Area().rect.translated(rect.left, rect.top), context);
    if (const std::optional<gfx::Rect> band = geometry.TickBand())
        CompileElement(target, target::ElementKind::UnscaledBitmap, band->translated(rect.left, rect.top), context);
    else
        CompileElement(target, target::ElementKind::Placeholder, {}, context);
    if (m_pictureLeftOut)
        CObjectRecordWriter::Warn(*this, CompileDiagnostic::EmptyPicture, {}, {}, context);
    return 0;
}

gfx::Surface CObjBargraph::RenderPreview()
{
    const DSize size = GetWorkSize();
    CObjectPicture preview(size, PictureAlpha::Premultiplied);
    if (!preview.IsValid())
        return {};
    // The panel's order: the ticks picture under the bar, the bar (with its inner ticks) over it.
    const CBarGraphGeometry geometry = Geometry();
    const BarArea area = geometry.Area();
    gfx::DeviceContext dc(preview.Surface());
    const auto place = [&](const CObjectPicture& picture, gfx::Point at) {
        if (!picture.IsValid())
            return;
        const gfx::ConstPixelBuffer pixels = picture.Surface().pixels();
        (void)dc.alphaBlend(gfx::Rect::fromSize(at.x, at.y, pixels.width, pixels.height), pixels,
                            gfx::Rect::fromSize(0, 0, pixels.width, pixels.height));
    };
    if (const std::optional<gfx::Rect> band = geometry.TickBand())
        place(RenderTicks(PictureAlpha::Premultiplied), {band->left, band->top});
    place(RenderBody(PictureAlpha::Premultiplied, true), {area.rect.left, area.rect.top});
    return preview.TakeSurface();
}
