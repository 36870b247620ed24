#include "editor/objects/fields/CObjField.h"

#include <algorithm>
#include <mutex>

#include "editor/objects/CObjectFonts.h"
#include "editor/objects/fields/CDateTimeFormats.h"
#include "editor/objects/shared/CHatchBrush.h"
#include "editor/objects/shared/CObjectProperty.h"
#include "editor/objects/shared/CObjectRecordWriter.h"
#include "editor/objects/text/CObjText.h"
#include "foundation/DRIFFFile.h"
#include "foundation/DString.h"
#include "foundation/target/TargetClassData.h"
#include "foundation/target/TargetFieldText.h"
#include "foundation/target/TargetPage.h"
#include "foundation/text/DRendererBitmap.h"

namespace {

constexpr std::u16string_view kAppearance = u"Appearance";
constexpr std::u16string_view kValueTag = u"Value tag";

using Type = target::WidgetType;

bool isType(int32_t index, std::initializer_list<Type> types)
{
    return std::any_of(types.begin(), types.end(), [&](Type type) { return int32_t(type) == index; });
}

std::u16string listValue(const CSelectable& owner, std::u16string_view category, std::u16string_view caption)
{
    const CPropertyBase* property = owner.FindProperty(category, caption);
    return property ? property->GetListValue() : std::u16string();
}

} // namespace

bool CObjField::IsNumeric() const
{
    return isType(GetObjectTypeIndex(), {Type::NumericField, Type::EditableNumericField});
}

bool CObjField::IsDateTime() const
{
    return isType(GetObjectTypeIndex(), {Type::DateTimeField});
}

bool CObjField::IsStringTagProperty(std::u16string_view) const
{
    return isType(GetObjectTypeIndex(), {Type::TextField, Type::EditableTextField});
}

void CObjField::InitProperties()
{
    CEditorObject::InitProperties();
    if (CPropertyBase* format = FindProperty(kAppearance, u"DTC format"))
        format->SetValue(CPropertyValue(CDateTimeFormats::DefaultText()));
}

void CObjField::WriteXml(DXMLElement& parent) const
{
    CObjText::WriteTextXml(*this, parent);
}

CObjField::DigitCounts CObjField::GetDigitCounts() const
{
    // The format word holds each count in a byte: a bigger one is cut to what it holds.
    constexpr int64_t kMost = target::NumericFieldWords::kCountMask;
    const int64_t digits = CObjectProperty::Int(*this, kAppearance, u"Nr of digits", 0);
    const int64_t decimals = std::clamp<int64_t>(CObjectProperty::Int(*this, kAppearance, u"Nr of decimal digits", 0),
                                                 0, kMost);
    return {uint32_t(std::clamp<int64_t>(digits - decimals, 0, kMost)), uint32_t(decimals)};
}

uint32_t CObjField::GetAccessWord() const
{
    using Words = target::NumericFieldWords;
    if (!FindProperty(u"Behavior", u"Accessing"))
        return Words::kAccessRead;
    const std::u16string access = listValue(*this, u"Behavior", u"Accessing");
    return access == u"Read" ? Words::kAccessRead : access == u"Write" ? Words::kAccessWrite : Words::kAccessReadWrite;
}

target::NumericFieldWords CObjField::GetNumericWords() const
{
    using Words = target::NumericFieldWords;
    const DigitCounts counts = GetDigitCounts();
    Words words;
    words.format = Words::formatWord(counts.digits, counts.decimals);
    words.flags = (listValue(*this, kAppearance, u"Leading zeros") == u"Show" ? Words::kFlagLeadingZeros : 0)
        | (counts.decimals > 0 ? Words::kFlagDecimals : 0);
    CObjectRecordWriter::ReadScaling(*this).ApplyTo(words);
    words.access = GetAccessWord();
    return words;
}

uint32_t CObjField::GetFormatCode() const
{
    return CDateTimeFormats::CodeOf(listValue(*this, kAppearance, u"DTC format"));
}

