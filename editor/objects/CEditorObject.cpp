#include "editor/objects/CEditorObject.h"

#include <algorithm>
#include <cmath>

#include "diagram/CDiagramEntityContainer.h"
#include "editor/document/CActionCompileScope.h"
#include "editor/document/CCompileReport.h"
#include "editor/document/CObjectTypeTable.h"
#include "editor/document/CTagsModel.h"
#include "editor/document/HexText.h"
#include "editor/document/PropertyDefinitions.h"
#include "editor/objects/CObjectCompileContext.h"
#include "editor/objects/CObjectFactory.h"
#include "editor/objects/CObjectFonts.h"
#include "editor/objects/CObjectTheme.h"
#include "editor/objects/CPageObjectContainer.h"
#include "editor/objects/shared/CObjectRecordWriter.h"
#include "foundation/DRIFFFile.h"
#include "foundation/TextHelpers.h"
#include "foundation/target/TargetBytes.h"
#include "foundation/text/DRendererBitmap.h"
#include "foundation/worker/CBkgWorker.h"
#include "foundation/xml/DXMLElement.h"
#include "platform/gfx/DeviceContext.h"

namespace {

CBkgWorker* g_worker = nullptr;

CBkgWorker& worker()
{
    return g_worker ? *g_worker : CBkgWorker::Get();
}

constexpr std::u16string_view kFormat = u"Format";
constexpr std::u16string_view kStyle = u"Style";
constexpr std::u16string_view kStyleName = u"Style name";
constexpr std::u16string_view kTagsSource = u"<tags>";

// The position children and the "Position & Size" captions they mirror.
constexpr std::u16string_view kPositionKeys[] = {u"posLeft", u"posTop", u"posRight", u"posBottom"};

struct FontChild {
    std::u16string_view key;
    std::u16string_view caption;
};
constexpr FontChild kFontChildren[] = {
    {u"fontFamily", u"Text"},   {u"fontSize", u"Size"},         {u"fontColor", u"Color"},
    {u"alignment", u"Alignment"}, {u"fontBold", u"Bold"},       {u"fontItalic", u"Italic"},
    {u"fontUnderline", u"Underline"}, {u"fontRTL", u"RTL"},
};

int32_t parseInt(std::u16string_view text)
{
    int64_t value = 0;
    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min<int64_t>(value * 10 + (text[i] - u'0'), int64_t(INT32_MAX) + 1);
    return int32_t(std::clamp<int64_t>(negative ? -value : value, INT32_MIN, INT32_MAX));
}

std::u16string intText(int32_t value)
{
    return utf8ToWide(std::to_string(value));
}

char16_t lower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

bool rectsMeet(const gfx::Rect& a, const gfx::Rect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

CEditorObject::CEditorObject(int32_t objectTypeIndex) : CSelectable(objectTypeIndex)
{
    m_typeName = CObjectTypeTable::GetTypeName(objectTypeIndex);
    SetType(m_typeName);
}

CEditorObject::~CEditorObject()
{
    CancelPendingWork();
}

void CEditorObject::CancelPendingWork()
{
    worker().CancelWork(*this);
}

std::unique_ptr<CEditorObject> CEditorObject::NewObject(int32_t objectTypeIndex)
{
    return CObjectFactory::Create(objectTypeIndex);
}

std::unique_ptr<CEditorObject> CEditorObject::CreateObject(int32_t objectTypeIndex, CSelectable* page)
{
    std::unique_ptr<CEditorObject> object = NewObject(objectTypeIndex);
    if (object && page)
        object->InitObject(page);
    return object;
}

void CEditorObject::InitObject(CSelectable* page)
{
    InitProperties();
    m_typeName = CObjectTypeTable::GetTypeName(GetObjectTypeIndex());
    SetType(m_typeName);
    m_page = page;
    ApplyStyleDefaults();
}

bool CEditorObject::HasTickAlignment() const
{
    const CTypePropertyDefinitions* row = PropertyDefinitions::ForType(GetObjectTypeIndex());
    return row && (row->traits & TRAIT_TICK_ALIGNMENT) != 0;
}

bool CEditorObject::IsStringTagProperty(std::u16string_view) const
{
    return false;
}

bool CEditorObject::IsWritableTagProperty(std::u16string_view) const
{
    return false;
}

void CEditorObject::DrawDefault(gfx::DeviceContext&, const gfx::Rect&) {}

void CEditorObject::InitProperties()
{
    InitDefinedProperties();
    const CTypePropertyDefinitions* row = PropertyDefinitions::ForType(GetObjectTypeIndex());
    if (row && row->textSize > 0)
        AddTextProperties(row->textSize, row->textAlignment);
}

bool CEditorObject::ReadXml(const DXMLElement& element)
{
    ReadPropertyList(element, DefinitionList::First);
    ReadPosition(element);
    ReadFont(element);
    ReadPropertyList(element, DefinitionList::Second);
    return true;
}

void CEditorObject::WriteXml(DXMLElement& parent) const
{
    DXMLElement* element = parent.addChild(u"object");
    element->addChild(u"type")->setText(m_typeName);
    WritePropertiesXml(*element);
    WritePosition(*element);
    WriteFont(*element);
}

void CEditorObject::CollectImages(DRIFFFile&, CResourceIndex&) {}

int CEditorObject::Compile(DRIFFFile&, CObjectCompileContext&)
{
    return 0;
}

gfx::Surface CEditorObject::RenderPreview()
{
    return {};
}

std::unique_ptr<CDiagramEntity> CEditorObject::Clone() const
{
    return CloneObject();
}

std::unique_ptr<CEditorObject> CEditorObject::CloneObject() const
{
    std::unique_ptr<CEditorObject> clone = NewObject(GetObjectTypeIndex());
    if (!clone)
        return nullptr;
    clone->CopyObject(*this);
    return clone;
}

void CEditorObject::CopyObject(const CEditorObject& source)
{
    InitProperties();
    m_typeName = source.m_typeName;
    CDiagramEntity::Copy(source);
    // A clone belongs nowhere until it is added: no link back to the source's page or
    // editor, which may go before the clone does.
    CDiagramEntity::SetParent(nullptr);
    m_page = nullptr;
    const std::u16string style = source.GetStyleName();
    if (!style.empty() && GetFormat().FindCategory(kStyle))
        OnStyleChanged(style);
    GetProperties().CopyValuesFrom(source.GetProperties());
    GetFormat().CopyValuesFrom(source.GetFormat());
}

void CEditorObject::SetParent(CDiagramEntityContainer* container)
{
    CDiagramEntity::SetParent(container);
    {
        // The worker reads it under the same lock.
        Lock();
        m_viewActivity = container ? container->GetViewActivity() : nullptr;
        Unlock();
    }
    if (const auto* objects = dynamic_cast<const CPageObjectContainer*>(container))
        m_page = objects->GetPage();
}

std::optional<CBkgViewActivity> CEditorObject::GetViewActivity() const
{
    return m_viewActivity ? m_viewActivity->Read() : std::nullopt;
}

void CEditorObject::SetRect(double left, double top, double right, double bottom)
{
    const DSize before = GetWorkSize();
    CDiagramEntity::SetRect(left, top, right, bottom);
    // A new size needs a new picture; the next paint asks for it.
    if (GetWorkSize() != before)
        m_stale = true;
    CPropertyCategory* position = GetProperties().FindCategory(u"Position & Size");
    if (!position)
        return;
    const CDiagramRect rect = GetRect();
    const std::pair<std::u16string_view, int32_t> values[] = {
        {u"X", rect.left}, {u"Y", rect.top}, {u"Width", rect.Width()}, {u"Height", rect.Height()}};
    for (const auto& [caption, value] : values)
        if (CPropertyBase* property = position->FindProperty(caption))
            property->SetValue(CPropertyValue(value));
}

std::u16string CEditorObject::GetStyleName() const
{
    const CPropertyBase* property = GetFormat().FindProperty(kStyle, kStyleName);
    return property ? property->GetValueText() : std::u16string();
}

CObjectTheme* CEditorObject::GetTheme() const
{
    const std::u16string name = GetStyleName();
    return name.empty() ? nullptr : CThemeProvider::Get().FindTheme(name);
}

int32_t CEditorObject::GetRoundness() const
{
    CObjectTheme* theme = GetTheme();
    return theme ? theme->GetRoundness() : kDefaultRoundness;
}

void CEditorObject::ApplyStyleDefaults()
{
    CObjectTheme* theme = GetTheme();
    CPropertyCategory* appearance = GetProperties().FindCategory(u"Appearance");
    if (!theme || !appearance)
        return;
    for (const auto& property : appearance->GetProperties()) {
        std::u16string value = theme->GetSetting(m_typeName, property->GetCaption());
        if (!value.empty())
            property->SetValue(CPropertyValue(std::move(value)));
    }
}

void CEditorObject::OnStyleChanged(std::u16string_view styleName)
{
    if (!GetFormat().FindCategory(kStyle))
        return;
    CObjectTheme* theme = CThemeProvider::Get().FindTheme(styleName);
    if (!theme)
        return;
    // A theme without definitions of its own leaves the class's "Style" group, which
    // holds the style's name, in place.
    const std::u16string definitions = theme->GetPropertyDefinitions(GetObjectTypeIndex());
    if (!definitions.empty())
        ReplaceStyleDefinitions(definitions);
    if (CPropertyBase* name = GetFormat().FindProperty(kStyle, kStyleName))
        name->SetValue(CPropertyValue(styleName));
    ApplyStyleDefaults();
}

void CEditorObject::TakeInstalledStyle()
{
    if (!GetFormat().FindCategory(kStyle) || GetTheme())
        return;
    const std::u16string installed = CThemeProvider::Get().FirstThemeName();
    if (!installed.empty())
        OnStyleChanged(installed);
}

void CEditorObject::AddTextProperties(int32_t defaultSize, int32_t defaultAlignment)
{
    CPropertyCategory* format = GetFormat().FindCategory(kFormat);
    if (!format)
        format = GetFormat().AddCategory(CPropertyCategory::Create(kFormat));
    const auto add = [&](PropertyKind kind, std::u16string_view caption, std::u16string_view value,
                         std::u16string_view description) {
        format->Add(std::make_unique<CPropertyBase>(this, kind, caption, value, description));
    };
    add(PropertyKind::String, u"Text", u"Arial", u"Font family");
    add(PropertyKind::Int, u"Size", intText(defaultSize), u"Size of text, in pixels");
    add(PropertyKind::Color, u"Color", intText(0xFFFFFF), u"Color of text");
    add(PropertyKind::Int, u"Alignment", intText(defaultAlignment), u"Alignment");
    for (const std::u16string_view caption : {u"Bold", u"Italic", u"Underline", u"RTL"})
        add(PropertyKind::Int, caption, u"0", caption);
    if (HasTickAlignment())
        add(PropertyKind::Int, u"Tick alignment", u"0", u"Tick alignment");
}

int32_t CEditorObject::PointsToPixels(int32_t points)
{
    // MulDiv: the product in 64 bits, rounded half away from zero.
    const int64_t product = int64_t(points) * kScreenDpi;
    const int64_t half = kPointsPerInch / 2;
    return int32_t(product >= 0 ? (product + half) / kPointsPerInch : (product - half) / kPointsPerInch);
}

DTextDescriptor CEditorObject::GetTextDescriptor() const
{
    DTextDescriptor text;
    const auto value = [&](std::u16string_view caption) { return GetFormat().FindProperty(kFormat, caption); };
    const auto number = [&](std::u16string_view caption) {
        const CPropertyBase* property = value(caption);
        return property ? property->GetInt() : 0;
    };
    std::u16string family = value(u"Text") ? value(u"Text")->GetValueText() : std::u16string(u"Arial");
    if (!family.empty() && family.front() == u'@')
        family.erase(0, 1);
    text.family = DString(family);
    text.size = PointsToPixels(value(u"Size") ? number(u"Size") : 16);
    text.bold = number(u"Bold") != 0;
    text.italic = number(u"Italic") != 0;
    text.underline = number(u"Underline") != 0;
    text.rightToLeft = number(u"RTL") != 0;
    text.wrap = HasMultiLineText();
    text.horizontalAlignment = std::clamp(number(u"Alignment"), 0, 2);
    text.verticalAlignment = DTextDescriptor::Middle;
    if (const CPropertyBase* line = FindProperty(u"Appearance", u"Line alignment")) {
        const std::u16string choice = line->GetListValue();
        text.verticalAlignment = choice == u"Top" ? DTextDescriptor::Top
            : choice == u"Bottom"                 ? DTextDescriptor::Bottom
                                                  : DTextDescriptor::Middle;
    }
    text.mode = DTextDescriptor::AntiAliased;
    text.colour = GetTargetColor(uint32_t(number(u"Color")));
    return text;
}

gfx::Surface CEditorObject::RenderTextPreview(std::u16string_view text, DSize size, std::u16string_view colorText) const
{
    foundation::DRendererBitmap* renderer = CObjectFonts::Renderer();
    if (!renderer || text.empty() || size.width <= 0 || size.height <= 0)
        return {};
    DTextDescriptor descriptor = GetTextDescriptor();
    if (!colorText.empty() && colorText.size() <= 8
        && std::all_of(colorText.begin(), colorText.end(), [](char16_t unit) { return HexDigitValue(unit) >= 0; })) {
        uint32_t stored = 0;
        for (const char16_t unit : colorText)
            stored = stored << 4 | uint32_t(HexDigitValue(unit));
        descriptor.colour = GetTargetColor(stored & 0xFFFFFF);
    }
    DTextRenderer& fonts = renderer->textRenderer();
    std::scoped_lock lock(fonts.renderLock());
    descriptor.face = fonts.findFace(descriptor);
    if (!descriptor.face)
        return {};
    foundation::DBitmap* bitmap = renderer->renderText(size, DString(text), fonts, DRect{0, 0, size.width - 1, size.height - 1},
                                           descriptor, foundation::DRendererBitmap::AlphaMode::CopyAlpha);
    if (!bitmap)
        return {};
    gfx::Surface picture(size.width, size.height);
    if (picture.isValid() && bitmap->hasPixels()) {
        const gfx::PixelBuffer pixels = picture.pixels();
        const int32_t rows = std::min(size.height, bitmap->height());
        const int32_t columns = std::min(size.width, bitmap->width());
        for (int32_t y = 0; y < rows; ++y) {
            const auto* source = reinterpret_cast<const uint32_t*>(bitmap->row(y));
            // The renderer's glyphs are blended over a clear picture: already premultiplied.
            std::copy_n(source, columns, pixels.row(y));
        }
    }
    renderer->release(bitmap);
    return picture;
}

void CEditorObject::WritePosition(DXMLElement& element) const
{
    const CDiagramRect rect = GetRect();
    element.addChild(u"posGroup")->setText(intText(GetGroup()));
    const int32_t sides[] = {rect.left, rect.top, rect.right, rect.bottom};
    for (std::size_t i = 0; i < std::size(kPositionKeys); ++i)
        element.addChild(kPositionKeys[i])->setText(intText(sides[i]));
    element.addChild(u"posLock")->setText(intText(int32_t(GetLock())));
}

void CEditorObject::ReadPosition(const DXMLElement& element)
{
    if (const DXMLElement* group = element.getChild(u"posGroup"))
        SetGroup(parseInt(group->getText()));
    const CDiagramRect rect = GetRect();
    int32_t sides[] = {rect.left, rect.top, rect.right, rect.bottom};
    for (std::size_t i = 0; i < std::size(kPositionKeys); ++i)
        if (const DXMLElement* child = element.getChild(kPositionKeys[i]))
            sides[i] = parseInt(child->getText());
    SetRect(sides[0], sides[1], sides[2], sides[3]);
    if (const DXMLElement* lock = element.getChild(u"posLock")) {
        SetLock(~0u, false);
        SetLock(uint32_t(parseInt(lock->getText())), true);
    }
}

void CEditorObject::WriteFont(DXMLElement& element) const
{
    if (!GetFormat().FindCategory(kFormat))
        return;
    for (const FontChild& child : kFontChildren)
        if (const CPropertyBase* property = GetFormat().FindProperty(kFormat, child.caption))
            element.addChild(child.key)->setText(property->GetValueText());
}

void CEditorObject::ReadFont(const DXMLElement& element)
{
    for (const FontChild& child : kFontChildren) {
        const DXMLElement* node = element.getChild(child.key);
        CPropertyBase* property = GetFormat().FindProperty(kFormat, child.caption);
        if (node && property)
            property->SetValue(CPropertyValue(node->getText()));
    }
    if (HasTickAlignment())
        ReadTickAlignment(element);
}

void CEditorObject::ReadTickAlignment(const DXMLElement& element)
{
    const DXMLElement* child = element.getChild(u"alignment");
    CPropertyBase* tick = FindProperty(u"Ticks & Labels", u"Tick alignment");
    if (!child || !tick)
        return;
    const std::u16string options = tick->GetOptionsText();
    int32_t index = parseInt(child->getText());
    std::size_t start = 0;
    while (index-- > 0 && start != std::u16string::npos) {
        start = options.find(kListSeparator, start);
        if (start != std::u16string::npos)
            ++start;
    }
    if (index >= -1 && start != std::u16string::npos && start <= options.size())
        tick->SetValue(CPropertyValue(options.substr(start, options.find(kListSeparator, start) - start)));
}

void CEditorObject::CompileElement(DRIFFFile& target, target::ElementKind kind, const gfx::Rect& rect,
                                   CObjectCompileContext& context) const
{
    // A placeholder ends before its rectangle: it is neither counted nor compared.
    if (kind == target::ElementKind::Placeholder) {
        target::writeRecord(target, target::PlaceholderRecord{});
        return;
    }
    uint32_t flags = target::kElementFlagVisible;
    if (context.resources.ColorDepth() == 8 || IsGreyscaleOnly())
        flags |= target::kElementFlagGreyscale;
    if (std::none_of(context.elementRects.begin(), context.elementRects.end(),
                     [&](const gfx::Rect& other) { return rectsMeet(rect, other); }))
        flags |= target::kElementFlagNoOverlap;
    if (IsFocusable() || context.firstObjectOfWindowPage) {
        flags |= target::kElementFlagTouchable;
        if ((context.resources.TargetFlags() & target::kTargetFlagFocusTracking) != 0)
            flags |= target::kElementFlagFocusTracking;
    }
    context.elementRects.push_back(rect);
    target::writeRecord(target, target::makeElementRecord(kind, rect.left, rect.top, rect.right, rect.bottom, flags));
    if (kind == target::ElementKind::Text) {
        const DTextDescriptor text = GetTextDescriptor();
        target::TextElementWords words;
        words.fontReference = context.resources.TakeNext();
        words.pixelSize = uint32_t(text.size);
        target::TextStyle style;
        style.bold = text.bold;
        style.italic = text.italic;
        style.underline = text.underline;
        style.multiLine = HasMultiLineText();
        style.rightToLeft = text.rightToLeft;
        const CPropertyBase* alignment = GetFormat().FindProperty(kFormat, u"Alignment");
        style.alignment = uint32_t(alignment ? alignment->GetInt() : 0);
        style.lineAlignment = uint32_t(text.verticalAlignment);
        words.style = style.word();
        words.color = text.colour;
        target::writeRecord(target, words);
    }
    if (kind == target::ElementKind::ScrollingBitmap || kind == target::ElementKind::ScrollingList) {
        const CPropertyBase* scrolling = FindAnyProperty(u"Scrolling type");
        target::ScrollingWords words;
        words.mode = scrolling && scrolling->GetListValue() == u"Scrolling" ? target::ScrollingWords::kModeScrolling
                                                                             : target::ScrollingWords::kModeWrapping;
        target::writeRecord(target, words);
    }
    if (kind == target::ElementKind::ScrollingList) {
        const auto listValue = [&](std::u16string_view caption) {
            const CPropertyBase* property = FindAnyProperty(caption);
            return property ? property->GetListValue() : std::u16string();
        };
        const CPropertyBase* maximum = FindAnyProperty(u"Maximum items");
        target::ScrollingListWords words;
        words.maximumItems = maximum ? maximum->GetUInt() : 0;
        words.itemHeight = GetListItemHeight();
        const target::ListSelection selection = listValue(u"Selection type") == u"On touch"
            ? target::ListSelection::OnTouch
            : target::ListSelection::Centred;
        // The engine's rectangle is inclusive: the record's own top and bottom.
        words.firstItemOffset =
            target::ScrollingListWords::firstItemOffsetFor(words.itemHeight, rect.top, rect.bottom - 1, selection);
        words.slowDown = listValue(u"On release") == u"Slow down" ? 1 : 0;
        target::writeRecord(target, words);
    }
}

void CEditorObject::CompileTagProperty(DRIFFFile& target, std::u16string_view caption,
                                       CObjectCompileContext& context) const
{
    target::writeRecord(target, CObjectRecordWriter::ResolveTag(*this, caption, context));
}

int CEditorObject::CreateMissingTags(CTagsModel& tags) const
{
    int created = 0;
    for (const CPropertyContainer* container : {&GetProperties(), &GetFormat()})
        for (const auto& category : container->GetCategories())
            for (const auto& property : category->GetProperties()) {
                if (property->GetOptionsText() != kTagsSource)
                    continue;
                const std::u16string name = property->GetListValue();
                if (name.empty() || name.starts_with(u"sys") || tags.HasTag(name))
                    continue;
                const int row = IsStringTagProperty(property->GetCaption()) ? tags.AddStringTag() : tags.AddNumericTag();
                if (tags.SetName(row, name))
                    ++created;
                else
                    tags.DeleteTags(std::span<const int>(&row, 1));
            }
    return created;
}

int32_t CEditorObject::GetDirectionCode() const
{
    if (const CPropertyBase* direction = FindProperty(u"Appearance", u"Direction")) {
        const std::u16string value = direction->GetListValue();
        return value.size() > 1 && lower(value[1]) == u'o' ? 2 : 1;
    }
    if (const CPropertyBase* propagation = FindProperty(u"Appearance", u"Propagation from")) {
        const std::u16string value = propagation->GetListValue();
        const char16_t first = value.empty() ? 0 : lower(value[0]);
        return first == u'b' ? 4 : first == u'r' ? 2 : first == u't' ? 3 : 1;
    }
    return 0;
}

CPropertyBase* CEditorObject::FindAnyProperty(std::u16string_view caption) const
{
    for (const CPropertyContainer* container : {&GetProperties(), &GetFormat()})
        for (const auto& category : container->GetCategories())
            if (CPropertyBase* property = category->FindProperty(caption))
                return property;
    return nullptr;
}

void CEditorObject::Draw(gfx::DeviceContext& dc, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    const gfx::Rect rect{left, top, right, bottom};
    bool drawn = false;
    {
        // Under the lock the worker swaps the picture under.
        Lock();
        if (m_preview && m_preview->isLoaded()) {
            // Drawn at another zoom, the picture is rescaled once and the copy kept.
            if (m_preview->DrawScaled(dc, CCachedImage::StaleCopy::Refresh, left, top, rect.width(), rect.height()))
                m_stale = true;
            drawn = true;
        }
        Unlock();
    }
    if (!drawn)
        DrawDefault(dc, rect);
    // Never with the object's lock held: the worker takes the queue lock first.
    if (m_stale.load())
        RequestPreview();
}

void CEditorObject::DrawSelectionMarkers(gfx::DeviceContext& dc, int32_t left, int32_t top, int32_t right,
                                         int32_t bottom)
{
    // An outline as GDI draws a rectangle: right and bottom edges are the last pixels in.
    const gfx::Colour black = gfx::Colour::fromArgb(0xFF000000);
    const gfx::Point corners[] = {{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}};
    for (std::size_t i = 0; i < std::size(corners); ++i)
        dc.drawLine(corners[i], corners[(i + 1) % std::size(corners)], black);
    CDiagramEntity::DrawSelectionMarkers(dc, left, top, right, bottom);
}

void CEditorObject::Invalidate()
{
    m_stale = true;
    RequestPreview();
}

bool CEditorObject::HasPreview() const
{
    auto& self = const_cast<CEditorObject&>(*this);
    self.Lock();
    const bool has = m_preview && m_preview->isLoaded();
    self.Unlock();
    return has;
}

void CEditorObject::UseWorker(CBkgWorker* worker)
{
    g_worker = worker;
}

void CEditorObject::RequestPreview()
{
    if (m_pending.exchange(true))
        return;
    worker().AddWork(std::make_unique<CBkgWorkItem>(this));
}

uint32_t CEditorObject::Render(CBkgWorkItem&)
{
    m_stale = false;
    gfx::Surface picture = RenderPreview();
    if (!picture.isValid())
        return 0;
    auto image = std::make_unique<CCachedImage>();
    if (!image->FromSurface(picture.pixels()))
        return 0;
    // The worker holds the object's lock around Render: the swap is safe from the view.
    m_preview = std::move(image);
    return 1;
}

DSize CEditorObject::GetWorkSize() const
{
    const CDiagramRect rect = GetRect();
    return {rect.Width(), rect.Height()};
}

void CEditorObject::OnWorkDone(CBkgWorkItem&)
{
    m_pending = false;
}

void CEditorObject::RepaintView()
{
    if (auto* objects = dynamic_cast<CPageObjectContainer*>(GetParent()))
        objects->RepaintEntity(*this);
}
