#include "editor/objects/images/CObjImage.h"

#include "editor/document/CActionCompileScope.h"
#include "editor/document/CCompileReport.h"
#include "editor/objects/CObjectCompileContext.h"
#include "editor/objects/shared/CObjectImageFile.h"
#include "editor/objects/shared/CObjectPicture.h"
#include "editor/objects/shared/CObjectProperty.h"
#include "editor/objects/shared/CObjectRecordWriter.h"
#include "foundation/DRIFFFile.h"
#include "foundation/TextHelpers.h"
#include "foundation/image/CWinFreeImage.h"
#include "foundation/target/TargetClassData.h"
#include "foundation/target/TargetPage.h"

namespace {

using target::WidgetType;

constexpr int32_t kImage = int32_t(WidgetType::StaticImage);
constexpr int32_t kDynamicImage = int32_t(WidgetType::DynamicImage);
constexpr int32_t kWindow = int32_t(WidgetType::Window);
constexpr int32_t kTrigger = int32_t(WidgetType::Trigger);
constexpr int32_t kTimer = int32_t(WidgetType::Timer);

constexpr std::u16string_view kAppearance = u"Appearance";
constexpr std::u16string_view kBehavior = u"Behavior";

std::u16string choice(const CSelectable& owner, std::u16string_view category, std::u16string_view caption)
{
    const CPropertyBase* property = owner.FindProperty(category, caption);
    return property ? property->GetListValue() : std::u16string();
}

} // namespace

bool CObjImage::IsWritableTagProperty(std::u16string_view caption) const
{
    return GetObjectTypeIndex() == kTimer && caption == u"Value tag";
}

target::TimerMode CObjImage::TimerModeCode(std::u16string_view mode)
{
    using target::TimerMode;
    if (mode.empty())
        return TimerMode::UpWrap;
    switch (mode.front()) {
    case u'B': return mode.starts_with(u"Bi") ? TimerMode::PingPong : TimerMode::DownWrap;
    case u'F': return mode.starts_with(u"Fol") ? TimerMode::TowardStop : TimerMode::UpWrap;
    case u'b': return TimerMode::DownHold;
    case u'f': return TimerMode::UpHold;
    default: return TimerMode::UpWrap;
    }
}

std::vector<std::u16string> CObjImage::DynamicImageItems() const
{
    // An empty count counts as one, as does anything below it.
    const int64_t wanted = CObjectProperty::Count(*this, kBehavior, u"Nr of images", 1, 1);
    const CPropertyBase* images = FindProperty(kBehavior, u"Images");
    return CObjectProperty::Tokens(images ? images->GetValueText() : std::u16string(), ListTokens::EndedBy,
                                   std::size_t(wanted));
}

std::u16string CObjImage::PreviewPath() const
{
    switch (GetObjectTypeIndex()) {
    case kImage: {
        const CPropertyBase* image = FindProperty(kAppearance, u"Image");
        return image ? image->GetValueText() : std::u16string();
    }
    case kDynamicImage: {
        // The first item, ended or not.
        const CPropertyBase* images = FindProperty(kBehavior, u"Images");
        const std::u16string text = images ? images->GetValueText() : std::u16string();
        return text.substr(0, text.find(kListSeparator));
    }
    case kWindow: return std::u16string(kWindowPicture);
    default: return {};
    }
}

std::unique_ptr<CWinFreeImage> CObjImage::LoadPicture(std::u16string_view value, PictureAlpha alpha) const
{
    const DSize size = GetWorkSize();
    if (!CObjectPicture::IsDrawable(size))
        return nullptr;
    std::unique_ptr<CWinFreeImage> image = CObjectImageFile::Load(value, alpha, GetAppearanceInt(u"Transparency"));
    if (!image || !image->Rescale(size.width, size.height))
        return nullptr;
    return image;
}

gfx::Surface CObjImage::RenderPreview()
{
    const DSize size = GetWorkSize();
    const std::u16string path = PreviewPath();
    if (path.empty() || !CObjectPicture::IsDrawable(size))
        return {};
    if (const std::unique_ptr<CWinFreeImage> image = LoadPicture(path, PictureAlpha::Premultiplied))
        return image->ToSurface();
    // A picture that does not load leaves the object's area clear.
    return gfx::Surface(size.width, size.height);
}

void CObjImage::CollectImages(DRIFFFile& target, CResourceIndex& resources)
{
    const PictureAlpha alpha = CObjectPicture::AlphaOf(resources.TargetFlags());
    m_unreadablePictures.clear();
    switch (GetObjectTypeIndex()) {
    case kImage: CollectPicture(target, resources, PreviewPath(), alpha); break;
    case kDynamicImage:
        m_collectedImages = 0;
        for (const std::u16string& item : DynamicImageItems()) {
            CollectPicture(target, resources, item, alpha);
            ++m_collectedImages;
        }
        break;
    default: break;
    }
}

