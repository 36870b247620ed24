#include "editor/document/CSelectable.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "editor/document/CActionCompiler.h"
#include "editor/document/CDocumentHost.h"
#include "editor/document/CObjectTypeTable.h"
#include "editor/document/CResourceIndex.h"
#include "editor/document/PropertyDefinitionParser.h"
#include "editor/document/PropertyDefinitions.h"
#include "editor/document/TargetPicture.h"
#include "foundation/TextHelpers.h"
#include "foundation/image/CWinFreeImage.h"
#include "foundation/target/TargetImage.h"
#include "foundation/text/DFontFileDescriptor.h"
#include "foundation/xml/DXMLElement.h"

namespace {

// The bytes the content CRC of an image covers, in its order: equal pictures are equal
// in these.
std::vector<uint8_t> imageContent(const target::TargetImage& image)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(8 * 4 + image.pixels.size() + image.alpha.size());
    const auto word = [&bytes](uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(uint8_t(value >> shift));
    };
    word(image.width);
    word(image.height);
    word(image.pitch);
    word(image.pixelFormat);
    word(uint32_t(image.pixels.size()));
    bytes.insert(bytes.end(), image.pixels.begin(), image.pixels.end());
    if (!image.alpha.empty()) {
        word(image.alphaPitch);
        word(target::kPixelFormatAlpha);
        word(uint32_t(image.alpha.size()));
        bytes.insert(bytes.end(), image.alpha.begin(), image.alpha.end());
    }
    return bytes;
}

// Older documents lack some children; their missing values keep the behaviour those
// documents had before the defaults changed.
struct FormerDefault {
    std::u16string_view declared;
    std::u16string_view former;
};

constexpr FormerDefault kFormerDefaults[] = {
    {u"Show", u"Hide"},
    {u"By visible items", u"By item height"},
    {u"By percentage", u"By constant value"},
};

std::u16string missingValue(const CPropertyDefinition& record)
{
    std::u16string value = record.defaultText.substr(0, record.defaultText.find(kListSeparator));
    for (const FormerDefault& former : kFormerDefaults)
        if (value == former.declared)
            return std::u16string(former.former);
    return value;
}

// Font files beyond this are refused rather than read whole into memory; no real face
// comes near it.
constexpr std::uintmax_t kMaxFontFileBytes = 256u << 20;

// The whole file, or nothing when it cannot be read.
std::vector<uint8_t> readFontFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return {};
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size == 0 || size > kMaxFontFileBytes)
        return {};
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> bytes(size);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size)))
        return {};
    return bytes;
}

bool hasTrait(int32_t typeIndex, PropertyClassTrait trait)
{
    const CTypePropertyDefinitions* row = PropertyDefinitions::ForType(typeIndex);
    return row && (row->traits & trait) != 0;
}

} // namespace

CSelectable::CSelectable(int32_t objectTypeIndex) : m_objectTypeIndex(objectTypeIndex) {}

CSelectable::~CSelectable() = default;

void CSelectable::OnStyleChanged(std::u16string_view) {}

void CSelectable::Invalidate() {}

bool CSelectable::HasScaling() const
{
    return hasTrait(m_objectTypeIndex, TRAIT_SCALING);
}

bool CSelectable::IsFocusable() const
{
    return hasTrait(m_objectTypeIndex, TRAIT_FOCUSABLE);
}

bool CSelectable::IsInvisible() const
{
    return hasTrait(m_objectTypeIndex, TRAIT_INVISIBLE);
}

CDiagramEntityContainer* CSelectable::GetOwnerEditor() const
{
    return nullptr;
}

bool CSelectable::IsPage() const
{
    return m_objectTypeIndex == kPageObjectType;
}

