#include "diagram/editor/CDiagramInteraction.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "diagram/CDiagramHost.h"
#include "diagram/editor/CDiagramEditor.h"

namespace {

bool isResizeMarker(int32_t code)
{
    return code >= DEHT_TOPLEFT && code <= DEHT_RIGHTMIDDLE;
}

// Which sides a marker drags.
struct MovingSides {
    bool left = false, top = false, right = false, bottom = false;
};

MovingSides sidesOf(int32_t code)
{
    MovingSides sides;
    sides.left = code == DEHT_TOPLEFT || code == DEHT_BOTTOMLEFT || code == DEHT_LEFTMIDDLE;
    sides.right = code == DEHT_TOPRIGHT || code == DEHT_BOTTOMRIGHT || code == DEHT_RIGHTMIDDLE;
    sides.top = code == DEHT_TOPLEFT || code == DEHT_TOPMIDDLE || code == DEHT_TOPRIGHT;
    sides.bottom = code == DEHT_BOTTOMLEFT || code == DEHT_BOTTOMMIDDLE || code == DEHT_BOTTOMRIGHT;
    return sides;
}

DiagramBounds boundsOf(const CDiagramEntity& entity)
{
    return {entity.GetLeft(), entity.GetTop(), entity.GetRight(), entity.GetBottom()};
}

} // namespace

void CDiagramInteraction::SetMode(int32_t mode, int32_t subMode)
{
    m_mode.store(mode, std::memory_order_relaxed);
    m_subMode = subMode;
    PublishActivity();
}

void CDiagramInteraction::PublishActivity()
{
    m_activity->Publish({GetMode() == kModeResize ? ViewInteraction::Resize : ViewInteraction::Other,
                         GetInteractionTick()});
}

CDiagramRect CDiagramInteraction::GetRubberBand() const
{
    if (!m_buttonDown || GetMode() != kModeRubberBand)
        return {};
    return CDiagramRect{m_bandStart.x, m_bandStart.y, m_bandEnd.x, m_bandEnd.y}.Normalized();
}

std::optional<DiagramBounds> CDiagramInteraction::Area() const
{
    return RestraintArea(m_editor.m_restraint, m_editor.GetVirtualSize(), m_editor.m_margins);
}

bool CDiagramInteraction::IsHeld(const CDiagramEntity* entity) const
{
    return entity && m_editor.GetContainer().IndexOf(entity) >= 0;
}

void CDiagramInteraction::Abandon()
{
    m_buttonDown = false;
    m_dragStarted = false;
    m_pendingSnapshot = nullptr;
    m_anchor = m_target = m_clickCandidate = nullptr;
    const int32_t mode = GetMode();
    if (mode != kModeInsert)
        SetMode(kModeNone);
}

void CDiagramInteraction::StopPanning()
{
    if (!m_panning)
        return;
    m_panning = false;
    if (CDiagramWindow* window = m_editor.GetWindow())
        window->SetPanTimer(false);
    m_editor.RedrawWindow();
}

