#pragma once
// The editor of one page: shows the container's paper at a zoom factor with grid,
// margins, entities and selection markers, turns input events into edits (through its
// interaction controller) and offers the page's editing commands. It draws through a
// device context and knows its window only through CDiagramWindow, so it runs headless.
// The page canvas derives from it and replaces the paper, the grid and selection.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "diagram/CDiagramEntityContainer.h"
#include "diagram/editor/CDiagramInteraction.h"
#include "diagram/editor/CDiagramMenu.h"
#include "diagram/editor/CDiagramWindow.h"
#include "diagram/editor/DiagramInput.h"
#include "diagram/editor/DiagramRestraint.h"
#include "diagram/editor/DiagramViewport.h"
#include "platform/gfx/Colour.h"
#include "platform/gfx/DeviceContext.h"

enum class Toggle { Off, On };
enum class WheelMode : int32_t { Scroll = 0, Zoom = 1 };
enum class SelectKind { Any, Exclusive };
enum class CheckOnly { No, Yes };
enum class ScaleTargets { Selected, All };

// Keyboard groups of the key mask.
enum DiagramKeyGroup : uint32_t {
    kKeysArrows = 0x01,
    kKeysPages = 0x04,
    kKeysDelete = 0x08,
    kKeysEscape = 0x10,
    kKeysInsert = 0x20,
    kKeysZoom = 0x40,
    kKeysEditing = 0x80, // Enter and the Ctrl shortcuts
    kKeysAll = 0xFF,
};

// Lock bits the editor gives a meaning.
inline constexpr uint32_t kLockSize = 2;     // left out of group scaling
inline constexpr uint32_t kLockPosition = 4; // not moved by mouse or arrow keys

// The undo labels of the editor's own edits.
namespace DiagramUndoLabel {
inline constexpr char16_t kAlignLeft[] = u"align left";
inline constexpr char16_t kAlignRight[] = u"align right";
inline constexpr char16_t kAlignTop[] = u"align top";
inline constexpr char16_t kAlignBottom[] = u"align bottom";
inline constexpr char16_t kSameSize[] = u"make same size";
inline constexpr char16_t kLock[] = u"lock size/position";
inline constexpr char16_t kOriginalSize[] = u"make original size";
inline constexpr char16_t kInsertVisual[] = u"insert visual object";
inline constexpr char16_t kInsertLogical[] = u"insert logical object";
inline constexpr char16_t kMultiMove[] = u"multi-object move/resize";
inline constexpr char16_t kSingleMove[] = u"single move/resize";
inline constexpr char16_t kPaperResize[] = u"rubberband";
inline constexpr char16_t kMoveWithKeys[] = u"move with keys";
inline constexpr char16_t kResizeWithKeys[] = u"resize with keys";
} // namespace DiagramUndoLabel

inline constexpr char16_t kOriginalSizeShrunkMessage[] =
    u"One or more objects are set to smaller sizer than original (but with preserved original aspect ratio) in "
    u"order to fit drawing area!";

class CDiagramEditor {
public:
    static constexpr double kZoomStep = 0.01;
    static constexpr int32_t kPaperResizeZone = 10;
    static constexpr int32_t kPanMarkerRadius = 16;
    static constexpr CDiagramPoint kInsertLogicalAt{0, 3000};

    CDiagramEditor();
    virtual ~CDiagramEditor();
    // The view is closing: the background worker no longer reads its mode and tick.
    void CloseActivity();
    CDiagramEditor(const CDiagramEditor&) = delete;
    CDiagramEditor& operator=(const CDiagramEditor&) = delete;

    // Takes the container (borrowed; none creates an owned one) and the window
    // (borrowed, may be none); the virtual size becomes the paper size.
    virtual void Create(CDiagramEntityContainer* container, CDiagramWindow* window, CDiagramPoint clientSize);
    virtual void Clear();
    virtual void New();

