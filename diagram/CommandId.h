#pragma once
// The editor's command identifiers: one numeric space shared by the ribbon, the context
// menus, the accelerators and the command handlers of the application, the main frame,
// the page view and its canvas. The numbers are the ones the ribbon and stored
// customisations know, so they never change.
//
// The entity context menu's commands (EntityPopupCommand, 100 to 108) are messages to
// entities, numbered apart from this space; the canvas passes them on to its entities.

#include <cstdint>

enum class CommandId : int32_t {
    // Grid and snapping (View tab)
    GridDots = 108,
    GridLines = 109,
    SnapToGrid = 110,
    StyleGallery = 113,
    Import = 114,
    PasteMenu = 120,

    // Insert object buttons (the object kind table)
    InsertText = 123,
    InsertTextField = 124,
    InsertImageBar = 125,
    InsertColorBar = 126,
    InsertTicker = 127,
    InsertButton = 128,
    InsertIndicatorButton = 130,
    InsertImage = 131,
    InsertDynamicImage = 132,
    InsertNumericField = 133,
    InsertMessageField = 134,
    InsertLight = 135,
    InsertSlider = 136,
    InsertKnob = 137,
    InsertDateTimeField = 138,
    InsertMeter = 139,
    InsertGraph = 140,
    InsertDynamicListBox = 141,
    InsertListBox = 142,
    InsertTrigger = 143,
    InsertTimer = 144,
    InsertEditableNumField = 145,
    InsertEditableTextField = 146,
    InsertWindow = 151,
    InsertSemaphore = 152,
    InsertRectangle = 153,
    InsertEllipse = 154,
    InsertPolygon = 155,
    InsertLine = 156,

    // Text formatting
    TextRightToLeft = 160,
    ClosePageFrame = 163,
    FontName = 165,
    FontSize = 166,
    FontColour = 167,
    FontGrow = 168,
    FontShrink = 169,
    PageSize = 172,
    PageColour = 173,
    TextAlignLeft = 176,
    TextAlignCentre = 177,
    TextAlignRight = 178,
    FontBold = 179,
    FontItalic = 180,
    FontUnderline = 181,

    // Grouping and order
    OrderUp = 195,
    OrderDown = 196,
    OrderToFront = 197,
    OrderToBack = 198,
    Group = 199,
    Ungroup = 200,

    // Page panel
    PageNew = 201,
    PageDelete = 202,
    PageDuplicate = 203,

    // Position and size
    PositionX = 204,
    PositionY = 205,
    SizeWidth = 206,
    SizeHeight = 207,

    // Hold trigger and screen saver (Project tab)
    HoldFirst = 209,
    HoldRepeat = 210,
    ScreenSaverTime = 214,
    ScreenSaverCreatePage = 216,

    // Clipboard panel and the undo keys
    Cut = 217,
    Copy = 218,
    Clone = 219,
    Paste = 220,
    UndoKey = 221,
    RedoKey = 222,

    // Alignment, original size and locks (Format tab)
    AlignLeft = 231,
    AlignRight = 232,
    AlignTop = 233,
    AlignBottom = 234,
    OriginalSize = 236,
    InitiallyVisible = 244,
    PositionHorizontal = 246,
    PositionVertical = 247,
    Controller = 248,
    Lock = 249,
    LockSize = 250,
    LockPosition = 251,

    // Page transparency and resizing
    PageTransparency = 1061,
    ResizePageObjects = 1092,

    // Panes and frame
    PaneProperties = 32792,
    PaneProject = 32803,
    PaneOutput = 32804,
    PaneObjects = 32805,
    Options = 32847,
    GridVisible = 32850,
    Zoom = 32859,
    ZoomFit = 32860,
    ZoomReset = 32861,
    GenerateBinary = 32862,
    TagMemorySize = 32863,
    PaneActions = 32866,
    ActionFirst = 32870, // the Actions tab's buttons, one per action
    ActionLast = 32897,
    Play = 32903,
    PaneTags = 32907,
    PaneActionsList = 32926,
    SaveWorkingPreset = 32940,
    PresetFirst = 32941,
    PresetLast = 32950,
    SaveWorkingTags = 32960,
    TagPresetFirst = 32961,
    TagPresetLast = 32970,
    InsertPageFirst = 32971,
    InsertPageLast = 32976,

    // Main frame: page windows and looks (shell)
    CloseAllPages = 164,
    WindowsDialog = 32825,
    LookOffice2000 = 32826,
    LookOfficeXP = 32827,
    LookOffice2003 = 32828,
    LookWindowsXP = 32829,
    LookVisualStudio2005 = 32830,
    LookOffice2007Blue = 32831,
    LookOffice2007Black = 32832,
    LookOffice2007Silver = 32833,
    LookOffice2007Aqua = 32834,

    // Main frame: pages, pane items, project and target settings, target commands (frame commands)
    HoldPanelLabel = 208,        // ribbon elements enabled by an empty command
    ScreenSaverPanelLabel = 211,
    Download = 32843,
    InsertActionFromList = 32844,
    ActivatePage = 32845,
    SelectObject = 32846,
    AppendPageAfter = 32852,
    InsertPageBefore = 32853,
    InsertPageAtTop = 32854,
    InsertPageAtBottom = 32855,
    OpenPage = 32857,
    RenameObject = 32900,
    DeleteObject = 32901,
    DeletePage = 32902,
    ColorDepth16 = 32914,
    ColorDepth18 = 32915,
    ColorDepth32 = 32916,
    PremultipliedAlpha = 32917,
    TextAntiAliasing = 32918,
    CompressedImages = 32923,
    StatusPosition = 32930,      // the status bar's panes
    StatusSize = 32931,
    RenamePage = 32933,
    ColorDepth8 = 32934,
    DuplicatePage = 32938,
    NavigationWithKeys = 32951,
    NativeEncoding = 32953,
    NewPageLast = 32977,         // new page of type n is 32970 + n, n = 1..7

    // The class library's standard commands
    FileNew = 57600,
    FileOpen = 57601,
    FileClose = 57602,
    FileSave = 57603,
    FileSaveAs = 57604,
    FilePrint = 57607,
    FilePrintDirect = 57608,
    FilePrintPreview = 57609,
    EditCopy = 57634,      // the canvas menu's "Copy"
    EditCut = 57635,       // the canvas menu's "Cut"
    EditPaste = 57637,     // the canvas menu's "Paste"
    EditPasteSpecial = 57639,
    EditUndo = 57643,      // the ribbon's undo button and its list
    EditRedo = 57644,      // the ribbon's redo button and its list
    EditGroup = 57645,
    EditUngroup = 57646,
    EditPasteToPosition = 57647,
    AppAbout = 57664,
    AppExit = 57665,
    Help = 57666,
};

constexpr int32_t ToInt(CommandId id)
{
    return static_cast<int32_t>(id);
}
