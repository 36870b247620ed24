#pragma once
// What the project pane asks of the main frame's page windows beyond the editor host:
// a renamed page's open window takes the new name as its title.

#include <string_view>

class CPage;

class CPageWindows {
public:
    virtual ~CPageWindows() = default;
    // Nothing when the page has no open window.
    virtual void SetPageWindowTitle(const CPage& page, std::u16string_view title) = 0;
};
