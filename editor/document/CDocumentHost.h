#pragma once
// What the property model asks of the editor around it: the project's modified mark,
// the main frame's state, and the panes that rename references in imported values.
// The running editor installs its main frame's connection once at start-up; a program
// without views installs its headless connection. A call that finds no host stops a
// debug build.

#include <string>

class CDocumentHost {
public:
    virtual ~CDocumentHost() = default;

    // A property changed: the project is modified and its target file stale.
    virtual void SetProjectModified() = 0;
    // The main frame refreshes its title and command states.
    virtual void RefreshFrameState() = 0;
    // While a project is being imported, the tags pane renames imported tags in a
    // "Data" value; true when the text changed. Nothing is renamed outside a read.
    virtual bool RenameImportedTags(std::u16string& /*value*/) { return false; }
    // The actions pane renames the tags and objects an action script refers to; true
    // when the text changed. Nothing is renamed outside a read.
    virtual bool RenameScriptReferences(std::u16string& /*script*/) { return false; }
    // True while a project is being imported into the open one.
    virtual bool IsImporting() const { return false; }

    // The host installed; a debug build stops when there is none.
    static CDocumentHost& Get();
    // Installs host (none uninstalls) and answers the one it replaces.
    static CDocumentHost* Set(CDocumentHost* host);
    static bool IsInstalled();
};
