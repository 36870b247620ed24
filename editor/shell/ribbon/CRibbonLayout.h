#pragma once
// The editor's ribbon, built from its layout data (RibbonLayoutData): every category,
// panel and control with its label, command id and image index, in building order; the
// object and action buttons generated from the object kind table and the action table;
// the preset sub-items of New and Controller; the quick access defaults; the tab row.

#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/ui/ribbon/CRibbonPanel.h"

class CRibbonBar;

struct CRibbonSources {
    // The "presets" folder beside the program, listed for the New and Controller items.
    std::filesystem::path presetsFolder;
    // The style gallery: one preview per theme plug-in, named after the theme.
    std::vector<RibbonGalleryItem> styles;
};

// The preset names found while building, for the application's preset-name arrays.
struct CRibbonPresets {
    std::vector<std::u16string> presets;    // "*.dpst"
    std::vector<std::u16string> tagPresets; // "*.dctags"
};

class CRibbonLayout {
public:
    // Builds everything into bar (which gets the editor's icons); false when the bar
    // cannot be built, which ends the frame's creation.
    static bool CreateRibbon(CRibbonBar& bar, const CRibbonSources& sources, CRibbonPresets* presets = nullptr);

    // A small button of the object kind's image, added to panel.
    static void AddInsertButton(CRibbonPanel& panel, int id, const QString& label);
    // A small button of the action's image, added to panel.
    static void AddActionButton(CRibbonPanel& panel, int id, const QString& label);
    // The image of a generated button: its row's image; -1 for a row past the table's
    // last index; the first row's image for an id no row has.
    static int InsertImage(int id);
    static int ActionImage(int id);

    // The ids of the Insert and Actions categories' generated buttons, in building order.
    static std::vector<int> InsertCommandIds();
    static std::vector<int> ActionCommandIds();
};
