#include "editor/objects/buttons/CObjButton.h"

#include <algorithm>

#include "editor/document/CResourceIndex.h"
#include "editor/objects/CObjectCompileContext.h"
#include "editor/objects/buttons/CGlowEllipse.h"
#include "editor/objects/buttons/CObjectDecorations.h"
#include "editor/objects/shared/CItemFrames.h"
#include "editor/objects/shared/CObjectProperty.h"
#include "editor/objects/shared/CObjectRecordWriter.h"
#include "editor/objects/shared/CStyledObjectXml.h"
#include "foundation/DRIFFFile.h"
#include "foundation/image/CWinFreeImage.h"
#include "foundation/target/TargetButtonWords.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/PixelArithmetic.h"

namespace {

constexpr std::u16string_view kAppearance = u"Appearance";
constexpr std::u16string_view kBehavior = u"Behavior";
// The outline's colour; its alpha is a × 5 / 16.
constexpr uint32_t kOutlineRgb = 0xE0E0E0;
// The gradient's centre lies this far above the indicator's bottom.
constexpr double kIndicatorCentreRise = 6;

} // namespace

bool CObjButton::IsWritableTagProperty(std::u16string_view caption) const
{
    return caption == u"Button state tag";
}

bool CObjButton::ReadXml(const DXMLElement& element)
{
    return CStyledObjectXml::Read(*this, element);
}

void CObjButton::WriteXml(DXMLElement& parent) const
{
    CStyledObjectXml::Write(*this, parent, FontChildren::AfterStyle);
}

void CObjButton::Select(bool selected)
{
    const bool was = IsSelected();
    CEditorObject::Select(selected);
    if (was != IsSelected())
        Invalidate();
}

std::optional<gfx::Rect> CObjButton::PlaceIcon(const CWinFreeImage& icon) const
{
    const DSize size = GetWorkSize();
    CDecorationPlacement::ButtonIcon settings;
    settings.sizePercent = int32_t(CObjectProperty::Int(*this, kAppearance, u"Icon size [%]", 0));
    settings.offsetPercent = int32_t(CObjectProperty::Int(*this, kAppearance, u"Icon offset [%]", 0));
    settings.roundness = GetRoundness();
    return CDecorationPlacement::PlaceButtonIcon({0, 0, size.width, size.height}, icon.width(), icon.height(),
                                                 settings);
}

gfx::Rect CObjButton::PlaceIndicator() const
{
    const DSize size = GetWorkSize();
    // "By percentage" has a "p" as its fourth letter; "By constant value" does not.
    const auto form = CObjectProperty::ChoiceLetter(*this, kAppearance, u"Indicator size form", 3) == u'p'
        ? CDecorationPlacement::IndicatorSizeForm::Percentage
        : CDecorationPlacement::IndicatorSizeForm::Pixels;
    const int32_t indicatorSize = int32_t(CObjectProperty::Int(*this, kAppearance, u"Indicator size", 0));
    return CDecorationPlacement::PlaceIndicator({0, 0, size.width, size.height}, indicatorSize, form, GetRoundness());
}

bool CObjButton::IndicatorShown() const
{
    return HasIndicator() && GetWorkSize().height >= CDecorationPlacement::kMinimumIndicatorHeight
        && !PlaceIndicator().isEmpty();
}

std::vector<uint32_t> CObjButton::IndicatorColors() const
{
    const std::size_t states =
        std::size_t(CObjectProperty::Count(*this, kBehavior, u"Nr of color states", 1, 1));
    const CPropertyBase* colors = FindProperty(kBehavior, u"Indicator colors");
    std::vector<uint32_t> result;
    for (const std::u16string& token :
         CObjectProperty::Tokens(colors ? colors->GetValueText() : std::u16string(), ListTokens::Split, states))
        result.push_back(CObjectProperty::HexColor(token).value_or(0));
    return result;
}

