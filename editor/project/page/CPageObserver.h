#pragma once
// The page editor a page is open in hears of background changes through this, so it
// repaints or reloads its background.

class CPage;

class CPageObserver {
public:
    virtual ~CPageObserver() = default;
    virtual void OnBackgroundChanged(const CPage& page) = 0;
};
