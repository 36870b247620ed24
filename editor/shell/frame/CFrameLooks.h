#pragma once
// The main window's looks: Qt's Fusion style with one palette per look id, standing in
// for the original's visual managers (Office 2000 ... Office 2007 aqua).

#include <QPalette>
#include <QString>
#include <optional>

class CFrameLooks {
public:
    struct Look {
        int id;
        const char* name;
        unsigned window;     // 0xRRGGBB
        unsigned base;
        unsigned button;
        unsigned highlight;
        unsigned text;
        bool mdiTabs;        // page windows as tabs
    };

    // The look of id; none for an id that names no look.
    static const Look* Find(int id);
    static QPalette Palette(const Look& look);
};
