#pragma once
// A shared library loaded at run time (the theme plug-ins), resolved at once and kept to
// itself (RTLD_NOW | RTLD_LOCAL); unloaded when the object goes.

#include <filesystem>
#include <string>

class Library {
public:
    Library() = default;
    ~Library();
    Library(Library&& other) noexcept;
    Library& operator=(Library&& other) noexcept;
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    // Unloads what was loaded, then loads path; non-zero when it does not load
    // (errorText() then says why).
    [[nodiscard]] int load(const std::filesystem::path& path);
    void unload();
    bool isLoaded() const { return m_handle != nullptr; }

    // The address of an exported symbol, or null.
    void* symbol(const char* name) const;
    template <typename Function>
    Function function(const char* name) const
    {
        return reinterpret_cast<Function>(symbol(name));
    }

    const std::string& errorText() const { return m_error; }

private:
    void* m_handle = nullptr;
    std::string m_error;
};
