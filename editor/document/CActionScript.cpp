#include "editor/document/CActionScript.h"

#include <json/json.h>

#include <memory>

#include "editor/document/ActionTable.h"
#include "foundation/TextHelpers.h"

namespace {

std::u16string memberText(const Json::Value& element, const char* name)
{
    if (!element.isObject())
        return {};
    const Json::Value* member = element.find(name, name + std::char_traits<char>::length(name));
    if (!member || !member->isString())
        return {};
    const char* begin = nullptr;
    const char* end = nullptr;
    if (!member->getString(&begin, &end))
        return {};
    return utf8ToWide(begin, end - begin);
}

std::string utf8(std::u16string_view text)
{
    return wideToUtf8(text);
}

} // namespace

std::vector<ActionEntry> CActionScript::Parse(std::string_view utf8Text, int formatVersion)
{
    std::string errors;
    return Parse(utf8Text, formatVersion, errors);
}

std::vector<ActionEntry> CActionScript::Parse(std::string_view utf8Text, int formatVersion, std::string& errors)
{
    std::vector<ActionEntry> entries;
    errors.clear();
    Json::CharReaderBuilder builder;
    builder["collectComments"] = false;
    builder["stackLimit"] = 256;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    try {
        if (!reader->parse(utf8Text.data(), utf8Text.data() + utf8Text.size(), &root, &errors))
            return entries;
    } catch (const std::exception& error) {
        errors = error.what();
        return entries;
    }
    if (!root.isArray()) {
        errors = "* Line 1, Column 1\n  An action script is a list of actions.\n";
        return entries;
    }
    for (const Json::Value& element : root) {
        ActionEntry entry;
        entry.triggerText = memberText(element, "trigger");
        entry.triggerDetail = memberText(element, "triggerParams");
        entry.commandText = memberText(element, "command");
        entry.parameters = memberText(element, "params");
        entry.trigger = TriggerFromName(entry.triggerText);
        entry.action = FindActionByName(entry.commandText, formatVersion);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string CActionScript::Store(const std::vector<ActionEntry>& entries)
{
    Json::Value root(Json::arrayValue);
    for (const ActionEntry& entry : entries) {
        const std::u16string_view known =
            entry.action < ActionTable().size() ? ActionTable()[entry.action].displayName : std::u16string_view();
        const std::u16string triggerName = TriggerToName(entry.trigger);
        Json::Value element(Json::objectValue);
        // jsoncpp keeps members sorted by name, which is the editor's order.
        element["command"] = utf8(entry.action != 0 && !known.empty() ? known : std::u16string_view(entry.commandText));
        element["params"] = utf8(entry.parameters);
        element["trigger"] = utf8(!triggerName.empty() ? std::u16string_view(triggerName) : std::u16string_view(entry.triggerText));
        element["triggerParams"] = utf8(entry.triggerDetail);
        root.append(std::move(element));
    }
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "   ";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, root);
}

std::string CActionScript::DefaultScreenSaverScript()
{
    ActionEntry setTag;
    setTag.trigger = uint32_t(target::TriggerNumber::TagChange);
    setTag.action = uint32_t(target::ActionNumber::SetTag);
    setTag.parameters = u"SSAVER__ = sys_counter";
    ActionEntry bitwise = setTag;
    bitwise.action = uint32_t(target::ActionNumber::BitwiseTag);
    bitwise.parameters = u"SSAVER__ & 7";
    return Store({setTag, bitwise});
}
