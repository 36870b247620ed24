#include "editor/objects/buttons/CObjLight.h"

#include "editor/document/CResourceIndex.h"
#include "editor/objects/CObjectCompileContext.h"
#include "editor/objects/buttons/CDecorationPlacement.h"
#include "editor/objects/buttons/CGlowEllipse.h"
#include "editor/objects/buttons/CObjectDecorations.h"
#include "editor/objects/shared/CItemFrames.h"
#include "editor/objects/shared/CObjectProperty.h"
#include "editor/objects/shared/CObjectRecordWriter.h"
#include "editor/objects/shared/CStyledObjectXml.h"
#include "foundation/DRIFFFile.h"
#include "foundation/image/CWinFreeImage.h"
#include "foundation/target/TargetLightWords.h"

namespace {
constexpr std::u16string_view kBehavior = u"Behavior";
} // namespace

bool CObjLight::ReadXml(const DXMLElement& element)
{
    return CStyledObjectXml::Read(*this, element);
}

void CObjLight::WriteXml(DXMLElement& parent) const
{
    CStyledObjectXml::Write(*this, parent, FontChildren::AfterStyle);
}

std::optional<gfx::Rect> CObjLight::PlaceIcon(const CWinFreeImage& icon) const
{
    const DSize size = GetWorkSize();
    return CDecorationPlacement::PlaceLampIcon({0, 0, size.width, size.height}, icon.width(), icon.height());
}

std::vector<uint32_t> CObjLight::LightColors() const
{
    const std::size_t states = std::size_t(CObjectProperty::Count(*this, kBehavior, u"Nr of color states", 1, 1));
    const CPropertyBase* colors = FindProperty(kBehavior, u"Light colors");
    std::vector<uint32_t> result;
    for (const std::u16string& token :
         CObjectProperty::Tokens(colors ? colors->GetValueText() : std::u16string(), ListTokens::Split, states))
        result.push_back(CObjectProperty::HexColor(token).value_or(0));
    return result;
}

void CObjLight::DrawGlow(gfx::Surface& surface, uint32_t colorRef, int32_t transparency)
{
    if (!surface.isValid())
        return;
    const int32_t width = surface.width(), height = surface.height();
    CGlowEllipse::Fill(surface.pixels(), {0, 0, double(width), double(height)}, double(width / 2),
                       double(height - kGlowCentreRise), colorRef, CGlowEllipse::StopsFor(transparency));
}

CObjectPicture CObjLight::RenderBody(PictureAlpha alpha) const
{
    CObjectPicture picture(GetWorkSize(), alpha);
    if (picture.IsValid())
        CItemFrames::DrawFrame(*this, picture.Surface().pixels(), {0, 0, picture.Size().width, picture.Size().height},
                               kShapeEllipse, kFramePart);
    return picture;
}

CObjectPicture CObjLight::RenderGlow(uint32_t colorRef, PictureAlpha alpha) const
{
    CObjectPicture picture(GetWorkSize(), alpha);
    DrawGlow(picture.Surface(), colorRef, GetAppearanceInt(u"Transparency"));
    return picture;
}

gfx::Surface CObjLight::RenderPreview()
{
    CObjectPicture picture = RenderBody(PictureAlpha::Premultiplied);
    if (!picture.IsValid())
        return {};
    gfx::Surface& surface = picture.Surface();
    const std::vector<uint32_t> colors = LightColors();
    if (!colors.empty())
        DrawGlow(surface, colors.front(), GetAppearanceInt(u"Transparency"));
    if (const std::unique_ptr<CWinFreeImage> icon = CObjectDecorations::LoadIcon(*this))
        if (const std::optional<gfx::Rect> place = PlaceIcon(*icon))
            CObjectDecorations::DrawIcon(surface, *icon, *place);
    CObjectDecorations::DrawText(*this, surface);
    return picture.TakeSurface();
}

void CObjLight::CollectImages(DRIFFFile& target, CResourceIndex& resources)
{
    m_collected = {};
    const PictureAlpha alpha = CObjectPicture::AlphaOf(resources.TargetFlags());
    const DSize size = GetWorkSize();
    CollectImage(target, resources, RenderBody(alpha).ToImage().get());
    for (const uint32_t color : LightColors()) {
        CollectImage(target, resources, RenderGlow(color, alpha).ToImage().get());
        ++m_collected.colors;
    }
    if (const std::unique_ptr<CWinFreeImage> icon = CObjectDecorations::LoadIcon(*this)) {
        if (const std::optional<gfx::Rect> place = PlaceIcon(*icon)) {
            CollectImage(target, resources, CObjectDecorations::IconPicture(size, alpha, *icon, *place).ToImage().get());
            m_collected.icon = true;
            m_collected.iconRect = *place;
        } else {
            // A lamp wide enough for its icon that leaves it no height has skipped it.
            m_collected.iconSkipped = size.width >= icon->width();
        }
    }
    if (!CObjectDecorations::Text(*this).empty()) {
        CollectImage(target, resources, CObjectDecorations::TextPicture(*this, size, alpha).ToImage().get());
        m_collected.text = true;
    }
}

int CObjLight::Compile(DRIFFFile& target, CObjectCompileContext& context)
{
    const CDiagramRect rect = GetRect();
    const gfx::Rect object{rect.left, rect.top, rect.right, rect.bottom};
    CObjectRecordWriter::WriteHeader(target, *this, target::WidgetType::IndicatorLight, context);

    target::IndicatorLightClassData data;
    data.head.frameImage = context.resources.TakeNext();
    data.head.count = m_collected.colors;
    for (uint32_t i = 0; i < m_collected.colors; ++i)
        data.images.push_back(context.resources.TakeNext());
    data.tail.valueTag = CObjectRecordWriter::ResolveTag(*this, u"Value tag", context);
    data.tail.iconImage = m_collected.icon ? context.resources.TakeNext() : 0;
    data.tail.textImage = m_collected.text ? context.resources.TakeNext() : 0;
    target::writeClassData(target, data);

    using target::ElementKind;
    CompileElement(target, data.tail.textImage ? ElementKind::UnscaledBitmap : ElementKind::Placeholder, object,
                   context);
    CompileElement(target, data.tail.iconImage ? ElementKind::UnscaledBitmap : ElementKind::Placeholder,
                   m_collected.iconRect.translated(object.left, object.top), context);
    CompileElement(target, ElementKind::UnscaledBitmap, object, context);   // the state picture
    CompileElement(target, ElementKind::UnscaledBitmap, object, context);   // the body
    if (!CObjectPicture::IsDrawable(GetWorkSize()))
        CObjectRecordWriter::Warn(*this, CompileDiagnostic::EmptyPicture, u"object property", u"Position & Size",
                                  context);
    else if (m_collected.iconSkipped)
        CObjectRecordWriter::Warn(*this, CompileDiagnostic::EmptyPicture, u"object property", u"Icon", context);
    return 0;
}
