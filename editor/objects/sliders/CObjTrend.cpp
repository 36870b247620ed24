#include "editor/objects/sliders/CObjTrend.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "editor/document/CResourceIndex.h"
#include "editor/objects/CObjectCompileContext.h"
#include "editor/objects/CObjectTheme.h"
#include "editor/objects/shared/CHatchBrush.h"
#include "editor/objects/shared/CObjectPicture.h"
#include "editor/objects/shared/CObjectProperty.h"
#include "editor/objects/shared/CObjectRecordWriter.h"
#include "editor/objects/shared/CStyledObjectXml.h"
#include "editor/objects/sliders/CChoiceText.h"
#include "editor/objects/sliders/CThumbPicture.h"
#include "editor/objects/sliders/CTickSettings.h"
#include "editor/objects/sliders/CUsableValues.h"
#include "editor/objects/ticks/CLinearTickDrawer.h"
#include "foundation/DGeometry.h"
#include "foundation/DRIFFFile.h"
#include "foundation/target/TargetTrendWords.h"
#include "platform/gfx/DeviceContext.h"

namespace {

constexpr std::u16string_view kAppearance = u"Appearance";
constexpr std::u16string_view kBehavior = u"Behavior";
constexpr std::u16string_view kGrids = u"Grids";
// "Show with ticks" and "Show with labels" differ in their eleventh letter.
constexpr std::size_t kGridChoiceLetter = 10;

std::u16string choiceOf(const CEditorObject& object, std::u16string_view category, std::u16string_view caption)
{
    const CPropertyBase* property = object.FindProperty(category, caption);
    return property ? property->GetListValue() : std::u16string();
}

} // namespace

TrendLayout CObjTrend::GetLayout(const gfx::Rect& rect) const
{
    const CTickSettings ticks = CTickSettings::Read(*this);
    TrendSettings s;
    s.rect = rect;
    s.borderWidth = saturated32(CObjectProperty::Int(*this, kAppearance, u"Border width", 0));
    s.tickSize = ticks.shown ? ticks.size : 0;
    s.alignment = TrendTickAlignment(std::clamp(ticks.alignment, 0, 2));
    return CTrendGeometry::Layout(s);
}

HorizontalGrid CObjTrend::GetHorizontalGrid() const
{
    const std::u16string choice = choiceOf(*this, kGrids, u"Show horizontal grids");
    if (CChoiceText::Is(choice, u"hide"))
        return HorizontalGrid::Hidden;
    return CObjectProperty::ChoiceLetter(choice, kGridChoiceLetter) == u't' ? HorizontalGrid::AtTicks
                                                                            : HorizontalGrid::AtLabels;
}

uint32_t CObjTrend::ModeWord() const
{
    uint32_t mode = 0;
    if (CChoiceText::Is(choiceOf(*this, kAppearance, u"Static signal type"), u"line"))
        mode |= target::TrendWords::kModeLine;
    if (CChoiceText::Is(choiceOf(*this, kAppearance, u"Dynamic signal type"), u"overlapping"))
        mode |= target::TrendWords::kModeOverlapping;
    return mode;
}

void CObjTrend::DrawPlotArea(gfx::Surface& picture, const TrendLayout& layout) const
{
    CObjectTheme* theme = GetTheme();
    const bool custom = theme && GetStyleName() == CThumbPicture::kCustomStyle;
    std::u16string colouring = u"fill";
    uint32_t colour = 0;
    if (custom) {
        if (const CPropertyBase* type = GetFormat().FindProperty(u"Style", u"Coloring type"))
            colouring = type->GetListValue();
        if (const CPropertyBase* area = GetFormat().FindProperty(u"Style", u"Signal area color"))
            colour = uint32_t(area->GetInt()) & 0xFFFFFF;
    } else if (theme) {
        colour = theme->GetColor() & 0xFFFFFF;
    }
    if (CChoiceText::Is(colouring, u"none"))
        return;
    const gfx::Colour paint = gfx::Colour::fromColorRef(colour, uint8_t(255 - GetAppearanceInt(u"Transparency")));
    const gfx::Rect& plot = layout.plot;
    gfx::DeviceContext dc(picture);
    if (!CChoiceText::Is(colouring, u"frame")) {
        dc.fillRect(plot, paint);
        return;
    }
    // A one-pixel pen round left, top, width and height: both edges of each side drawn.
    const gfx::Point corners[] = {{plot.left, plot.top}, {plot.right, plot.top}, {plot.right, plot.bottom}, {plot.left, plot.bottom}};
    for (std::size_t i = 0; i < std::size(corners); ++i)
        dc.drawLine(corners[i], corners[(i + 1) % std::size(corners)], paint);
}