void CDiagramInteraction::LeftButtonDown(const DiagramMouseEvent& event, DiagramResponse& response)
{
    StopPanning();
    CDiagramEntityContainer& container = m_editor.GetContainer();
    const bool control = event.modifiers & kModifierControl;
    const double zoom = m_editor.GetZoom();
    const CDiagramPoint page = m_editor.ScreenToVirtual(event.point);
    // Hit tests compare the zoomed page with scaled rectangles, as they are drawn.
    const CDiagramPoint canvas = m_editor.GetViewport().ToCanvas(event.point);

    m_buttonDown = true;
    m_dragStarted = false;
    m_pressClient = event.point;
    m_pendingSnapshot = nullptr;
    m_anchor = m_target = nullptr;
    m_clickCandidate = container.GetSelectCount() == 1 && !control ? m_editor.GetSelectedObject() : nullptr;
    if (GetMode() != kModeInsert)
        SetMode(kModeNone);
    bool started = false;

    if (container.GetSelectCount() > 1 && !control) {
        for (int32_t i = container.GetSize() - 1; i >= 0; --i) {
            CDiagramEntity* entity = container.GetAt(i);
            if (!entity->IsSelected() || !entity->GetScaledRect(zoom).Normalized().Contains(canvas))
                continue;
            SetMode(kModeMove);
            started = true;
            if (!m_anchor && !entity->IsLocked(kLockPosition)) {
                m_anchor = entity;
                m_offsetX = page.x - entity->GetLeft();
                m_offsetY = page.y - entity->GetTop();
            }
        }
        if (started)
            m_pendingSnapshot = DiagramUndoLabel::kMultiMove;
    }

    if (GetMode() == kModeInsert && m_editor.GetInsertObject()) {
        const std::optional<DiagramBounds> area = Area();
        if (area && !AreaContains(*area, page)) {
            SetMode(kModeNone);
        } else {
            container.Snapshot(DiagramUndoLabel::kInsertVisual);
            m_editor.UnselectAll();
            std::unique_ptr<CDiagramEntity> clone = m_editor.GetInsertObject()->Clone();
            const double x = m_editor.m_snap ? m_editor.SnapX(page.x) : page.x;
            const double y = m_editor.m_snap ? m_editor.SnapY(page.y) : page.y;
            clone->SetRect(x, y, x, y); // its minimum size applies
            CDiagramEntity* added = clone.get();
            container.AddNew(std::move(clone));
            m_editor.RedrawWindow();
            m_editor.SelectObject(*added, true);
            SetMode(kModeResize, DEHT_BOTTOMRIGHT);
            m_target = added;
            m_startWidth = added->GetRight() - added->GetLeft();
            m_startHeight = added->GetBottom() - added->GetTop();
            CDiagramHost::Get().RefreshObjects(container);
            started = true;
        }
    }

    if (!started && GetMode() == kModeNone) {
        CDiagramEntity* top = m_editor.GetSelectedObject();
        int32_t code = DEHT_NONE;
        if (top) {
            top->SetMarkerSize(8, 8); // as the topmost selected entity is drawn
            code = top->GetHitCode(canvas, top->GetScaledRect(zoom));
        }
        if (isResizeMarker(code)) {
            SetMode(kModeResize, code);
            m_target = top;
            m_startWidth = top->GetRight() - top->GetLeft();
            m_startHeight = top->GetBottom() - top->GetTop();
            started = true;
        } else {
            if (!control)
                m_editor.UnselectAll();
            for (int32_t i = container.GetSize() - 1; i >= 0; --i) {
                CDiagramEntity* entity = container.GetAt(i);
                if (entity->IsLogical() || !entity->GetScaledRect(zoom).Normalized().Contains(canvas))
                    continue;
                if (control) {
                    m_editor.SelectObject(*entity, !entity->IsSelected());
                    started = true; // a toggle, nothing else
                    m_clickCandidate = nullptr;
                    break;
                }
                m_editor.SelectObject(*entity, true);
                response.cursor = entity->GetCursor(DEHT_BODY);
                SetMode(kModeMove);
                m_target = entity;
                m_offsetX = page.x - entity->GetLeft();
                m_offsetY = page.y - entity->GetTop();
                started = true;
                break;
            }
        }
        if (GetMode() != kModeNone)
            m_pendingSnapshot = DiagramUndoLabel::kSingleMove;
    }

    if (!started)
        StartRubberBandOrPaper(canvas);
    m_editor.RedrawWindow();
}

void CDiagramInteraction::StartRubberBandOrPaper(CDiagramPoint canvas)
{
    CDiagramEntityContainer& container = m_editor.GetContainer();
    if (container.GetSelectCount() == 0 && m_editor.m_paperResize) {
        const CDiagramRect paper = m_editor.GetScaledPaper();
        const int32_t zone = CDiagramEditor::kPaperResizeZone;
        const bool inside = paper.Contains(canvas);
        const bool nearEdge = inside && (canvas.x >= paper.right - zone || canvas.y >= paper.bottom - zone);
        if (nearEdge)
            m_editor.m_paperSelected = true;
        const int32_t code = m_editor.m_paperSelected ? m_editor.PaperHitTest(canvas) : 0;
        if (isResizeMarker(code)) {
            container.Snapshot(DiagramUndoLabel::kPaperResize);
            SetMode(kModePaperResize, code);
            return;
        }
        if (!nearEdge)
            m_editor.m_paperSelected = false;
    } else {
        m_editor.m_paperSelected = false;
    }
    SetMode(kModeRubberBand);
    m_bandStart = m_bandEnd = canvas;
}

