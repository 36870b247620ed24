#pragma once
// What the property model asks of the editor around it: the project's modified mark,
// the main frame's state, and the panes that rename references in imported values.
// The editor installs its own host; the default does nothing, so the model runs headless.

#include <string>

class CDocumentHost {
public:
    virtual ~CDocumentHost() = default;

    // A property changed: the project is modified and its target file stale.
    virtual void SetProjectModified() {}
    // The main frame refreshes its title and command states.
    virtual void RefreshFrameState() {}
    // While a project is being imported, the tags pane renames imported tags in a
    // "Data" value; true when the text changed.
    virtual bool RenameImportedTags(std::u16string& /*value*/) { return false; }
    // The actions pane renames the tags and objects an action script refers to; true
    // when the text changed.
    virtual bool RenameScriptReferences(std::u16string& /*script*/) { return false; }
    // True while a project is being imported into the open one.
    virtual bool IsImporting() const { return false; }

    // The host in use: the installed one, or the do-nothing default.
    static CDocumentHost& Get();
    // Installs a host (none restores the default); the caller keeps it alive.
    static void Set(CDocumentHost* host);
};
