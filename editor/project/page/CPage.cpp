#include "editor/project/page/CPage.h"

#include <algorithm>
#include <utility>

#include "diagram/CDiagramEntityContainer.h"
#include "editor/document/CActionCompileScope.h"
#include "editor/document/CActionCompiler.h"
#include "editor/document/CCompileOutput.h"
#include "editor/document/CObjectTypeTable.h"
#include "editor/document/CPropertyBase.h"
#include "editor/document/CResourceIndex.h"
#include "editor/objects/CFileReference.h"
#include "editor/objects/CObjectCompileContext.h"
#include "editor/objects/CObjectNames.h"
#include "editor/objects/OlderProjectConversion.h"
#include "editor/project/page/CPageCompileContext.h"
#include "editor/project/page/CPageDirectory.h"
#include "editor/project/page/CPageObserver.h"
#include "foundation/DRIFFFile.h"
#include "foundation/image/CWinFreeImage.h"
#include "foundation/target/TargetColor.h"
#include "foundation/target/TargetElement.h"
#include "foundation/target/TargetImageWords.h"
#include "foundation/xml/DXMLElement.h"

namespace {

constexpr std::u16string_view kNameChild = u"name";
constexpr std::u16string_view kOriginalNameChild = u"originalName";
constexpr std::u16string_view kObjectChild = u"object";
constexpr std::u16string_view kTypeChild = u"type";
constexpr int32_t kOpaque = 255;
// "Page n" for a page's progress line: the pane rewrites the tail with the percentage.
constexpr std::u16string_view kPageLineStart = u"\r\nPage ";
constexpr std::u16string_view kPageLineEnd = u":       ";
constexpr uint32_t kPageLineColor = 0;
constexpr int32_t kFullPercent = 100;

// The action compiler's view of one page of the project.
class PageScope : public CActionCompileScope {
public:
    PageScope(const CPage& page, const CPageDirectory& pages) : m_page(page), m_pages(pages) {}

    const CSelectable* Page() const override { return &m_page; }
    const CSelectable* FirstObject() const override
    {
        return m_page.GetObjects().empty() ? nullptr : m_page.GetObjects().front().get();
    }
    int32_t FindObject(std::u16string_view originalName) const override
    {
        return m_page.GetTargetObjectIndex(originalName);
    }
    int32_t FindPage(std::u16string_view name) const override { return m_pages.FindPage(name, PageName::Either); }

private:
    const CPage& m_page;
    const CPageDirectory& m_pages;
};

int32_t clampTransparency(int32_t value)
{
    return std::clamp(value, 0, kOpaque);
}

} // namespace

CPage::CPage() : CSelectable(kPageObjectType)
{
    InitDefinedProperties();
}

CPage::~CPage() = default;

void CPage::CommitPendingName()
{
    if (m_pendingName.empty())
        return;
    m_originalName = m_pendingName;
    m_pendingName.clear();
}

CPropertyBase* CPage::PageProperty(std::u16string_view caption) const
{
    return FindProperty(kPageGroup, caption);
}

void CPage::Changed()
{
    if (m_editor && m_observer)
        m_observer->OnBackgroundChanged(*this);
}

int32_t CPage::GetPageType() const
{
    const CPropertyBase* property = PageProperty(kPageType);
    const std::u16string text = property ? property->GetValueText() : std::u16string();
    const auto names = CObjectTypeTable::PageTypeNames();
    for (std::size_t type = uint32_t(target::PageType::Normal); type < names.size(); ++type)
        if (text == names[type])
            return int32_t(type);
    return int32_t(target::PageType::Normal);
}

void CPage::SetPageType(int32_t type)
{
    const auto names = CObjectTypeTable::PageTypeNames();
    if (type < int32_t(target::PageType::Normal) || type >= int32_t(names.size()))
        return;
    if (CPropertyBase* property = PageProperty(kPageType))
        property->SetValue(CPropertyValue(std::u16string_view(names[std::size_t(type)])));
}

uint32_t CPage::GetBackgroundColor() const
{
    const CPropertyBase* property = PageProperty(kBackgroundColor);
    return property ? property->GetUInt() : 0;
}

void CPage::SetBackgroundColor(uint32_t color)
{
    if (CPropertyBase* property = PageProperty(kBackgroundColor))
        property->SetValue(CPropertyValue(color));
    Changed();
}