    CDiagramEntityContainer& GetContainer() const { return *m_container; }
    CDiagramWindow* GetWindow() const { return m_window; }
    // The window going away (none) or a new one; nothing else changes.
    void SetWindow(CDiagramWindow* window) { m_window = window; }

    // Painting: the whole client area into dc (client coordinates).
    void Paint(gfx::DeviceContext& dc);
    virtual void Draw(gfx::DeviceContext& dc, const CDiagramRect& rect);
    virtual void Print(gfx::DeviceContext& dc, const CDiagramRect& rect, double zoom);
    virtual void EraseBackground(gfx::DeviceContext& dc, const CDiagramRect& rect);
    virtual void DrawBackground(gfx::DeviceContext& dc, const CDiagramRect& rect, double zoom);
    virtual void DrawGrid(gfx::DeviceContext& dc, const CDiagramRect& rect, double zoom);
    virtual void DrawMargins(gfx::DeviceContext& dc, const CDiagramRect& rect, double zoom);
    virtual void DrawObjects(gfx::DeviceContext& dc, double zoom);
    virtual void DrawPaperMarkers(gfx::DeviceContext& dc);
    virtual void DrawPanMarker(gfx::DeviceContext& dc);

    // Coordinates and zoom.
    virtual void SetZoom(double zoom);
    double GetZoom() const { return m_viewport.GetZoom(); }
    void SetVirtualSize(int32_t width, int32_t height);
    CDiagramPoint GetVirtualSize() const { return m_viewport.GetVirtualSize(); }
    CDiagramRect VirtualToScreen(CDiagramRect rect) const { return m_viewport.ToScreen(rect); }
    CDiagramPoint ScreenToVirtual(CDiagramPoint point) const { return m_viewport.ToVirtual(point); }
    const DiagramViewport& GetViewport() const { return m_viewport; }
    double SnapX(double value) const;
    double SnapY(double value) const;
    // Scroll bar messages and the window's size.
    void OnSize(int32_t width, int32_t height);
    void OnScroll(ScrollAxis axis, ScrollAction action, int32_t trackPosition = 0);
    void SetScrollPosition(ScrollAxis axis, int32_t position);

    // Input, answered with the pointer shape and the rectangles to repaint.
    DiagramResponse OnLButtonDown(const DiagramMouseEvent& event);
    DiagramResponse OnMouseMove(const DiagramMouseEvent& event);
    DiagramResponse OnLButtonUp(const DiagramMouseEvent& event);
    DiagramResponse OnLButtonDblClk(const DiagramMouseEvent& event);
    DiagramResponse OnRButtonDown(const DiagramMouseEvent& event);
    DiagramResponse OnRButtonUp(const DiagramMouseEvent& event);
    DiagramResponse OnMButtonDown(const DiagramMouseEvent& event);
    DiagramResponse OnKeyDown(const DiagramKeyEvent& event);
    DiagramResponse OnMouseWheel(const DiagramWheelEvent& event);
    // The pointer position while panning, every 10 ms.
    DiagramResponse OnPanTimer(CDiagramPoint cursor);
    // The pointer shape over a client point with no button held.
    DiagramCursor GetCursorAt(CDiagramPoint client) const;
    // Whether OnKeyDown would act on the key (the window lets its own shortcuts win).
    bool HandlesKey(const DiagramKeyEvent& event) const;
    // Shortcuts the window level handles; the key table leaves them alone, so one key
    // press gives one edit.
    void SetWindowShortcuts(std::vector<DiagramKeyEvent> shortcuts) { m_windowShortcuts = std::move(shortcuts); }
    const std::vector<DiagramKeyEvent>& GetWindowShortcuts() const { return m_windowShortcuts; }

    // A command from the context menus: the canvas menu's or an entity popup's.
    void OnCommand(int32_t command);