void CDiagramInteraction::MouseMove(const DiagramMouseEvent& event, DiagramResponse& response)
{
    if (!m_buttonDown) {
        response.cursor = CursorAt(event.point);
        response.handled = Handled::No;
        return;
    }
    if (!m_dragStarted && std::abs(event.point.x - m_pressClient.x) < kDragThreshold &&
        std::abs(event.point.y - m_pressClient.y) < kDragThreshold)
        return;
    const int32_t mode = GetMode();
    if (mode == kModeNone || mode == kModeInsert)
        return;

    if (!m_dragStarted) {
        if (m_pendingSnapshot)
            m_editor.GetContainer().Snapshot(m_pendingSnapshot);
        m_pendingSnapshot = nullptr;
        m_dragStarted = true;
    }
    m_tick.store(CDiagramHost::Get().TickCount(), std::memory_order_relaxed);
    PublishActivity();

    // Leaving the window scrolls it, so the drag can reach the rest of the paper.
    const CDiagramPoint client = m_editor.GetViewport().GetClientSize();
    if (event.point.x < 0 || event.point.y < 0 || event.point.x >= client.x || event.point.y >= client.y) {
        if (m_editor.m_viewport.AutoScroll(event.point)) {
            m_editor.LayoutScrollBars();
            m_editor.RedrawWindow();
        }
    }

    const CDiagramPoint page = m_editor.ScreenToVirtual(event.point);
    const bool shift = event.modifiers & kModifierShift;
    switch (mode) {
    case kModeRubberBand: {
        const CDiagramPoint scroll = m_editor.GetViewport().GetScrollPosition();
        auto toClient = [&](CDiagramRect r) {
            return CDiagramRect{r.left - scroll.x - 1, r.top - scroll.y - 1, r.right - scroll.x + 2,
                                r.bottom - scroll.y + 2};
        };
        const CDiagramRect before = toClient(GetRubberBand());
        m_bandEnd = m_editor.GetViewport().ToCanvas(event.point);
        m_editor.InvalidateClient(before.United(toClient(GetRubberBand())));
        break;
    }
    case kModeMove: MoveSelection(page, !shift); break;
    case kModeResize: ResizeTarget(page, shift); break;
    case kModePaperResize: ResizePaper(page, event.point); break;
    default: break;
    }
}

void CDiagramInteraction::MoveSelection(CDiagramPoint page, bool keepRestraint)
{
    CDiagramEntityContainer& container = m_editor.GetContainer();
    const std::optional<DiagramBounds> area = keepRestraint ? Area() : std::nullopt;
    const CDiagramRect before = m_editor.SelectionScreenBounds();
    const bool snap = m_editor.m_snap;
    if (IsHeld(m_anchor)) {
        const double left = snap ? m_editor.SnapX(page.x - m_offsetX) : page.x - m_offsetX;
        const double top = snap ? m_editor.SnapY(page.y - m_offsetY) : page.y - m_offsetY;
        double dx = left - m_anchor->GetLeft();
        double dy = top - m_anchor->GetTop();
        std::vector<CDiagramEntity*> moving;
        DiagramBounds box{};
        for (CDiagramEntity* entity : m_editor.Selected()) {
            if (entity->IsLocked(kLockPosition))
                continue;
            const DiagramBounds b = boundsOf(*entity);
            box = moving.empty() ? b
                                 : DiagramBounds{std::min(box.left, b.left), std::min(box.top, b.top),
                                                 std::max(box.right, b.right), std::max(box.bottom, b.bottom)};
            moving.push_back(entity);
        }
        if (area && !moving.empty())
            LimitShift(box, *area, dx, dy);
        for (CDiagramEntity* entity : moving)
            entity->MoveRect(dx, dy);
    } else if (IsHeld(m_target) && m_target->IsSelected() && !m_target->IsLocked(kLockPosition)) {
        const double left = snap ? m_editor.SnapX(page.x - m_offsetX) : page.x - m_offsetX;
        const double top = snap ? m_editor.SnapY(page.y - m_offsetY) : page.y - m_offsetY;
        DiagramBounds rect{left, top, left + m_target->GetRight() - m_target->GetLeft(),
                           top + m_target->GetBottom() - m_target->GetTop()};
        if (area)
            rect = Confine(rect, *area);
        m_target->SetRect(rect.left, rect.top, rect.right, rect.bottom);
    } else {
        return;
    }
    container.SetModified(true);
    m_editor.InvalidateClient(before.United(m_editor.SelectionScreenBounds()));
}

