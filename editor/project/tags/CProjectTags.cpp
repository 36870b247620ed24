#include "editor/project/tags/CProjectTags.h"

#include <array>

#include "editor/document/CPropertyValue.h"
#include "editor/document/CTagType.h"
#include "editor/project/CFileAccess.h"
#include "editor/project/CProjectFileKind.h"
#include "foundation/DCharsetConverter.h"
#include "foundation/xml/DXMLParser.h"

namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" standalone=\"yes\" encoding=\"UTF-8\"?>\n";
constexpr std::u16string_view kNativeEncoding = u"native-encoding";
constexpr std::u16string_view kDtagsExtension = u"dtags";

struct StringTypeName {
    std::u16string_view name;
    uint32_t slot;
};

// Type names of older documents.
constexpr std::array<StringTypeName, 8> kStringTypeNames{{
    {u"string-Unicode", 11},
    {u"string-ASCII-Latin-1", 23},
    {u"string-ASCII-Latin-2", 24},
    {u"string-ASCII-Latin-3", 25},
    {u"string-ASCII-Latin-4", 26},
    {u"string-ASCII-Cyrillic", 27},
    {u"string-ASCII-Greek", 28},
    {u"string-ASCII-Arabic", 47},
}};

std::u16string currentTypeName(std::u16string_view type)
{
    if (type.size() >= 7 && type.substr(1, 6) == u"tring-")
        for (const StringTypeName& entry : kStringTypeNames)
            if (entry.name == type)
                return CTagType::Name(entry.slot);
    return std::u16string(type);
}

// Outside 1..65535 (or no number) a size takes the type's default, as a missing one does.
int32_t sizeOf(const DXMLElement& element, std::u16string_view type)
{
    const int32_t size = CPropertyValue(element.getAttribute(u"size")).ToInt();
    if (size >= CProjectTags::kMinSize && size <= CProjectTags::kMaxSize)
        return size;
    if (type.starts_with(u'c'))
        return 1;
    if (type.starts_with(u's'))
        return 2;
    return 4;
}

// Where the file form gives a row: its start, or none when the row is left out.
std::optional<uint32_t> fileAddress(const CTagRow& row)
{
    if (row.address.kind == CTagAddress::Kind::Fixed)
        return row.address.start;
    if (row.address.kind == CTagAddress::Kind::Memory)
        return row.allocated;
    return std::nullopt;
}

void addRow(CTagsModel& model, CTagRow row, TagsReading reading, IdenticalTags identical)
{
    if (row.name.empty())
        return;
    (void)model.AddTag(std::move(row), reading == TagsReading::Import ? identical : IdenticalTags::Keep);
}

} // namespace

void CProjectTags::WriteTags(DXMLElement& parent, const CTagsModel& model, TagsForm form, uint32_t nativeEncoding,
                             MemoryCheck check)
{
    DXMLElement& tags = *parent.addChild(u"tags");
    for (const CTagRow& row : model.Rows()) {
        if (row.name.empty())
            break;
        std::u16string type = row.type;
        if (form == TagsForm::File) {
            const std::optional<uint32_t> start = fileAddress(row);
            if (!start)
                continue;
            if (check == MemoryCheck::WithinTagMemory
                && uint64_t(*start) + uint64_t(std::max(row.size, 0)) > model.GetTagMemorySize())
                continue;
            if (type == kNativeEncoding)
                type = CTagType::Name(nativeEncoding);
        }
        DXMLElement& element = *tags.addChild(type);
        element.setText(row.name);
        const std::u16string address = row.address.Text();
        if (form == TagsForm::File && row.address.kind == CTagAddress::Kind::Memory)
            element.setAttribute(u"auto", FormatHex(*row.allocated, 0));
        else if (!address.empty())
            element.setAttribute(u"address", address);
        if (!CTagType::IsNumeric(row.type))
            element.setIntAttribute(u"size", row.size);
        if (row.originalName != row.name)
            element.setAttribute(u"orig", row.originalName);
    }
}

