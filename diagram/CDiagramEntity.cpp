#include "diagram/CDiagramEntity.h"

#include <algorithm>
#include <optional>

#include "diagram/CDiagramEntityContainer.h"
#include "diagram/EntityTextLine.h"
#include "platform/gfx/DeviceContext.h"

namespace {

int32_t g_highestGroup = 0;

constexpr CEntityPopupItem kPopupItems[] = {
    {CMD_CUT, u"Cut"},      {CMD_COPY, u"Copy"},          {CMD_DUPLICATE, u"Duplicate"}, {0, u""},
    {CMD_UP, u"Up"},        {CMD_DOWN, u"Down"},          {CMD_FRONT, u"To front"},      {CMD_BOTTOM, u"To back"},
    {0, u""},               {CMD_PROPERTIES, u"Properties"},
};

// Marker codes in drawing order; the first four are the corners.
constexpr int32_t kMarkerOrder[] = {DEHT_TOPLEFT,     DEHT_TOPRIGHT,    DEHT_BOTTOMLEFT,  DEHT_BOTTOMRIGHT,
                                    DEHT_TOPMIDDLE,   DEHT_BOTTOMMIDDLE, DEHT_RIGHTMIDDLE, DEHT_LEFTMIDDLE};

} // namespace

CDiagramEntity::CDiagramEntity()
{
    if (g_highestGroup < 0)
        g_highestGroup = 0;
}

CDiagramEntity::~CDiagramEntity() = default;

int32_t CDiagramEntity::GetHighestGroup()
{
    return g_highestGroup;
}

void CDiagramEntity::RaiseHighestGroup(int32_t group)
{
    if (group > g_highestGroup)
        g_highestGroup = group;
}

void CDiagramEntity::ResetHighestGroup()
{
    g_highestGroup = 0;
}

std::span<const CEntityPopupItem> CDiagramEntity::PopupItems()
{
    return kPopupItems;
}

void CDiagramEntity::Clear()
{
    m_left = m_top = m_right = m_bottom = 0;
    m_markerWidth = m_markerHeight = 8;
    m_minimumWidth = m_minimumHeight = 5;
    m_maximumWidth = m_maximumHeight = -1;
    m_selected = false;
    m_container = nullptr;
    m_title.clear();
}

std::unique_ptr<CDiagramEntity> CDiagramEntity::Clone() const
{
    auto clone = std::make_unique<CDiagramEntity>();
    clone->Copy(*this);
    return clone;
}

std::unique_ptr<CDiagramEntity> CDiagramEntity::CloneDetached() const
{
    std::unique_ptr<CDiagramEntity> clone = Clone();
    clone->SetParent(nullptr);
    return clone;
}

void CDiagramEntity::Copy(const CDiagramEntity& other)
{
    Clear();
    m_markerWidth = other.m_markerWidth;
    m_markerHeight = other.m_markerHeight;
    m_minimumWidth = other.m_minimumWidth;
    m_minimumHeight = other.m_minimumHeight;
    m_maximumWidth = other.m_maximumWidth;
    m_maximumHeight = other.m_maximumHeight;
    m_selected = other.m_selected;
    SetParent(other.m_container);
    m_type = other.m_type;
    m_name = other.m_name;
    m_title = other.m_title;
    SetGroup(other.m_group);
    m_userValue = other.m_userValue;
    m_lock = other.m_lock;
    SetRect(other.m_left, other.m_top, other.m_right, other.m_bottom);
}

bool CDiagramEntity::FromString(std::u16string_view line)
{
    std::u16string fields(line);
    const std::u16string type = SplitTypeAndFields(fields);
    if (type != m_type)
        return false;
    return ParseFields(fields);
}

std::u16string CDiagramEntity::Export() const
{
    return {};
}

std::u16string CDiagramEntity::GetString() const
{
    return FormatFields() + u";";
}

std::u16string CDiagramEntity::FormatFields() const
{
    using namespace EntityTextLine;
    std::u16string line = m_type;
    line += u':';
    line += FormatDouble(m_left) + u',' + FormatDouble(m_top) + u',' + FormatDouble(m_right) + u',' +
            FormatDouble(m_bottom) + u',';
    line += Escape(m_name) + u',' + Escape(m_title) + u',' + FormatInt(m_group);
    return line;
}

std::u16string CDiagramEntity::SplitTypeAndFields(std::u16string& line) const
{
    const std::vector<std::u16string> parts = EntityTextLine::Split(line, u':');
    if (parts.size() != 2)
        return {};
    std::u16string type(EntityTextLine::Trim(parts[0]));
    line = std::u16string(EntityTextLine::Trim(parts[1]));
    return type;
}

