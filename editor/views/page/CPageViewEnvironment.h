#pragma once
// What a page view needs of the main frame beyond the editor host: the clipboard every
// page of the project shares, the ribbon controls its commands stand behind, the page
// commands the main frame carries out, and the view settings the project file does not
// keep. The main frame answers; tests answer with a fake.

#include <cstdint>

class CDiagramClipboardHandler;
class CPage;
class CPageRibbonControls;

// Settings of the editing session, shared by every page view.
struct CPageViewSettings {
    // The "Also resize page objects" flag: a new page size scales every page's objects.
    bool resizePageObjects = false;
    // The text alignment the alignment buttons show: 0, 1, 2, or -1 for mixed.
    int32_t textAlignment = -1;
};

class CPageViewEnvironment {
public:
    virtual ~CPageViewEnvironment() = default;

    virtual CDiagramClipboardHandler& GetClipboard() = 0;
    virtual CPageRibbonControls& GetRibbon() = 0;
    virtual CPageViewSettings& GetViewSettings() = 0;
    // The main frame's page commands for the view's page.
    virtual void DeletePage(CPage& page) = 0;
    virtual void DuplicatePage(CPage& page) = 0;
};
