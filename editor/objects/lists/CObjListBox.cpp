#include "editor/objects/lists/CObjListBox.h"

#include <algorithm>

#include "editor/objects/CObjectCompileContext.h"
#include "editor/objects/CObjectFonts.h"
#include "editor/objects/shared/CItemFrames.h"
#include "editor/objects/shared/CObjectPicture.h"
#include "editor/objects/shared/CObjectProperty.h"
#include "editor/objects/shared/CObjectRecordWriter.h"
#include "editor/objects/shared/CStyledObjectXml.h"
#include "foundation/DRIFFFile.h"
#include "foundation/TextHelpers.h"
#include "foundation/target/TargetClassData.h"
#include "foundation/target/TargetListBoxWords.h"
#include "foundation/target/TargetPage.h"
#include "foundation/text/DRendererBitmap.h"
#include "platform/gfx/DeviceContext.h"

namespace {

constexpr int32_t kListBox = int32_t(target::WidgetType::Listbox);
constexpr int32_t kDynamicListBox = int32_t(target::WidgetType::DynamicListbox);
// The row the page view shows as selected.
constexpr int32_t kPreviewSelectedRow = 1;

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

gfx::Surface CObjListBox::RenderPreview()
{
    const DSize size = GetWorkSize();
    CObjectPicture preview(size, PictureAlpha::Premultiplied);
    if (!preview.IsValid())
        return {};
    gfx::Surface& picture = preview.Surface();
    const int32_t itemHeight = ItemHeight(size.height);
    (void)CItemFrames::DrawRows(*this, picture.pixels(), itemHeight, [](int32_t row) {
        return CItemFrames::kItemPart | (row == kPreviewSelectedRow ? 1 : 0);
    });
    const std::vector<std::u16string> titles =
        GetObjectTypeIndex() == kListBox ? ItemTitles() : std::vector<std::u16string>{};
    for (int32_t index = 0; index * int64_t(itemHeight) < size.height; ++index) {
        const gfx::Rect row = gfx::Rect::fromSize(0, index * itemHeight, size.width, itemHeight);
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
    return preview.TakeSurface();
}

bool CObjListBox::ReadXml(const DXMLElement& element)
{
    return CStyledObjectXml::Read(*this, element);
}

void CObjListBox::WriteXml(DXMLElement& parent) const
{
    CStyledObjectXml::Write(*this, parent, FontChildren::BeforeStyle);
}

std::vector<std::u16string> CObjListBox::ItemTitles() const
{
    const CPropertyBase* titles = FindProperty(u"Behavior", u"Item titles");
    const int64_t wanted = CObjectProperty::Count(*this, u"Appearance", u"Maximum items", 0, 0);
    return CObjectProperty::Tokens(titles ? titles->GetValueText() : std::u16string(), ListTokens::EndedBy,
                                   std::size_t(wanted));
}

void CObjListBox::CollectImages(DRIFFFile& target, CResourceIndex& resources)
{
    const DSize item{GetWorkSize().width, GetListItemHeight()};
    const PictureAlpha alpha = CObjectPicture::AlphaOf(resources.TargetFlags());
    for (int32_t state = 0; state < kFrameStates; ++state) {
        CObjectPicture frame(item, alpha);
        const gfx::Rect whole = gfx::Rect::fromSize(0, 0, item.width, item.height);
        // A frame the theme does not draw is an empty entry.
        if (CItemFrames::DrawFrame(*this, frame.Surface().pixels(), whole, CItemFrames::kShapeFrame,
                                   CItemFrames::kItemPart | state))
            frame.Collect(target, resources);
        else
            CollectImage(target, resources, nullptr);
    }
    if (GetObjectTypeIndex() == kListBox) {
        m_collectedItems = 0;
        for (const std::u16string& title : ItemTitles()) {
            CObjectPicture picture(item, alpha);
            // A title without text, or without fonts, is a clear row.
            if (gfx::Surface text = RenderTextPreview(title, item); text.isValid() && picture.IsValid()) {
                gfx::DeviceContext dc(picture.Surface());
                (void)dc.bitBlt({0, 0}, text.pixels(), gfx::Rect::fromSize(0, 0, item.width, item.height));
            }
            picture.Collect(target, resources);
            ++m_collectedItems;
        }
        return;
    }
    CollectFont(target, resources, CObjectFonts::FindFace(GetTextDescriptor()));
}

int CObjListBox::Compile(DRIFFFile& target, CObjectCompileContext& context)
{
    CObjectRecordWriter::WriteHeader(target, *this, target::WidgetType(GetObjectTypeIndex()), context);
    // Items are never lower than the smallest item, so only a list of no width has no pictures.
    if (!CObjectPicture::IsDrawable({GetWorkSize().width, GetListItemHeight()}))
        CObjectRecordWriter::Warn(*this, CompileDiagnostic::EmptyPicture, u"object property", u"Width", context);
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
        data.selectionTag = CObjectRecordWriter::ResolveTag(*this, u"Value tag", context);
        target::writeClassData(target, data);
    } else {
        target::DynamicListboxClassData data;
        data.backgrounds = backgrounds;
        data.words.separator = SeparatorWord();
        data.words.itemsTag = CObjectRecordWriter::ResolveTag(*this, u"Text list tag", context);
        data.words.selectionTag = CObjectRecordWriter::ResolveTag(*this, u"Value tag", context);
        target::writeClassData(target, data);
    }
    const CDiagramRect area = GetRect();
    const gfx::Rect rect{area.left, area.top, area.right, area.bottom};
    CompileElement(target, target::ElementKind::ScrollingList, rect, context);
    if (GetObjectTypeIndex() == kDynamicListBox)
        CompileElement(target, target::ElementKind::Text, rect, context);
    return 0;
}