bool CDiagramEntity::ParseFields(std::u16string& fields)
{
    using namespace EntityTextLine;
    std::u16string_view text = fields;
    if (!text.empty() && text.back() == u';')
        text.remove_suffix(1);
    const std::vector<std::u16string> parts = Split(text, u',');
    if (parts.size() < 7)
        return false;

    const double left = ParseDouble(parts[0]);
    const double top = ParseDouble(parts[1]);
    const double right = ParseDouble(parts[2]);
    const double bottom = ParseDouble(parts[3]);
    SetRect(left, top, right, bottom);
    SetName(Unescape(parts[4]));
    SetTitle(Unescape(parts[5]));
    SetGroup(ParseInt(parts[6]));

    std::u16string rest;
    for (size_t i = 7; i < parts.size(); ++i) {
        if (i > 7)
            rest += u',';
        rest += parts[i];
    }
    fields = std::move(rest);
    return true;
}

CDiagramRect CDiagramEntity::GetRect() const
{
    using EntityTextLine::TruncateToInt;
    return {TruncateToInt(m_left), TruncateToInt(m_top), TruncateToInt(m_right), TruncateToInt(m_bottom)};
}

CDiagramRect CDiagramEntity::GetScaledRect(double zoom) const
{
    using EntityTextLine::TruncateToInt;
    return {TruncateToInt(m_left * zoom), TruncateToInt(m_top * zoom), TruncateToInt(m_right * zoom),
            TruncateToInt(m_bottom * zoom)};
}

void CDiagramEntity::SetRect(double left, double top, double right, double bottom)
{
    m_left = left;
    m_top = top;
    m_right = right;
    m_bottom = bottom;
    const CDiagramRect rect = GetRect();
    if (m_minimumWidth != -1 && int64_t(rect.right) - rect.left < m_minimumWidth)
        m_right = m_left + m_minimumWidth;
    if (m_minimumHeight != -1 && int64_t(rect.bottom) - rect.top < m_minimumHeight)
        m_bottom = m_top + m_minimumHeight;
    if (m_maximumWidth != -1 && int64_t(rect.right) - rect.left > m_maximumWidth)
        m_right = m_left + m_maximumWidth;
    if (m_maximumHeight != -1 && int64_t(rect.bottom) - rect.top > m_maximumHeight)
        m_bottom = m_top + m_maximumHeight;
}

void CDiagramEntity::SetIntRect(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    const CDiagramRect rect = CDiagramRect{left, top, right, bottom}.Normalized();
    SetRect(rect.left, rect.top, rect.right, rect.bottom);
}

void CDiagramEntity::MoveRect(double dx, double dy)
{
    SetRect(m_left + dx, m_top + dy, m_right + dx, m_bottom + dy);
}

void CDiagramEntity::SetLeft(double left) { m_left = left; }
void CDiagramEntity::SetRight(double right) { m_right = right; }
void CDiagramEntity::SetTop(double top) { m_top = top; }
void CDiagramEntity::SetBottom(double bottom) { m_bottom = bottom; }

namespace {

// A paper dimension that limits: none without a container or while the paper is unset.
std::optional<int32_t> paperLimit(const CDiagramEntityContainer* container, bool horizontal)
{
    if (!container)
        return std::nullopt;
    const int32_t size = horizontal ? container->GetPaperSize().x : container->GetPaperSize().y;
    if (size <= 0)
        return std::nullopt;
    return size;
}

// Where a side of the given extent may start so that the entity stays on the paper.
double onPaper(double start, double extent, std::optional<int32_t> paper)
{
    if (start < 0)
        return 0;
    if (paper && start + extent > *paper)
        return *paper - extent;
    return start;
}

} // namespace

void CDiagramEntity::MoveToX(double x)
{
    MoveRect(onPaper(x, m_right - m_left, paperLimit(m_container, true)) - m_left, 0);
}

void CDiagramEntity::MoveToY(double y)
{
    MoveRect(0, onPaper(y, m_bottom - m_top, paperLimit(m_container, false)) - m_top);
}

void CDiagramEntity::SetWidth(double width)
{
    if (width < 0)
        width = m_minimumWidth;
    const std::optional<int32_t> paper = paperLimit(m_container, true);
    SetRight(paper ? std::min(m_left + width, double(*paper)) : m_left + width);
}

void CDiagramEntity::SetHeight(double height)
{
    if (height < 0)
        height = m_minimumHeight;
    const std::optional<int32_t> paper = paperLimit(m_container, false);
    SetBottom(paper ? std::min(m_top + height, double(*paper)) : m_top + height);
}