int32_t CPage::GetBackgroundTransparency() const
{
    const CPropertyBase* property = PageProperty(kBackgroundTransparency);
    return property ? clampTransparency(property->GetInt()) : 0;
}

void CPage::SetBackgroundTransparency(int32_t transparency)
{
    if (CPropertyBase* property = PageProperty(kBackgroundTransparency))
        property->SetValue(CPropertyValue(clampTransparency(transparency)));
    Changed();
}

std::u16string CPage::GetBackgroundImage() const
{
    const CPropertyBase* property = PageProperty(kBackgroundImage);
    return property ? property->GetValueText() : std::u16string();
}

void CPage::SetBackgroundImage(std::u16string_view value)
{
    if (CPropertyBase* property = PageProperty(kBackgroundImage))
        property->SetValue(CPropertyValue(value));
    Changed();
}

void CPage::SetEditor(CDiagramEntityContainer* editor, CPageObserver* observer)
{
    m_editor = editor;
    m_observer = editor ? observer : nullptr;
}

void CPage::TakeEditorObjects()
{
    if (!m_editor)
        return;
    ClearObjects();
    for (int32_t i = 0; i < m_editor->GetSize(); ++i)
        if (const auto* object = dynamic_cast<const CEditorObject*>(m_editor->GetAt(i)))
            if (std::unique_ptr<CEditorObject> copy = object->CloneObject()) {
                copy->SetPage(this);
                m_objects.push_back(std::move(copy));
            }
}

PageReadStatus CPage::ReadXml(const DXMLElement& element, const CPageDirectory& pages)
{
    const DXMLElement* name = element.getChild(kNameChild);
    if (!name)
        return PageReadStatus::MissingName;
    m_name = name->getText();
    const DXMLElement* original = element.getChild(kOriginalNameChild);
    m_originalName = original ? original->getText() : m_name;
    if (pages.FindPage(m_name, PageName::Current) >= 0)
        m_name = pages.MakeUniquePageName(m_name);
    if (pages.FindPage(m_originalName, PageName::Original) >= 0)
        m_pendingName = m_name;
    m_element = &element;
    return PageReadStatus::Ok;
}

PageReadStatus CPage::ReadObjects(int formatVersion)
{
    if (!m_element)
        return PageReadStatus::NoElement;
    const DXMLElement& element = *m_element;
    m_element = nullptr;
    return ReadObjects(element, formatVersion);
}

PageReadStatus CPage::ReadObjects(const DXMLElement& element, int formatVersion)
{
    ReadPropertiesXml(element);
    for (const auto& child : element.children()) {
        if (child->name() != kObjectChild)
            continue;
        const DXMLElement* type = child->getChild(kTypeChild);
        if (!type)
            return PageReadStatus::MissingObjectType;
        std::unique_ptr<CEditorObject> object =
            CEditorObject::CreateObject(CObjectTypeTable::GetObjectTypeIndex(type->getText(), formatVersion), this);
        if (!object)
            return PageReadStatus::UnknownObjectType;
        if (!object->ReadXml(*child))
            return PageReadStatus::ObjectRefused;
        OlderProjectConversion::ConvertTickSizes(*object, formatVersion);
        AddObject(std::move(object));
    }
    return PageReadStatus::Ok;
}

void CPage::WriteXml(DXMLElement& parent)
{
    TakeEditorObjects();
    DXMLElement* element = parent.addChild(u"page");
    element->addChild(kNameChild)->setText(m_name);
    element->addChild(kOriginalNameChild)->setText(m_originalName);
    WritePropertiesXml(*element);
    for (const auto& object : m_objects)
        object->WriteXml(*element);
}

void CPage::CopyFrom(const CPage& other, const CPageDirectory& pages)
{
    m_name = pages.MakeUniquePageName(other.GetName());
    m_originalName = m_name;
    SetPageType(other.GetPageType());
    SetBackgroundColor(other.GetBackgroundColor());
    SetBackgroundImage(other.GetBackgroundImage());
    SetBackgroundTransparency(other.GetBackgroundTransparency());
    ClearObjects();
    for (const auto& object : other.m_objects)
        if (std::unique_ptr<CEditorObject> copy = object->CloneObject())
            AddObject(std::move(copy));
}

CEditorObject& CPage::AddObject(std::unique_ptr<CEditorObject> object)
{
    AssignDefaultObjectName(*object);
    object->SetPage(this);
    m_objects.push_back(std::move(object));
    return *m_objects.back();
}

