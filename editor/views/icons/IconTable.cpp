#include "editor/views/icons/IconTable.h"

#include "editor/views/icons/CEditorIcons.h"

namespace {

// One palette for every icon.
constexpr QRgb kBlue = 0x3d7ac7;
constexpr QRgb kGreen = 0x3f9b4a;
constexpr QRgb kOrange = 0xe08a2a;
constexpr QRgb kRed = 0xc8433b;
constexpr QRgb kPurple = 0x8a5cc0;
constexpr QRgb kTeal = 0x2a9a9a;
constexpr QRgb kYellow = 0xe7b92e;
constexpr QRgb kGrey = 0x7a8794;
constexpr QRgb kBrown = 0x9a6a3a;
constexpr QRgb kInk = 0x2f3e4e;

constexpr int kFrame = int(IconStrip::Frame);
constexpr int kActions = int(IconStrip::Actions);
constexpr int kInsert = int(IconStrip::Insert);
constexpr int kTarget = int(IconStrip::Target);
constexpr int kPage = int(IconStrip::Page);
constexpr int kProject = int(IconStrip::Project);
constexpr int kPanes = int(IconStrip::Panes);
constexpr int kHome = int(IconStrip::Home);
constexpr int kMain = int(IconStrip::Main);
constexpr int kHomeLarge = int(IconStrip::HomeLarge);
constexpr int kView = int(IconStrip::View);

using G = Glyph;
using B = Badge;

constexpr IconRow kRows[] = {
    // Application menu
    {kMain, 0, {G::Sheet, kBlue, B::Plus}},
    {kMain, 1, {G::Folder, kYellow}},
    {kMain, 2, {G::Disk, kBlue}},
    {kMain, 3, {G::Disk, kBlue, B::Pencil}},
    {kMain, 4, {G::Printer, kGrey}},
    {kMain, 5, {G::Sheet, kRed, B::Cross}},
    {kMain, 6, {G::Printer, kGrey, B::Lightning}},
    {kMain, 7, {G::Printer, kGrey, B::Magnifier}},
    {kMain, 8, {G::Door, kRed}},
    {kMain, 9, {G::Chip, kGreen}},
    {kMain, 10, {G::Gear, kGrey}},
    {kMain, 11, {G::Sheet, kTeal, B::ArrowIn}},
    // Home and Format
    {kHome, 0, {G::Clipboard, kBrown}},
    {kHome, 1, {G::Scissors, kGrey}},
    {kHome, 2, {G::Copies, kBlue}},
    {kHome, 3, {G::Copies, kGreen, B::Plus}},
    {kHome, 4, {G::Undo, kBlue}},
    {kHome, 8, {G::LetterB, kInk}},
    {kHome, 9, {G::LetterI, kInk}},
    {kHome, 10, {G::LetterU, kInk}},
    {kHome, 24, {G::TextLeft, kInk}},
    {kHome, 25, {G::TextCentre, kInk}},
    {kHome, 26, {G::TextRight, kInk}},
    {kHome, 32, {G::Redo, kBlue}},
    {kHome, 36, {G::OriginalSize, kTeal}},
    {kHome, 37, {G::Group, kBlue}},
    {kHome, 38, {G::Ungroup, kBlue}},
    {kHome, 39, {G::ToFront, kBlue}},
    {kHome, 40, {G::ToBack, kBlue}},
    {kHome, 41, {G::OrderUp, kBlue}},
    {kHome, 42, {G::OrderDown, kBlue}},
    {kHome, 43, {G::Sheet, kBlue, B::Plus}},
    {kHome, 44, {G::ObjButton, kBlue}},
    {kHome, 45, {G::ObjImage, kGreen}},
    {kHome, 46, {G::ObjNumeric, kBlue}},
    {kHome, 47, {G::ObjText, kInk}},
    {kHome, 48, {G::ObjLight, kGreen}},
    {kHome, 49, {G::ObjSlider, kBlue}},
    {kHome, 50, {G::ObjMeter, kOrange}},
    {kHome, 51, {G::ObjColorBar, kGreen}},
    {kHome, 52, {G::ObjDynamicImage, kPurple}},
    {kHome, 53, {G::AlignLeft, kBlue}},
    {kHome, 54, {G::AlignRight, kBlue}},
    {kHome, 55, {G::AlignTop, kBlue}},
    {kHome, 56, {G::AlignBottom, kBlue}},
    {kHome, 58, {G::FontGrow, kInk}},
    {kHome, 59, {G::FontShrink, kInk}},
    {kHome, 60, {G::TextRtl, kInk}},
    {kHome, 61, {G::FontColour, kRed}},
    // Home, large: the Page panel and Paste
    {kHomeLarge, 0, {G::Clipboard, kBrown}},
    {kHomeLarge, 2, {G::Copies, kGreen}},
    {kHomeLarge, 3, {G::Sheet, kRed, B::Cross}},
    {kHomeLarge, 43, {G::Sheet, kBlue, B::Plus}},
    // Project
    {kProject, 3, {G::Clock, kBlue}},
    {kProject, 4, {G::Repeat, kBlue}},
    {kProject, 5, {G::Hourglass, kOrange}},
    {kProject, 6, {G::Monitor, kPurple, B::Plus}},
    {kProject, 10, {G::Hand, kOrange}},
    {kProject, 13, {G::ArrowsHorizontal, kTeal}},
    {kProject, 14, {G::ArrowsVertical, kTeal}},
    // Page: its properties, the project tree's root and the page types 1 to 9 (type + 2)
    {kPage, 0, {G::Bucket, kOrange}},
    {kPage, 1, {G::Resize, kTeal}},
    {kPage, 2, {G::Briefcase, kBrown}},
    {kPage, 3, {G::Sheet, kBlue}},
    {kPage, 4, {G::Sheet, kGreen, B::Star}},
    {kPage, 5, {G::Sheet, kTeal, B::Globe}},
    {kPage, 6, {G::Monitor, kPurple, B::Moon}},
    {kPage, 7, {G::DialogBox, kBlue}},
    {kPage, 8, {G::WindowFrame, kBlue}},
    {kPage, 9, {G::Sheet, kGrey, B::Star}},
    {kPage, 10, {G::Sheet, kGrey, B::Globe}},
    {kPage, 11, {G::Sheet, kGrey, B::Moon}},
    // View
    {kView, 0, {G::GridDots, kGrey}},
    {kView, 1, {G::GridLines, kGrey}},
    {kView, 5, {G::GridLines, kGrey, B::Eye}},
    {kView, 6, {G::FitScreen, kBlue}},
    {kView, 7, {G::Magnifier, kBlue, B::Back}},
    {kView, 8, {G::Briefcase, kBrown}},
    {kView, 9, {G::Tree, kBlue}},
    {kView, 10, {G::Output, kGrey}},
    {kView, 11, {G::Properties, kBlue}},
    {kView, 12, {G::ObjTrigger, kOrange}},
    {kView, 13, {G::ObjListBox, kOrange, B::Lightning}},
    {kView, 14, {G::Tag, kOrange}},
    {kView, 15, {G::GridDots, kGrey, B::Check}},
    // Target
    {kTarget, 0, {G::Chip, kGreen, B::ArrowDown}},
    {kTarget, 1, {G::Play, kGreen}},
    {kTarget, 2, {G::Binary, kBlue}},
    // Panes
    {kPanes, 0, {G::Tree, kBlue}},
    {kPanes, 1, {G::Properties, kBlue}},
    {kPanes, 2, {G::Output, kGrey}},
    // The tab row
    {kFrame, CEditorIcons::kLooks, {G::Palette, kOrange}},
    {kFrame, CEditorIcons::kHelp, {G::Help, kBlue}},
    {kFrame, CEditorIcons::kAbout, {G::About, kBlue}},
    // Object kinds, by the object kind table's image index
    {kInsert, 0, {G::ObjGeneric, kGrey}},
    {kInsert, 1, {G::ObjButton, kBlue}},
    {kInsert, 2, {G::ObjIndicatorButton, kGreen}},
    {kInsert, 3, {G::ObjImage, kGreen}},
    {kInsert, 4, {G::ObjNumeric, kBlue}},
    {kInsert, 5, {G::ObjTextField, kBlue}},
    {kInsert, 6, {G::ObjDateTime, kBlue}},
    {kInsert, 7, {G::ObjMessage, kBlue}},
    {kInsert, 8, {G::ObjDynamicImage, kPurple}},
    {kInsert, 9, {G::ObjLight, kGreen}},
    {kInsert, 10, {G::ObjColorBar, kGreen}},
    {kInsert, 11, {G::ObjImageBar, kPurple}},
    {kInsert, 12, {G::ObjKnob, kOrange}},
    {kInsert, 13, {G::ObjSlider, kBlue}},
    {kInsert, 14, {G::ObjMeter, kOrange}},
    {kInsert, 15, {G::ObjPolygon, kTeal}},
    {kInsert, 16, {G::ObjRectangle, kTeal}},
    {kInsert, 17, {G::ObjEllipse, kTeal}},
    {kInsert, 18, {G::ObjLine, kTeal}},
    {kInsert, 19, {G::ObjText, kInk}},
    {kInsert, 20, {G::ObjSemaphore, kRed}},
    {kInsert, 21, {G::ObjTrigger, kOrange}},
    {kInsert, 22, {G::ObjGraph, kGreen}},
    {kInsert, 23, {G::ObjTimer, kOrange}},
    {kInsert, 24, {G::ObjTicker, kPurple}},
    {kInsert, 25, {G::ObjListBox, kBlue}},
    {kInsert, 26, {G::ObjDynamicListBox, kPurple}},
    {kInsert, 27, {G::ObjWindow, kBlue}},
    {kInsert, 28, {G::ObjEditNumeric, kBlue, B::Pencil}},
    {kInsert, 29, {G::ObjEditText, kBlue, B::Pencil}},
    {kInsert, CEditorIcons::kScriptOverlay, {G::OverlayScript, kOrange}},
    {kInsert, CEditorIcons::kLockOverlay, {G::OverlayLock, kInk}},
    {kInsert, CEditorIcons::kThirdOverlay, {G::OverlayPin, kRed}},
    // Actions, by the action table's image index
    {kActions, 0, {G::Sheet, kBlue, B::ArrowRight}},
    {kActions, 1, {G::Sheet, kBlue, B::ArrowLeft}},
    {kActions, 2, {G::Sheet, kBlue, B::ArrowIn}},
    {kActions, 3, {G::Tag, kOrange, B::Equals}},
    {kActions, 5, {G::Tag, kOrange, B::Plus}},
    {kActions, 7, {G::Bulb, kYellow}},
    {kActions, 8, {G::BulbOff, kGrey}},
    {kActions, 9, {G::Tag, kOrange, B::Minus}},
    {kActions, 11, {G::Tag, kOrange, B::Times}},
    {kActions, 13, {G::Tag, kOrange, B::Divide}},
    {kActions, 15, {G::Layers, kPurple, B::Eye}},
    {kActions, 16, {G::Layers, kPurple, B::Cross}},
    {kActions, 17, {G::Layers, kPurple, B::ArrowsHorizontal}},
    {kActions, 18, {G::Layers, kPurple, B::ArrowsVertical}},
    {kActions, 20, {G::Crosshair, kRed}},
    {kActions, 21, {G::Door, kRed, B::Folder}},
    {kActions, 24, {G::Compare, kTeal}},
    {kActions, 25, {G::Tag, kOrange, B::Amp}},
    {kActions, 26, {G::EndBlock, kTeal}},
    {kActions, 27, {G::Fork, kTeal}},
    {kActions, 28, {G::Sheet, kBlue, B::Back}},
    {kActions, 29, {G::Sheet, kBlue, B::Home}},
    {kActions, 30, {G::Fork, kTeal, B::Question}},
    {kActions, 31, {G::StringTag, kGreen, B::Equals}},
    {kActions, 32, {G::StringTag, kGreen, B::Plus}},
    {kActions, 33, {G::Sheet, kBlue, B::Crosshair}},
    {kActions, 34, {G::KeyCap, kGrey}},
    {kActions, 35, {G::Moon, kPurple}},
};

} // namespace

std::span<const IconRow> IconTable()
{
    return kRows;
}

int IconFallbackStrip(int strip)
{
    if (strip == kHomeLarge)
        return kHome;
    if (strip == int(IconStrip::MainLarge))
        return kMain;
    return 0;
}
