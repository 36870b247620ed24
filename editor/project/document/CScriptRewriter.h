#pragma once
// Rewrites the references of an action script after an import or for an older document:
// tag names (the tag of a tag action and a value that names a tag), the page of "Go to
// page X", and former action names, which the script then stores by their current names.

#include <functional>
#include <string>

struct CReferenceRenames {
    // Each renames a reference (an original name) in place; true when it changed it.
    std::function<bool(std::u16string&)> tag;
    std::function<bool(std::u16string&)> page;
};

class CScriptRewriter {
public:
    // Documents before this version name actions as older editors did and are stored
    // again in the current form.
    static constexpr int kCurrentNamesVersion = 2;

    // True when the script changed. A text that holds no entries is left as it is.
    static bool Rewrite(std::u16string& script, int formatVersion, const CReferenceRenames& renames);
    // The tag and value parts of a tag action's parameter text renamed; true on a change.
    static bool RewriteTagParameters(std::u16string& parameters, const std::function<bool(std::u16string&)>& tag);
};
