#include "diagram/editor/CDiagramEditor.h"

#include <algorithm>
#include <cmath>

#include "diagram/CDiagramHost.h"
#include "diagram/EntityTextLine.h"

namespace {

constexpr gfx::Colour kBlack = gfx::Colour::fromArgb(0xFF000000);
constexpr gfx::Colour kPanPen = gfx::Colour::fromColorRef(0x808080);
constexpr gfx::Colour kPanCentre = gfx::Colour::fromColorRef(0xC0C0C0);
constexpr gfx::Colour kNoFill = gfx::Colour::fromArgb(0);
// More repaint rectangles than this between two answers collapse into their union.
constexpr size_t kMaximumRepaintRects = 64;
// Markers reach this far outside an entity's rectangle (the locked one's enlarged corner).
constexpr int32_t kMarkerReach = 10;

gfx::Rect toGfx(const CDiagramRect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// One axis of ScaleObject: x in the frame l..h mapped into l2..h2. A frame of no
// extent on this axis has nothing to scale by.
double scaleCoordinate(double x, double l, double h, double l2, double h2)
{
    if (h == l)
        return x;
    if (h2 != h)
        return l + (x - l) * (h2 - l) / (h - l);
    if (l2 == l)
        return x;
    return h - (h - x) * (h - l2) / (h - l);
}

std::u16string ribbonLabel(const char16_t* what, int32_t value)
{
    return std::u16string(what) + u" = " + EntityTextLine::FormatInt(value) + u" (from ribbon)";
}

} // namespace

CDiagramEditor::CDiagramEditor()
    : m_ownContainer(std::make_unique<CDiagramEntityContainer>()), m_container(m_ownContainer.get()),
      m_interaction(*this)
{
}

CDiagramEditor::~CDiagramEditor()
{
    CloseActivity();
}

void CDiagramEditor::CloseActivity()
{
    // The worker may still hold objects of this view: from now on they tell it nothing.
    m_interaction.GetActivity()->Clear();
    if (m_container && m_container->GetViewActivity() == m_interaction.GetActivity())
        m_container->SetViewActivity(nullptr);
}

void CDiagramEditor::Create(CDiagramEntityContainer* container, CDiagramWindow* window, CDiagramPoint clientSize)
{
    m_interaction.Abandon();
    if (container) {
        m_ownContainer.reset();
        m_container = container;
    } else if (!m_ownContainer) {
        m_ownContainer = std::make_unique<CDiagramEntityContainer>();
        m_container = m_ownContainer.get();
    }
    m_window = window;
    // The container's entities read this view's mode and tick from now on; the cell is
    // opened with the mode as it stands.
    m_container->SetViewActivity(m_interaction.GetActivity());
    m_interaction.SetMode(m_interaction.GetMode(), m_interaction.GetSubMode());
    m_viewport.SetClientSize(clientSize.x, clientSize.y);
    const CDiagramPoint paper = m_container->GetPaperSize();
    m_viewport.SetPaperSize(paper);
    if (paper.x == 0 && paper.y == 0)
        SetVirtualSize(clientSize.x, clientSize.y);
    LayoutScrollBars();
    RedrawWindow();
}

void CDiagramEditor::Clear()
{
    m_interaction.StopPanning();
    m_interaction.Abandon();
    m_interaction.SetMode(kModeNone);
    m_insertTemplate.reset();
    m_repeatInsert = false;
    m_viewport.SetZoom(1.0);
    m_viewport.Layout();
    m_viewport.SetScrollPosition(ScrollAxis::Horizontal, 0);
    m_viewport.SetScrollPosition(ScrollAxis::Vertical, 0);
    LayoutScrollBars();
    RedrawWindow();
}

void CDiagramEditor::New()
{
    Clear();
    m_container->Clear();
    m_container->ClearUndo();
    m_container->ClearRedo();
    m_container->SetModified(false);
    RedrawWindow();
}

// Painting

CDiagramRect CDiagramEditor::GetScaledPaper() const
{
    const CDiagramPoint scaled = m_viewport.GetScaledSize();
    return {0, 0, scaled.x, scaled.y};
}

CDiagramRect CDiagramEditor::GetDrawRect() const
{
    const CDiagramPoint scaled = m_viewport.GetScaledSize();
    return {0, 0, scaled.x + 1, scaled.y + 1};
}

void CDiagramEditor::Paint(gfx::DeviceContext& dc)
{
    const CDiagramPoint client = m_viewport.GetClientSize();
    EraseBackground(dc, {0, 0, client.x, client.y});
    const gfx::Point origin = dc.viewportOrigin();
    const CDiagramPoint scroll = m_viewport.GetScrollPosition();
    dc.setViewportOrigin({origin.x - scroll.x, origin.y - scroll.y});
    Draw(dc, GetDrawRect());
    const CDiagramRect band = m_interaction.GetRubberBand();
    if (band.Width() > 0 && band.Height() > 0)
        dc.drawFocusRect(toGfx(band));
    dc.setViewportOrigin(origin);
}

void CDiagramEditor::Draw(gfx::DeviceContext& dc, const CDiagramRect& rect)
{
    const double zoom = GetZoom();
    DrawBackground(dc, rect, zoom);
    if (m_gridVisible)
        DrawGrid(dc, rect, zoom);
    if (m_marginsVisible)
        DrawMargins(dc, rect, zoom);
    DrawObjects(dc, zoom);
    if (m_paperResize && m_paperSelected)
        DrawPaperMarkers(dc);
    if (m_interaction.IsPanning())
        DrawPanMarker(dc);
}

void CDiagramEditor::Print(gfx::DeviceContext& dc, const CDiagramRect& rect, double zoom)
{
    DrawBackground(dc, rect, zoom);
    DrawObjects(dc, zoom);
}

void CDiagramEditor::EraseBackground(gfx::DeviceContext& dc, const CDiagramRect& rect)
{
    dc.fillRect(toGfx(rect), m_outsideColour);
}

void CDiagramEditor::DrawBackground(gfx::DeviceContext&, const CDiagramRect&, double)
{
    // The page canvas paints the paper; the plain editor leaves it to the grid.
}

void CDiagramEditor::DrawGrid(gfx::DeviceContext& dc, const CDiagramRect& rect, double zoom)
{
    const CDiagramPoint paper = GetVirtualSize();
    if (m_gridStep.x > 0) {
        for (int32_t i = 0; i <= paper.x / m_gridStep.x; ++i) {
            const int32_t x = RoundHalfUp(double(i) * m_gridStep.x * zoom);
            dc.drawLine({x, rect.top}, {x, rect.Height()}, m_gridColour, m_gridStyle);
        }
    }
    if (m_gridStep.y > 0) {
        for (int32_t i = 0; i <= paper.y / m_gridStep.y; ++i) {
            const int32_t y = RoundHalfUp(double(i) * m_gridStep.y * zoom);
            dc.drawLine({rect.left, y}, {rect.Width(), y}, m_gridColour, m_gridStyle);
        }
    }
}

void CDiagramEditor::DrawMargins(gfx::DeviceContext& dc, const CDiagramRect&, double zoom)
{
    const CDiagramRect paper = GetScaledPaper();
    const int32_t left = RoundHalfUp(m_margins.left * zoom);
    const int32_t top = RoundHalfUp(m_margins.top * zoom);
    // The far lines lie one pixel further in, on the last pixel inside their margin.
    const int32_t right = paper.right - RoundHalfUp(m_margins.right * zoom) - 1;
    const int32_t bottom = paper.bottom - RoundHalfUp(m_margins.bottom * zoom) - 1;
    const int32_t lineTop = m_margins.top ? top : 0;
    const int32_t lineBottom = m_margins.bottom ? bottom + 1 : paper.bottom;
    const int32_t lineLeft = m_margins.left ? left : 0;
    const int32_t lineRight = m_margins.right ? right + 1 : paper.right;
    if (m_margins.left)
        dc.drawLine({left, lineTop}, {left, lineBottom}, m_marginColour);
    if (m_margins.right)
        dc.drawLine({right, lineTop}, {right, lineBottom}, m_marginColour);
    if (m_margins.top)
        dc.drawLine({lineLeft, top}, {lineRight, top}, m_marginColour);
    if (m_margins.bottom)
        dc.drawLine({lineLeft, bottom}, {lineRight, bottom}, m_marginColour);
}

void CDiagramEditor::DrawObjects(gfx::DeviceContext& dc, double zoom)
{
    for (int32_t i = 0; i < m_container->GetSize(); ++i) {
        CDiagramEntity* entity = m_container->GetAt(i);
        if (!IsDrawn(*entity))
            continue;
        // Small markers, so every selected entity shows its four corners.
        entity->SetMarkerSize(5, 4);
        entity->DrawObject(dc, zoom);
    }
    if (CDiagramEntity* top = GetSelectedObject(); top && IsDrawn(*top)) {
        top->SetMarkerSize(8, 8);
        const CDiagramRect rect = top->GetScaledRect(zoom);
        top->DrawSelectionMarkers(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
}

void CDiagramEditor::DrawPaperMarkers(gfx::DeviceContext& dc)
{
    for (int32_t code = DEHT_TOPLEFT; code <= DEHT_RIGHTMIDDLE; ++code)
        dc.fillRect(toGfx(GetPaperMarkerRect(code)), kBlack);
}

void CDiagramEditor::DrawPanMarker(gfx::DeviceContext& dc)
{
    const CDiagramPoint centre = m_viewport.ToCanvas(m_interaction.GetPanOrigin());
    const int32_t outer = kPanMarkerRadius;
    const int32_t inner = kPanMarkerRadius - 12;
    dc.drawEllipse({centre.x - outer, centre.y - outer, centre.x + outer, centre.y + outer}, kPanPen, kNoFill);
    dc.drawEllipse({centre.x - inner, centre.y - inner, centre.x + inner, centre.y + inner}, kPanCentre, kPanCentre);
}

CDiagramRect CDiagramEditor::GetPaperMarkerRect(int32_t code) const
{
    const CDiagramRect paper = GetScaledPaper();
    const int32_t midX = paper.right / 2;
    const int32_t midY = paper.bottom / 2;
    CDiagramPoint centre;
    switch (code) {
    case DEHT_TOPLEFT: centre = {0, 0}; break;
    case DEHT_TOPMIDDLE: centre = {midX, 0}; break;
    case DEHT_TOPRIGHT: centre = {paper.right, 0}; break;
    case DEHT_BOTTOMLEFT: centre = {0, paper.bottom}; break;
    case DEHT_BOTTOMMIDDLE: centre = {midX, paper.bottom}; break;
    case DEHT_BOTTOMRIGHT: centre = {paper.right, paper.bottom}; break;
    case DEHT_LEFTMIDDLE: centre = {0, midY}; break;
    case DEHT_RIGHTMIDDLE: centre = {paper.right, midY}; break;
    default: return {};
    }
    const int32_t hx = m_paperMarkerSize.x / 2;
    const int32_t hy = m_paperMarkerSize.y / 2;
    return {centre.x - hx, centre.y - hy, centre.x + hx, centre.y + hy};
}

int32_t CDiagramEditor::PaperHitTest(CDiagramPoint canvas) const
{
    int32_t result = GetScaledPaper().Contains(canvas) ? DEHT_BODY : DEHT_NONE;
    for (int32_t code = DEHT_TOPLEFT; code <= DEHT_RIGHTMIDDLE; ++code)
        if (GetPaperMarkerRect(code).Contains(canvas))
            result = code;
    return result;
}

DiagramCursor CDiagramEditor::GetPaperCursor(int32_t code) const
{
    switch (code) {
    case DEHT_TOPRIGHT:
    case DEHT_BOTTOMLEFT: return DiagramCursor::SizeNESW;
    case DEHT_BOTTOMMIDDLE: return DiagramCursor::SizeNS;
    case DEHT_BOTTOMRIGHT: return DiagramCursor::SizeNWSE;
    case DEHT_RIGHTMIDDLE: return DiagramCursor::SizeWE;
    default: return DiagramCursor::Arrow;
    }
}

// Coordinates, zoom and scrolling

void CDiagramEditor::SetZoom(double zoom)
{
    if (!m_viewport.SetZoom(zoom))
        return;
    LayoutScrollBars();
    RedrawWindow();
}

void CDiagramEditor::SetVirtualSize(int32_t width, int32_t height)
{
    if (m_container->GetPaperSize() == CDiagramPoint{width, height})
        return;
    m_container->SetPaperSize(width, height);
    m_viewport.SetPaperSize({width, height});
    LayoutScrollBars();
    RedrawWindow();
}

double CDiagramEditor::SnapX(double value) const
{
    return m_gridStep.x > 0 ? m_gridStep.x * std::trunc(value / m_gridStep.x + 0.5) : value;
}

double CDiagramEditor::SnapY(double value) const
{
    return m_gridStep.y > 0 ? m_gridStep.y * std::trunc(value / m_gridStep.y + 0.5) : value;
}

void CDiagramEditor::LayoutScrollBars()
{
    m_viewport.Layout();
    if (m_window)
        m_window->ScrollLayoutChanged();
}

void CDiagramEditor::OnSize(int32_t width, int32_t height)
{
    if (!m_viewport.SetClientSize(width, height))
        return;
    LayoutScrollBars();
    RedrawWindow();
}

void CDiagramEditor::OnScroll(ScrollAxis axis, ScrollAction action, int32_t trackPosition)
{
    if (!m_viewport.Scroll(axis, action, trackPosition))
        return;
    if (m_window)
        m_window->ScrollLayoutChanged();
    RedrawWindow();
}

void CDiagramEditor::SetScrollPosition(ScrollAxis axis, int32_t position)
{
    if (!m_viewport.SetScrollPosition(axis, position))
        return;
    if (m_window)
        m_window->ScrollLayoutChanged();
    RedrawWindow();
}

void CDiagramEditor::InvalidateClient(const CDiagramRect& rect)
{
    const CDiagramPoint client = m_viewport.GetClientSize();
    const CDiagramRect clipped{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, client.x),
                               std::min(rect.bottom, client.y)};
    if (clipped.Width() <= 0 || clipped.Height() <= 0)
        return;
    if (m_repaint.size() >= kMaximumRepaintRects) {
        CDiagramRect all = clipped;
        for (const CDiagramRect& r : m_repaint)
            all = all.United(r);
        m_repaint.assign(1, all);
    } else {
        m_repaint.push_back(clipped);
    }
    if (m_window)
        m_window->InvalidateRect(clipped);
}

void CDiagramEditor::RedrawWindow()
{
    const CDiagramPoint client = m_viewport.GetClientSize();
    InvalidateClient({0, 0, client.x, client.y});
}

std::vector<CDiagramRect> CDiagramEditor::TakeRepaint()
{
    std::vector<CDiagramRect> taken;
    taken.swap(m_repaint);
    return taken;
}

void CDiagramEditor::Respond(DiagramResponse& response)
{
    response.repaint = TakeRepaint();
}

CDiagramRect CDiagramEditor::SelectionScreenBounds() const
{
    CDiagramRect bounds;
    for (const CDiagramEntity* entity : Selected()) {
        const CDiagramRect r = m_viewport.ToScreen(entity->GetRect());
        bounds = bounds.United({r.left - kMarkerReach, r.top - kMarkerReach, r.right + kMarkerReach,
                                r.bottom + kMarkerReach});
    }
    return bounds;
}

// Input

template <typename Event>
DiagramResponse CDiagramEditor::Handle(const Event& event,
                                       void (CDiagramInteraction::*handler)(const Event&, DiagramResponse&))
{
    m_repaint.clear();
    DiagramResponse response;
    (m_interaction.*handler)(event, response);
    Respond(response);
    return response;
}

DiagramResponse CDiagramEditor::OnLButtonDown(const DiagramMouseEvent& event)
{
    DiagramResponse response = Handle(event, &CDiagramInteraction::LeftButtonDown);
    if (response.cursor == DiagramCursor::None)
        response.cursor = GetCursorAt(event.point);
    return response;
}

DiagramResponse CDiagramEditor::OnMouseMove(const DiagramMouseEvent& event)
{
    DiagramResponse response = Handle(event, &CDiagramInteraction::MouseMove);
    if (m_interaction.IsButtonDown()) {
        switch (GetInteractionMode()) {
        case kModeMove: response.cursor = DiagramCursor::SizeAll; break;
        case kModeResize: response.cursor = CDiagramEntity::CursorFor(GetInteractionSubMode()); break;
        case kModePaperResize: response.cursor = GetPaperCursor(GetInteractionSubMode()); break;
        default: break;
        }
    }
    return response;
}

DiagramResponse CDiagramEditor::OnLButtonUp(const DiagramMouseEvent& event)
{
    return Handle(event, &CDiagramInteraction::LeftButtonUp);
}

DiagramResponse CDiagramEditor::OnLButtonDblClk(const DiagramMouseEvent& event)
{
    return Handle(event, &CDiagramInteraction::LeftButtonDoubleClick);
}

DiagramResponse CDiagramEditor::OnRButtonDown(const DiagramMouseEvent& event)
{
    return Handle(event, &CDiagramInteraction::RightButtonDown);
}

DiagramResponse CDiagramEditor::OnRButtonUp(const DiagramMouseEvent& event)
{
    return Handle(event, &CDiagramInteraction::RightButtonUp);
}

DiagramResponse CDiagramEditor::OnMButtonDown(const DiagramMouseEvent& event)
{
    return Handle(event, &CDiagramInteraction::MiddleButtonDown);
}

DiagramResponse CDiagramEditor::OnKeyDown(const DiagramKeyEvent& event)
{
    return Handle(event, &CDiagramInteraction::KeyDown);
}

DiagramResponse CDiagramEditor::OnMouseWheel(const DiagramWheelEvent& event)
{
    return Handle(event, &CDiagramInteraction::Wheel);
}

DiagramResponse CDiagramEditor::OnPanTimer(CDiagramPoint cursor)
{
    return Handle(cursor, &CDiagramInteraction::PanTimer);
}

DiagramCursor CDiagramEditor::GetCursorAt(CDiagramPoint client) const
{
    return m_interaction.CursorAt(client);
}

bool CDiagramEditor::HandlesKey(const DiagramKeyEvent& event) const
{
    return m_interaction.HandlesKey(event);
}

void CDiagramEditor::SetInteractionMode(int32_t mode, int32_t subMode)
{
    m_interaction.SetMode(mode, subMode);
}

void CDiagramEditor::EndInteraction()
{
    if (m_interaction.IsButtonDown())
        m_interaction.Abandon();
}

void CDiagramEditor::OnCommand(int32_t command)
{
    switch (static_cast<CommandId>(command)) {
    case CommandId::EditCut: Cut(); return;
    case CommandId::EditCopy: Copy(); return;
    case CommandId::EditPaste: Paste(); return;
    case CommandId::EditPasteToPosition: PasteToPosition(m_pastePosition); return;
    case CommandId::EditGroup:
    case CommandId::EditUngroup:
        if (GetSelectCount() < 2)
            return;
        EndInteraction();
        if (static_cast<CommandId>(command) == CommandId::EditGroup)
            m_container->Group();
        else
            m_container->Ungroup();
        RedrawWindow();
        return;
    default: break;
    }
    if (command >= CMD_CUT && command <= CMD_LAST) {
        EndInteraction();
        const bool marks = command != CMD_COPY && command != CMD_PROPERTIES && command != CMD_SELECT_GROUP;
        m_container->SendMessageToObjects(command, MessageTargets::SelectedOnly, nullptr, m_window,
                                          marks ? MarkModified::Yes : MarkModified::No);
        RedrawWindow();
    }
}

// Objects and selection

void CDiagramEditor::AddObject(std::unique_ptr<CDiagramEntity> entity)
{
    m_container->Add(std::move(entity));
    RedrawWindow();
}

void CDiagramEditor::SetObjectRect(CDiagramEntity& entity, const CDiagramRect& rect)
{
    entity.SetIntRect(rect.left, rect.top, rect.right, rect.bottom);
    RedrawWindow();
}

void CDiagramEditor::SelectObject(CDiagramEntity& entity, bool select, SelectKind kind)
{
    if (select && kind == SelectKind::Exclusive)
        UnselectKind(!entity.IsLogical());
    m_container->SelectEntity(&entity, select);
    RedrawWindow();
}

void CDiagramEditor::StartInsert(std::unique_ptr<CDiagramEntity> templateEntity)
{
    if (!templateEntity)
        return;
    EndInteraction();
    templateEntity->PrepareInsert(*this);
    m_insertTemplate = std::move(templateEntity);
    if (m_insertTemplate->IsLogical()) {
        InsertLogicalObject();
        return;
    }
    m_repeatInsert = true;
    m_interaction.SetMode(kModeInsert);
}

void CDiagramEditor::InsertLogicalObject()
{
    if (!m_insertTemplate)
        return;
    EndInteraction();
    m_container->Snapshot(DiagramUndoLabel::kInsertLogical);
    UnselectAll();
    std::unique_ptr<CDiagramEntity> clone = m_insertTemplate->Clone();
    clone->SetRect(kInsertLogicalAt.x, kInsertLogicalAt.y, kInsertLogicalAt.x, kInsertLogicalAt.y);
    CDiagramEntity* added = clone.get();
    m_container->AddNew(std::move(clone));
    added->Select(true);
    m_interaction.SetMode(kModeNone);
    CDiagramHost::Get().RefreshObjects(*m_container);
    RedrawWindow();
}

void CDiagramEditor::SelectAll()
{
    m_container->SelectAll();
    UnselectKind(true);
    RedrawWindow();
}

void CDiagramEditor::UnselectAll()
{
    m_container->UnselectAll();
    RedrawWindow();
}

void CDiagramEditor::UnselectKind(bool logical)
{
    for (CDiagramEntity* entity : Selected())
        if (entity->IsLogical() == logical)
            entity->Select(false);
}

void CDiagramEditor::DeleteSelected()
{
    EndInteraction();
    m_container->DeleteSelected();
    RedrawWindow();
}

std::vector<CDiagramEntity*> CDiagramEditor::Selected() const
{
    std::vector<CDiagramEntity*> selected;
    for (int32_t i = 0; i < m_container->GetSize(); ++i)
        if (CDiagramEntity* entity = m_container->GetAt(i); entity->IsSelected())
            selected.push_back(entity);
    return selected;
}

CDiagramEntity* CDiagramEditor::GetSelectedObject() const
{
    for (int32_t i = m_container->GetSize() - 1; i >= 0; --i)
        if (CDiagramEntity* entity = m_container->GetAt(i); entity->IsSelected())
            return entity;
    return nullptr;
}

bool CDiagramEditor::IsAnySelected() const
{
    return GetSelectedObject() != nullptr;
}

CDiagramRect CDiagramEditor::GetSelectionRect() const
{
    bool first = true;
    CDiagramRect box;
    for (const CDiagramEntity* entity : Selected()) {
        const CDiagramRect r = entity->GetRect().Normalized();
        box = first ? r
                    : CDiagramRect{std::min(box.left, r.left), std::min(box.top, r.top), std::max(box.right, r.right),
                                   std::max(box.bottom, r.bottom)};
        first = false;
    }
    return box;
}

void CDiagramEditor::SetModified(bool modified)
{
    m_container->SetModified(modified);
    if (modified && IsAnySelected())
        CDiagramHost::Get().RefreshPropertyPanes();
}

// Commands

void CDiagramEditor::BeginEdit(std::u16string_view label)
{
    EndInteraction();
    m_container->Snapshot(label);
}

void CDiagramEditor::EndEdit()
{
    SetModified(true);
    RedrawWindow();
}

void CDiagramEditor::Align(std::u16string_view label, int32_t side)
{
    const std::vector<CDiagramEntity*> selected = Selected();
    if (selected.size() < 2)
        return;
    BeginEdit(label);
    const CDiagramRect box = GetSelectionRect();
    for (CDiagramEntity* entity : selected) {
        const CDiagramRect r = entity->GetRect().Normalized();
        switch (side) {
        case DEHT_LEFTMIDDLE: entity->MoveRect(box.left - r.left, 0); break;
        case DEHT_RIGHTMIDDLE: entity->MoveRect(box.right - r.right, 0); break;
        case DEHT_TOPMIDDLE: entity->MoveRect(0, box.top - r.top); break;
        case DEHT_BOTTOMMIDDLE: entity->MoveRect(0, box.bottom - r.bottom); break;
        default: break;
        }
    }
    EndEdit();
}

void CDiagramEditor::AlignLeft() { Align(DiagramUndoLabel::kAlignLeft, DEHT_LEFTMIDDLE); }
void CDiagramEditor::AlignRight() { Align(DiagramUndoLabel::kAlignRight, DEHT_RIGHTMIDDLE); }
void CDiagramEditor::AlignTop() { Align(DiagramUndoLabel::kAlignTop, DEHT_TOPMIDDLE); }
void CDiagramEditor::AlignBottom() { Align(DiagramUndoLabel::kAlignBottom, DEHT_BOTTOMMIDDLE); }

void CDiagramEditor::MakeSameSize()
{
    const std::vector<CDiagramEntity*> selected = Selected();
    if (selected.size() < 2)
        return;
    BeginEdit(DiagramUndoLabel::kSameSize);
    const CDiagramEntity* top = GetSelectedObject();
    const double width = top->GetRight() - top->GetLeft();
    const double height = top->GetBottom() - top->GetTop();
    for (CDiagramEntity* entity : selected)
        entity->SetRect(entity->GetLeft(), entity->GetTop(), entity->GetLeft() + width, entity->GetTop() + height);
    EndEdit();
}

void CDiagramEditor::Lock(uint32_t bits, bool on)
{
    BeginEdit(DiagramUndoLabel::kLock);
    for (CDiagramEntity* entity : Selected())
        entity->SetLock(bits, on);
    EndEdit();
}

int32_t CDiagramEditor::LockState(uint32_t bits) const
{
    int32_t locked = 0;
    const std::vector<CDiagramEntity*> selected = Selected();
    for (const CDiagramEntity* entity : selected)
        if (entity->IsLocked(bits))
            ++locked;
    if (locked == 0)
        return 0;
    return locked == int32_t(selected.size()) ? 1 : 2;
}

int32_t CDiagramEditor::MakeOriginalSize(CheckOnly checkOnly)
{
    const std::vector<CDiagramEntity*> selected = Selected();
    if (selected.empty())
        return 0;
    if (checkOnly == CheckOnly::Yes)
        return std::any_of(selected.begin(), selected.end(),
                           [](const CDiagramEntity* e) { return e->GetOriginalSize().x != 0; })
                   ? 1
                   : 0;
    BeginEdit(DiagramUndoLabel::kOriginalSize);
    const CDiagramPoint paper = GetVirtualSize();
    bool shrunk = false;
    for (CDiagramEntity* entity : selected) {
        const CDiagramPoint original = entity->GetOriginalSize();
        if (original.x == 0)
            continue;
        const double left = entity->GetLeft();
        const double top = entity->GetTop();
        double width = original.x;
        double height = original.y;
        // Cut to the paper keeping the aspect ratio; a side that starts off the paper
        // has nothing to fit into and keeps the natural size.
        if (paper.x > 0 && left + width > paper.x && paper.x - left > 0) {
            const double fitted = paper.x - left;
            height = height * fitted / width;
            width = fitted;
            shrunk = true;
        }
        if (paper.y > 0 && top + height > paper.y && paper.y - top > 0 && height > 0) {
            const double fitted = paper.y - top;
            width = width * fitted / height;
            height = fitted;
            shrunk = true;
        }
        entity->SetRect(left, top, left + width, top + height);
    }
    EndEdit();
    if (shrunk && m_window)
        m_window->ShowMessage(kOriginalSizeShrunkMessage);
    return 1;
}

void CDiagramEditor::SetX(int32_t value)
{
    if (!IsAnySelected())
        return;
    BeginEdit(ribbonLabel(u"X", value));
    for (CDiagramEntity* entity : Selected())
        entity->MoveToX(value);
    EndEdit();
}

void CDiagramEditor::SetY(int32_t value)
{
    if (!IsAnySelected())
        return;
    BeginEdit(ribbonLabel(u"Y", value));
    for (CDiagramEntity* entity : Selected())
        entity->MoveToY(value);
    EndEdit();
}

void CDiagramEditor::SetWidth(int32_t value)
{
    if (!IsAnySelected())
        return;
    BeginEdit(ribbonLabel(u"Width", value));
    for (CDiagramEntity* entity : Selected())
        entity->SetWidth(value);
    EndEdit();
}

void CDiagramEditor::SetHeight(int32_t value)
{
    if (!IsAnySelected())
        return;
    BeginEdit(ribbonLabel(u"Height", value));
    for (CDiagramEntity* entity : Selected())
        entity->SetHeight(value);
    EndEdit();
}

void CDiagramEditor::Cut()
{
    EndInteraction();
    m_container->CopySelected();
    m_container->DeleteSelected();
    RedrawWindow();
}

void CDiagramEditor::Copy()
{
    m_container->CopySelected();
}

void CDiagramEditor::Paste()
{
    EndInteraction();
    m_container->UnselectAll();
    m_container->Paste();
    RedrawWindow();
}

void CDiagramEditor::PasteToPosition(CDiagramPoint point)
{
    EndInteraction();
    m_container->UnselectAll();
    m_container->PasteToPosition(point);
    RedrawWindow();
}

void CDiagramEditor::DuplicateSelected()
{
    if (GetSelectCount() != 1)
        return;
    EndInteraction();
    CDiagramEntity* original = GetSelectedObject();
    if (m_container->Duplicate(original) >= 0)
        original->Select(false); // the copy alone stays selected
    RedrawWindow();
}

void CDiagramEditor::Undo(int32_t steps)
{
    EndInteraction();
    for (int32_t i = 0; i < steps && m_container->CanUndo(); ++i)
        m_container->Undo();
    m_container->UpdateUndoButtonList(m_container->GetUndoStack(), CommandId::EditUndo);
    m_container->UpdateUndoButtonList(m_container->GetRedoStack(), CommandId::EditRedo);
    RedrawWindow();
}

void CDiagramEditor::Redo(int32_t steps)
{
    EndInteraction();
    for (int32_t i = 0; i < steps && m_container->CanRedo(); ++i)
        m_container->Redo();
    m_container->UpdateUndoButtonList(m_container->GetUndoStack(), CommandId::EditUndo);
    m_container->UpdateUndoButtonList(m_container->GetRedoStack(), CommandId::EditRedo);
    RedrawWindow();
}

void CDiagramEditor::ReorderObject(int32_t index, int32_t target)
{
    EndInteraction();
    if (target < 0)
        m_container->RemoveAt(index);
    else
        m_container->Swap(index, target);
    RedrawWindow();
}

void CDiagramEditor::ScaleObjects(const DiagramBounds& oldFrame, const DiagramBounds& newFrame, ScaleTargets targets)
{
    if (oldFrame.left == newFrame.left && oldFrame.top == newFrame.top && oldFrame.right == newFrame.right &&
        oldFrame.bottom == newFrame.bottom)
        return;
    EndInteraction();
    for (int32_t i = 0; i < m_container->GetSize(); ++i) {
        CDiagramEntity* entity = m_container->GetAt(i);
        if (targets == ScaleTargets::Selected && (!entity->IsSelected() || entity->IsLocked(kLockSize)))
            continue;
        auto sx = [&](double x) { return scaleCoordinate(x, oldFrame.left, oldFrame.right, newFrame.left, newFrame.right); };
        auto sy = [&](double y) { return scaleCoordinate(y, oldFrame.top, oldFrame.bottom, newFrame.top, newFrame.bottom); };
        double left = sx(entity->GetLeft());
        double top = sy(entity->GetTop());
        double right = sx(entity->GetRight());
        double bottom = sy(entity->GetBottom());
        if (entity->IsLocked(kLockPosition)) {
            right += entity->GetLeft() - left;
            bottom += entity->GetTop() - top;
            left = entity->GetLeft();
            top = entity->GetTop();
        }
        entity->SetRect(left, top, right, bottom);
    }
    if (targets == ScaleTargets::All) {
        m_container->ClearUndo();
        m_container->ClearRedo();
    }
    SetModified(true);
    RedrawWindow();
}

void CDiagramEditor::SaveToStrings(std::vector<std::u16string>& lines)
{
    lines.push_back(m_container->GetString());
    SaveEntitiesToStrings(lines);
    m_container->SetModified(false);
}

void CDiagramEditor::SaveEntitiesToStrings(std::vector<std::u16string>& lines) const
{
    for (int32_t i = 0; i < m_container->GetSize(); ++i)
        lines.push_back(m_container->GetAt(i)->GetString());
}

// Settings

void CDiagramEditor::SetPaperColour(gfx::Colour colour)
{
    if (colour == m_paperColour)
        return;
    m_paperColour = colour;
    RedrawWindow();
}

void CDiagramEditor::SetOutsideColour(gfx::Colour colour)
{
    if (colour == m_outsideColour)
        return;
    m_outsideColour = colour;
    RedrawWindow();
}

void CDiagramEditor::SetGridVisible(Toggle visible)
{
    m_gridVisible = visible == Toggle::On;
    RedrawWindow();
}

void CDiagramEditor::SetGridStyle(gfx::LineStyle style)
{
    m_gridStyle = style;
    RedrawWindow();
}

void CDiagramEditor::SetGridSize(CDiagramPoint step)
{
    m_gridStep = step;
    RedrawWindow();
}

void CDiagramEditor::SetGridColour(gfx::Colour colour)
{
    m_gridColour = colour;
    RedrawWindow();
}

void CDiagramEditor::SetMarginsVisible(Toggle visible)
{
    m_marginsVisible = visible == Toggle::On;
    RedrawWindow();
}

void CDiagramEditor::SetMargins(const DiagramMargins& margins)
{
    m_margins = margins;
    RedrawWindow();
}

void CDiagramEditor::SetMarginColour(gfx::Colour colour)
{
    m_marginColour = colour;
    RedrawWindow();
}

CDiagramMenu& CDiagramEditor::GetPopupMenu()
{
    if (!m_menu)
        m_menu = std::make_unique<CDiagramMenu>();
    return *m_menu;
}
