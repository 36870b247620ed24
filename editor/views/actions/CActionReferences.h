#pragma once
// The tags, pages and objects an action line refers to: shown by their current names,
// stored by their original names. Also the names the parameter boxes offer. A name that
// matches nothing is left as it is, so a dangling reference is never lost.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CDiagramEntityContainer;
class CProject;
class CSelectable;

enum class NameDirection {
    ToCurrent,    // stored original names to the names the user sees
    ToOriginal,   // names the user typed to what the script stores
};

enum class TagKind { Numeric, String };

class CActionReferences {
public:
    // Both may be none: no project converts no tags or pages, no target no objects.
    CActionReferences(const CProject* project, const CSelectable* target);

    std::u16string Convert(uint32_t action, std::u16string_view parameters, NameDirection direction) const;

    // "<objectTag>" first when the target's kind has a main tag, then the tags of that
    // kind in grid order, then the system tags when asked.
    enum class SystemTags { Leave, Add };
    std::vector<std::u16string> TagNames(TagKind kind, SystemTags system) const;
    // Every page but the target's own and the "Global" pages.
    std::vector<std::u16string> PageNames() const;
    // The page's objects that take input, but the target, in container order; then the
    // directions when the target itself takes input.
    std::vector<std::u16string> ObjectNames() const;

    // The page the target is on (the target itself for a page); none.
    const CSelectable* ActivePage() const;
    // The page editor holding the target's objects; none while the page is closed.
    const CDiagramEntityContainer* ObjectEditor() const;

private:
    bool RenameTag(std::u16string& name, NameDirection direction) const;
    bool RenamePage(std::u16string& name, NameDirection direction) const;
    bool RenameObject(std::u16string& name, NameDirection direction) const;

    const CProject* m_project;
    const CSelectable* m_target;
};