void CDiagramInteraction::ResizeTarget(CDiagramPoint page, bool keepRatio)
{
    if (!IsHeld(m_target))
        return;
    CDiagramEntity& entity = *m_target;
    const CDiagramRect before = m_editor.SelectionScreenBounds();
    const double x = m_editor.m_snap ? m_editor.SnapX(page.x) : page.x;
    const double y = m_editor.m_snap ? m_editor.SnapY(page.y) : page.y;
    const MovingSides sides = sidesOf(GetSubMode());
    double l = entity.GetLeft(), t = entity.GetTop(), r = entity.GetRight(), b = entity.GetBottom();
    if (sides.left) l = x;
    if (sides.right) r = x;
    if (sides.top) t = y;
    if (sides.bottom) b = y;

    const CDiagramPoint minimum = entity.GetMinimumSize();
    const CDiagramPoint maximum = entity.GetMaximumSize();
    const std::optional<DiagramBounds> area = Area();
    // Each moving side keeps the size within the limits and the point within the restraint.
    auto hold = [&] {
        if (sides.left || !sides.right) {
            if (minimum.x != -1 && r - l < minimum.x) l = r - minimum.x;
            if (maximum.x != -1 && r - l > maximum.x) l = r - maximum.x;
            if (area && l < area->left) l = area->left;
        }
        if (sides.right) {
            if (minimum.x != -1 && r - l < minimum.x) r = l + minimum.x;
            if (maximum.x != -1 && r - l > maximum.x) r = l + maximum.x;
            if (area && r > area->right) r = area->right;
        }
        if (sides.top || !sides.bottom) {
            if (minimum.y != -1 && b - t < minimum.y) t = b - minimum.y;
            if (maximum.y != -1 && b - t > maximum.y) t = b - maximum.y;
            if (area && t < area->top) t = area->top;
        }
        if (sides.bottom) {
            if (minimum.y != -1 && b - t < minimum.y) b = t + minimum.y;
            if (maximum.y != -1 && b - t > maximum.y) b = t + maximum.y;
            if (area && b > area->bottom) b = area->bottom;
        }
    };
    // A side marker keeps the ratio by moving the far side of the other axis.
    auto setWidth = [&](double width) {
        if (sides.left) l = r - width;
        else r = l + width;
    };
    auto setHeight = [&](double height) {
        if (sides.top) t = b - height;
        else b = t + height;
    };
    hold();
    // The ratio needs a start size on both axes; a zero extent has none to keep.
    if (keepRatio && m_startWidth > 0 && m_startHeight > 0) {
        const double w0 = m_startWidth, h0 = m_startHeight;
        double w = r - l, h = b - t;
        if (w0 * h > h0 * w) {
            setHeight(w * h0 / w0);
            hold();
            h = b - t;
            setWidth(h * w0 / h0);
        } else {
            setWidth(h * w0 / h0);
            hold();
            w = r - l;
            setHeight(w * h0 / w0);
        }
    }
    entity.SetRect(l, t, r, b);
    m_editor.GetContainer().SetModified(true);
    m_editor.InvalidateClient(before.United(m_editor.SelectionScreenBounds()));
}

