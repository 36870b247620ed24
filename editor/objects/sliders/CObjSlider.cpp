#include "editor/objects/sliders/CObjSlider.h"

#include <algorithm>

#include <cairo.h>

#include "editor/document/CResourceIndex.h"
#include "editor/objects/CObjectCompileContext.h"
#include "editor/objects/CObjectTheme.h"
#include "editor/objects/shared/CObjectPicture.h"
#include "editor/objects/shared/CObjectProperty.h"
#include "editor/objects/shared/CObjectRecordWriter.h"
#include "editor/objects/shared/CStyledObjectXml.h"
#include "editor/objects/sliders/CThumbPicture.h"
#include "editor/objects/sliders/CTickSettings.h"
#include "editor/objects/sliders/CUsableValues.h"
#include "editor/objects/ticks/CLinearTickDrawer.h"
#include "editor/objects/ticks/CRadialTickDrawer.h"
#include "foundation/DGeometry.h"
#include "foundation/DRIFFFile.h"
#include "foundation/target/TargetSliderWords.h"
#include "platform/gfx/DeviceContext.h"

namespace {

constexpr std::u16string_view kAppearance = u"Appearance";
constexpr std::u16string_view kBehavior = u"Behavior";
// A click the page view has not set.
constexpr CDiagramPoint kNoClick{-100, 0};

TickAlignment linearAlignment(SliderTickAlignment alignment)
{
    return alignment == SliderTickAlignment::Centre        ? TickAlignment::Centre
        : alignment == SliderTickAlignment::BottomRight ? TickAlignment::BottomRight
                                                        : TickAlignment::TopLeft;
}

} // namespace

gfx::Rect CObjSlider::PageRect() const
{
    const CDiagramRect rect = GetRect();
    return {rect.left, rect.top, rect.right, rect.bottom};
}

std::optional<gfx::Point> CObjSlider::ClickOn(const gfx::Rect& rect) const
{
    const CDiagramPoint click = GetLastClickPoint();
    if (click == kNoClick)
        return std::nullopt;
    // The click is on the page; rect may be the object moved to the picture's origin.
    return gfx::Point{click.x - GetRect().left + rect.left, click.y - GetRect().top + rect.top};
}

SliderSettings CObjSlider::GetSliderSettings(const gfx::Rect& rect) const
{
    const CTickSettings ticks = CTickSettings::Read(*this);
    SliderSettings s;
    s.rect = rect;
    s.direction = GetDirectionCode();
    s.tickSize = ticks.size;
    s.tickOffset = ticks.offset;
    s.thumbSize = saturated32(std::max<int64_t>(CObjectProperty::Int(*this, kAppearance, u"Thumb size [%]", 0), kSmallestThumb));
    s.alignment = SliderTickAlignment(std::clamp(ticks.alignment, 0, 3));
    s.placement = ticks.outer ? TickPlacement::Outer : TickPlacement::Inner;
    s.channelOffset = saturated32(CObjectProperty::Int(*this, kAppearance, u"Channel offset", 0));
    s.thumbPicture = CThumbPicture::SizeOf(*this);
    s.click = ClickOn(rect);
    return s;
}

KnobSettings CObjSlider::GetKnobSettings(const gfx::Rect& rect) const
{
    const CTickSettings ticks = CTickSettings::Read(*this);
    KnobSettings s;
    s.rect = rect;
    s.startAngle = saturated32(CObjectProperty::Int(*this, kAppearance, u"Start angle [degrees]", 0));
    s.endAngle = saturated32(CObjectProperty::Int(*this, kAppearance, u"End angle [degrees]", 0));
    s.sense = DirectionWord() == uint32_t(target::TurnDirection::Counterclockwise) ? RotationSense::Counterclockwise
                                                                                   : RotationSense::Clockwise;
    s.tickSize = ticks.size;
    s.tickOffset = ticks.offset;
    s.thumbSize = saturated32(std::max<int64_t>(CObjectProperty::Int(*this, kAppearance, u"Thumb size [%]", 0), kSmallestThumb));
    s.thumbOffset = saturated32(CObjectProperty::Int(*this, kAppearance, u"Thumb offset [%]", 0));
    s.placement = ticks.outer ? TickPlacement::Outer : TickPlacement::Inner;
    s.click = ClickOn(rect);
    s.thumbPicture = CThumbPicture::SizeOf(*this);
    return s;
}

gfx::Rect CObjSlider::ThumbRect(const gfx::Rect& rect, int32_t* travel, bool* marginCut) const
{
    if (IsKnob()) {
        const KnobLayout layout = CKnobGeometry(GetKnobSettings(rect)).Layout();
        if (travel)
            *travel = layout.radius;
        if (marginCut)
            *marginCut = false;
        return layout.thumb;
    }
    const SliderLayout layout = CSliderGeometry(GetSliderSettings(rect)).Layout();
    if (travel)
        *travel = layout.margin;
    if (marginCut)
        *marginCut = layout.marginCut;
    return layout.thumb;
}

