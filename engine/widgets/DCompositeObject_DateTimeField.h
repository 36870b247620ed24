#pragma once
// A tag's value as a date, a time of day or an elapsed time. The text is put together
// part by part with the separator between the parts, so whatever the separator holds
// is shown as it is.

#include <cstdint>
#include <string_view>

#include "engine/widgets/DCompositeObject_Field.h"
#include "foundation/DString.h"
#include "foundation/target/TargetFieldText.h"

class DCompositeObject_DateTimeField : public DCompositeObject_Field {
public:
    // The longest text shown.
    static constexpr uint32_t kMaxLength = target::kDateTimeMaxLength;

    // The parts of a format code, shared with the editor's preview.
    using Quantity = target::DateTimeQuantity;
    using Part = target::DateTimePart;
    using Pattern = target::DateTimePattern;

    int load(DFile& file) override;
    void onValueChanged(DItem& item) override;

    // The pattern of a code, or null for a code with none.
    static const Pattern* findPattern(uint32_t code);
    // The text of value in pattern with separator between the parts, at most kMaxLength
    // units; false when a date or time value cannot be broken down (the text is then kept).
    static bool formatValue(const Pattern& pattern, std::u16string_view separator, int32_t value, DString& out);

    std::u16string_view separator() const { return {m_separator, m_separatorLength}; }
    uint32_t formatCode() const { return m_code; }

private:
    uint32_t m_code = 0;
    const Pattern* m_pattern = nullptr;
    char16_t m_separator[4] = {};
    uint32_t m_separatorLength = 0;
    DString m_shown;
};