void CDiagramInteraction::ResizePaper(CDiagramPoint page, CDiagramPoint client)
{
    const double snappedX = m_editor.m_snap ? m_editor.SnapX(page.x) : page.x;
    const double snappedY = m_editor.m_snap ? m_editor.SnapY(page.y) : page.y;
    int32_t x = std::max(int32_t(snappedX), 1);
    int32_t y = std::max(int32_t(snappedY), 1);
    const int32_t code = GetSubMode();
    const CDiagramPoint paper = m_editor.GetVirtualSize();
    int32_t width = (code == DEHT_TOPRIGHT || code == DEHT_BOTTOMRIGHT || code == DEHT_RIGHTMIDDLE) ? x : paper.x;
    int32_t height = (code == DEHT_BOTTOMLEFT || code == DEHT_BOTTOMMIDDLE || code == DEHT_BOTTOMRIGHT) ? y : paper.y;

    const Restraint restraint = m_editor.m_restraint;
    if (restraint != Restraint::None) {
        const CDiagramEntityContainer& container = m_editor.GetContainer();
        int32_t right = 0, bottom = 0;
        for (int32_t i = 0; i < container.GetSize(); ++i) {
            const CDiagramEntity* entity = container.GetAt(i);
            right = std::max(right, int32_t(std::lround(std::max(entity->GetLeft(), entity->GetRight()))));
            bottom = std::max(bottom, int32_t(std::lround(std::max(entity->GetTop(), entity->GetBottom()))));
        }
        if (restraint == Restraint::Margins) {
            const DiagramMargins& margins = m_editor.m_margins;
            right = std::max(right + margins.right, margins.left + margins.right);
            bottom = std::max(bottom + margins.bottom, margins.top + margins.bottom);
        }
        width = std::max(width, right);
        height = std::max(height, bottom);
    }
    m_editor.SetVirtualSize(width, height);
    m_editor.GetContainer().SetModified(true);

    // Keep the dragged point in view.
    const CDiagramPoint size = m_editor.GetViewport().GetClientSize();
    const CDiagramPoint scroll = m_editor.GetViewport().GetScrollPosition();
    if (client.x >= size.x)
        m_editor.SetScrollPosition(ScrollAxis::Horizontal, scroll.x + client.x - size.x + 1);
    if (client.y >= size.y)
        m_editor.SetScrollPosition(ScrollAxis::Vertical, scroll.y + client.y - size.y + 1);
    m_editor.RedrawWindow();
}

void CDiagramInteraction::LeftButtonUp(const DiagramMouseEvent& event, DiagramResponse& response)
{
    if (!m_buttonDown) {
        response.handled = Handled::No;
        return;
    }
    if (IsHeld(m_clickCandidate)) {
        m_clickCandidate->SetLastClickPoint({-100, 0});
        if (!m_dragStarted && m_clickCandidate == m_editor.GetSelectedObject()) {
            m_clickCandidate->SetClickToggle(!m_clickCandidate->GetClickToggle());
            m_clickCandidate->SetLastClickPoint(m_editor.ScreenToVirtual(event.point));
        }
    }
    const int32_t mode = GetMode();
    if ((mode == kModeMove || mode == kModeResize) && m_editor.m_snap && m_dragStarted)
        SnapFinalPositions();
    if (mode == kModeRubberBand)
        SelectInBand();

    m_buttonDown = false;
    m_dragStarted = false;
    m_pendingSnapshot = nullptr;
    m_anchor = m_target = m_clickCandidate = nullptr;
    SetMode(m_editor.m_repeatInsert && m_editor.GetInsertObject() ? kModeInsert : kModeNone);
    response.cursor = CursorAt(event.point);
    m_editor.RedrawWindow();
}

void CDiagramInteraction::SnapFinalPositions()
{
    const int32_t mode = GetMode();
    for (CDiagramEntity* entity : m_editor.Selected()) {
        if (mode == kModeMove) {
            if (entity->IsLocked(kLockPosition))
                continue;
            const double left = m_editor.SnapX(entity->GetLeft());
            const double top = m_editor.SnapY(entity->GetTop());
            entity->MoveRect(left - entity->GetLeft(), top - entity->GetTop());
        } else if (entity == m_target) {
            entity->SetRect(m_editor.SnapX(entity->GetLeft()), m_editor.SnapY(entity->GetTop()),
                            m_editor.SnapX(entity->GetRight()), m_editor.SnapY(entity->GetBottom()));
        }
    }
}

void CDiagramInteraction::SelectInBand()
{
    const double zoom = m_editor.GetZoom();
    m_editor.UnselectAll();
    CDiagramRect band = GetRubberBand();
    if (band.Width() == 0 && band.Height() == 0)
        band = {band.left - 1, band.top - 1, band.right + 1, band.bottom + 1};
    // The band is drawn on the zoomed page; entities live in page pixels.
    const CDiagramRect page{RoundHalfUp(band.left / zoom), RoundHalfUp(band.top / zoom), RoundHalfUp(band.right / zoom),
                            RoundHalfUp(band.bottom / zoom)};
    CDiagramEntityContainer& container = m_editor.GetContainer();
    for (int32_t i = 0; i < container.GetSize(); ++i) {
        CDiagramEntity* entity = container.GetAt(i);
        if (!entity->IsLogical() && entity->BodyInRect(page))
            m_editor.SelectObject(*entity, true);
    }
}

