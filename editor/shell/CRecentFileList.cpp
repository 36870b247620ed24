#include "editor/shell/CRecentFileList.h"

#include <algorithm>

#include "platform/sys/Registry.h"

namespace {

constexpr const char* kSection = "Recent File List";

std::string entryKey(std::size_t index) { return std::string(kSection) + "/File" + std::to_string(index + 1); }

} // namespace

CRecentFileList::CRecentFileList(Registry& registry) : m_registry(registry)
{
    for (std::size_t i = 0; i < kMaxEntries; ++i) {
        const auto value = m_registry.readString(entryKey(i));
        if (value && !value->empty() && std::find(m_entries.begin(), m_entries.end(), *value) == m_entries.end())
            m_entries.push_back(*value);
    }
}

void CRecentFileList::Add(const std::u16string& path)
{
    if (path.empty())
        return;
    std::erase(m_entries, path);
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > kMaxEntries)
        m_entries.resize(kMaxEntries);
    write();
}

void CRecentFileList::Remove(const std::u16string& path)
{
    std::erase(m_entries, path);
    write();
}

void CRecentFileList::write()
{
    m_registry.remove(kSection);
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        m_registry.writeString(entryKey(i), m_entries[i]);
    (void)m_registry.sync();
}