void CSelectable::ParsePropertyDefinitions(std::u16string_view text, DefinitionList list)
{
    if (list == DefinitionList::Second) {
        ParsePropertyDefinitionText(text, m_formatDefinitions);
        return;
    }
    const bool object = !IsPage();
    if (object)
        ParsePropertyDefinitionText(PropertyDefinitions::Common(), m_definitions);
    ParsePropertyDefinitionText(text, m_definitions);
    if (object && HasScaling())
        ParsePropertyDefinitionText(PropertyDefinitions::Scaling(), m_definitions);
    if (object && IsFocusable())
        ParsePropertyDefinitionText(PropertyDefinitions::Navigation(), m_definitions);
}

void CSelectable::BuildProperties(DefinitionList list)
{
    CPropertyContainer& container = GetContainer(list);
    CPropertyCategory* category = nullptr;
    for (const CPropertyDefinition& record : GetDefinitions(list)) {
        if (record.kind == PropertyKind::Group) {
            category = container.FindCategory(record.caption);
            if (!category)
                category = container.AddCategory(CPropertyCategory::Create(record.caption));
            continue;
        }
        if (!category) // text that does not open with a group still gets a home
            category = container.AddCategory(CPropertyCategory::Create(u""));
        category->Add(std::make_unique<CPropertyBase>(this, record.kind, record.caption, record.defaultText,
                                                      record.description));
    }
    if (list != DefinitionList::First || IsPage() || IsInvisible())
        return;
    CPropertyCategory* position = container.AddCategory(CPropertyCategory::Create(u"Position & Size"));
    const std::u16string_view captions[][2] = {
        {u"X", u"Horizontal position"}, {u"Y", u"Vertical position"}, {u"Width", u"Width"}, {u"Height", u"Height"}};
    for (const auto& caption : captions)
        position->Add(std::make_unique<CPropertyBase>(this, PropertyKind::Int, caption[0], u"0", caption[1]));
}

void CSelectable::InitDefinedProperties()
{
    const CTypePropertyDefinitions* row = PropertyDefinitions::ForType(m_objectTypeIndex);
    if (!row)
        return;
    ParsePropertyDefinitions(row->classText, DefinitionList::First);
    ParsePropertyDefinitions(row->styleText, DefinitionList::Second);
    BuildProperties(DefinitionList::First);
    BuildProperties(DefinitionList::Second);
}

void CSelectable::ReplaceStyleDefinitions(std::u16string_view text)
{
    m_format.RemoveStyle();
    m_formatDefinitions.clear();
    ParsePropertyDefinitions(text, DefinitionList::Second);
    BuildProperties(DefinitionList::Second);
}

CPropertyBase* CSelectable::FindProperty(std::u16string_view category, std::u16string_view caption) const
{
    return m_properties.FindProperty(category, caption);
}

void CSelectable::WritePropertiesXml(DXMLElement& element) const
{
    for (const DefinitionList list : {DefinitionList::First, DefinitionList::Second}) {
        const CPropertyContainer& container = list == DefinitionList::First ? m_properties : m_format;
        std::u16string_view category;
        for (const CPropertyDefinition& record : GetDefinitions(list)) {
            if (record.kind == PropertyKind::Group) {
                category = record.caption;
                continue;
            }
            if (const CPropertyBase* property = container.FindProperty(category, record.caption))
                element.addChild(record.key)->setText(property->GetValueText());
        }
    }
}

void CSelectable::ReadPropertiesXml(const DXMLElement& element)
{
    ReadPropertyList(element, DefinitionList::First);
    ReadPropertyList(element, DefinitionList::Second);
}

void CSelectable::ReadPropertyList(const DXMLElement& element, DefinitionList list)
{
    CPropertyContainer& container = GetContainer(list);
    std::u16string_view category;
    for (const CPropertyDefinition& record : GetDefinitions(list)) {
        if (record.kind == PropertyKind::Group) {
            category = record.caption;
            continue;
        }
        CPropertyBase* property = container.FindProperty(category, record.caption);
        if (!property)
            continue;
        const DXMLElement* child = element.getChild(record.key);
        if (!child && IsPage() && record.key == u"transparency" && category == u"Page")
            child = element.getChild(u"int"); // older documents
        if (child) {
            std::u16string text = child->getText();
            ApplyPropertyChangeHook(category, record.caption, text);
            property->SetValue(CPropertyValue(std::move(text)));
        } else if (record.caption == u"_Original name") {
            const CPropertyBase* name = container.FindProperty(category, u"Name");
            property->SetValue(CPropertyValue(name ? name->GetValueText() : std::u16string()));
        } else {
            property->SetValue(CPropertyValue(missingValue(record)));
        }
    }
}