void CObjTrend::DrawValueAxis(gfx::Surface& picture, const TrendLayout& layout) const
{
    const int64_t minimum = CObjectProperty::Int(*this, kBehavior, u"Minimum value", 0);
    const int64_t maximum = CObjectProperty::Int(*this, kBehavior, u"Maximum value", 0);
    if (minimum >= maximum)
        return;
    const CTickSettings ticks = CTickSettings::Read(*this);
    const TickScale scale = ticks.ScaleOf(maximum - minimum);
    const gfx::Rect& band = layout.band;
    const int32_t rows = std::max(band.height() - 1, 0);
    gfx::DeviceContext dc(picture);

    HorizontalGrid grid = GetHorizontalGrid();
    if (layout.plot.width() < CTrendGeometry::kNarrowestGrid)
        grid = HorizontalGrid::Hidden;
    if (grid != HorizontalGrid::Hidden) {
        const gfx::Colour gridColour = gfx::Colour::fromColorRef(
            uint32_t(CObjectProperty::Int(*this, kGrids, u"Grid color", 0)) & 0xFFFFFF,
            uint8_t(255 - GetAppearanceInt(u"Transparency")));
        CTickGenerator generator(scale, rows);
        for (Tick tick; generator.Next(tick);) {
            if (grid == HorizontalGrid::AtLabels && tick.kind != TickKind::Label)
                continue;
            const int32_t y = CTrendGeometry::RowOf(band, tick.position);
            dc.drawLine({layout.plot.left, y}, {layout.plot.right, y}, gridColour);
        }
    }
    if (band.isEmpty())
        return;
    LinearTickLayout axis;
    axis.axis = TickAxis::Vertical;
    axis.origin = CTrendGeometry::RowOf(band, 0);
    axis.length = rows;
    axis.sense = TickSense::Backward;
    axis.nearEdge = band.left;
    axis.farEdge = band.right - 1;
    axis.alignment = TickAlignment(std::clamp(ticks.alignment, 0, 2));
    CLinearTickDrawer(axis).Draw(dc, CTickPen(ticks.width, ticks.colour), scale);
}

void CObjTrend::DrawVerticalGrid(gfx::Surface& picture, const TrendLayout& layout) const
{
    if (CChoiceText::Is(choiceOf(*this, kGrids, u"Show vertical grids"), u"hide"))
        return;
    const int64_t samples = std::max<int64_t>(CObjectProperty::Int(*this, kBehavior, u"Nr of samples in second", 1), 1);
    const int64_t distance = std::max<int64_t>(CObjectProperty::Int(*this, kBehavior, u"Sample distance [pixels]", 1), 1);
    const int64_t seconds = CObjectProperty::Int(*this, kGrids, u"Grid distance [seconds]", 0);
    const int64_t step = samples * distance * seconds;
    // A step of no length would never leave the right edge.
    if (step <= 0)
        return;
    const uint32_t colour = gfx::Colour::fromColorRef(uint32_t(CObjectProperty::Int(*this, kGrids, u"Grid color", 0)) & 0xFFFFFF,
                                                      uint8_t(255 - GetAppearanceInt(u"Transparency")))
                                .argb;
    const gfx::Rect& plot = layout.plot;
    const bool dotted = CChoiceText::Is(choiceOf(*this, kGrids, u"Grid style"), u"dotted line");
    // The first line on the plot area's last column: every line stays inside it.
    if (dotted) {
        const CHatchBrush brush(kDottedForeground, colour);
        const gfx::PixelBuffer pixels = picture.pixels();
        for (int64_t x = int64_t(plot.right) - 1; x >= plot.left; x -= step)
            brush.VerticalLine(pixels, int32_t(x), plot.top, plot.bottom);
        return;
    }
    gfx::DeviceContext dc(picture);
    for (int64_t x = int64_t(plot.right) - 1; x >= plot.left; x -= step)
        dc.drawLine({int32_t(x), plot.top}, {int32_t(x), plot.bottom}, gfx::Colour::fromArgb(colour));
}

void CObjTrend::DrawSampleSignal(gfx::Surface& picture, const TrendLayout& layout) const
{
    const gfx::Rect& plot = layout.plot;
    const int64_t step = CObjectProperty::Int(*this, kBehavior, u"Sample distance [pixels]", 0);
    const int64_t width = int64_t(plot.right) - plot.left;
    if (step <= 0 || width <= 0)
        return;
    const int64_t amplitude = (int64_t(plot.bottom) - plot.top) / 2 - kSampleInset;
    const auto row = [&](int64_t x) {
        const int64_t wave = int64_t(std::trunc((std::sin(double(x) / kSamplePeriod) + 1) * double(amplitude)));
        return saturated32(plot.bottom - wave * (x - plot.left + kSampleRamp) / width - kSampleInset);
    };
    const uint32_t signal = uint32_t(CObjectProperty::Int(*this, kAppearance, u"Signal color", 0)) & 0xFFFFFF;
    const CTickPen pen(1, gfx::Colour::fromColorRef(signal, uint8_t(255 - GetAppearanceInt(u"Signal transparency"))));
    gfx::DeviceContext dc(picture);
    for (int64_t x = plot.right; x >= plot.left; x -= step)
        if (x < plot.right)
            pen.DrawLine(dc, {saturated32(x), row(x)}, {saturated32(x + step), row(x + step)});
}

