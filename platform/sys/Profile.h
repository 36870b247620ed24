#pragma once
// Private-profile (ini) files as Windows programs read them: "[section]" lines and
// "key=value" lines; section and key names match without regard to case (ASCII), the
// first matching section and key win, names and values are trimmed, and a value wrapped
// in a pair of matching quotes loses them. Files are UTF-8 (a byte order mark is
// skipped); a byte that is not UTF-8 reads as U+FFFD. No Qt, so the theme plug-ins can use it.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

class Profile {
public:
    // A larger file is not read: a settings file is never that big.
    static constexpr std::uintmax_t kMaxFileBytes = 1u << 20;

    Profile() = default;
    explicit Profile(std::u16string text) : m_text(std::move(text)) {}

    // An unreadable, missing or oversized file gives an empty profile.
    static Profile load(const std::filesystem::path& path);

    // The value, or nothing when the section or the key is missing.
    std::optional<std::u16string> value(std::u16string_view section, std::u16string_view key) const;

    // What the private-profile read gives: the value or fallback, cut to at most
    // maxCharacters characters.
    static std::u16string readString(const std::filesystem::path& path, std::u16string_view section,
                                     std::u16string_view key, std::u16string_view fallback, std::size_t maxCharacters);

    static std::u16string decodeUtf8(std::string_view bytes);

private:
    std::u16string m_text;
};
