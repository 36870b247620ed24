#pragma once
// The editor's own icons: small vector pictures drawn with QPainter at whatever size they
// are shown, one per image strip and index. The strips are the ones the ribbon, the
// project and objects trees, the panes and the action buttons name by number.

#include <QIcon>
#include <vector>

enum class IconStrip : int {
    Frame = 1,      // the tab row's own buttons: looks, help, about
    Actions = 191,  // the action table's images
    Insert = 223,   // the object kinds (the objects tree and the Insert tab)
    Target = 224,
    Page = 225,     // the page types (the project tree: page type + 2)
    Project = 226,
    Panes = 227,
    Home = 253,     // Home and Format, small
    Main = 255,     // the application menu, small
    MainLarge = 256,
    HomeLarge = 258,
    View = 260,
};

class CEditorIcons {
public:
    // Images of the Frame strip.
    static constexpr int kLooks = 0;
    static constexpr int kHelp = 1;
    static constexpr int kAbout = 2;
    // The objects tree's overlays (Insert strip).
    static constexpr int kScriptOverlay = 30;
    static constexpr int kLockOverlay = 31;
    static constexpr int kThirdOverlay = 32;
    // The project tree's root (Page strip).
    static constexpr int kProjectImage = 2;
    // The View tab's image labels beside the seven pane check boxes, in the tab's order.
    static constexpr int kFirstPaneLabel = 8;

    // A null icon where the strip has no picture.
    static QIcon Icon(IconStrip strip, int index);
    static QIcon Icon(int strip, int index);
    static bool Has(IconStrip strip, int index);
    // Every index a strip draws, ascending.
    static std::vector<int> Indexes(IconStrip strip);

    // The object kind table's image of an object type row (1 to 29).
    static QIcon ObjectTypeIcon(int objectType);
    // The project tree's image of a page type.
    static QIcon PageTypeIcon(int pageType);
    // The action table's image of an action row.
    static QIcon ActionIcon(int actionRow);
    // The panes: 0 the trees and lists, 1 properties, 2 output.
    static QIcon PaneIcon(int index);
    static QIcon ProgramIcon();
};