void CDiagramEntity::SetMinimumSize(int32_t width, int32_t height)
{
    m_minimumWidth = width;
    m_minimumHeight = height;
}

CDiagramPoint CDiagramEntity::GetMinimumSize() const
{
    return {m_minimumWidth, m_minimumHeight};
}

void CDiagramEntity::SetMaximumSize(int32_t width, int32_t height)
{
    m_maximumWidth = width;
    m_maximumHeight = height;
}

CDiagramPoint CDiagramEntity::GetMaximumSize() const
{
    return {m_maximumWidth, m_maximumHeight};
}

void CDiagramEntity::SetConstraints(int32_t minWidth, int32_t minHeight, int32_t maxWidth, int32_t maxHeight)
{
    SetMinimumSize(minWidth, minHeight);
    SetMaximumSize(maxWidth, maxHeight);
}

void CDiagramEntity::Select(bool selected)
{
    m_selected = selected;
    if (selected && m_group != 0 && m_container)
        m_container->SendMessageToObjects(CMD_SELECT_GROUP, MessageTargets::All, this, nullptr,
                                          MarkModified::No);
    CDiagramHost::Get().ShowSelection();
}

bool CDiagramEntity::IsSelected() const { return m_selected; }
void CDiagramEntity::SetClickToggle(bool toggle) { m_clickToggle = toggle; }
bool CDiagramEntity::GetClickToggle() const { return m_clickToggle; }

void CDiagramEntity::SetLock(uint32_t bits, bool on)
{
    if (on)
        m_lock |= bits;
    else
        m_lock &= ~bits;
}

uint32_t CDiagramEntity::GetLock() const { return m_lock; }
bool CDiagramEntity::IsLocked(uint32_t bits) const { return (m_lock & bits) != 0; }
void CDiagramEntity::SetLastClickPoint(CDiagramPoint point) { m_lastClickPoint = point; }
CDiagramPoint CDiagramEntity::GetLastClickPoint() const { return m_lastClickPoint; }

bool CDiagramEntity::BodyInRect(CDiagramRect rect) const
{
    const CDiagramRect outer = rect.Normalized();
    const CDiagramRect body = GetRect().Normalized();
    return body.left >= outer.left && body.right <= outer.right && body.top >= outer.top &&
           body.bottom <= outer.bottom;
}

int32_t CDiagramEntity::GetHitCode(CDiagramPoint point, CDiagramRect rect) const
{
    int32_t result = rect.Contains(point) ? DEHT_BODY : DEHT_NONE;
    for (int32_t code = DEHT_TOPLEFT; code <= DEHT_RIGHTMIDDLE; ++code)
        if (GetSelectionMarkerRect(code, rect).Contains(point))
            result = code;
    return result;
}

int32_t CDiagramEntity::GetHitCodeAt(CDiagramPoint point) const
{
    return GetHitCode(point, GetRect());
}

int32_t CDiagramEntity::DoMessage(int32_t command, CDiagramEntity* sender, CDiagramWindow* parent)
{
    if (command >= CMD_CUT && command <= CMD_BOTTOM && command != CMD_PROPERTIES) {
        CDiagramEntityContainer* container = m_container;
        if (!container || !m_selected)
            return 0;
        switch (command) {
        case CMD_CUT: container->Cut(this); break; // this entity is gone now
        case CMD_COPY: container->Copy(this); break;
        case CMD_DUPLICATE:
            container->Duplicate(this);
            Select(false);
            break;
        case CMD_UP: container->PopUp(this); break;
        case CMD_DOWN: container->PushDown(this); break;
        case CMD_FRONT: container->ToFront(this); break;
        case CMD_BOTTOM: container->ToBottom(this); break;
        }
        return 1;
    }
    if (command == CMD_PROPERTIES) {
        if (!m_selected)
            return 0;
        ShowProperties(parent, true);
        return 1;
    }
    if (command == CMD_SELECT_GROUP && sender && sender != this && sender->GetGroup() == m_group)
        m_selected = true;
    return 0;
}

void CDiagramEntity::ShowProperties(CDiagramWindow*, bool) {}

void CDiagramEntity::ShowPopup(int32_t x, int32_t y, CDiagramWindow* parent)
{
    CDiagramHost::Get().TrackPopup(PopupItems(), x, y, parent);
}

DiagramCursor CDiagramEntity::GetCursor(int32_t hitCode) const
{
    return CursorFor(hitCode);
}

