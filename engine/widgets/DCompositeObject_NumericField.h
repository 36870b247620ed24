#pragma once
// A tag's value as a scaled number with a fixed number of digits and decimals; the
// editable kind (type 4) takes digits and a sign and writes the number back.

#include <cstdint>
#include <string_view>

#include "engine/widgets/DCompositeObject_Field.h"
#include "foundation/DString.h"
#include "foundation/target/TargetFieldText.h"
#include "foundation/target/TargetPage.h"

class DCompositeObject_NumericField : public DCompositeObject_Field {
public:
    // The class words that shape the number.
    struct Format {
        uint32_t decimals = 0;     // digits after the point
        uint32_t digits = 0;       // digits before the point
        bool leadingZeros = false; // the whole width filled with zeros
        int32_t multiplier = 1;
        int32_t divisor = 1;
        int32_t offset = 0;
    };
    // The widest number shown.
    static constexpr uint32_t kMaxWidth = target::kFieldNumberMaxWidth;

    int load(DFile& file) override;
    void onValueChanged(DItem& item) override;
    Entry entryKind() const override { return m_typeId == kEditable ? Entry::Numeric : Entry::None; }
    void commitText(const DString& text) override;

    const Format& format() const { return m_format; }

    // v x multiplier / divisor + offset in 64 bits, then cut to 32 (a multiplier of 1 and a
    // divisor of 1 or 0 are skipped; the division truncates toward zero).
    static int32_t scaledValue(int32_t value, const Format& format);
    // The inverse for an entered number: divisor x (n - offset) / multiplier (a divisor of 0
    // counts as 1, as the display skipped it; a multiplier of 1 or 0 is skipped).
    static int32_t rawValue(int32_t entered, const Format& format);
    // The shown text of a scaled value, written into out; returns its length.
    static uint32_t formatNumber(int32_t scaled, const Format& format, char16_t (&out)[kMaxWidth + 2]);
    // An entered text as the scaled number it shows: an optional "-", digits, and after a
    // point at most the field's decimals; a missing fraction counts as zeros.
    static int32_t parseEntry(std::u16string_view text, uint32_t decimals);

protected:
    const char16_t* initialText() const override { return u"0"; }

private:
    static constexpr uint32_t kEditable = uint32_t(target::WidgetType::EditableNumericField);
    Format m_format;
    DString m_shown; // reused for every value shown
};