void CPage::ClearObjects()
{
    m_objects.clear();
}

std::vector<std::unique_ptr<CEditorObject>> CPage::ReleaseObjects()
{
    return std::exchange(m_objects, {});
}

int32_t CPage::FindObjectByName(std::u16string_view name) const
{
    if (name.empty())
        return -1;
    if (name == kPageObjectName)
        return GetObjectCount();
    for (std::size_t i = 0; i < m_objects.size(); ++i)
        if (CObjectNames::GetName(*m_objects[i], NameKind::Current) == name)
            return int32_t(i);
    return -1;
}

int32_t CPage::GetTargetObjectIndex(std::u16string_view originalName) const
{
    if (originalName.empty())
        return -1;
    for (std::size_t i = 0; i < m_objects.size(); ++i)
        if (CObjectNames::GetName(*m_objects[i], NameKind::Original) == originalName)
            return target::targetIndexOf(int32_t(i), GetObjectCount());
    return -1;
}

void CPage::AssignDefaultObjectName(CEditorObject& object) const
{
    if (!CObjectNames::GetName(object, NameKind::Current).empty())
        return;
    const std::u16string base = object.GetTypeName() + u"-";
    for (int32_t n = 1;; ++n) {
        std::u16string name = base;
        for (const char ch : std::to_string(n))
            name += char16_t(ch);
        const bool taken = std::any_of(m_objects.begin(), m_objects.end(), [&](const auto& other) {
            return other.get() != &object && CObjectNames::GetName(*other, NameKind::Original) == name;
        });
        if (!taken) {
            CObjectNames::InitObjectName(object, name);
            return;
        }
    }
}

int CPage::RegisterTags(CTagsModel& tags) const
{
    int created = 0;
    for (const auto& object : m_objects)
        created += object->CreateMissingTags(tags);
    return created;
}

void CPage::ScaleObjects(int32_t fromWidth, int32_t fromHeight, int32_t toWidth, int32_t toHeight)
{
    if (fromWidth <= 0 || fromHeight <= 0 || toWidth <= 0 || toHeight <= 0)
        return;
    const double x = double(toWidth) / fromWidth;
    const double y = double(toHeight) / fromHeight;
    for (const auto& object : m_objects)
        object->SetRect(object->GetLeft() * x, object->GetTop() * y, object->GetRight() * x, object->GetBottom() * y);
}

uint64_t CPage::Compile(DRIFFFile& target, CPageCompileContext& context)
{
    if (context.output)
        context.output->AppendLine(std::u16string(kPageLineStart) + m_name + std::u16string(kPageLineEnd), kPageLineColor,
                                   this, nullptr);
    TakeEditorObjects();
    m_elementRects.clear();
    m_elementCount = 0;

    // The pictures and fonts first, in the order the records take them back.
    const int64_t count = int64_t(m_objects.size());
    for (int64_t k = 1; k <= count; ++k) {
        m_objects[std::size_t(count - k)]->CollectImages(target, context.resources);
        if (context.progress)
            context.progress(int32_t(k * kFullPercent / count));
    }
    const bool backgroundCollected = PrepareBackgroundImage(target, context);

    const uint64_t chunkOffset = target.tell();
    DRIFFFile page(target, target::kChunkPage);
    CompilePageChunk(page, context, backgroundCollected);
    page.close();
    return chunkOffset;
}

bool CPage::PrepareBackgroundImage(DRIFFFile& target, CPageCompileContext& context)
{
    if (target::isPopUpPage(uint32_t(GetPageType())))
        return false;
    const std::filesystem::path path =
        CFileReference::Resolve(GetBackgroundImage(), context.projectFolder, context.placeholderFolder);
    if (path.empty())
        return false;
    CWinFreeImage image;
    const uint32_t flags = (context.resources.TargetFlags() & target::kTargetFlagPremultiply) != 0
        ? uint32_t(CWinFreeImage::LoadPremultiplied)
        : 0u;
    const bool loaded = image.Load(path, flags, GetBackgroundTransparency()) &&
        image.Rescale(context.pageWidth, context.pageHeight);
    // A picture that did not load still takes its entry, so the entries stay aligned.
    CSelectable::CollectImage(target, context.resources, loaded ? &image : nullptr);
    return true;
}