    // Interaction state. The mode and the tick are read by the background worker on
    // its own thread (it skips re-rendering large objects while they are resized).
    int32_t GetInteractionMode() const { return m_interaction.GetMode(); }
    int32_t GetInteractionSubMode() const { return m_interaction.GetSubMode(); }
    virtual void SetInteractionMode(int32_t mode, int32_t subMode = 0);
    // The tick of the last mouse move of a drag.
    uint32_t GetInteractionTick() const { return m_interaction.GetInteractionTick(); }
    CDiagramEntity* GetInsertObject() const { return m_insertTemplate.get(); }
    const CDiagramInteraction& GetInteraction() const { return m_interaction; }

    // Objects and selection.
    virtual void AddObject(std::unique_ptr<CDiagramEntity> entity);
    virtual void SetObjectRect(CDiagramEntity& entity, const CDiagramRect& rect);
    virtual void SelectObject(CDiagramEntity& entity, bool select, SelectKind kind = SelectKind::Any);
    virtual void StartInsert(std::unique_ptr<CDiagramEntity> templateEntity);
    virtual void InsertLogicalObject();
    virtual void SelectAll();
    virtual void UnselectAll();
    // Unselects the selected entities that are (logical) or are not logical objects.
    virtual void UnselectKind(bool logical);
    virtual void DeleteSelected();
    CDiagramEntity* GetSelectedObject() const;
    bool IsAnySelected() const;
    int32_t GetSelectCount() const { return m_container->GetSelectCount(); }
    CDiagramRect GetSelectionRect() const;
    CDiagramEntity* GetObjectAt(int32_t index) const { return m_container->GetAt(index); }
    void SetModified(bool modified);

    // Commands.
    virtual void AlignLeft();
    virtual void AlignRight();
    virtual void AlignTop();
    virtual void AlignBottom();
    virtual void MakeSameSize();
    virtual void Lock(uint32_t bits, bool on);
    // 0 none of the selected has the bits, 1 all have them, 2 some do.
    virtual int32_t LockState(uint32_t bits) const;
    virtual int32_t MakeOriginalSize(CheckOnly checkOnly);
    virtual void SetX(int32_t value);
    virtual void SetY(int32_t value);
    virtual void SetWidth(int32_t value);
    virtual void SetHeight(int32_t value);
    virtual void Cut();
    virtual void Copy();
    virtual void Paste();
    virtual void PasteToPosition(CDiagramPoint point);
    virtual void DuplicateSelected();
    virtual void Undo(int32_t steps);
    virtual void Redo(int32_t steps);
    virtual void ReorderObject(int32_t index, int32_t target);
    virtual void ScaleObjects(const DiagramBounds& oldFrame, const DiagramBounds& newFrame, ScaleTargets targets);
    virtual void SaveToStrings(std::vector<std::u16string>& lines);
    virtual void SaveEntitiesToStrings(std::vector<std::u16string>& lines) const;
    CDiagramPoint GetPastePosition() const { return m_pastePosition; }

    // Paper markers, in canvas pixels (the zoomed page).
    virtual CDiagramRect GetPaperMarkerRect(int32_t code) const;
    // 0 outside, 1 on the paper, 2 to 9 a paper marker; canvas pixels.
    virtual int32_t PaperHitTest(CDiagramPoint canvas) const;
    virtual DiagramCursor GetPaperCursor(int32_t code) const;

