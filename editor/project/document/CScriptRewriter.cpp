#include "editor/project/document/CScriptRewriter.h"

#include <algorithm>
#include <array>

#include "editor/document/CActionScript.h"
#include "foundation/TextHelpers.h"

namespace {

// Actions whose parameters read "<tag> <operator> <value>", a limit after "; ".
constexpr std::array<uint32_t, 10> kTagActions{14, 16, 17, 24, 25, 32, 34, 41, 43, 45};
constexpr uint32_t kGoToPage = 3;
constexpr std::u16string_view kLimitSeparator = u"; ";

bool isTagAction(uint32_t action)
{
    return std::find(kTagActions.begin(), kTagActions.end(), action) != kTagActions.end();
}

bool renameWith(const std::function<bool(std::u16string&)>& rename, std::u16string& text)
{
    return rename && !text.empty() && rename(text);
}

} // namespace

bool CScriptRewriter::RewriteTagParameters(std::u16string& parameters, const std::function<bool(std::u16string&)>& tag)
{
    const std::size_t tagEnd = std::min(parameters.find(u' '), parameters.size());
    std::u16string tagName = parameters.substr(0, tagEnd);
    bool changed = renameWith(tag, tagName);

    std::u16string rest = parameters.substr(tagEnd);
    // " <operator> <value>" up to the limit.
    const std::size_t operatorEnd = rest.size() > 1 ? rest.find(u' ', 1) : std::u16string::npos;
    if (operatorEnd != std::u16string::npos) {
        const std::size_t valueStart = operatorEnd + 1;
        const std::size_t valueEnd = std::min(rest.find(kLimitSeparator, valueStart), rest.size());
        std::u16string value = rest.substr(valueStart, valueEnd - valueStart);
        if (renameWith(tag, value)) {
            rest = rest.substr(0, valueStart) + value + rest.substr(valueEnd);
            changed = true;
        }
    }
    if (changed)
        parameters = tagName + rest;
    return changed;
}

bool CScriptRewriter::Rewrite(std::u16string& script, int formatVersion, const CReferenceRenames& renames)
{
    std::vector<ActionEntry> entries = CActionScript::Parse(wideToUtf8(script), formatVersion);
    if (entries.empty())
        return false;
    bool renamed = false;
    for (ActionEntry& entry : entries) {
        if (isTagAction(entry.action)) {
            renamed = RewriteTagParameters(entry.parameters, renames.tag) || renamed;
        } else if (entry.action == kGoToPage) {
            renamed = renameWith(renames.page, entry.parameters) || renamed;
        }
    }
    if (!renamed && formatVersion >= kCurrentNamesVersion)
        return false;
    std::u16string stored = utf8ToWide(CActionScript::Store(entries));
    if (stored == script)
        return false;
    script = std::move(stored);
    return true;
}