void CDiagramInteraction::LeftButtonDoubleClick(const DiagramMouseEvent&, DiagramResponse&)
{
    if (m_editor.GetSelectCount() == 1)
        m_editor.GetSelectedObject()->ShowProperties(m_editor.GetWindow(), true);
}

void CDiagramInteraction::RightButtonDown(const DiagramMouseEvent& event, DiagramResponse&)
{
    StopPanning();
    if (m_buttonDown)
        Abandon();
    m_editor.m_pastePosition = m_editor.ScreenToVirtual(event.point);
    const CDiagramPoint canvas = m_editor.GetViewport().ToCanvas(event.point);
    CDiagramEntityContainer& container = m_editor.GetContainer();
    for (int32_t i = container.GetSize() - 1; i >= 0; --i) {
        CDiagramEntity* entity = container.GetAt(i);
        if (entity->IsLogical() || !entity->GetScaledRect(m_editor.GetZoom()).Normalized().Contains(canvas))
            continue;
        if (!entity->IsSelected()) {
            m_editor.UnselectAll();
            m_editor.SelectObject(*entity, true);
        }
        break;
    }
    SetMode(kModeNone);
    m_editor.m_repeatInsert = false;
    m_editor.RedrawWindow();
}

void CDiagramInteraction::RightButtonUp(const DiagramMouseEvent& event, DiagramResponse&)
{
    if (m_editor.GetSelectCount() == 1) {
        m_editor.GetSelectedObject()->ShowPopup(event.point.x, event.point.y, m_editor.GetWindow());
        return;
    }
    if (CDiagramWindow* window = m_editor.GetWindow()) {
        const std::vector<CDiagramMenuItem> items = m_editor.GetPopupMenu().GetItems(m_editor);
        window->TrackMenu(items, event.point);
    }
}

void CDiagramInteraction::MiddleButtonDown(const DiagramMouseEvent& event, DiagramResponse& response)
{
    if (m_panning) {
        StopPanning();
        return;
    }
    m_panning = true;
    m_panOrigin = event.point;
    if (CDiagramWindow* window = m_editor.GetWindow())
        window->SetPanTimer(true);
    response.cursor = PanCursor(event.point);
    m_editor.RedrawWindow();
}

void CDiagramInteraction::PanTimer(const CDiagramPoint& cursor, DiagramResponse& response)
{
    if (!m_panning)
        return;
    const CDiagramPoint scroll = m_editor.GetViewport().GetScrollPosition();
    m_editor.SetScrollPosition(ScrollAxis::Horizontal, scroll.x + (cursor.x - m_panOrigin.x) / kPanDivisor);
    m_editor.SetScrollPosition(ScrollAxis::Vertical, scroll.y + (cursor.y - m_panOrigin.y) / kPanDivisor);
    response.cursor = PanCursor(cursor);
}

DiagramCursor CDiagramInteraction::PanCursor(CDiagramPoint cursor) const
{
    const int32_t dx = cursor.x - m_panOrigin.x;
    const int32_t dy = cursor.y - m_panOrigin.y;
    const int32_t radius = CDiagramEditor::kPanMarkerRadius;
    if (std::abs(dx) <= radius)
        return DiagramCursor::SizeNS;
    const bool right = dx > 0;
    if (dy > radius)
        return right ? DiagramCursor::SizeNWSE : DiagramCursor::SizeNESW;
    if (dy < -radius)
        return right ? DiagramCursor::SizeNESW : DiagramCursor::SizeNWSE;
    return DiagramCursor::SizeWE;
}

