#include "editor/views/actions/CActionScriptRows.h"

#include <algorithm>

#include "editor/document/ActionTable.h"
#include "editor/document/CActionScript.h"
#include "editor/project/document/CProjectSettings.h"
#include "foundation/TextHelpers.h"

namespace {

bool isBlank(std::u16string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); });
}

std::u16string displayName(const ActionEntry& entry)
{
    if (entry.action >= target::kActionRowCount)
        return std::u16string(CActionsGridData::kEmpty);
    const std::u16string_view name = ActionTable()[entry.action].displayName;
    return entry.action == 0 || name.empty() ? entry.commandText : std::u16string(name);
}

} // namespace

CActionScriptRows::Parsed CActionScriptRows::FromScript(std::u16string_view text, int formatVersion,
                                                        const CActionReferences& references, NameDirection direction)
{
    Parsed parsed;
    if (isBlank(text))
        return parsed;
    const std::vector<ActionEntry> entries = CActionScript::Parse(wideToUtf8(text), formatVersion, parsed.error);
    parsed.rows.reserve(entries.size());
    for (const ActionEntry& entry : entries) {
        const std::u16string trigger = entry.trigger != 0 ? TriggerToName(entry.trigger) : entry.triggerText;
        CActionsGridData row;
        row.trigger = AppendDetail(trigger, entry.triggerDetail);
        row.action = displayName(entry);
        row.parameters = references.Convert(entry.action, entry.parameters, direction);
        row.index = int32_t(parsed.rows.size());
        parsed.rows.push_back(std::move(row));
    }
    return parsed;
}

std::string CActionScriptRows::ToScript(const std::vector<CActionsGridData>& rows, const CActionReferences& references,
                                        ScriptForm form)
{
    std::vector<ActionEntry> script;
    script.reserve(rows.size());
    for (const CActionsGridData& row : rows) {
        NameAndDetail trigger = SplitDetail(row.trigger);
        ActionEntry entry;
        entry.trigger = TriggerFromName(trigger.name);
        entry.triggerText = std::move(trigger.name);
        entry.triggerDetail = std::move(trigger.detail);
        entry.action = FindActionByName(row.action, CProjectSettings::kFormatVersion);
        entry.commandText = row.action;
        entry.parameters = form == ScriptForm::Stored
                             ? references.Convert(entry.action, row.parameters, NameDirection::ToOriginal)
                             : row.parameters;
        script.push_back(std::move(entry));
    }
    return CActionScript::Store(script);
}
