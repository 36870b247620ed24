#include "editor/project/document/CProjectSettings.h"

#include <algorithm>
#include <array>
#include <variant>

#include "editor/document/CPropertyValue.h"
#include "editor/document/CTagType.h"
#include "foundation/xml/DXMLElement.h"

namespace {

constexpr std::u16string_view kTrue = u"TRUE";
constexpr std::u16string_view kFalse = u"FALSE";

using IntField = int32_t CProjectSettings::*;
using BoolField = bool CProjectSettings::*;
using TextField = std::u16string CProjectSettings::*;
using TargetIntField = int CTargetSettings::*;
struct PageSizeField {};
struct EncodingField {};
struct PasswordField {};

struct Attribute {
    std::u16string_view name;
    std::variant<IntField, BoolField, TextField, TargetIntField, PageSizeField, EncodingField, PasswordField> field;
};

// The document's order.
const std::array<Attribute, 20> kAttributes{{
    {u"formatVersion", &CProjectSettings::formatVersion},
    {u"importCnt", &CProjectSettings::importCnt},
    {u"grid", &CProjectSettings::grid},
    {u"gridSnap", &CProjectSettings::gridSnap},
    {u"gridStyle", &CProjectSettings::gridStyle},
    {u"zoom", &CProjectSettings::zoom},
    {u"language", &CProjectSettings::language},
    {u"holdFirst", &CProjectSettings::holdFirst},
    {u"holdRepeat", &CProjectSettings::holdRepeat},
    {u"password", PasswordField{}},
    {u"SSstart", &CProjectSettings::SSstart},
    {u"layerInitiallyVisible", &CProjectSettings::layerInitiallyVisible},
    {u"layerHorzPosition", &CProjectSettings::layerHorzPosition},
    {u"layerVertPosition", &CProjectSettings::layerVertPosition},
    {u"pageSize", PageSizeField{}},
    {u"targetFlags", &CTargetSettings::targetFlags},
    {u"colorBits", &CTargetSettings::colorBits},
    {u"textAliasing", &CTargetSettings::textAliasing},
    {u"tagMemorySize", &CTargetSettings::tagMemorySize},
    {u"nativeEncoding", EncodingField{}},
}};

bool equalsWithoutCase(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
               const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; };
               return lower(x) == lower(y);
           });
}

int32_t toInt(std::u16string_view text)
{
    return CPropertyValue(text).ToInt();
}

std::u16string fromInt(int32_t value)
{
    return CPropertyValue(value).Text();
}

// Digits from the front of text; false when there are none.
bool leadingNumber(std::u16string_view text, int64_t& value)
{
    std::size_t at = 0;
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t'))
        ++at;
    const std::size_t first = at;
    value = 0;
    while (at < text.size() && text[at] >= u'0' && text[at] <= u'9') {
        value = std::min<int64_t>(value * 10 + (text[at] - u'0'), int64_t(1) << 31);
        ++at;
    }
    return at > first;
}

} // namespace

CPageSize CPageSize::Parse(std::u16string_view text)
{
    const auto clampSide = [](int64_t side) { return int32_t(std::clamp<int64_t>(side, kMinSide, kMaxSide)); };
    CPageSize size;
    int64_t width = 0;
    (void)leadingNumber(text, width);
    size.width = clampSide(width);
    const std::size_t x = text.find_first_of(u"xX");
    if (x == std::u16string_view::npos) {
        size.height = size.width;
        return size;
    }
    int64_t height = 0;
    (void)leadingNumber(text.substr(x + 1), height);
    size.height = clampSide(height);
    return size;
}

void CProjectSettings::WriteAttributes(DXMLElement& root) const
{
    for (const Attribute& attribute : kAttributes) {
        std::u16string value;
        if (attribute.name == u"formatVersion")
            value = fromInt(kFormatVersion);
        else if (const auto* i = std::get_if<IntField>(&attribute.field))
            value = fromInt(this->**i);
        else if (const auto* b = std::get_if<BoolField>(&attribute.field))
            value = this->**b ? kTrue : kFalse;
        else if (const auto* t = std::get_if<TextField>(&attribute.field))
            value = this->**t;
        else if (const auto* ti = std::get_if<TargetIntField>(&attribute.field))
            value = fromInt(target.**ti);
        else if (std::holds_alternative<PageSizeField>(attribute.field))
            value = target.pageSize;
        else if (std::holds_alternative<EncodingField>(attribute.field))
            value = CTagType::Name(target.nativeEncoding);
        else
            value = password;
        root.setAttribute(attribute.name, value);
    }
}

void CProjectSettings::ReadAttributes(const DXMLElement& root)
{
    for (const Attribute& attribute : kAttributes) {
        if (root.findAttribute(attribute.name) < 0)
            continue;
        const std::u16string value = root.getAttribute(attribute.name);
        if (const auto* i = std::get_if<IntField>(&attribute.field)) {
            this->**i = toInt(value);
        } else if (const auto* b = std::get_if<BoolField>(&attribute.field)) {
            // An empty text says nothing of the layer; the grid flags are plain.
            if (*b == &CProjectSettings::layerInitiallyVisible && value.empty())
                continue;
            this->**b = equalsWithoutCase(value, kTrue);
        } else if (const auto* t = std::get_if<TextField>(&attribute.field)) {
            this->**t = value;
        } else if (const auto* ti = std::get_if<TargetIntField>(&attribute.field)) {
            target.**ti = toInt(value);
        } else if (std::holds_alternative<PageSizeField>(attribute.field)) {
            target.pageSize = value;
        } else if (std::holds_alternative<EncodingField>(attribute.field)) {
            const int32_t slot = CTagType::Slot(value);
            if (slot >= 0 && !CTagType::Name(uint32_t(slot)).empty())
                target.nativeEncoding = uint32_t(slot);
        } else if (!value.empty()) {
            password = value.front() == u'"' ? std::u16string() : value;
        }
    }
    formatVersion = ReadFormatVersion(root);
}

int32_t CProjectSettings::ReadFormatVersion(const DXMLElement& root)
{
    return root.findAttribute(u"formatVersion") < 0 ? 0 : toInt(root.getAttribute(u"formatVersion"));
}