    // Settings.
    void SetPaperColour(gfx::Colour colour);
    gfx::Colour GetPaperColour() const { return m_paperColour; }
    void SetOutsideColour(gfx::Colour colour);
    gfx::Colour GetOutsideColour() const { return m_outsideColour; }
    void SetGridVisible(Toggle visible);
    bool IsGridVisible() const { return m_gridVisible; }
    void SetGridStyle(gfx::LineStyle style);
    void SetGridSize(CDiagramPoint step);
    CDiagramPoint GetGridSize() const { return m_gridStep; }
    void SetGridColour(gfx::Colour colour);
    gfx::Colour GetGridColour() const { return m_gridColour; }
    void SetSnapToGrid(Toggle snap) { m_snap = snap == Toggle::On; }
    bool GetSnapToGrid() const { return m_snap; }
    void SetMarginsVisible(Toggle visible);
    void SetMargins(const DiagramMargins& margins);
    const DiagramMargins& GetMargins() const { return m_margins; }
    void SetMarginColour(gfx::Colour colour);
    void SetPaperResize(Toggle resize) { m_paperResize = resize == Toggle::On; }
    bool GetPaperResize() const { return m_paperResize; }
    void SetRestraint(Restraint restraint) { m_restraint = restraint; }
    Restraint GetRestraint() const { return m_restraint; }
    bool IsPaperSelected() const { return m_paperSelected; }
    void SetWheelMode(WheelMode mode) { m_wheelMode = mode; }
    void SetKeyMask(uint32_t mask) { m_keyMask = mask; }
    uint32_t GetKeyMask() const { return m_keyMask; }
    void SetRepeatedInsertion(Toggle repeat) { m_repeatInsert = repeat == Toggle::On; }
    bool GetRepeatedInsertion() const { return m_repeatInsert; }
    // Replaces the canvas context menu (none restores the default on next use).
    void SetPopupMenu(std::unique_ptr<CDiagramMenu> menu) { m_menu = std::move(menu); }
    CDiagramMenu& GetPopupMenu();

    // Repaints the whole client area.
    void RedrawWindow();
    void InvalidateClient(const CDiagramRect& rect);

protected:
    // Every entity the paint draws (not logical), bottom first.
    bool IsDrawn(const CDiagramEntity& entity) const { return !entity.IsLogical(); }
    // The paper rectangle the paint hands to Draw, in canvas pixels.
    CDiagramRect GetDrawRect() const;
    CDiagramRect GetScaledPaper() const;

private:
    friend class CDiagramInteraction;

    // What an edit command does around its change: snapshot, modified marks, redraw.
    void BeginEdit(std::u16string_view label);
    void EndEdit();
    // Commands end a drag in progress first, so the controller keeps no pointer to an
    // entity the edit removes.
    void EndInteraction();
    std::vector<CDiagramEntity*> Selected() const;
    // The selected entities with their markers, in client pixels.
    CDiagramRect SelectionScreenBounds() const;
    void Align(std::u16string_view label, int32_t side);
    void LayoutScrollBars();
    void Respond(DiagramResponse& response);
    template <typename Event>
    DiagramResponse Handle(const Event& event, void (CDiagramInteraction::*handler)(const Event&, DiagramResponse&));
    std::vector<CDiagramRect> TakeRepaint();

    std::unique_ptr<CDiagramEntityContainer> m_ownContainer;
    CDiagramEntityContainer* m_container = nullptr;
    CDiagramWindow* m_window = nullptr;
    DiagramViewport m_viewport;
    CDiagramInteraction m_interaction;

    gfx::Colour m_paperColour = gfx::Colour::fromColorRef(0xFFFFFF);
    gfx::Colour m_outsideColour = gfx::Colour::fromColorRef(0xA0A0A0);
    bool m_gridVisible = true;
    gfx::LineStyle m_gridStyle = gfx::LineStyle::Solid;
    CDiagramPoint m_gridStep{8, 8};
    gfx::Colour m_gridColour = gfx::Colour::fromColorRef(0xC0C0C0);
    bool m_snap = false;
    bool m_marginsVisible = false;
    DiagramMargins m_margins;
    gfx::Colour m_marginColour = gfx::Colour::fromColorRef(0xFF8080);
    bool m_paperResize = false;
    bool m_paperSelected = false;
    Restraint m_restraint = Restraint::None;
    CDiagramPoint m_paperMarkerSize{8, 8};
    WheelMode m_wheelMode = WheelMode::Scroll;
    uint32_t m_keyMask = kKeysAll;
    bool m_repeatInsert = false;
    std::unique_ptr<CDiagramEntity> m_insertTemplate;
    CDiagramPoint m_pastePosition;
    std::unique_ptr<CDiagramMenu> m_menu;
    std::vector<DiagramKeyEvent> m_windowShortcuts;
    std::vector<CDiagramRect> m_repaint;
};
