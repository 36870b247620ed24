#include "editor/objects/lists/CObjListBox.h"

#include <algorithm>

#include "editor/document/CActionCompileScope.h"
#include "editor/document/CCompileReport.h"
#include "editor/document/CTagsModel.h"
#include "editor/objects/CObjectCompileContext.h"
#include "editor/objects/CObjectFonts.h"
#include "editor/objects/CObjectTheme.h"
#include "foundation/DRIFFFile.h"
#include "foundation/TextHelpers.h"
#include "foundation/target/TargetClassData.h"
#include "foundation/target/TargetListBoxWords.h"
#include "foundation/image/CWinFreeImage.h"
#include "foundation/target/TargetPage.h"
#include "foundation/text/DRendererBitmap.h"
#include "foundation/xml/DXMLElement.h"
#include "platform/gfx/DeviceContext.h"

namespace {

constexpr int32_t kListBox = int32_t(target::WidgetType::Listbox);
constexpr int32_t kDynamicListBox = int32_t(target::WidgetType::DynamicListbox);
// The row the page view shows as selected.
constexpr int32_t kPreviewSelectedRow = 1;

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

std::unique_ptr<CWinFreeImage> ToTargetImage(gfx::Surface& surface, uint32_t targetFlags)
{
    if (!surface.isValid())
        return nullptr;
    const gfx::PixelBuffer pixels = surface.pixels();
    if ((targetFlags & target::kTargetFlagPremultiply) == 0)
        for (int32_t y = 0; y < pixels.height; ++y)
            for (int32_t x = 0; x < pixels.width; ++x) {
                uint32_t& p = pixels.row(y)[x];
                const uint32_t a = p >> 24;
                if (a == 0 || a == 255)
                    continue;
                const auto un = [&](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
                p = a << 24 | un(p >> 16 & 255) << 16 | un(p >> 8 & 255) << 8 | un(p & 255);
            }
    auto image = std::make_unique<CWinFreeImage>();
    if (!image->FromSurface(pixels))
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

bool CObjListBox::HasMultiLineText() const
{
    return GetObjectTypeIndex() == kListBox;
}

bool CObjListBox::IsStringTagProperty(std::u16string_view caption) const
{
    return GetObjectTypeIndex() == kDynamicListBox && caption == u"Text list tag";
}

bool CObjListBox::IsWritableTagProperty(std::u16string_view caption) const
{
    return caption == u"Value tag";
}

int32_t CObjListBox::ItemHeight(int32_t objectHeight) const
{
    const CPropertyBase* form = FindProperty(u"Appearance", u"Item size form");
    const std::u16string choice = form ? form->GetListValue() : std::u16string();
    int64_t height = 0;
    if (choice.size() > 3 && choice[3] == u'v') {
        const CPropertyBase* visible = FindProperty(u"Appearance", u"Visible items");
        const int32_t items = visible ? visible->GetInt() : 0;
        height = objectHeight / std::max(items, 1);
    } else if (const CPropertyBase* item = FindProperty(u"Appearance", u"Item height")) {
        height = item->GetInt();
    }
    // At most the object, but never below the smallest item, even in a smaller object.
    height = std::min<int64_t>(height, objectHeight);
    return int32_t(std::max<int64_t>(height, kMinimumItemHeight));
}

int32_t CObjListBox::GetListItemHeight() const
{
    return ItemHeight(GetWorkSize().height);
}

uint32_t CObjListBox::SeparatorWord() const
{
    const CPropertyBase* separator = FindProperty(u"Behavior", u"Text list separator");
    const std::u16string text = separator ? separator->GetValueText() : std::u16string();
    return text.empty() ? kEmptySeparator : uint32_t(text.front());
}

bool CObjListBox::DrawItemFrame(gfx::Surface& picture, const gfx::Rect& row, int32_t state) const
{
    CObjectTheme* theme = GetTheme();
    return theme
        && theme->DrawObject(picture.pixels(), row, kFrameShape, kFramePartCode | state, GetAppearanceInt(u"Transparency"))
        != 0;
}

gfx::Surface CObjListBox::RenderPreview()
{
    const DSize size = GetWorkSize();
    if (size.width <= 0 || size.height <= 0)
        return {};
    gfx::Surface picture(size.width, size.height);
    if (!picture.isValid())
        return {};
    const int32_t itemHeight = ItemHeight(size.height);
    const std::vector<std::u16string> titles = GetObjectTypeIndex() == kListBox ? ItemTitles() : std::vector<std::u16string>{};
    int32_t index = 0;
    for (int32_t top = 0; top < size.height; top += itemHeight, ++index) {
        const gfx::Rect row = gfx::Rect::fromSize(0, top, size.width, itemHeight);
        DrawItemFrame(picture, row, index == kPreviewSelectedRow ? 1 : 0);
        std::u16string text;
        if (GetObjectTypeIndex() == kListBox) {
            if (std::size_t(index) < titles.size())
                text = titles[std::size_t(index)];
        } else {
            text = u"Dynamic text " + utf8ToWide(std::to_string(index + 1));
        }
        const gfx::Surface label = RenderTextPreview(text, {size.width, itemHeight});
        if (!label.isValid())
            continue;
        gfx::DeviceContext dc(picture);
        (void)dc.alphaBlend(row, label.pixels(), gfx::Rect::fromSize(0, 0, size.width, itemHeight));
    }
    return picture;
}

bool CObjListBox::ReadXml(const DXMLElement& element)
{
    // The style first: it rebuilds the "Style" group the properties are read into.
    if (const DXMLElement* style = element.getChild(u"style")) {
        const std::u16string name = style->getText();
        OnStyleChanged(name);
        if (CPropertyBase* styleName = GetFormat().FindProperty(u"Style", u"Style name"))
            styleName->SetValue(CPropertyValue(name));
    }
    ReadPropertyList(element, DefinitionList::First);
    ReadPropertyList(element, DefinitionList::Second);
    ReadFont(element);
    ReadPosition(element);
    return true;
}

void CObjListBox::WriteXml(DXMLElement& parent) const
{
    DXMLElement* element = parent.addChild(u"object");
    element->addChild(u"type")->setText(GetTypeName());
    WritePropertiesXml(*element);
    WriteFont(*element);
    element->addChild(u"style")->setText(GetStyleName());
    WritePosition(*element);
}

std::vector<std::u16string> CObjListBox::ItemTitles() const
{
    const CPropertyBase* titles = FindProperty(u"Behavior", u"Item titles");
    const CPropertyBase* maximum = FindProperty(u"Appearance", u"Maximum items");
    const uint32_t wanted = uint32_t(std::clamp<int32_t>(maximum ? maximum->GetInt() : 0, 0, int32_t(kMaxItemPictures)));
    return ItemsEndedBySeparator(titles ? titles->GetValueText() : std::u16string(), wanted);
}

void CObjListBox::CollectImages(DRIFFFile& target, CResourceIndex& resources)
{
    const DSize size = GetWorkSize();
    const int32_t itemHeight = ItemHeight(size.height);
    const bool hasArea = size.width > 0 && size.height > 0;
    for (int32_t state = 0; state < kFrameStates; ++state) {
        gfx::Surface frame = hasArea ? gfx::Surface(size.width, itemHeight) : gfx::Surface();
        const bool drawn = frame.isValid() && DrawItemFrame(frame, gfx::Rect::fromSize(0, 0, size.width, itemHeight), state);
        const std::unique_ptr<CWinFreeImage> image = drawn ? ToTargetImage(frame, resources.TargetFlags()) : nullptr;
        CollectImage(target, resources, image.get());
    }
    if (GetObjectTypeIndex() == kListBox) {
        m_collectedItems = 0;
        for (const std::u16string& title : ItemTitles()) {
            gfx::Surface picture = hasArea ? RenderTextPreview(title, {size.width, itemHeight}) : gfx::Surface();
            // A title without text is a clear row.
            if (hasArea && !picture.isValid())
                picture = gfx::Surface(size.width, itemHeight);
            const std::unique_ptr<CWinFreeImage> image = ToTargetImage(picture, resources.TargetFlags());
            CollectImage(target, resources, image.get());
            ++m_collectedItems;
        }
        return;
    }
    const DFontFileDescriptor* face = nullptr;
    if (foundation::DRendererBitmap* renderer = CObjectFonts::Renderer()) {
        DTextRenderer& fonts = renderer->textRenderer();
        std::scoped_lock lock(fonts.renderLock());
        face = fonts.findFace(GetTextDescriptor());
    }
    CollectFont(target, resources, face);
}

int CObjListBox::Compile(DRIFFFile& target, CObjectCompileContext& context)
{
    WriteRecordHeader(target, *this, context);
    target::ListboxBackgroundWords backgrounds;
    backgrounds.row = context.resources.TakeNext();
    backgrounds.selected = context.resources.TakeNext();
    backgrounds.focusedSelected = context.resources.TakeNext();
    if (GetObjectTypeIndex() == kListBox) {
        target::ListboxClassData data;
        data.backgrounds = backgrounds;
        data.head.count = m_collectedItems;
        for (uint32_t i = 0; i < m_collectedItems; ++i)
            data.rows.push_back(context.resources.TakeNext());
        data.selectionTag = CompileTag(*this, u"Value tag", context);
        target::writeClassData(target, data);
    } else {
        target::DynamicListboxClassData data;
        data.backgrounds = backgrounds;
        data.words.separator = SeparatorWord();
        data.words.itemsTag = CompileTag(*this, u"Text list tag", context);
        data.words.selectionTag = CompileTag(*this, u"Value tag", context);
        target::writeClassData(target, data);
    }
    const CDiagramRect area = GetRect();
    const gfx::Rect rect{area.left, area.top, area.right, area.bottom};
    CompileElement(target, target::ElementKind::ScrollingList, rect, context);
    if (GetObjectTypeIndex() == kDynamicListBox)
        CompileElement(target, target::ElementKind::Text, rect, context);
    return 0;
}
