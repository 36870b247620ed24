#pragma once
// Object names: "Name" and "_Original name" in group "none". References keep the
// original name; the panes show the current one.

#include <string>
#include <string_view>

class CDiagramEntityContainer;
class CEditorObject;

enum class NameKind { Current, Original };

class CObjectNames {
public:
    static constexpr std::u16string_view kCopyMark = u"-copy-";

    // Sets both names.
    static void InitObjectName(CEditorObject& object, std::u16string_view name);
    static std::u16string GetName(const CEditorObject& object, NameKind kind);
    // The editor's object whose "Name" (or "_Original name") is text; none.
    static CEditorObject* FindPageObject(const CDiagramEntityContainer& editor, std::u16string_view text, NameKind by);
    // The other name of the object with this name; true when the text changed. An
    // unknown name becomes empty.
    static bool ToOriginalObjectName(const CDiagramEntityContainer& editor, std::u16string& name);
    static bool ToCurrentObjectName(const CDiagramEntityContainer& editor, std::u16string& name);
    // With a source, "<source name up to its first -copy- after the first character>-copy-n";
    // without one (only when the object has no name yet), "<type name>-n": the first n
    // from 1 that no object of the editor has as either name.
    static void MakeUniqueName(const CDiagramEntityContainer* editor, const CEditorObject* source, CEditorObject& object);
    // An object the user just inserted or pasted into editor: one without a name gets
    // "<type name>-n"; a copy whose name another object holds becomes "<name>-copy-n".
    static void NameNewObject(const CDiagramEntityContainer& editor, CEditorObject& object);
};
