#pragma once
// The base of everything placed on a page: a rectangle in page pixels with a type, a
// name, a title, a group, selection and lock state, size limits, eight resize markers
// and a one-line text form. Editor objects derive from it; a container owns it.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "diagram/CDiagramHost.h"
#include "diagram/DiagramGeometry.h"

class CDiagramEditor;
class CDiagramEntityContainer;
namespace gfx {
class DeviceContext;
}

// What GetHitCode answers: the body or one of the eight resize markers.
enum DiagramHitCode : int32_t {
    DEHT_NONE = 0,
    DEHT_BODY = 1,
    DEHT_TOPLEFT = 2,
    DEHT_TOPMIDDLE = 3,
    DEHT_TOPRIGHT = 4,
    DEHT_BOTTOMLEFT = 5,
    DEHT_BOTTOMMIDDLE = 6,
    DEHT_BOTTOMRIGHT = 7,
    DEHT_LEFTMIDDLE = 8,
    DEHT_RIGHTMIDDLE = 9,
};

// Commands of the entity context menu and the internal group-selection message.
enum EntityPopupCommand : int32_t {
    CMD_CUT = 100,
    CMD_COPY = 101,
    CMD_DUPLICATE = 102,
    CMD_PROPERTIES = 103,
    CMD_UP = 104,
    CMD_DOWN = 105,
    CMD_FRONT = 106,
    CMD_BOTTOM = 107,
    CMD_SELECT_GROUP = 108,
    CMD_LAST = 200, // the editor passes 100 up to here on to its entities
};

// The pointer shape the view shows over a hit code.
// None leaves the choice to the window (the arrow).
enum class DiagramCursor { None, SizeAll, SizeNWSE, SizeNS, SizeNESW, SizeWE, Arrow, Cross };

class CDiagramEntity {
public:
    CDiagramEntity();
    virtual ~CDiagramEntity();
    CDiagramEntity(const CDiagramEntity&) = delete;
    CDiagramEntity& operator=(const CDiagramEntity&) = delete;

    virtual void Clear();
    // A new entity of the same class holding a Copy of this one.
    virtual std::unique_ptr<CDiagramEntity> Clone() const;
    virtual void Copy(const CDiagramEntity& other);
    // Takes a text line of this entity's type; false (nothing changed) for any other line.
    virtual bool FromString(std::u16string_view line);
    virtual std::u16string Export() const;
    virtual std::u16string GetString() const;

    virtual CDiagramRect GetRect() const;
    virtual CDiagramRect GetScaledRect(double zoom) const;
    virtual void SetRect(double left, double top, double right, double bottom);
    virtual void SetIntRect(int32_t left, int32_t top, int32_t right, int32_t bottom);
    virtual void MoveRect(double dx, double dy);
    virtual void SetLeft(double left);
    virtual void SetRight(double right);
    virtual void SetTop(double top);
    virtual void SetBottom(double bottom);
    // Keep the entity on the container's paper; without a container, or on a paper
    // dimension of 0, there is no far limit.
    virtual void MoveToX(double x);
    virtual void MoveToY(double y);
    virtual void SetWidth(double width);
    virtual void SetHeight(double height);

    virtual void SetMinimumSize(int32_t width, int32_t height);
    virtual CDiagramPoint GetMinimumSize() const;
    virtual void SetMaximumSize(int32_t width, int32_t height);
    virtual CDiagramPoint GetMaximumSize() const;
    virtual void SetConstraints(int32_t minWidth, int32_t minHeight, int32_t maxWidth, int32_t maxHeight);

    virtual void Select(bool selected);
    virtual bool IsSelected() const;
    virtual void SetClickToggle(bool toggle);
    virtual bool GetClickToggle() const;
    virtual void SetLock(uint32_t bits, bool on);
    virtual uint32_t GetLock() const;
    virtual bool IsLocked(uint32_t bits) const;
    virtual void SetLastClickPoint(CDiagramPoint point);
    virtual CDiagramPoint GetLastClickPoint() const;