DiagramCursor CDiagramInteraction::CursorAt(CDiagramPoint client) const
{
    if (m_panning)
        return PanCursor(client);
    if (GetMode() == kModeInsert)
        return DiagramCursor::Cross;
    const CDiagramPoint canvas = m_editor.GetViewport().ToCanvas(client);
    const double zoom = m_editor.GetZoom();
    const CDiagramEntityContainer& container = m_editor.GetContainer();
    if (const CDiagramEntity* top = m_editor.GetSelectedObject()) {
        const int32_t code = top->GetHitCode(canvas, top->GetScaledRect(zoom));
        if (code != DEHT_NONE)
            return top->GetCursor(code);
    }
    for (int32_t i = container.GetSize() - 1; i >= 0; --i) {
        const CDiagramEntity* entity = container.GetAt(i);
        if (!entity->IsLogical() && entity->GetScaledRect(zoom).Normalized().Contains(canvas))
            return entity->GetCursor(DEHT_BODY);
    }
    if (m_editor.m_paperResize && m_editor.m_paperSelected) {
        const int32_t code = m_editor.PaperHitTest(canvas);
        if (isResizeMarker(code))
            return m_editor.GetPaperCursor(code);
    }
    return DiagramCursor::None;
}

CDiagramInteraction::KeyAction CDiagramInteraction::Classify(const DiagramKeyEvent& event) const
{
    const uint32_t mask = m_editor.m_keyMask;
    const bool control = event.modifiers & kModifierControl;
    auto in = [mask](uint32_t group, KeyAction action) { return (mask & group) ? action : KeyAction::None; };
    switch (event.key) {
    case DiagramKey::Left:
    case DiagramKey::Right:
    case DiagramKey::Up:
    case DiagramKey::Down: return in(kKeysArrows, KeyAction::Arrow);
    case DiagramKey::Delete: return in(kKeysDelete, KeyAction::Delete);
    case DiagramKey::Insert: return in(kKeysInsert, KeyAction::Insert);
    case DiagramKey::Enter: return in(kKeysEditing, KeyAction::Enter);
    case DiagramKey::PageUp: return in(kKeysPages, KeyAction::PageUp);
    case DiagramKey::PageDown: return in(kKeysPages, KeyAction::PageDown);
    case DiagramKey::Escape: return in(kKeysEscape, KeyAction::Escape);
    case DiagramKey::KeypadPlus: return in(kKeysZoom, KeyAction::ZoomIn);
    case DiagramKey::KeypadMinus: return in(kKeysZoom, KeyAction::ZoomOut);
    case DiagramKey::Character:
        if (!control)
            return KeyAction::None;
        switch (event.character) {
        case u'A': return in(kKeysEditing, KeyAction::SelectAll);
        case u'X': return in(kKeysEditing, KeyAction::Cut);
        case u'V': return in(kKeysEditing, KeyAction::Paste);
        case u'C': return in(kKeysEditing, KeyAction::Copy);
        case u'Z': return in(kKeysEditing, KeyAction::Undo);
        case u'Y': return in(kKeysEditing, KeyAction::Redo);
        default: return KeyAction::None;
        }
    case DiagramKey::Backspace: break;
    }
    return KeyAction::None;
}

bool CDiagramInteraction::HandlesKey(const DiagramKeyEvent& event) const
{
    for (const DiagramKeyEvent& shortcut : m_editor.m_windowShortcuts)
        if (shortcut == event)
            return false;
    const KeyAction action = Classify(event);
    if (action == KeyAction::None)
        return false;
    // While a press lasts only Escape acts: an edit now would pull entities from under
    // the drag.
    return !m_buttonDown || action == KeyAction::Escape;
}

