#pragma once
// The editor's interaction controller: turns press, move, release, key and wheel events
// into selection, rubber-band selection, moves, resizes, insertion, paper resizing,
// panning and the keyboard edits. Every edit records its undo snapshot when it really
// starts (the first move past the drag threshold).

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "diagram/CDiagramEntity.h"
#include "diagram/editor/DiagramInput.h"
#include "diagram/editor/DiagramRestraint.h"
#include "foundation/worker/CBkgViewActivityCell.h"

class CDiagramEditor;

// Interaction modes; the sub-mode of Resize and PaperResize is the marker's hit code.
enum DiagramMode : int32_t {
    kModeNone = 0,
    kModeRubberBand = 1,
    kModeMove = 2,
    kModeResize = 3,
    kModeInsert = 4,
    kModePaperResize = 5,
};

class CDiagramInteraction {
public:
    // A press and moves closer than this on both axes are a click, not a drag.
    static constexpr int32_t kDragThreshold = 5;
    static constexpr int32_t kPanDivisor = 16;

    explicit CDiagramInteraction(CDiagramEditor& editor) : m_editor(editor) {}

    int32_t GetMode() const { return m_mode.load(std::memory_order_relaxed); }
    int32_t GetSubMode() const { return m_subMode; }
    void SetMode(int32_t mode, int32_t subMode = 0);
    uint32_t GetInteractionTick() const { return m_tick.load(std::memory_order_relaxed); }
    // The mode and tick as the background worker reads them; cleared when the view goes.
    const std::shared_ptr<CBkgViewActivityCell>& GetActivity() const { return m_activity; }
    bool IsButtonDown() const { return m_buttonDown; }
    bool IsDragging() const { return m_buttonDown && m_dragStarted; }
    bool IsPanning() const { return m_panning; }
    // The rubber band in canvas pixels, normalised; empty unless one is being drawn.
    CDiagramRect GetRubberBand() const;
    CDiagramPoint GetPanOrigin() const { return m_panOrigin; }

    void LeftButtonDown(const DiagramMouseEvent& event, DiagramResponse& response);
    void MouseMove(const DiagramMouseEvent& event, DiagramResponse& response);
    void LeftButtonUp(const DiagramMouseEvent& event, DiagramResponse& response);
    void LeftButtonDoubleClick(const DiagramMouseEvent& event, DiagramResponse& response);
    void RightButtonDown(const DiagramMouseEvent& event, DiagramResponse& response);
    void RightButtonUp(const DiagramMouseEvent& event, DiagramResponse& response);
    void MiddleButtonDown(const DiagramMouseEvent& event, DiagramResponse& response);
    void KeyDown(const DiagramKeyEvent& event, DiagramResponse& response);
    void Wheel(const DiagramWheelEvent& event, DiagramResponse& response);
    void PanTimer(const CDiagramPoint& cursor, DiagramResponse& response);
    bool HandlesKey(const DiagramKeyEvent& event) const;
    DiagramCursor CursorAt(CDiagramPoint client) const;

    // Ends a press in progress without finishing its edit and forgets every entity it
    // points at; the entities may be about to go.
    void Abandon();
    void StopPanning();

private:
    void PublishActivity();
    // Which key-table row a key event is, and the mask group it belongs to.
    enum class KeyAction {
        None,
        Arrow,
        Delete,
        Insert,
        Enter,
        SelectAll,
        Cut,
        Paste,
        Copy,
        Undo,
        Redo,
        PageUp,
        PageDown,
        Escape,
        ZoomIn,
        ZoomOut,
    };
    KeyAction Classify(const DiagramKeyEvent& event) const;
    // A press on nothing: the paper (near its far edges or on a marker) or a rubber band.
    void StartRubberBandOrPaper(CDiagramPoint canvas);
    void MoveSelection(CDiagramPoint page, bool keepRestraint);
    void ResizeTarget(CDiagramPoint page, bool keepRatio);
    void ResizePaper(CDiagramPoint page, CDiagramPoint client);
    void SnapFinalPositions();
    void SelectInBand();
    void ArrowKey(const DiagramKeyEvent& event);
    bool IsHeld(const CDiagramEntity* entity) const;
    DiagramCursor PanCursor(CDiagramPoint cursor) const;
    std::optional<DiagramBounds> Area() const;

    CDiagramEditor& m_editor;
    std::atomic<int32_t> m_mode{kModeNone};
    int32_t m_subMode = 0;
    std::atomic<uint32_t> m_tick{0};
    std::shared_ptr<CBkgViewActivityCell> m_activity = std::make_shared<CBkgViewActivityCell>();
    bool m_buttonDown = false;
    bool m_dragStarted = false;
    CDiagramPoint m_pressClient;
    const char16_t* m_pendingSnapshot = nullptr;
    // Borrowed from the container while a press lasts, checked against it before each
    // use; Abandon drops them.
    CDiagramEntity* m_anchor = nullptr;      // moving several: the one the offsets belong to
    CDiagramEntity* m_target = nullptr;      // moving or resizing one
    CDiagramEntity* m_clickCandidate = nullptr;
    double m_offsetX = 0;
    double m_offsetY = 0;
    double m_startWidth = 0;
    double m_startHeight = 0;
    CDiagramPoint m_bandStart; // canvas pixels
    CDiagramPoint m_bandEnd;
    bool m_panning = false;
    CDiagramPoint m_panOrigin;
};