void CSelectable::MergeProperty(std::u16string_view containerName, std::u16string_view category,
                                std::u16string_view caption, CPropertySelectedList& merged) const
{
    const CPropertyContainer* container = nullptr;
    if (containerName == u"Properties")
        container = &m_properties;
    else if (containerName == u"Format")
        container = &m_format;
    merged.Merge(container, category, caption);
}

int32_t CSelectable::GetAppearanceInt(std::u16string_view caption) const
{
    const CPropertyBase* property = m_properties.FindProperty(u"Appearance", caption);
    if (!property || property->IsEmpty())
        return 0;
    return std::clamp(property->GetInt(), 0, 255);
}

uint32_t CSelectable::GetTargetColor(uint32_t storedColor) const
{
    return ColorToTarget(storedColor, GetAppearanceInt(u"Transparency"));
}

uint32_t CSelectable::ColorToTarget(uint32_t storedColor, int32_t transparency)
{
    const uint32_t alpha = transparency <= 0 ? 255u : uint32_t(255 - std::min(transparency, 255));
    const uint32_t red = storedColor & 0xFF;
    const uint32_t green = (storedColor >> 8) & 0xFF;
    const uint32_t blue = (storedColor >> 16) & 0xFF;
    return alpha << 24 | red << 16 | green << 8 | blue;
}

uint32_t CSelectable::CollectImage(DRIFFFile& target, CResourceIndex& resources, const CWinFreeImage* image)
{
    const TargetPicture::Converted picture =
        image ? TargetPicture::Convert(*image, resources.ColorDepth()) : TargetPicture::Converted{};
    if (picture.empty()) {
        resources.Append(target::kNoResource);
        return target::kNoResource;
    }
    const target::TargetImage view = picture.View();
    const target::ImageCompression compression = (resources.TargetFlags() & target::kTargetFlagCompress) != 0
        ? target::ImageCompression::Lzo
        : target::ImageCompression::None;
    return resources.AppendContent(CResourceIndex::Content::Image, target::imageContentCrc(view), imageContent(view),
                                   [&] { return target::writeImageChunk(target, view, compression); });
}

uint32_t CSelectable::CollectFont(DRIFFFile& target, CResourceIndex& resources, const DFontFileDescriptor* face)
{
    if (!face || face->absPath.isEmpty()) {
        resources.Append(target::kNoResource);
        return target::kNoResource;
    }
    return CollectFont(target, resources, std::filesystem::path(wideToUtf8(face->absPath.view())));
}

uint32_t CSelectable::CollectFont(DRIFFFile& target, CResourceIndex& resources, const std::filesystem::path& fontFile)
{
    const std::vector<uint8_t> bytes = readFontFile(fontFile);
    if (bytes.empty()) {
        resources.Append(target::kNoResource);
        return target::kNoResource;
    }
    return resources.AppendContent(CResourceIndex::Content::Font, target::fontContentCrc(bytes), bytes,
                                   [&] { return target::writeFontChunk(target, bytes); });
}

bool CSelectable::ApplyPropertyChangeHook(std::u16string_view category, std::u16string_view caption,
                                          std::u16string& text)
{
    CDocumentHost& host = CDocumentHost::Get();
    bool changed = false;
    if (category == u"Data" && host.IsImporting())
        changed = host.RenameImportedTags(text);
    if (caption == u"_Action script")
        changed = host.RenameScriptReferences(text) || changed;
    return changed;
}

int CSelectable::CompileActions(DRIFFFile& target, CActionCompileContext& context) const
{
    return CActionCompiler(context).CompileActions(target, *this);
}