void CPage::CompilePageChunk(DRIFFFile& page, CPageCompileContext& context, bool backgroundCollected)
{
    const int32_t type = GetPageType();
    const CPropertyBase* focus = PageProperty(kInitialFocus);
    const uint64_t headerStart = page.tell();
    target::PageHeader header;
    header.pageType = uint32_t(type);
    header.objectCount = uint32_t(m_objects.size() + 1);
    header.initialFocus = GetTargetObjectIndex(focus ? focus->GetListValue() : std::u16string());
    header.firstRecordOffset = uint32_t(headerStart + target::PageHeader::kSize);
    target::writeRecord(page, header);

    const PageScope scope(*this, context.pages);
    CActionCompileContext actions{context.tags, context.report, scope, context.formatVersion, context.clock};
    for (std::size_t i = m_objects.size(); i-- > 0;)
        CompileObject(page, *m_objects[i], i == 0 && type == int32_t(target::PageType::Window), actions, context);
    CompileBackground(page, context, backgroundCollected, actions);
    page.patchValue(headerStart + target::PageHeader::kElementCountOffset, uint32_t(m_elementCount));
}

void CPage::CompileObject(DRIFFFile& page, CEditorObject& object, bool firstOfWindowPage,
                          CActionCompileContext& actions, CPageCompileContext& context)
{
    const uint64_t start = page.tell();
    const std::size_t rectsBefore = m_elementRects.size();
    CObjectCompileContext objectContext{actions, context.resources, m_elementRects, firstOfWindowPage};
    (void)object.Compile(page, objectContext);
    // A class that writes no record of its own still gets a header the engine skips
    // by its size: no widget type, no navigation.
    if (page.tell() == start)
        target::writeRecord(page, target::ObjectRecordHeader{});
    m_elementCount += int32_t(m_elementRects.size() - rectsBefore);
    FinishRecord(page, start, object, actions);
}

void CPage::FinishRecord(DRIFFFile& page, uint64_t start, const CSelectable& owner, CActionCompileContext& actions)
{
    page.patchValue(start + target::ObjectRecordHeader::kActionBlockOffsetOffset, uint32_t(page.tell() - start));
    (void)owner.CompileActions(page, actions);
    page.patchValue(start + target::ObjectRecordHeader::kRecordSizeOffset, uint32_t(page.tell() - start));
}

void CPage::CompileBackground(DRIFFFile& page, CPageCompileContext& context, bool backgroundCollected,
                              CActionCompileContext& actions)
{
    const int32_t type = GetPageType();
    const bool popUp = target::isPopUpPage(uint32_t(type));
    const uint32_t image = backgroundCollected ? context.resources.TakeNext() : target::kNoResource;
    const int32_t transparency = GetBackgroundTransparency();

    target::ObjectRecordHeader header;
    header.type = uint32_t(image != target::kNoResource ? target::WidgetType::StaticImage : target::WidgetType::Rectangle);
    target::ElementKind kind = target::ElementKind::SolidRect;
    uint32_t classWord = target::PageBackground::kPopUpClassWord;
    if (popUp) {
        kind = target::ElementKind::Placeholder;
    } else if (image != target::kNoResource) {
        kind = target::ElementKind::UnscaledBitmap;
        classWord = image;
    } else {
        classWord = target::colorWordFromStored(GetBackgroundColor(), target::alphaFromTransparency(transparency));
        if ((context.resources.TargetFlags() & target::kTargetFlagPremultiply) != 0)
            classWord = target::premultiplyColorWord(classWord);
    }
    const bool opaque = (kind == target::ElementKind::SolidRect && transparency == 0)
        || type == int32_t(target::PageType::Global) || context.globalPage == GlobalPagePresence::Absent;

    const uint64_t start = page.tell();
    target::writeRecord(page, header);
    // One class word either way: the image's offset or the colour.
    if (kind == target::ElementKind::UnscaledBitmap)
        target::writeRecord(page, target::StaticImageWords{classWord});
    else
        target::writeRecord(page, target::RectangleWords{classWord});
    if (kind == target::ElementKind::Placeholder) {
        target::writeRecord(page, target::PlaceholderRecord{});
    } else {
        target::writeRecord(page, target::makeElementRecord(kind, 0, 0, context.pageWidth, context.pageHeight,
                                                            opaque ? target::PageBackground::kFlagsOpaque
                                                                   : target::PageBackground::kFlagsBlended));
        ++m_elementCount;
    }
    FinishRecord(page, start, *this, actions);
}