uint32_t CObjSlider::DirectionWord() const
{
    if (!IsKnob())
        return uint32_t(GetDirectionCode());
    const CPropertyBase* direction = FindProperty(kAppearance, u"Direction");
    return direction && direction->GetListValue() == u"Counterclockwise" ? uint32_t(target::TurnDirection::Counterclockwise)
                                                                          : uint32_t(target::TurnDirection::Clockwise);
}

uint32_t CObjSlider::AnglesWord() const
{
    if (!IsKnob())
        return 0;
    const KnobSettings s = GetKnobSettings({});
    return target::packHalves(CKnobGeometry::NormalisedAngle(s.startAngle), CKnobGeometry::NormalisedAngle(s.endAngle));
}

uint32_t CObjSlider::ChannelColor() const
{
    if (GetStyleName() == CThumbPicture::kCustomStyle)
        if (const CPropertyBase* colour = GetFormat().FindProperty(u"Style", u"Channel color"))
            return uint32_t(colour->GetInt()) & 0xFFFFFF;
    CObjectTheme* theme = GetTheme();
    return theme ? theme->GetColor() & 0xFFFFFF : 0;
}

void CObjSlider::DrawTrack(gfx::Surface& picture, State state) const
{
    CObjectTheme* theme = GetTheme();
    if (!theme)
        return;
    const gfx::Rect whole = gfx::Rect::fromSize(0, 0, picture.width(), picture.height());
    const int32_t part = kThemeClass | int32_t(state);
    const int32_t shape = IsKnob() ? kKnobShape : kSliderShape;
    if (state == State::Thumb) {
        (void)theme->DrawObject(picture.pixels(), whole, shape, part, GetAppearanceInt(u"Thumb transparency"));
        return;
    }
    if (IsKnob()) {
        const KnobSettings knob = GetKnobSettings(whole);
        (void)theme->DrawObject(picture.pixels(), CKnobGeometry(knob).Layout().face, shape, part,
                                GetAppearanceInt(u"Transparency"));
        DrawTicks(picture, knob);
        return;
    }
    // The thumb picture is read once for the whole track.
    const SliderSettings slider = GetSliderSettings(whole);
    (void)theme->DrawObject(picture.pixels(), CSliderGeometry(slider).Layout().face, shape, part,
                            GetAppearanceInt(u"Transparency"));
    DrawTicks(picture, slider);
    DrawChannel(picture, slider);
}

std::optional<TickScale> CObjSlider::TickScaleToDraw() const
{
    const CTickSettings ticks = CTickSettings::Read(*this);
    const int64_t minimum = CObjectProperty::Int(*this, kBehavior, u"Minimum value", 0);
    const int64_t maximum = CObjectProperty::Int(*this, kBehavior, u"Maximum value", 0);
    if (!ticks.shown || minimum >= maximum)
        return std::nullopt;
    return ticks.ScaleOf(maximum - minimum);
}

void CObjSlider::DrawTicks(gfx::Surface& picture, const KnobSettings& knob) const
{
    const std::optional<TickScale> scale = TickScaleToDraw();
    const std::optional<RadialTickLayout> layout = CKnobGeometry(knob).Ticks();
    if (!scale || !layout)
        return;
    const CTickSettings ticks = CTickSettings::Read(*this);
    gfx::DeviceContext dc(picture);
    CRadialTickDrawer(*layout).Draw(dc, CTickPen(ticks.width, ticks.colour), *scale);
}

void CObjSlider::DrawTicks(gfx::Surface& picture, const SliderSettings& settings) const
{
    const std::optional<TickScale> scale = TickScaleToDraw();
    if (!scale)
        return;
    const CTickSettings ticks = CTickSettings::Read(*this);
    const CTickPen pen(ticks.width, ticks.colour);
    gfx::DeviceContext dc(picture);
    const CSliderGeometry geometry(settings);
    const bool vertical = CSliderGeometry::IsVertical(settings.direction);
    const bool farStart = CSliderGeometry::StartOf(settings.direction) == TrackStart::Far;
    for (const SliderTickBand& band : geometry.TickBands(geometry.Layout())) {
        LinearTickLayout layout;
        layout.axis = vertical ? TickAxis::Vertical : TickAxis::Horizontal;
        layout.length = band.alongEnd - band.alongStart;
        layout.origin = farStart ? band.alongEnd : band.alongStart;
        layout.sense = farStart ? TickSense::Backward : TickSense::Forward;
        layout.nearEdge = band.nearEdge;
        layout.farEdge = band.farEdge;
        layout.alignment = linearAlignment(band.alignment);
        CLinearTickDrawer(layout).Draw(dc, pen, *scale);
    }
}

