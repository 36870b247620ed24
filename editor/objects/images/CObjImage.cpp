#include "editor/objects/images/CObjImage.h"

#include <algorithm>

#include "editor/document/CActionCompileScope.h"
#include "editor/document/CCompileReport.h"
#include "editor/objects/CObjectCompileContext.h"
#include "editor/document/CTagsModel.h"
#include "editor/objects/CFileReference.h"
#include "foundation/DRIFFFile.h"
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

// --- until the shared helpers come
std::vector<std::u16string> ItemsEndedBySeparator(std::u16string_view text, uint32_t limit)
{
    std::vector<std::u16string> items;
    std::size_t start = 0;
    for (std::size_t end; items.size() < limit && (end = text.find(kListSeparator, start)) != std::u16string_view::npos;
         start = end + 1)
        items.emplace_back(text.substr(start, end - start));
    return items;
}

std::unique_ptr<CWinFreeImage> LoadFilePicture(std::u16string_view value, DSize size, uint32_t targetFlags, int transparency)
{
    if (size.width <= 0 || size.height <= 0)
        return nullptr;
    auto image = std::make_unique<CWinFreeImage>();
    const std::filesystem::path path = CFileReference::Resolve(value, std::filesystem::current_path());
    const uint32_t flags = (targetFlags & target::kTargetFlagPremultiply) ? uint32_t(CWinFreeImage::LoadPremultiplied) : 0u;
    if (path.empty() || !image->Load(path, flags, transparency) || !image->Rescale(size.width, size.height))
        return nullptr;
    return image;
}

// The record header: the type and, for a focusable object, its neighbours' target indices.
void WriteRecordHeader(DRIFFFile& target, const CEditorObject& object, CObjectCompileContext& context)
{
    target::ObjectRecordHeader header;
    header.type = uint32_t(object.GetObjectTypeIndex());
    if (object.IsFocusable()) {
        const auto neighbour = [&](std::u16string_view caption) {
            const CPropertyBase* property = object.FindProperty(u"Navigation", caption);
            const std::u16string name = property ? property->GetListValue() : std::u16string();
            return name.empty() ? -1 : context.actions.scope.FindObject(name);
        };
        header.left = neighbour(u"Object left");
        header.up = neighbour(u"Object up");
        header.right = neighbour(u"Object right");
        header.down = neighbour(u"Object down");
    }
    target::writeRecord(target, header);
}

target::TagReference CompileTag(const CEditorObject& object, std::u16string_view caption, CObjectCompileContext& context)
{
    const CPropertyBase* property = object.FindProperty(u"Data", caption);
    const std::u16string value = property ? property->GetListValue() : std::u16string();
    const CActionCompiler compiler(context.actions);
    const target::TagReference tag = compiler.ResolveTagId(value);
    if (value.empty() || tag.isNone())
        return tag;
    const CompileDiagnostic code = compiler.CheckTagType(tag, object.IsStringTagProperty(caption), object.IsWritableTagProperty(caption));
    if (code != CompileDiagnostic::None)
        context.actions.report.ReportCompileMessage(code, object, context.actions.scope.Page(), u"object property",
                                                    context.actions.tags.DisplayName(value));
    return tag;
}
// ---

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
    const CPropertyBase* images = FindProperty(u"Behavior", u"Images");
    const CPropertyBase* count = FindProperty(u"Behavior", u"Nr of images");
    // An empty count counts as one, as does anything below it.
    const uint32_t wanted = uint32_t(std::clamp<int32_t>(count ? count->GetInt() : 1, 1, int32_t(kMaxDynamicImages)));
    std::vector<std::u16string> items = ItemsEndedBySeparator(images ? images->GetValueText() : std::u16string(), wanted);
    return items;
}

std::u16string CObjImage::PreviewPath() const
{
    switch (GetObjectTypeIndex()) {
    case kImage: {
        const CPropertyBase* image = FindProperty(u"Appearance", u"Image");
        return image ? image->GetValueText() : std::u16string();
    }
    case kDynamicImage: {
        // The first item, ended or not.
        const CPropertyBase* images = FindProperty(u"Behavior", u"Images");
        const std::u16string text = images ? images->GetValueText() : std::u16string();
        return text.substr(0, text.find(kListSeparator));
    }
    case kWindow: return std::u16string(kWindowPicture);
    default: return {};
    }
}

std::unique_ptr<CWinFreeImage> CObjImage::LoadPicture(std::u16string_view value, uint32_t targetFlags) const
{
    return LoadFilePicture(value, GetWorkSize(), targetFlags, GetAppearanceInt(u"Transparency"));
}

