#pragma once
// Original tag names that became others (an import's renamed tags, a merge's joined
// rows), and their application to what a page or object holds: its "Data" values and
// the tags its action script names.

#include <map>
#include <string>
#include <string_view>

class CSelectable;

class CTagRenames {
public:
    static constexpr std::u16string_view kDataCategory = u"Data";
    static constexpr std::u16string_view kBehavior = u"Behavior";
    static constexpr std::u16string_view kActionScript = u"_Action script";

    void Add(std::u16string_view from, std::u16string_view to);
    bool empty() const { return m_renames.empty(); }
    // Renames name in place; true when it was one of the renamed names.
    bool Rename(std::u16string& name) const;

    // The owner's "Data" values and script follow the renames; true when any changed.
    // Values are set as the properties pane sets them, so the project is marked modified.
    bool ApplyTo(CSelectable& owner, int formatVersion) const;

private:
    std::map<std::u16string, std::u16string, std::less<>> m_renames;
};
