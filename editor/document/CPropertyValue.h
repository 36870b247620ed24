#pragma once
// The value a property holds: text, a signed or unsigned 32-bit integer or a boolean,
// with the conversions the property getters need.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

class CPropertyValue {
public:
    CPropertyValue() = default;
    CPropertyValue(std::u16string_view text) : m_value(std::u16string(text)) {}
    CPropertyValue(const char16_t* text) : m_value(std::u16string(text)) {}
    CPropertyValue(std::u16string text) : m_value(std::move(text)) {}
    CPropertyValue(int32_t value) : m_value(value) {}
    CPropertyValue(uint32_t value) : m_value(value) {}
    CPropertyValue(bool value) : m_value(value) {}

    // Numbers in decimal, booleans as "true" or "false".
    std::u16string Text() const;
    bool IsEmpty() const { return Text().empty(); }
    // Text that does not read as a number gives 0; a fraction rounds to the nearest
    // (halves to even); out of range clamps.
    int32_t ToInt() const;
    uint32_t ToUInt() const;
    // Text: "true" and "false" in any case, else a number that is not 0.
    bool ToBool() const;

    const std::variant<std::u16string, int32_t, uint32_t, bool>& Raw() const { return m_value; }
    bool operator==(const CPropertyValue& other) const { return m_value == other.m_value; }

private:
    std::variant<std::u16string, int32_t, uint32_t, bool> m_value;
};

// Values compare as text: empty sorts first, then unit by unit, then the shorter first.
int CompareValueTexts(std::u16string_view first, std::u16string_view second);