void CObjButton::DrawIndicator(gfx::Surface& surface, const gfx::Rect& rect, uint32_t colorRef, int32_t transparency,
                               IndicatorSteps steps)
{
    if (!surface.isValid() || rect.isEmpty())
        return;
    const int32_t a = 255 - std::clamp(transparency, 0, 255);
    // The ellipse is one pixel narrower and lower than the rectangle, so it stays inside.
    const CGlowEllipse::Ellipse ellipse{double(rect.left), double(rect.top), double(rect.width() - 1),
                                        double(rect.height() - 1)};
    if ((int(steps) & int(IndicatorSteps::Fill)) != 0)
        CGlowEllipse::Fill(surface.pixels(), ellipse, ellipse.x + ellipse.width / 2,
                           ellipse.y + ellipse.height - kIndicatorCentreRise, colorRef,
                           CGlowEllipse::StopsFor(transparency));
    if ((int(steps) & int(IndicatorSteps::Outline)) == 0)
        return;
    // The pen is drawn on a clear picture of its own and blended over: a context opened
    // on pixels the theme wrote directly does not blend its strokes over them.
    gfx::Surface pen(rect.width(), rect.height());
    {
        gfx::DeviceContext dc(pen);
        dc.drawEllipse({0, 0, rect.width(), rect.height()},
                       gfx::Colour::fromArgb(uint32_t((a * 5) >> 4) << 24 | kOutlineRgb), gfx::Colour::fromArgb(0));
    }
    const gfx::PixelBuffer target = surface.pixels();
    const gfx::ConstPixelBuffer stroke = pen.pixels();
    const gfx::Rect area = rect.intersected({0, 0, target.width, target.height});
    for (int32_t y = area.top; y < area.bottom; ++y)
        for (int32_t x = area.left; x < area.right; ++x)
            target.row(y)[x] = gfx::blendOver(stroke.row(y - rect.top)[x - rect.left], target.row(y)[x]);
}

void CObjButton::WarnSkippedPictures(CObjectCompileContext& context) const
{
    const DSize size = GetWorkSize();
    if (!CObjectPicture::IsDrawable(size))
        CObjectRecordWriter::Warn(*this, CompileDiagnostic::EmptyPicture, u"object property", u"Position & Size",
                                  context);
    else if (HasIndicator() && size.height >= CDecorationPlacement::kMinimumIndicatorHeight
             && PlaceIndicator().isEmpty())
        CObjectRecordWriter::Warn(*this, CompileDiagnostic::EmptyPicture, u"object property", u"Indicator size",
                                  context);
}

void CObjButton::DrawFrame(gfx::Surface& surface, int32_t part) const
{
    CItemFrames::DrawFrame(*this, surface.pixels(), {0, 0, surface.width(), surface.height()},
                           CItemFrames::kShapeFrame, part);
}

CObjectPicture CObjButton::RenderState(int32_t part, PictureAlpha alpha) const
{
    CObjectPicture picture(GetWorkSize(), alpha);
    if (!picture.IsValid())
        return picture;
    DrawFrame(picture.Surface(), part);
    if (IndicatorShown())
        DrawIndicator(picture.Surface(), PlaceIndicator(), 0, GetAppearanceInt(u"Transparency"),
                      IndicatorSteps::Outline);
    return picture;
}

gfx::Surface CObjButton::RenderPreview()
{
    CObjectPicture picture(GetWorkSize(), PictureAlpha::Premultiplied);
    if (!picture.IsValid())
        return {};
    gfx::Surface& surface = picture.Surface();
    DrawFrame(surface, IsSelected() ? kPartSelected : kPartNormal);
    if (const std::unique_ptr<CWinFreeImage> icon = CObjectDecorations::LoadIcon(*this))
        if (const std::optional<gfx::Rect> place = PlaceIcon(*icon))
            CObjectDecorations::DrawIcon(surface, *icon, *place);
    CObjectDecorations::DrawText(*this, surface);
    if (IndicatorShown()) {
        const std::vector<uint32_t> colors = IndicatorColors();
        DrawIndicator(surface, PlaceIndicator(), colors.empty() ? 0 : colors.front(),
                      GetAppearanceInt(u"Transparency"), IndicatorSteps::Both);
    }
    return picture.TakeSurface();
}

