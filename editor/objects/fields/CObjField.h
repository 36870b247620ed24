#pragma once
// The numeric, text and date/time fields (types 3 to 7): at run time they show their
// "Value tag" as text; the editor shows a sample text in the object's font, formatted
// by the same code the panel formats with.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "editor/objects/CEditorObject.h"
#include "foundation/target/TargetFieldWords.h"
#include "foundation/target/TargetFields.h"

class CObjField : public CEditorObject {
public:
    // The sample digits, taken from the right, and the elapsed time the clock rows show
    // (12, 34, 56 and 78 hundredths).
    static constexpr int32_t kSampleNumber = 987;
    static constexpr uint64_t kSampleClock = ((12 * 60 + 34) * 60 + 56) * 100 + 78;
    static constexpr std::u16string_view kSampleText = u"Dynamic text";
    // Shown when the local time cannot be broken down.
    static constexpr std::u16string_view kNoTimeText = u"??????";

    explicit CObjField(int32_t objectTypeIndex) : CEditorObject(objectTypeIndex) {}

    bool CanDeferRender() const override { return false; }
    bool HasMultiLineText() const override { return false; }
    bool IsStringTagProperty(std::u16string_view caption) const override;
    void InitProperties() override;
    void WriteXml(DXMLElement& parent) const override;
    void CollectImages(DRIFFFile& target, CResourceIndex& resources) override;
    int Compile(DRIFFFile& target, CObjectCompileContext& context) override;
    gfx::Surface RenderPreview() override;

    bool IsNumeric() const;
    bool IsDateTime() const;

    // The class words as compiled, the value tag left for the compile to resolve.
    target::NumericFieldWords GetNumericWords() const;
    target::DateTimeFieldWords GetDateTimeWords() const;
    // The code of the "DTC format" value; kNoFormat when no row has that text.
    uint32_t GetFormatCode() const;
    // The "Separator" in the Windows code page, cut to what the panel keeps.
    target::DateTimeSeparator GetSeparator() const;

    // The text the preview shows; the date/time field's at the local time now.
    std::u16string GetSampleText() const;
    // The date/time sample at a local time (none: it could not be broken down).
    std::u16string GetDateTimeSample(const std::optional<std::tm>& localTime) const;

private:
    // "Nr of digits" and "Nr of decimal digits" as the format word holds them.
    struct DigitCounts {
        uint32_t digits;   // before the point
        uint32_t decimals;
    };
    DigitCounts GetDigitCounts() const;
    uint32_t GetAccessWord() const;
};