    virtual bool BodyInRect(CDiagramRect rect) const;
    virtual int32_t GetHitCode(CDiagramPoint point, CDiagramRect rect) const;
    virtual int32_t GetHitCodeAt(CDiagramPoint point) const;
    // Runs a context menu command; 1 when it acted. Cut and the z-order commands may
    // delete or move this entity, so nothing may touch it after they return.
    virtual int32_t DoMessage(int32_t command, CDiagramEntity* sender, CDiagramWindow* parent);
    // The base has no property window of its own, so this does nothing.
    virtual void ShowProperties(CDiagramWindow* parent, bool show);
    virtual void ShowPopup(int32_t x, int32_t y, CDiagramWindow* parent);
    // The base draws a white rectangle with a one-pixel black outline.
    virtual void Draw(gfx::DeviceContext& dc, int32_t left, int32_t top, int32_t right, int32_t bottom);
    virtual DiagramCursor GetCursor(int32_t hitCode) const;
    // The cursor table the base answers with.
    static DiagramCursor CursorFor(int32_t hitCode);
    virtual void DrawObject(gfx::DeviceContext& dc, double zoom);

    virtual std::u16string GetName() const;
    virtual void SetName(std::u16string_view name);
    virtual std::u16string GetTitle() const;
    virtual void SetTitle(std::u16string_view title);

    // Black markers; a marker size of exactly 5 by 4 draws only the corners.
    virtual void DrawSelectionMarkers(gfx::DeviceContext& dc, int32_t left, int32_t top, int32_t right, int32_t bottom);
    virtual CDiagramRect GetSelectionMarkerRect(int32_t hitCode, CDiagramRect rect) const;
    // The text line without its trailing ";".
    virtual std::u16string FormatFields() const;
    // "type:fields": the trimmed type, with line left holding the trimmed fields; an
    // empty type (line unchanged) unless the line has exactly one ":".
    virtual std::u16string SplitTypeAndFields(std::u16string& line) const;
    // Takes the rectangle, name, title and group; fields keeps what follows them.
    virtual bool ParseFields(std::u16string& fields);

    // The owning container, or none for a detached clone. Derived classes that bind
    // more than the container (a page) override it.
    virtual void SetParent(CDiagramEntityContainer* container);
    CDiagramEntityContainer* GetParent() const { return m_container; }
    // A clone that points at no container, for undo snapshots and the clipboard.
    std::unique_ptr<CDiagramEntity> CloneDetached() const;
    // Marks a cached picture stale; the base keeps none.
    virtual void Invalidate() {}
    // A logical object has no area on the page: it is not drawn and not selected with
    // the visible ones.
    virtual bool IsLogical() const { return false; }
    // The class's natural size; a width of 0 means it has none.
    virtual CDiagramPoint GetOriginalSize() const { return {0, 0}; }
    // The editor that is about to insert clones of this template.
    virtual void PrepareInsert(CDiagramEditor& /*editor*/) {}

    const std::u16string& GetType() const { return m_type; }
    void SetType(std::u16string_view type) { m_type = type; }
    int32_t GetGroup() const { return m_group; }
    // Raises the highest group number when the group is above it.
    void SetGroup(int32_t group);
    double GetLeft() const { return m_left; }
    double GetTop() const { return m_top; }
    double GetRight() const { return m_right; }
    double GetBottom() const { return m_bottom; }
    CDiagramPoint GetMarkerSize() const { return {m_markerWidth, m_markerHeight}; }
    void SetMarkerSize(int32_t width, int32_t height);
    double GetZoom() const { return m_lastZoom; }

    // The process-wide highest group number handed out so far.
    static int32_t GetHighestGroup();
    static void RaiseHighestGroup(int32_t group);
    // Only for tests that need a known start.
    static void ResetHighestGroup();

    // The context menu, in order; command 0 is a separator.
    static std::span<const CEntityPopupItem> PopupItems();

private:
    double m_left = 0;
    double m_right = 0;
    double m_top = 0;
    double m_bottom = 0;
    int32_t m_markerWidth = 8;
    int32_t m_markerHeight = 8;
    int32_t m_minimumWidth = 5;
    int32_t m_minimumHeight = 5;
    int32_t m_maximumWidth = -1;
    int32_t m_maximumHeight = -1;
    double m_lastZoom = 1.0;
    bool m_selected = false;
    bool m_clickToggle = false;
    CDiagramPoint m_lastClickPoint{-100, 0};
    uint32_t m_lock = 0;
    std::u16string m_type = u"basic";
    std::u16string m_name;
    std::u16string m_title;
    int32_t m_group = 0;
    int32_t m_userValue = 255; // carried by Copy, unused by the model
    CDiagramEntityContainer* m_container = nullptr;
};