void CObjImage::CollectPicture(DRIFFFile& target, CResourceIndex& resources, std::u16string_view value,
                               PictureAlpha alpha)
{
    const std::unique_ptr<CWinFreeImage> image = LoadPicture(value, alpha);
    CollectImage(target, resources, image.get());
    // Without an area nothing was loaded; that warning is the compile's own.
    const std::filesystem::path path = CObjectImageFile::PathOf(value);
    if (!image && !path.empty() && CObjectPicture::IsDrawable(GetWorkSize()))
        m_unreadablePictures.push_back(path);
}

void CObjImage::WarnUnreadable(std::u16string_view caption, CObjectCompileContext& context) const
{
    for (const std::filesystem::path& path : m_unreadablePictures)
        CObjectRecordWriter::Warn(*this, CompileDiagnostic::PictureUnreadable, u"object property",
                                  std::u16string(caption) + u" " + utf8ToWide(path.string()), context);
}

int32_t CObjImage::CompileReferencedPage(CObjectCompileContext& context) const
{
    const std::u16string name = choice(*this, kBehavior, u"Referenced page");
    const int32_t page = context.actions.scope.FindPage(name);
    if (page < 0)
        context.actions.report.ReportCompileMessage(CompileDiagnostic::InvalidPage, *this, context.actions.scope.Page(),
                                                    u"object property", name);
    return page;
}

void CObjImage::WarnWithoutArea(CObjectCompileContext& context) const
{
    const DSize size = GetWorkSize();
    if (!CObjectPicture::IsDrawable(size))
        CObjectRecordWriter::Warn(*this, CompileDiagnostic::EmptyPicture, u"object property",
                                  size.width <= 0 ? u"Width" : u"Height", context);
}

int CObjImage::Compile(DRIFFFile& target, CObjectCompileContext& context)
{
    const int32_t type = GetObjectTypeIndex();
    CObjectRecordWriter::WriteHeader(target, *this, WidgetType(type), context);
    const CDiagramRect area = GetRect();
    const gfx::Rect rect{area.left, area.top, area.right, area.bottom};
    const auto tag = [&](std::u16string_view caption) {
        return CObjectRecordWriter::ResolveTag(*this, caption, context);
    };
    switch (type) {
    case kImage: {
        WarnWithoutArea(context);
        WarnUnreadable(u"Image", context);
        target::StaticImageWords words;
        words.image = context.resources.TakeNext();
        target::writeClassData(target, words);
        CompileElement(target, target::ElementKind::UnscaledBitmap, rect, context);
        break;
    }
    case kDynamicImage: {
        WarnWithoutArea(context);
        WarnUnreadable(u"Images", context);
        target::DynamicImageClassData data;
        data.head.count = m_collectedImages;
        for (uint32_t i = 0; i < m_collectedImages; ++i)
            data.images.push_back(context.resources.TakeNext());
        data.tail.valueTag = tag(u"Value tag");
        target::writeClassData(target, data);
        CompileElement(target, target::ElementKind::UnscaledBitmap, rect, context);
        break;
    }
    case kWindow: {
        target::WindowWords words;
        const bool vertical = choice(*this, kBehavior, u"Direction") == u"Vertical";
        words.direction = uint32_t(vertical ? target::WindowDirection::Vertical : target::WindowDirection::Horizontal);
        words.page = CompileReferencedPage(context);
        words.positionTag = tag(u"Position tag");
        words.hideTag = tag(u"Hide tag");
        target::writeClassData(target, words);
        const bool still = choice(*this, kBehavior, u"Scrolling type") == u"Static";
        CompileElement(target, still ? target::ElementKind::UnscaledBitmap : target::ElementKind::ScrollingBitmap, rect,
                       context);
        break;
    }
    case kTrigger: {
        target::TriggerWords words;
        words.valueTag = tag(u"Value tag");
        target::writeClassData(target, words);
        CompileElement(target, target::ElementKind::Placeholder, rect, context);
        break;
    }
    case kTimer: {
        target::TimerWords words;
        const auto value = [&](std::u16string_view caption) {
            return int32_t(CObjectProperty::Int(*this, kBehavior, caption, 0));
        };
        words.mode = uint32_t(TimerModeCode(choice(*this, kBehavior, u"Mode")));
        words.start = value(u"Start value");
        words.stop = value(u"Stop value");
        words.stepTime = value(u"Step time [ms]");
        words.valueTag = tag(u"Value tag");
        words.disableTag = tag(u"Timer disable tag");
        target::writeClassData(target, words);
        CompileElement(target, target::ElementKind::Placeholder, rect, context);
        break;
    }
    default: break;
    }
    return 0;
}