void CDiagramInteraction::KeyDown(const DiagramKeyEvent& event, DiagramResponse& response)
{
    StopPanning();
    if (!HandlesKey(event)) {
        response.handled = Handled::No;
        return;
    }
    const bool shift = event.modifiers & kModifierShift;
    const bool control = event.modifiers & kModifierControl;
    CDiagramEntityContainer& container = m_editor.GetContainer();
    switch (Classify(event)) {
    case KeyAction::Arrow: ArrowKey(event); break;
    case KeyAction::Delete:
        if (shift)
            m_editor.Cut();
        else
            m_editor.DeleteSelected();
        break;
    case KeyAction::Insert:
        if (shift)
            m_editor.Paste();
        else
            m_editor.DuplicateSelected();
        break;
    case KeyAction::Enter:
        if (m_editor.GetSelectCount() == 1)
            m_editor.GetSelectedObject()->ShowProperties(m_editor.GetWindow(), true);
        break;
    case KeyAction::SelectAll: m_editor.SelectAll(); break;
    case KeyAction::Cut: m_editor.Cut(); break;
    case KeyAction::Paste: m_editor.Paste(); break;
    case KeyAction::Copy: m_editor.Copy(); break;
    case KeyAction::Undo: m_editor.Undo(1); break;
    case KeyAction::Redo: m_editor.Redo(1); break;
    case KeyAction::PageUp:
    case KeyAction::PageDown:
        if (container.GetSelectCount() == 1) {
            CDiagramEntity* entity = m_editor.GetSelectedObject();
            const bool up = Classify(event) == KeyAction::PageUp;
            if (control)
                up ? container.ToFront(entity) : container.ToBottom(entity);
            else
                up ? container.PopUp(entity) : container.PushDown(entity);
            m_editor.RedrawWindow();
        }
        break;
    case KeyAction::Escape:
        Abandon();
        SetMode(kModeNone);
        m_editor.m_repeatInsert = false;
        m_editor.RedrawWindow();
        break;
    case KeyAction::ZoomIn: m_editor.SetZoom(m_editor.GetZoom() + CDiagramEditor::kZoomStep); break;
    case KeyAction::ZoomOut: m_editor.SetZoom(m_editor.GetZoom() - CDiagramEditor::kZoomStep); break;
    case KeyAction::None: break;
    }
}

void CDiagramInteraction::ArrowKey(const DiagramKeyEvent& event)
{
    const std::vector<CDiagramEntity*> selected = m_editor.Selected();
    if (selected.empty())
        return;
    const double zoom = m_editor.GetZoom();
    const bool snap = m_editor.m_snap;
    const CDiagramPoint grid = m_editor.GetGridSize();
    const double stepX = std::max(1.0, (snap ? grid.x : 1) / zoom);
    const double stepY = std::max(1.0, (snap ? grid.y : 1) / zoom);
    double dx = 0, dy = 0;
    switch (event.key) {
    case DiagramKey::Left: dx = -stepX; break;
    case DiagramKey::Right: dx = stepX; break;
    case DiagramKey::Up: dy = -stepY; break;
    case DiagramKey::Down: dy = stepY; break;
    default: return;
    }
    CDiagramEntityContainer& container = m_editor.GetContainer();
    if (event.modifiers & kModifierShift) {
        container.Snapshot(DiagramUndoLabel::kResizeWithKeys);
        const CDiagramRect box = m_editor.GetSelectionRect();
        const DiagramBounds before{double(box.left), double(box.top), double(box.right), double(box.bottom)};
        const DiagramBounds after{before.left, before.top, before.right + dx, before.bottom + dy};
        m_editor.ScaleObjects(before, after, ScaleTargets::Selected);
    } else {
        container.Snapshot(DiagramUndoLabel::kMoveWithKeys);
        const std::optional<DiagramBounds> area = Area();
        for (CDiagramEntity* entity : selected) {
            if (entity->IsLocked(kLockPosition))
                continue;
            double left = entity->GetLeft() + dx;
            double top = entity->GetTop() + dy;
            if (snap) {
                left = m_editor.SnapX(left);
                top = m_editor.SnapY(top);
            }
            DiagramBounds rect{left, top, left + entity->GetRight() - entity->GetLeft(),
                               top + entity->GetBottom() - entity->GetTop()};
            if (area)
                rect = Confine(rect, *area);
            entity->SetRect(rect.left, rect.top, rect.right, rect.bottom);
        }
    }
    m_editor.SetModified(true);
    m_editor.RedrawWindow();
}

void CDiagramInteraction::Wheel(const DiagramWheelEvent& event, DiagramResponse& response)
{
    if (m_editor.m_wheelMode == WheelMode::Zoom) {
        if (event.delta < 0)
            m_editor.SetZoom(m_editor.GetZoom() + CDiagramEditor::kZoomStep);
        else if (event.delta > 0)
            m_editor.SetZoom(m_editor.GetZoom() - CDiagramEditor::kZoomStep);
        return;
    }
    if (!m_editor.GetViewport().GetBar(ScrollAxis::Vertical).shown) {
        response.handled = Handled::No;
        return;
    }
    const int32_t notches = m_editor.m_viewport.AccumulateWheel(event.delta);
    if (notches != 0)
        m_editor.SetScrollPosition(ScrollAxis::Vertical,
                                   m_editor.GetViewport().GetScrollPosition().y - notches);
}
