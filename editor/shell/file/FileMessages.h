#pragma once
// The file commands' questions and messages, and the file dialogs' filters.

#include <string_view>

namespace FileMessages {

inline constexpr std::u16string_view kCaption = u"VX-Editor";
inline constexpr std::u16string_view kSaveQuestion = u"Do you want to save current project?";
inline constexpr std::u16string_view kLeaveQuestion = u"Do you really want to leave current project?";
inline constexpr std::u16string_view kImportedNotSaved =
    u"Project is not yet saved after importing other project.\nConsider to save it with Save As option.\n"
    u"Do you want to save current project anyway?";
inline constexpr std::u16string_view kRenamed =
    u"Your project will be opened and saved in new format.\n Old project is renamed to ";
inline constexpr std::u16string_view kRenameFailedBefore =
    u"You project has to be opened and saved in new format.\nHowever, attempt to rename old project to ";
inline constexpr std::u16string_view kRenameFailedAfter =
    u" failed.\nDo you want to continue anyway\n(or cancel openning and check the problem first)?";
inline constexpr std::u16string_view kPathChanged =
    u"You have changed project path.\nIf you proceed with saving, you have to either\nmigrate all referenced "
    u"images manually\nor adjust image references manually.\nDo you really want to continue with saving?";
// A save that wrote nothing says why; the project keeps its modified mark.
inline constexpr std::u16string_view kNotCompressed =
    u"The project could not be compressed. Nothing was saved.";

inline constexpr std::u16string_view kOldSuffix = u".old-";
inline constexpr std::string_view kDefaultExtension = ".vxp";
inline constexpr std::string_view kTemplateExtension = ".vxt";
inline constexpr std::u16string_view kProjectFilter = u"VX projects (*.vxp)";
inline constexpr std::u16string_view kTemplateFilter = u"VX templates (*.vxt)";

} // namespace FileMessages