target::DateTimeSeparator CObjField::GetSeparator() const
{
    const CPropertyBase* property = FindProperty(kAppearance, u"Separator");
    DString text(property ? property->GetValueText() : std::u16string());
    const char* narrow = text.isEmpty() ? nullptr : text.toNarrow();
    return target::DateTimeSeparator::fromText(narrow ? std::string_view(narrow) : std::string_view());
}

target::DateTimeFieldWords CObjField::GetDateTimeWords() const
{
    target::DateTimeFieldWords words;
    words.formatCode = GetFormatCode();
    words.separator = GetSeparator();
    return words;
}

std::u16string CObjField::GetDateTimeSample(const std::optional<std::tm>& localTime) const
{
    const target::DateTimePattern* pattern = target::findDateTimePattern(GetFormatCode());
    if (!pattern)
        return {};
    target::DateTimeParts parts;
    parts.hundredths = kSampleClock;
    if (target::showsPointInTime(*pattern)) {
        if (!localTime)
            return std::u16string(kNoTimeText);
        parts.day = localTime->tm_mday;
        parts.month = localTime->tm_mon + 1;
        parts.year = localTime->tm_year + 1900;
        parts.hour = localTime->tm_hour;
        parts.minute = localTime->tm_min;
        parts.second = localTime->tm_sec;
    }
    // The separator as the panel reads it back: what the compile kept of it.
    const target::DateTimeSeparator kept = GetSeparator();
    const std::string bytes(kept.text());
    DString separator;
    if (!bytes.empty() && !separator.toWide(bytes.c_str()))
        separator.assign(u"");
    char16_t text[target::kDateTimeMaxLength];
    const uint32_t length = target::formatDateTime(*pattern, separator.view(), parts, text);
    return {text, length};
}

std::u16string CObjField::GetSampleText() const
{
    if (IsNumeric()) {
        const target::NumericFieldWords words = GetNumericWords();
        char16_t text[target::kFieldNumberMaxWidth + 1];
        const uint32_t length =
            target::formatFieldNumber(kSampleNumber, words.decimals(), words.digits(), words.leadingZeros(), text);
        return {text, length};
    }
    if (IsDateTime()) {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        return GetDateTimeSample(localtime_r(&now, &local) ? std::optional<std::tm>(local) : std::nullopt);
    }
    return std::u16string(kSampleText);
}

gfx::Surface CObjField::RenderPreview()
{
    const DSize size = GetWorkSize();
    if (size.width <= 0 || size.height <= 0)
        return {};
    gfx::Surface picture = RenderTextPreview(GetSampleText(), size);
    if (!picture.isValid())
        picture = gfx::Surface(size.width, size.height);
    if (!picture.isValid())
        return {};
    // The field's extent shows on any background.
    const CHatchBrush frame(CHatchBrush::kFieldForeground, CHatchBrush::kFieldBackground);
    frame.FrameRect(picture.pixels(), gfx::Rect::fromSize(0, 0, size.width, size.height));
    return picture;
}

void CObjField::CollectImages(DRIFFFile& target, CResourceIndex& resources)
{
    CollectFont(target, resources, CObjectFonts::FindFace(GetTextDescriptor()));
}

int CObjField::Compile(DRIFFFile& target, CObjectCompileContext& context)
{
    CObjectRecordWriter::WriteHeader(target, *this, target::WidgetType(GetObjectTypeIndex()), context);
    const target::TagReference tag = CObjectRecordWriter::ResolveTag(*this, kValueTag, context);
    if (IsNumeric()) {
        target::NumericFieldWords words = GetNumericWords();
        words.valueTag = tag;
        target::writeClassData(target, words);
    } else if (IsDateTime()) {
        target::DateTimeFieldWords words = GetDateTimeWords();
        words.valueTag = tag;
        target::writeClassData(target, words);
    } else {
        target::TextFieldWords words;
        words.valueTag = tag;
        target::writeClassData(target, words);
    }
    const CDiagramRect rect = GetRect();
    const gfx::Rect area{rect.left, rect.top, rect.right, rect.bottom};
    CompileElement(target, target::ElementKind::Text, area, context);
    // In the place of the frame picture, which compiled fields never have.
    CompileElement(target, target::ElementKind::Placeholder, area, context);
    return 0;
}
