#include "editor/objects/scales/CObjMeter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>

#include <cairo.h>

#include "editor/document/CResourceIndex.h"
#include "editor/objects/CObjectCompileContext.h"
#include "editor/objects/CObjectTheme.h"
#include "editor/objects/CProgramFolder.h"
#include "editor/objects/scales/CScaleProperties.h"
#include "editor/objects/shared/CObjectProperty.h"
#include "editor/objects/shared/CObjectRecordWriter.h"
#include "editor/objects/shared/CStyledObjectXml.h"
#include "foundation/DRIFFFile.h"
#include "foundation/TextHelpers.h"
#include "foundation/image/CWinFreeImage.h"
#include "foundation/target/TargetClassData.h"
#include "foundation/target/TargetMeterWords.h"
#include "platform/gfx/DeviceContext.h"

namespace {

constexpr std::u16string_view kAppearance = u"Appearance";
constexpr std::u16string_view kTicks = u"Ticks & Labels";
constexpr std::u16string_view kCustomStyle = u"Custom";
// Theme part codes: the meter class (2) in the high nibble.
constexpr int32_t kDialPart = 0x20;
constexpr int32_t kNeedlePart = 0x21;
constexpr int32_t kEllipse = 0;
constexpr int32_t kPictureOnly = -1;
constexpr int32_t kDefaultBasePercent = 30;
constexpr int32_t kDefaultOffsetPercent = 15;
constexpr double kHalfTurn = 180.0;

// A whole number at the start of text (spaces before it allowed); none for anything else.
std::optional<int32_t> parseInt(std::u16string_view text)
{
    std::string ascii;
    for (char16_t c : text)
        ascii.push_back(c < 0x80 ? char(c) : '?');
    const std::size_t first = ascii.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    int64_t value = 0;
    const char* begin = ascii.data() + first;
    if (*begin == '+')
        ++begin;
    const auto [end, error] = std::from_chars(begin, ascii.data() + ascii.size(), value);
    if (error != std::errc() || end == begin)
        return std::nullopt;
    return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

gfx::Rect sizeRect(DSize size)
{
    return gfx::Rect::fromSize(0, 0, size.width, size.height);
}

// The theme writes the pixels behind cairo's back: cairo must hear of it, or it keeps
// taking the new surface for a clear one and drawing it as nothing.
int32_t drawTheme(CObjectTheme& theme, gfx::Surface& surface, int32_t shape, int32_t part, int32_t transparency)
{
    const int32_t drawn = theme.DrawObject(surface.pixels(), sizeRect({surface.width(), surface.height()}), shape,
                                           part, transparency);
    cairo_surface_mark_dirty(surface.cairoSurface());
    return drawn;
}

} // namespace

bool CObjMeter::ReadXml(const DXMLElement& element)
{
    return CStyledObjectXml::Read(*this, element);
}

void CObjMeter::WriteXml(DXMLElement& parent) const
{
    CStyledObjectXml::Write(*this, parent, FontChildren::None);
}

CObjMeter::NeedleType CObjMeter::GetNeedleType() const
{
    return CObjectProperty::ChoiceLetter(*this, kAppearance, u"Needle type") == u's' ? NeedleType::Shape
                                                                                    : NeedleType::Image;
}

MeterNeedleSettings CObjMeter::ReadNeedleSettings() const
{
    MeterNeedleSettings settings;
    settings.size = int32_t(CObjectProperty::Int(*this, kAppearance, u"Needle size [%]", CMeterGeometry::kMinNeedleSize));
    settings.basePercent = kDefaultBasePercent;
    settings.offsetPercent = kDefaultOffsetPercent;
    const auto setting = [&](std::u16string_view customCaption, std::u16string_view themeKey) -> std::optional<int32_t> {
        if (GetStyleName() == kCustomStyle) {
            const CPropertyBase* property = FindAnyProperty(customCaption);
            return property ? parseInt(property->GetValueText()) : std::nullopt;
        }
        CObjectTheme* theme = GetTheme();
        return theme ? parseInt(theme->GetSetting(GetTypeName(), themeKey)) : std::nullopt;
    };
    settings.basePercent = setting(u"Needle base size [%]", u"Needle base size").value_or(kDefaultBasePercent);
    settings.offsetPercent = setting(u"Needle rotation offset [%]", u"Needle offset").value_or(kDefaultOffsetPercent);
    settings.pivot = {setting(u"Needle rotation X offset", u"Needle offset X").value_or(0),
                      setting(u"Needle rotation Y offset", u"Needle offset Y").value_or(0)};
    return settings;
}

MeterTickSettings CObjMeter::ReadTickSettings() const
{
    const ScaleTicks ticks = CScaleProperties::ReadTicks(*this);
    MeterTickSettings settings;
    settings.show = ticks.show;
    settings.size = ticks.size;
    settings.offset = int32_t(CObjectProperty::Int(*this, kTicks, u"Tick offset [%]", 0));
    switch (CObjectProperty::ChoiceLetter(*this, kTicks, u"Tick alignment")) {
    case u'c': settings.alignment = DialTickAlignment::Centre; break;
    case u'o': settings.alignment = DialTickAlignment::Outer; break;
    default: settings.alignment = DialTickAlignment::Inner; break;
    }
    return settings;
}

CMeterGeometry CObjMeter::Geometry() const
{
    return CMeterGeometry(sizeRect(GetWorkSize()), ReadNeedleSettings());
}

RadialArc CObjMeter::Arc() const
{
    const uint32_t angles = target::packHalves(int32_t(CObjectProperty::Int(*this, kAppearance, u"Start angle [degrees]", 0)),
                                               int32_t(CObjectProperty::Int(*this, kAppearance, u"End angle [degrees]", 0)));
    const RotationSense sense = GetDirectionCode() == 2 ? RotationSense::Counterclockwise : RotationSense::Clockwise;
    return CRadialTickDrawer::NormaliseArc(target::lowHalf(angles), target::highHalf(angles), sense);
}

NeedlePicture CObjMeter::FittedNeedle() const
{
    const CMeterGeometry geometry = Geometry();
    CObjectTheme* theme = GetTheme();
    if (!theme)
        return geometry.FitNeedlePicture(0, 0);
    // Only the picture's size enters the geometry; the theme draws it.
    CWinFreeImage picture;
    const std::filesystem::path path = CProgramFolder::Styles() / (wideToUtf8(theme->GetName()) + "-needle.png");
    if (!picture.Load(path, 0, 0))
        return geometry.FitNeedlePicture(0, 0);
    return geometry.FitNeedlePicture(picture.width(), picture.height());
}

uint32_t CObjMeter::NeedleColor() const
{
    uint32_t color = 0;
    if (GetStyleName() == kCustomStyle) {
        const CPropertyBase* property = FindAnyProperty(u"Needle color");
        color = property ? uint32_t(property->GetInt()) : 0;
    } else if (CObjectTheme* theme = GetTheme()) {
        color = theme->GetColor();
    }
    return ColorToTarget(color & 0xFFFFFFu, GetAppearanceInt(u"Needle transparency"));
}

double CObjMeter::PreviewAngle() const
{
    const ScaleValues values = CScaleProperties::ReadValues(*this);
    const int64_t minimum = values.minimum;
    const int64_t maximum = values.maximum > values.minimum ? int64_t(values.maximum) : minimum + 1;
    const int64_t value = std::clamp<int64_t>(0, minimum, maximum);
    const RadialArc arc = Arc();
    return arc.start + double(value - minimum) * arc.span / double(maximum - minimum);
}

CObjectPicture CObjMeter::RenderDial(PictureAlpha alpha) const
{
    const DSize size = GetWorkSize();
    CObjectPicture picture(size, alpha);
    if (!picture.IsValid())
        return picture;
    if (CObjectTheme* theme = GetTheme())
        (void)drawTheme(*theme, picture.Surface(), kEllipse, kDialPart, GetAppearanceInt(u"Transparency"));
    const MeterTickSettings ticks = ReadTickSettings();
    if (CMeterGeometry::TicksShown(ticks)) {
        const ScaleTicks scale = CScaleProperties::ReadTicks(*this);
        gfx::DeviceContext dc(picture.Surface());
        CRadialTickDrawer(Geometry().TickLayout(ticks, Arc()))
            .Draw(dc, CScaleProperties::TickPen(*this, scale),
                  CScaleProperties::TickScaleOf(CScaleProperties::ReadValues(*this), scale));
    }
    return picture;
}

CObjectPicture CObjMeter::RenderNeedlePicture(PictureAlpha alpha) const
{
    CObjectTheme* theme = GetTheme();
    if (GetNeedleType() != NeedleType::Image || !theme)
        return CObjectPicture({0, 0}, alpha);
    const NeedlePicture needle = FittedNeedle();
    CObjectPicture picture({needle.rect.width(), needle.rect.height()}, alpha);
    if (!picture.IsValid())
        return picture;
    if (drawTheme(*theme, picture.Surface(), kPictureOnly, kNeedlePart, GetAppearanceInt(u"Needle transparency")) == 0)
        return CObjectPicture({0, 0}, alpha);
    return picture;
}

void CObjMeter::CollectImages(DRIFFFile& target, CResourceIndex& resources)
{
    const PictureAlpha alpha = CObjectPicture::AlphaOf(resources.TargetFlags());
    const CObjectPicture dial = RenderDial(alpha);
    m_pictureLeftOut = !CObjectPicture::IsDrawable(GetWorkSize());
    dial.Collect(target, resources);
    m_collectedNeedle = GetNeedleType() == NeedleType::Image;
    if (m_collectedNeedle) {
        const NeedlePicture needle = FittedNeedle();
        m_pictureLeftOut |= !CObjectPicture::IsDrawable({needle.rect.width(), needle.rect.height()});
        RenderNeedlePicture(alpha).Collect(target, resources);
    }
}

int CObjMeter::Compile(DRIFFFile& target, CObjectCompileContext& context)
{
    CObjectRecordWriter::WriteHeader(target, *this, target::WidgetType::Meter, context);
    const CMeterGeometry geometry = Geometry();
    const bool image = GetNeedleType() == NeedleType::Image;
    target::MeterClassData data;
    target::MeterWords& words = data.words;
    words.dialImage = context.resources.TakeNext();
    if (image) {
        // Only what the collection appended is taken back.
        words.needle = m_collectedNeedle ? context.resources.TakeNext() : 0;
        words.needleColour = 0;
    } else {
        words.needle = target::MeterWords::triangleNeedle(uint32_t(geometry.NeedleBase()),
                                                          uint32_t(geometry.NeedleLength() + geometry.NeedleOffset()));
        words.needleColour = NeedleColor();
    }
    words.direction = uint32_t(GetDirectionCode() == 2 ? target::TurnDirection::Counterclockwise
                                                       : target::TurnDirection::Clockwise);
    words.angles = target::packHalves(int32_t(CObjectProperty::Int(*this, kAppearance, u"Start angle [degrees]", 0)),
                                      int32_t(CObjectProperty::Int(*this, kAppearance, u"End angle [degrees]", 0)));
    const int32_t half = geometry.NeedleSquare().width() / 2;
    words.pivot = target::packHalves(half, half);
    if (image) {
        const gfx::Point pivot = FittedNeedle().pivot;
        words.needlePivot = target::packHalves(pivot.x, pivot.y);
    } else {
        words.needlePivot = target::packHalves(geometry.NeedleBase() / 2, geometry.NeedleLength());
    }
    const ScaleValues values = CScaleProperties::UsableValues(*this, context);
    words.minimum = values.minimum;
    words.maximum = values.maximum;
    words.lowLimit = values.lowAlarm;
    words.highLimit = values.highAlarm;
    CObjectRecordWriter::ReadScaling(*this).ApplyTo(words);
    data.valueTag = CObjectRecordWriter::ResolveTag(*this, u"Value tag", context);
    data.step = CScaleProperties::UsableStep(*this, context);
    target::writeClassData(target, data);

    const CDiagramRect rect = GetRect();
    CompileElement(target, image ? target::ElementKind::RotatingBitmap : target::ElementKind::SolidTriangle,
                   geometry.NeedleSquare().translated(rect.left, rect.top), context);
    CompileElement(target, target::ElementKind::UnscaledBitmap, {rect.left, rect.top, rect.right, rect.bottom}, context);
    if (m_pictureLeftOut)
        CObjectRecordWriter::Warn(*this, CompileDiagnostic::EmptyPicture, {}, {}, context);
    return 0;
}

void CObjMeter::DrawPreviewNeedle(gfx::DeviceContext& dc) const
{
    cairo_t* cr = dc.cairo();
    if (!cr)
        return;
    const CMeterGeometry geometry = Geometry();
    const gfx::Rect square = geometry.NeedleSquare();
    const double half = square.width() / 2;
    const double centreX = square.left + half, centreY = square.top + half;
    const double angle = PreviewAngle() * std::numbers::pi / kHalfTurn;
    cairo_save(cr);
    if (GetNeedleType() == NeedleType::Image) {
        const CObjectPicture needle = RenderNeedlePicture(PictureAlpha::Premultiplied);
        if (needle.IsValid()) {
            const gfx::Point pivot = FittedNeedle().pivot;
            cairo_translate(cr, centreX, centreY);
            cairo_rotate(cr, angle);
            cairo_set_source_surface(cr, needle.Surface().cairoSurface(), -pivot.x, -pivot.y);
            cairo_paint(cr);
        }
    } else {
        // The triangle the engine draws: its tip the needle length out, its base the
        // offset behind the centre.
        const double sine = std::sin(angle), cosine = std::cos(angle);
        const double h = geometry.NeedleBase() / 2, back = geometry.NeedleOffset(), r = geometry.NeedleLength();
        const uint32_t argb = NeedleColor();
        cairo_set_source_rgba(cr, (argb >> 16 & 0xFF) / 255.0, (argb >> 8 & 0xFF) / 255.0, (argb & 0xFF) / 255.0,
                              (argb >> 24) / 255.0);
        cairo_move_to(cr, centreX - r * sine, centreY + r * cosine);
        cairo_line_to(cr, centreX - h * cosine + back * sine, centreY - h * sine - back * cosine);
        cairo_line_to(cr, centreX + h * cosine + back * sine, centreY + h * sine - back * cosine);
        cairo_close_path(cr);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

gfx::Surface CObjMeter::RenderPreview()
{
    CObjectPicture dial = RenderDial(PictureAlpha::Premultiplied);
    if (!dial.IsValid())
        return {};
    {
        gfx::DeviceContext dc(dial.Surface());
        DrawPreviewNeedle(dc);
    }
    return dial.TakeSurface();
}
