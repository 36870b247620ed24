#pragma once
// A guarded reference to the page or object a pane shows: it hands the item out only
// while the project it was taken from is still the open one and still holds the item
// (among its pages, or on a page's open editor or list). Pages and objects go away
// without telling the panes, so nothing a pane keeps is ever followed once gone.

class CEditorHost;
class CProject;
class CSelectable;

class CTargetGuard {
public:
    explicit CTargetGuard(CEditorHost& host) : m_host(host) {}

    void Set(CSelectable* target);
    void Clear();
    // The item while it lives; none otherwise.
    CSelectable* Get() const;
    bool IsSet() const { return m_target != nullptr; }
    // Forgets the item when it is going, or its page is, or it is gone already; true
    // when it forgot.
    bool Forget(const CSelectable& going);

    // Whether project holds item now.
    static bool Holds(const CProject& project, const CSelectable* item);

private:
    CEditorHost& m_host;
    CSelectable* m_target = nullptr;
    const CProject* m_project = nullptr;
};