void CObjTrend::DrawBackground(gfx::Surface& picture) const
{
    const gfx::Rect whole = gfx::Rect::fromSize(0, 0, picture.width(), picture.height());
    if (CObjectTheme* theme = GetTheme())
        (void)theme->DrawObject(picture.pixels(), whole, kPictureOnly, kThemePart, GetAppearanceInt(u"Transparency"));
    const TrendLayout layout = GetLayout(whole);
    DrawPlotArea(picture, layout);
    DrawValueAxis(picture, layout);
    DrawVerticalGrid(picture, layout);
}

gfx::Surface CObjTrend::RenderBackground() const
{
    const DSize size = GetWorkSize();
    if (!CObjectPicture::IsDrawable(size))
        return {};
    gfx::Surface picture(size.width, size.height);
    if (picture.isValid())
        DrawBackground(picture);
    return picture;
}

gfx::Surface CObjTrend::RenderPreview()
{
    gfx::Surface picture = RenderBackground();
    if (picture.isValid())
        DrawSampleSignal(picture, GetLayout(gfx::Rect::fromSize(0, 0, picture.width(), picture.height())));
    return picture;
}

bool CObjTrend::ReadXml(const DXMLElement& element)
{
    return CStyledObjectXml::Read(*this, element);
}

void CObjTrend::WriteXml(DXMLElement& parent) const
{
    CStyledObjectXml::Write(*this, parent, FontChildren::None);
}

void CObjTrend::CollectImages(DRIFFFile& target, CResourceIndex& resources)
{
    CObjectPicture picture(GetWorkSize(), CObjectPicture::AlphaOf(resources.TargetFlags()));
    if (picture.IsValid())
        DrawBackground(picture.Surface());
    (void)picture.Collect(target, resources);
}

int CObjTrend::Compile(DRIFFFile& target, CObjectCompileContext& context)
{
    CObjectRecordWriter::WriteHeader(target, *this, target::WidgetType::Trend, context);
    const CDiagramRect page = GetRect();
    const gfx::Rect rect{page.left, page.top, page.right, page.bottom};

    target::TrendClassData data;
    target::TrendWords& words = data.words;
    words.frameImage = context.resources.TakeNext();
    if (words.frameImage == 0)
        CObjectRecordWriter::Warn(*this, CompileDiagnostic::EmptyPicture, {}, {}, context);
    words.lineColour = ColorToTarget(uint32_t(CObjectProperty::Int(*this, kAppearance, u"Signal color", 0)),
                                     GetAppearanceInt(u"Signal transparency"));
    words.mode = ModeWord();
    words.sampleRate = CUsableValues::AtLeastOne(
        *this, u"Nr of samples in second", CObjectProperty::Int(*this, kBehavior, u"Nr of samples in second", 0), context);
    words.step = int32_t(std::min<uint32_t>(
        CUsableValues::AtLeastOne(*this, u"Sample distance [pixels]",
                                  CObjectProperty::Int(*this, kBehavior, u"Sample distance [pixels]", 0), context),
        INT32_MAX));
    words.minimum = saturated32(CObjectProperty::Int(*this, kBehavior, u"Minimum value", 0));
    words.maximum = saturated32(CObjectProperty::Int(*this, kBehavior, u"Maximum value", 0));
    CUsableValues::Range(*this, words.minimum, words.maximum, context);
    words.lowLimit = saturated32(CObjectProperty::Int(*this, kBehavior, u"Low alarm value", 0));
    words.highLimit = saturated32(CObjectProperty::Int(*this, kBehavior, u"High alarm value", 0));
    CObjectRecordWriter::ReadScaling(*this).ApplyTo(words);
    data.valueTag = CObjectRecordWriter::ResolveTag(*this, u"Value tag", context);
    target::writeClassData(target, data);

    gfx::Rect plot = GetLayout(rect).plot;
    // A border wider than half the object leaves no plot: the panel gets one pixel of it.
    if (plot.width() <= 0 || plot.height() <= 0) {
        CUsableValues::Warn(*this, u"Border width", context);
        // At the far end of the coordinates the pixel lies just before it.
        if (plot.width() <= 0) {
            plot.left = std::min(plot.left, std::numeric_limits<int32_t>::max() - 1);
            plot.right = plot.left + 1;
        }
        if (plot.height() <= 0) {
            plot.top = std::min(plot.top, std::numeric_limits<int32_t>::max() - 1);
            plot.bottom = plot.top + 1;
        }
    }
    CompileElement(target, target::ElementKind::Graph, plot, context);
    CompileElement(target, target::ElementKind::UnscaledBitmap, rect, context);
    return 0;
}