void CObjSlider::DrawChannel(gfx::Surface& picture, const SliderSettings& settings) const
{
    const int64_t width = CObjectProperty::Int(*this, kAppearance, u"Channel width", 0);
    if (width <= 0)
        return;
    const CSliderGeometry geometry(settings);
    const gfx::Rect channel = geometry.Channel(geometry.Layout(), saturated32(width));
    if (channel.isEmpty())
        return;
    gfx::DeviceContext dc(picture);
    cairo_t* cr = dc.cairo();
    if (!cr)
        return;
    const double alpha = (255 - GetAppearanceInt(u"Thumb transparency")) / 255.0;
    const bool vertical = CSliderGeometry::IsVertical(settings.direction);
    // Across the channel: left to right on a vertical track, top to bottom on a horizontal one.
    cairo_pattern_t* gradient = vertical ? cairo_pattern_create_linear(channel.left, 0, channel.right, 0)
                                         : cairo_pattern_create_linear(0, channel.top, 0, channel.bottom);
    const auto stop = [&](double at, uint32_t bbggrr) {
        cairo_pattern_add_color_stop_rgba(gradient, at, (bbggrr & 0xFF) / 255.0, (bbggrr >> 8 & 0xFF) / 255.0,
                                          (bbggrr >> 16 & 0xFF) / 255.0, alpha);
    };
    stop(0, kChannelStartColor);
    stop(1, ChannelColor());
    cairo_save(cr);
    cairo_set_source(cr, gradient);
    cairo_rectangle(cr, channel.left, channel.top, channel.width(), channel.height());
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_pattern_destroy(gradient);
}

DSize CObjSlider::StateSize(State state) const
{
    const DSize size = GetWorkSize();
    if (state != State::Thumb)
        return size;
    const gfx::Rect thumb = ThumbRect(gfx::Rect::fromSize(0, 0, size.width, size.height));
    return {thumb.width(), thumb.height()};
}

gfx::Surface CObjSlider::RenderState(State state) const
{
    const DSize size = StateSize(state);
    if (!CObjectPicture::IsDrawable(size))
        return {};
    gfx::Surface picture(size.width, size.height);
    if (picture.isValid())
        DrawTrack(picture, state);
    return picture;
}

gfx::Surface CObjSlider::RenderPreview()
{
    gfx::Surface picture = RenderState(State::Track);
    CObjectTheme* theme = GetTheme();
    if (!picture.isValid() || !theme)
        return picture;
    const gfx::Rect thumb = ThumbRect(gfx::Rect::fromSize(0, 0, picture.width(), picture.height()));
    if (!thumb.isEmpty())
        (void)theme->DrawObject(picture.pixels(), thumb, IsKnob() ? kKnobShape : kSliderShape,
                                kThemeClass | int32_t(State::Thumb), GetAppearanceInt(u"Thumb transparency"));
    return picture;
}

bool CObjSlider::ReadXml(const DXMLElement& element)
{
    return CStyledObjectXml::Read(*this, element);
}

void CObjSlider::WriteXml(DXMLElement& parent) const
{
    CStyledObjectXml::Write(*this, parent, FontChildren::None);
}

void CObjSlider::CollectImages(DRIFFFile& target, CResourceIndex& resources)
{
    const PictureAlpha alpha = CObjectPicture::AlphaOf(resources.TargetFlags());
    for (int32_t state = 0; state < kStateCount; ++state) {
        // A picture of no area is never made: its entry is empty and the compile warns.
        CObjectPicture picture(StateSize(State(state)), alpha);
        if (picture.IsValid())
            DrawTrack(picture.Surface(), State(state));
        (void)picture.Collect(target, resources);
    }
}

int CObjSlider::Compile(DRIFFFile& target, CObjectCompileContext& context)
{
    CObjectRecordWriter::WriteHeader(target, *this, IsKnob() ? target::WidgetType::Knob : target::WidgetType::Slider, context);
    const gfx::Rect rect = PageRect();

    target::SliderClassData data;
    target::SliderWords& words = data.words;
    words.trackImage = context.resources.TakeNext();
    words.thumbImage = context.resources.TakeNext();
    words.focusedTrackImage = context.resources.TakeNext();
    if (words.trackImage == 0 || words.thumbImage == 0 || words.focusedTrackImage == 0)
        CObjectRecordWriter::Warn(*this, CompileDiagnostic::EmptyPicture, {}, {}, context);
    words.direction = DirectionWord();
    words.angles = AnglesWord();
    int32_t travel = 0;
    bool marginCut = false;
    const gfx::Rect thumb = ThumbRect(rect, &travel, &marginCut);
    if (marginCut)
        CUsableValues::Warn(*this, u"Channel offset", context);
    words.travel = uint32_t(std::max(travel, 0));
    words.minimum = saturated32(CObjectProperty::Int(*this, kBehavior, u"Minimum value", 0));
    words.maximum = saturated32(CObjectProperty::Int(*this, kBehavior, u"Maximum value", 0));
    CUsableValues::Range(*this, words.minimum, words.maximum, context);
    CObjectRecordWriter::ReadScaling(*this).ApplyTo(words);
    data.valueTag = CObjectRecordWriter::ResolveTag(*this, u"Value tag", context);
    data.step = CUsableValues::AtLeastOne(*this, u"Discrete value step",
                                          CObjectProperty::Int(*this, kBehavior, u"Discrete value step", 0), context);
    target::writeClassData(target, data);

    CompileElement(target, target::ElementKind::UnscaledBitmap, thumb, context);
    CompileElement(target, target::ElementKind::UnscaledBitmap, rect, context);
    return 0;
}
