#include "editor/views/dialogs/CDlgResizeLayout.h"

#include <QFontMetrics>
#include <QWidget>
#include <algorithm>

namespace {

// a * b / c rounded half away from zero, as dialog units are measured.
int mulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return int(product >= 0 ? (product + half) / c : (product - half) / c);
}

} // namespace

void CDlgResizeLayout::Init(QWidget* owner)
{
    m_owner = owner;
    m_startSize = owner ? owner->size() : QSize();
}

bool CDlgResizeLayout::Contains(const QWidget* control) const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.control == control; });
}

void CDlgResizeLayout::Add(QWidget* control, unsigned flags)
{
    if (!control || Contains(control))
        return;
    QRect start = control->geometry();
    if (m_owner && control->parentWidget() != m_owner && control->parentWidget())
        start.moveTopLeft(control->parentWidget()->mapTo(m_owner, start.topLeft()));
    m_entries.push_back({control, flags, start});
}

QRect CDlgResizeLayout::Moved(const QRect& start, unsigned flags, int dx, int dy)
{
    // Halves truncate towards zero.
    const int hx = dx / 2, hy = dy / 2;
    int left = start.left(), top = start.top();
    int right = start.left() + start.width(), bottom = start.top() + start.height();
    if (flags & LeftFollows) left += dx;
    if (flags & TopFollows) top += dy;
    if (flags & RightFollows) right += dx;
    if (flags & BottomFollows) bottom += dy;
    if (flags & LeftFollowsHalf) left += hx;
    if (flags & TopFollowsHalf) top += hy;
    if (flags & RightFollowsHalf) right += hx;
    if (flags & BottomFollowsHalf) bottom += hy;
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

void CDlgResizeLayout::Apply(SizeType type, int width, int height) const
{
    if (!m_owner || type == SizeType::Minimized)
        return;
    const int dx = width - m_startSize.width(), dy = height - m_startSize.height();
    // Those moved alone go after the others, so they land over what the others cover.
    for (const bool alone : {false, true})
        for (const Entry& entry : m_entries) {
            if (bool(entry.flags & MovedAlone) != alone)
                continue;
            const bool sizes = entry.flags & (RightFollows | BottomFollows | RightFollowsHalf | BottomFollowsHalf);
            const bool moves = entry.flags & (LeftFollows | TopFollows | LeftFollowsHalf | TopFollowsHalf);
            QRect target = Moved(entry.start, entry.flags, dx, dy);
            if (QWidget* parent = entry.control->parentWidget(); parent && parent != m_owner)
                target.moveTopLeft(parent->mapFrom(m_owner, target.topLeft()));
            if (sizes && moves)
                entry.control->setGeometry(target);
            else if (moves)
                entry.control->move(target.topLeft());
            else if (sizes)
                entry.control->resize(target.size());
        }
}

QSize CDlgResizeLayout::BaseUnits(const QWidget& widget)
{
    const QFontMetrics metrics(widget.font());
    return {std::max(1, metrics.averageCharWidth()), std::max(1, metrics.height())};
}

QRect CDlgResizeLayout::DlgUnitsToPixels(const QRect& units, const QWidget& widget)
{
    const QSize base = BaseUnits(widget);
    return DlgUnitsToPixels(units, base.width(), base.height());
}

QRect CDlgResizeLayout::DlgUnitsToPixels(const QRect& units, int baseX, int baseY)
{
    const int left = mulDiv(units.left(), baseX, 4), right = mulDiv(units.left() + units.width(), baseX, 4);
    const int top = mulDiv(units.top(), baseY, 8), bottom = mulDiv(units.top() + units.height(), baseY, 8);
    return QRect(left, top, right - left, bottom - top);
}
