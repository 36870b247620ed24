#include "platform/sys/Library.h"

#include <dlfcn.h>
#include <utility>

Library::~Library()
{
    unload();
}

Library::Library(Library&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)), m_error(std::move(other.m_error))
{
}

Library& Library::operator=(Library&& other) noexcept
{
    if (this != &other) {
        unload();
        m_handle = std::exchange(other.m_handle, nullptr);
        m_error = std::move(other.m_error);
    }
    return *this;
}

int Library::load(const std::filesystem::path& path)
{
    unload();
    m_error.clear();
    m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        const char* reason = dlerror();
        m_error = reason ? reason : "cannot load " + path.string();
        return 1;
    }
    return 0;
}

void Library::unload()
{
    if (m_handle)
        dlclose(std::exchange(m_handle, nullptr));
}

void* Library::symbol(const char* name) const
{
    return m_handle && name ? dlsym(m_handle, name) : nullptr;
}