void CProjectTags::ReadTags(const DXMLElement& root, CTagsModel& model, TagsReading reading, IdenticalTags identical)
{
    const DXMLElement* tags = root.getChild(u"tags");
    if (!tags)
        return;
    if (reading == TagsReading::Load)
        model.Clear();
    if (tags->getChild(u"tag1")) {
        for (int n = 1;; ++n) {
            const DXMLElement* old = tags->getChild(u"tag" + CPropertyValue(int32_t(n)).Text());
            if (!old)
                break;
            CTagRow row;
            row.name = old->getText();
            addRow(model, std::move(row), reading, identical);
        }
        return;
    }
    for (const auto& element : tags->children()) {
        CTagRow row;
        row.name = element->getText();
        row.type = currentTypeName(element->name());
        row.size = sizeOf(*element, row.type);
        row.originalName = element->findAttribute(u"orig") >= 0 ? element->getAttribute(u"orig") : row.name;
        if (element->findAttribute(u"address") >= 0)
            row.address = CTagAddress::FromText(element->getAttribute(u"address"));
        else if (element->findAttribute(u"auto") >= 0)
            row.address = CTagAddress::Memory(); // placed again when the project compiles
        addRow(model, std::move(row), reading, identical);
    }
}

std::string CProjectTags::TagsFileBytes(CTagsModel& model, uint32_t nativeEncoding, MemoryCheck check)
{
    (void)model.AllocateMemoryTags();
    DXMLElement holder;
    WriteTags(holder, model, TagsForm::File, nativeEncoding, check);
    std::string bytes(kDeclaration);
    holder.children().front()->write(bytes);
    return bytes;
}

bool CProjectTags::ParseTagsFile(std::string_view bytes, CTagsModel& model, TagsReading reading,
                                 IdenticalTags identical)
{
    DXMLParser parser(bytes.data(), bytes.size());
    (void)parser.parse();
    if (!parser.root().getChild(u"tags"))
        return false;
    ReadTags(parser.root(), model, reading, identical);
    return true;
}

std::u16string CProjectTags::WriteTagsFile(const std::filesystem::path& path, CTagsModel& model,
                                           uint32_t nativeEncoding)
{
    const MemoryCheck check =
        KindOfFile(path) == ProjectFileKind::EngineTags ? MemoryCheck::WithinTagMemory : MemoryCheck::None;
    return CFileAccess::Write(path, TagsFileBytes(model, nativeEncoding, check));
}

std::u16string CProjectTags::LoadTagsFile(const std::filesystem::path& path, TagsPath exactness, CTagsModel& model,
                                          TagsReading reading, IdenticalTags identical)
{
    std::filesystem::path file = path;
    if (exactness == TagsPath::BesideTarget) {
        std::u16string text = path.u16string();
        const std::size_t dot = text.rfind(u'.');
        if (dot == std::u16string::npos)
            return {};
        text.replace(dot + 1, std::u16string::npos, kDtagsExtension);
        file = text;
    }
    std::string bytes;
    if (std::u16string error = CFileAccess::Read(file, bytes); !error.empty())
        return error;
    return ParseTagsFile(bytes, model, reading, identical) ? std::u16string() : std::u16string(kParseFailed);
}

std::string CProjectTags::ListingBytes(std::u16string_view listing)
{
    std::string bytes;
    bytes.reserve(listing.size());
    for (const char16_t unit : listing) {
        if (unit < 0x80) {
            bytes.push_back(char(unit));
            continue;
        }
        char narrow = '?';
        std::size_t written = 0;
        // Unit by unit, so one character the code page lacks costs only itself.
        if (DCharsetConverter::convert("WINDOWS-1252", "UTF-16LE", &unit, sizeof unit, &narrow, 1, &written) != 0
            || written != 1)
            narrow = '?';
        bytes.push_back(narrow);
    }
    return bytes;
}

std::u16string CProjectTags::WriteTagListing(const std::filesystem::path& path, CTagsModel& model)
{
    return CFileAccess::Write(path, ListingBytes(model.AllocateMemoryTags()));
}
