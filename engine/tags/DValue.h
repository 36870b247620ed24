#pragma once
// A tag value: a 16-bit or 32-bit signed integer, or a string of a fixed byte size in one
// character set of the character-set table (the type code is the table row). Whoever
// changes a value marks it written; its controller writes it through at the next update
// and clears the mark.

#include <cstdint>
#include <span>

#include "engine/tags/DCharsetTable.h"
#include "engine/core/DObject.h"

class DItem;

class DValue : public DObject {
public:
    static constexpr uint32_t kShort = DCharsetTable::kShort;
    static constexpr uint32_t kInteger = DCharsetTable::kInteger;
    static constexpr uint32_t kNotSet = DCharsetTable::kRowCount; // holds nothing
    // Spare zero bytes behind a string's bytes, so its text is always terminated.
    static constexpr uint32_t kSpareBytes = 3;

    [[nodiscard]] static bool isNumberType(uint32_t type) { return type == kShort || type == kInteger; }
    // Every named row from "native-encoding" on is a character set.
    [[nodiscard]] static bool isStringType(uint32_t type)
    {
        return type >= DCharsetTable::kNativeEncoding && type < DCharsetTable::kRowCount;
    }

    DValue() = default;
    ~DValue() override;
    DValue(const DValue&) = delete;
    DValue& operator=(const DValue&) = delete;

    // Numbers become 0; a string gets size zero bytes. Any other type holds nothing.
    void init(DItem* owner, uint16_t size, uint32_t type);
    // Copies a string's bytes (at most its size; the rest becomes zero).
    void setBytes(std::span<const uint8_t> bytes);

    // Same type and the same number (16 or 32 bits), or the same size and bytes.
    [[nodiscard]] bool equals(const DValue& other) const;
    // Numbers take numbers and strings take strings (converted between character sets);
    // a number never becomes a string or back.
    void assign(const DValue& source);
    // Adds a number, or puts a string behind the current text when there is room.
    void append(const DValue& source);
    // -1, 0 or 1: the sign of this value minus the reference.
    [[nodiscard]] int compare(const DValue& reference) const;

    [[nodiscard]] uint32_t type() const { return m_type; }
    [[nodiscard]] uint16_t size() const { return m_size; }
    [[nodiscard]] DItem* owner() const { return m_owner; }
    [[nodiscard]] bool isNumber() const { return isNumberType(m_type); }
    [[nodiscard]] bool isString() const { return isStringType(m_type); }

    // The 32-bit word of a number; a 16-bit value lives in its low half. 0 for strings.
    [[nodiscard]] int32_t number() const { return m_number; }
    // A 16-bit tag keeps the low half, sign-extended, as an assignment leaves it.
    void setNumber(int32_t number)
    {
        if (m_type == kShort)
            m_number = int16_t(uint16_t(uint32_t(number)));
        else if (m_type == kInteger)
            m_number = number;
    }
    // The number as widgets show it: a 16-bit value unsigned, a 32-bit one as it is,
    // anything else 0.
    [[nodiscard]] int32_t shownNumber() const;
    // A string's size bytes (three zero bytes follow them); empty for anything else.
    [[nodiscard]] std::span<uint8_t> bytes() { return {m_buffer, m_buffer ? m_size : 0u}; }
    [[nodiscard]] std::span<const uint8_t> bytes() const { return {m_buffer, m_buffer ? m_size : 0u}; }

    [[nodiscard]] bool isWritten() const { return m_written != 0; }
    void markWritten() { m_written = 1; }
    void clearWritten() { m_written = 0; }

private:
    void releaseBuffer();
    // Bytes of text before the first zero unit, counted in the set's unit width.
    [[nodiscard]] uint32_t contentBytes() const;
    // Copies or converts a string source into the buffer from offset on.
    void putString(const DValue& source, uint32_t offset);

    uint32_t m_type = kNotSet;
    int32_t m_number = 0;
    uint8_t* m_buffer = nullptr;
    uint16_t m_size = 0;
    DItem* m_owner = nullptr;
    uint32_t m_written = 0;
};
