#pragma once
// The editor's settings: the user's key of the company "Corvane" and the program
// "VX-Editor", kept as an INI file under $XDG_CONFIG_HOME. Keys are paths whose parts
// are separated by "/" ("FontCache/descriptor00000000/absPath").

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QSettings;

class Registry {
public:
    Registry();
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // Nothing when the value is missing; readInteger also when it is not a number.
    std::optional<std::u16string> readString(std::string_view key) const;
    std::optional<int64_t> readInteger(std::string_view key) const;

    void writeString(std::string_view key, std::u16string_view value);
    void writeInteger(std::string_view key, int64_t value);

    // Removes a value, or a key with everything below it.
    void remove(std::string_view key);

    // Writes pending changes to the file; non-zero when that failed.
    [[nodiscard]] int sync();

    // The INI file the settings live in.
    std::string filePath() const;

private:
    std::unique_ptr<QSettings> m_settings;
};
