#pragma once
// The most recently opened projects, newest first, kept in the settings under
// "Recent File List" as "File1" ... "File10". An entry stays when its file is gone:
// opening it reports the error, and the list is the user's to prune.

#include <string>
#include <vector>

class Registry;

class CRecentFileList {
public:
    static constexpr std::size_t kMaxEntries = 10;

    explicit CRecentFileList(Registry& registry);

    // Moves path to the front (an equal entry is not kept twice); the oldest entry
    // beyond the tenth goes. Written to the settings at once.
    void Add(const std::u16string& path);
    void Remove(const std::u16string& path);
    const std::vector<std::u16string>& Entries() const { return m_entries; }

private:
    void write();

    Registry& m_registry;
    std::vector<std::u16string> m_entries;
};