DiagramCursor CDiagramEntity::CursorFor(int32_t hitCode)
{
    switch (hitCode) {
    case DEHT_BODY: return DiagramCursor::SizeAll;
    case DEHT_TOPLEFT:
    case DEHT_BOTTOMRIGHT: return DiagramCursor::SizeNWSE;
    case DEHT_TOPMIDDLE:
    case DEHT_BOTTOMMIDDLE: return DiagramCursor::SizeNS;
    case DEHT_TOPRIGHT:
    case DEHT_BOTTOMLEFT: return DiagramCursor::SizeNESW;
    case DEHT_LEFTMIDDLE:
    case DEHT_RIGHTMIDDLE: return DiagramCursor::SizeWE;
    default: return DiagramCursor::None;
    }
}

void CDiagramEntity::DrawObject(gfx::DeviceContext& dc, double zoom)
{
    m_lastZoom = zoom;
    const CDiagramRect rect = GetScaledRect(zoom);
    Draw(dc, rect.left, rect.top, rect.right, rect.bottom);
    if (m_selected)
        DrawSelectionMarkers(dc, rect.left, rect.top, rect.right, rect.bottom);
}

std::u16string CDiagramEntity::GetName() const { return m_name; }
void CDiagramEntity::SetName(std::u16string_view name) { m_name = name; }
std::u16string CDiagramEntity::GetTitle() const { return m_title; }
void CDiagramEntity::SetTitle(std::u16string_view title) { m_title = title; }

void CDiagramEntity::SetGroup(int32_t group)
{
    m_group = group;
    RaiseHighestGroup(group);
}

void CDiagramEntity::SetMarkerSize(int32_t width, int32_t height)
{
    m_markerWidth = width;
    m_markerHeight = height;
}

void CDiagramEntity::SetParent(CDiagramEntityContainer* container)
{
    m_container = container;
}

CDiagramRect CDiagramEntity::GetSelectionMarkerRect(int32_t hitCode, CDiagramRect rect) const
{
    const int32_t hx = m_markerWidth / 2;
    const int32_t hy = m_markerHeight / 2;
    const int32_t l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    const int32_t mx = l + (r - l) / 2;
    const int32_t my = t + (b - t) / 2;
    // A locked entity with small markers shows an enlarged top-left marker.
    const int32_t e = (m_lock != 0 && hx == 2 && hy == 2) ? 6 : 0;
    switch (hitCode) {
    case DEHT_TOPLEFT: return {l - hx, t - hy, l + hx + e, t + hy + e};
    case DEHT_TOPMIDDLE: return {mx - hx, t - hy, mx + hx, t + hy};
    case DEHT_TOPRIGHT: return {r - hx, t - hy, r + hx, t + hy};
    case DEHT_BOTTOMLEFT: return {l - hx, b - hy, l + hx, b + hy};
    case DEHT_BOTTOMMIDDLE: return {mx - hx, b - hy, mx + hx, b + hy};
    case DEHT_BOTTOMRIGHT: return {r - hx, b - hy, r + hx, b + hy};
    case DEHT_LEFTMIDDLE: return {l - hx, my - hy, l + hx, my + hy};
    case DEHT_RIGHTMIDDLE: return {r - hx, my - hy, r + hx, my + hy};
    default: return rect;
    }
}

namespace {

gfx::Rect toGfx(const CDiagramRect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

constexpr gfx::Colour kBlack = gfx::Colour::fromArgb(0xFF000000);
constexpr gfx::Colour kWhite = gfx::Colour::fromArgb(0xFFFFFFFF);

} // namespace

void CDiagramEntity::Draw(gfx::DeviceContext& dc, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    // A one-pixel pen outlines the rectangle inside its edges, as GDI's Rectangle does.
    const gfx::Rect outline = toGfx(CDiagramRect{left, top, right, bottom}.Normalized());
    dc.fillRect(outline, kBlack);
    dc.fillRect({outline.left + 1, outline.top + 1, outline.right - 1, outline.bottom - 1}, kWhite);
}

void CDiagramEntity::DrawSelectionMarkers(gfx::DeviceContext& dc, int32_t left, int32_t top, int32_t right,
                                          int32_t bottom)
{
    const CDiagramRect rect{left, top, right, bottom};
    const size_t count = (m_markerWidth == 5 && m_markerHeight == 4) ? 4 : std::size(kMarkerOrder);
    for (size_t i = 0; i < count; ++i)
        dc.fillRect(toGfx(GetSelectionMarkerRect(kMarkerOrder[i], rect)), kBlack);
}