void CObjButton::CollectImages(DRIFFFile& target, CResourceIndex& resources)
{
    m_collected = {};
    const PictureAlpha alpha = CObjectPicture::AlphaOf(resources.TargetFlags());
    const DSize size = GetWorkSize();
    for (int32_t state = 0; state < kStateCount; ++state)
        CollectImage(target, resources, RenderState(state, alpha).ToImage().get());

    if (const std::unique_ptr<CWinFreeImage> icon = CObjectDecorations::LoadIcon(*this))
        if (const std::optional<gfx::Rect> place = PlaceIcon(*icon)) {
            CollectImage(target, resources, CObjectDecorations::IconPicture(size, alpha, *icon, *place).ToImage().get());
            m_collected.icon = true;
            m_collected.iconRect = *place;
        }
    if (!CObjectDecorations::Text(*this).empty()) {
        CollectImage(target, resources, CObjectDecorations::TextPicture(*this, size, alpha).ToImage().get());
        m_collected.text = true;
    }
    if (!IndicatorShown())
        return;
    const gfx::Rect indicator = PlaceIndicator();
    const gfx::Rect local{0, 0, indicator.width(), indicator.height()};
    for (const uint32_t color : IndicatorColors()) {
        CObjectPicture picture({local.width(), local.height()}, alpha);
        DrawIndicator(picture.Surface(), local, color, GetAppearanceInt(u"Transparency"), IndicatorSteps::Fill);
        CollectImage(target, resources, picture.ToImage().get());
        ++m_collected.indicators;
    }
}

int CObjButton::Compile(DRIFFFile& target, CObjectCompileContext& context)
{
    const CDiagramRect rect = GetRect();
    const gfx::Rect object{rect.left, rect.top, rect.right, rect.bottom};
    const auto onPage = [&](const gfx::Rect& local) { return local.translated(object.left, object.top); };
    CObjectRecordWriter::WriteHeader(target, *this, target::WidgetType(GetObjectTypeIndex()), context);

    target::ButtonWords words;
    words.mode = uint32_t(CObjectProperty::ChoiceLetter(*this, kBehavior, u"Button type") == u't'
                              ? target::ButtonMode::Latching
                              : target::ButtonMode::SlideOn);
    uint32_t* const states[kStateCount] = {&words.releasedImage, &words.pressedImage, &words.latchedImage,
                                           &words.focusedImage, &words.latchedFocusedImage};
    for (uint32_t* state : states)
        *state = context.resources.TakeNext();
    words.iconImage = m_collected.icon ? context.resources.TakeNext() : 0;
    words.textImage = m_collected.text ? context.resources.TakeNext() : 0;
    words.stateTag = CObjectRecordWriter::ResolveTag(*this, u"Button state tag", context);
    words.disableTag = CObjectRecordWriter::ResolveTag(*this, u"Button disable tag", context);

    const gfx::Rect indicator = onPage(PlaceIndicator());
    if (HasIndicator()) {
        target::IndicatorButtonClassData data;
        data.button = words;
        data.indicators.head.count = m_collected.indicators;
        for (uint32_t i = 0; i < m_collected.indicators; ++i)
            data.indicators.images.push_back(context.resources.TakeNext());
        data.indicators.tail = CObjectRecordWriter::ResolveTag(*this, u"Value tag", context);
        target::writeClassData(target, data);
    } else {
        target::writeClassData(target, words);
    }

    using target::ElementKind;
    CompileElement(target, words.textImage ? ElementKind::UnscaledBitmap : ElementKind::Placeholder, object, context);
    CompileElement(target, words.iconImage ? ElementKind::UnscaledBitmap : ElementKind::Placeholder,
                   onPage(m_collected.iconRect), context);
    // An indicator of no size has no picture to show: its record is a placeholder.
    if (HasIndicator())
        CompileElement(target, indicator.isEmpty() ? ElementKind::Placeholder : ElementKind::UnscaledBitmap, indicator,
                       context);
    CompileElement(target, ElementKind::UnscaledBitmap, object, context);
    WarnSkippedPictures(context);
    return 0;
}
