#pragma once
// The shared UTF-16 string: a growable zero-terminated buffer of char16_t units with a
// cached narrow copy. Buffers come from the installed allocator (DMemory).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

class DString {
public:
    // Which narrow character set toNarrow and toWide use: the editor writes the
    // Windows ANSI code page (Windows-1252), the engine converts to and from ASCII.
    enum class NarrowCharset { AnsiCodePage, Ascii };
    static void setNarrowCharset(NarrowCharset charset) { s_narrowCharset = charset; }
    static NarrowCharset narrowCharset() { return s_narrowCharset; }

    // The engine converts narrow text through the rows of its character-set table, the
    // same rows its tag values use; while a conversion is installed it replaces the charset.
    enum class NarrowDirection { ToNarrow, ToWide };
    using NarrowConversion = long (*)(NarrowDirection direction, const void* source, std::size_t sourceBytes,
                                      void* target, std::size_t targetBytes, std::size_t* written);
    static void setNarrowConversion(NarrowConversion conversion) { s_narrowConversion = conversion; }
    static NarrowConversion narrowConversion() { return s_narrowConversion; }

    DString();                               // capacity 17, empty
    DString(const char16_t* text);           // capacity = length + 17
    DString(std::u16string_view text);
    DString(const DString& other);           // capacity = other's length + 17
    DString(DString&& other) noexcept;
    virtual ~DString();

    static DString dash();                   // capacity 18, "-"
    // A surrogate pair packed in one word: low 16 bits first unit, high 16 bits second.
    static DString fromCodePoint(uint32_t packed);
    static DString withCapacity(uint32_t units); // 0 counts as 1; capacity n + 16

    DString& operator=(const DString& other);
    DString& operator=(DString&& other) noexcept;
    DString& operator=(const char16_t* text) { assign(text); return *this; }

    void assign(const char16_t* text);
    void assign(std::u16string_view text);
    void assign(const DString& other);
    void reserve(uint32_t units);            // content is not kept when the buffer is replaced
    void append(const char16_t* text);       // content is kept; text may lie in this buffer
    void append(std::u16string_view text);

    char16_t* toLower();
    char16_t* keepAlphanumerics();

    // Narrow conversion; toNarrow returns null (and keeps the old copy) on failure,
    // toWide leaves the string unchanged on failure and returns false.
    const char* toNarrow();
    bool toWide(const char* bytes);
    const char* narrow() const { return m_narrow; }

    // Writes the code points into out (at least length() entries) and returns their count.
    uint32_t codePoints(std::span<uint32_t> out) const;
    uint32_t codePointCount() const;
    uint32_t unitIndex(uint32_t codePoint) const;

    DString left(uint32_t units) const;
    DString rest(uint32_t index) const;
    DString concat(const char16_t* text) const;
    DString concat(const DString& other) const;

    const char16_t* data() const { return m_buffer; }
    char16_t* data() { return m_buffer; }
    uint32_t length() const { return m_length; }
    uint32_t capacity() const { return m_capacity; }
    bool isEmpty() const { return m_length == 0; }
    std::u16string_view view() const { return {m_buffer, m_length}; }
    // Recounts the length up to the terminator, after writing into data().
    void recount();

    bool operator==(const DString& other) const { return view() == other.view(); }
    bool operator==(std::u16string_view other) const { return view() == other; }

private:
    struct Capacity { uint32_t units; };
    explicit DString(Capacity capacity);
    void allocate(uint32_t capacity);
    void release();
    void freeNarrow();

    char16_t* m_buffer = nullptr;
    uint32_t m_capacity = 0;
    uint32_t m_length = 0;
    char* m_narrow = nullptr;

    static inline NarrowCharset s_narrowCharset = NarrowCharset::AnsiCodePage;
    static inline NarrowConversion s_narrowConversion = nullptr;
};

// Length in units of zero-terminated wide text.
uint32_t wideLength(const char16_t* text);