gfx::Surface CObjImage::RenderPreview()
{
    const DSize size = GetWorkSize();
    const std::u16string path = PreviewPath();
    if (path.empty() || size.width <= 0 || size.height <= 0)
        return {};
    if (const std::unique_ptr<CWinFreeImage> image = LoadPicture(path, target::kTargetFlagPremultiply))
        return image->ToSurface();
    // A picture that does not load leaves the object's area clear.
    return gfx::Surface(size.width, size.height);
}

void CObjImage::CollectImages(DRIFFFile& target, CResourceIndex& resources)
{
    switch (GetObjectTypeIndex()) {
    case kImage: {
        const std::unique_ptr<CWinFreeImage> image = LoadPicture(PreviewPath(), resources.TargetFlags());
        CollectImage(target, resources, image.get());
        break;
    }
    case kDynamicImage:
        m_collectedImages = 0;
        for (const std::u16string& item : DynamicImageItems()) {
            const std::unique_ptr<CWinFreeImage> image = LoadPicture(item, resources.TargetFlags());
            CollectImage(target, resources, image.get());
            ++m_collectedImages;
        }
        break;
    default: break;
    }
}

int32_t CObjImage::CompileReferencedPage(CObjectCompileContext& context) const
{
    const CPropertyBase* property = FindProperty(u"Behavior", u"Referenced page");
    const std::u16string name = property ? property->GetListValue() : std::u16string();
    const int32_t page = context.actions.scope.FindPage(name);
    if (page < 0)
        context.actions.report.ReportCompileMessage(CompileDiagnostic::InvalidPage, *this, context.actions.scope.Page(),
                                                    u"object property", name);
    return page;
}

int CObjImage::Compile(DRIFFFile& target, CObjectCompileContext& context)
{
    WriteRecordHeader(target, *this, context);
    const CDiagramRect area = GetRect();
    const gfx::Rect rect{area.left, area.top, area.right, area.bottom};
    switch (GetObjectTypeIndex()) {
    case kImage: {
        target::StaticImageWords words;
        words.image = context.resources.TakeNext();
        target::writeClassData(target, words);
        CompileElement(target, target::ElementKind::UnscaledBitmap, rect, context);
        break;
    }
    case kDynamicImage: {
        target::DynamicImageClassData data;
        data.head.count = m_collectedImages;
        for (uint32_t i = 0; i < m_collectedImages; ++i)
            data.images.push_back(context.resources.TakeNext());
        data.tail.valueTag = CompileTag(*this, u"Value tag", context);
        target::writeClassData(target, data);
        CompileElement(target, target::ElementKind::UnscaledBitmap, rect, context);
        break;
    }
    case kWindow: {
        target::WindowWords words;
        const CPropertyBase* direction = FindProperty(u"Behavior", u"Direction");
        words.direction = uint32_t(direction && direction->GetListValue() == u"Vertical" ? target::WindowDirection::Vertical
                                                                                           : target::WindowDirection::Horizontal);
        words.page = CompileReferencedPage(context);
        words.positionTag = CompileTag(*this, u"Position tag", context);
        words.hideTag = CompileTag(*this, u"Hide tag", context);
        target::writeClassData(target, words);
        const CPropertyBase* scrolling = FindProperty(u"Behavior", u"Scrolling type");
        const bool still = !scrolling || scrolling->GetListValue() == u"Static";
        CompileElement(target, still ? target::ElementKind::UnscaledBitmap : target::ElementKind::ScrollingBitmap, rect,
                       context);
        break;
    }
    case kTrigger: {
        target::TriggerWords words;
        words.valueTag = CompileTag(*this, u"Value tag", context);
        target::writeClassData(target, words);
        CompileElement(target, target::ElementKind::Placeholder, rect, context);
        break;
    }
    case kTimer: {
        target::TimerWords words;
        const auto value = [&](std::u16string_view caption) {
            const CPropertyBase* property = FindProperty(u"Behavior", caption);
            return property ? property->GetInt() : 0;
        };
        const CPropertyBase* mode = FindProperty(u"Behavior", u"Mode");
        words.mode = uint32_t(TimerModeCode(mode ? mode->GetListValue() : std::u16string()));
        words.start = value(u"Start value");
        words.stop = value(u"Stop value");
        words.stepTime = value(u"Step time [ms]");
        words.valueTag = CompileTag(*this, u"Value tag", context);
        words.disableTag = CompileTag(*this, u"Timer disable tag", context);
        target::writeClassData(target, words);
        CompileElement(target, target::ElementKind::Placeholder, rect, context);
        break;
    }
    default: break;
    }
    return 0;
}
