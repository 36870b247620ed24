#pragma once
// Moves and stretches a window's controls as the window is resized: each registered
// control keeps the rectangle it had at the start, and anchor flags say which of its
// edges follow the change in size (whole or half). The start rectangles never change,
// so repeated resizing does not drift.

#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

class CDlgResizeLayout {
public:
    enum Anchor : unsigned {
        LeftFollows = 0x1,
        TopFollows = 0x2,
        RightFollows = 0x4,
        BottomFollows = 0x8,
        // Moved on its own after the others.
        MovedAlone = 0x10,
        LeftFollowsHalf = 0x100,
        TopFollowsHalf = 0x200,
        RightFollowsHalf = 0x400,
        BottomFollowsHalf = 0x800,
    };
    // The control grows with the window; it keeps its distance to the bottom-right corner.
    static constexpr unsigned kGrows = RightFollows | BottomFollows;
    static constexpr unsigned kKeepsToBottomRight = LeftFollows | TopFollows | RightFollows | BottomFollows;

    enum class SizeType { Restored, Minimized, Maximized };

    // The owner's client size now is the start size.
    void Init(QWidget* owner);
    bool Contains(const QWidget* control) const;
    // Registers control with its rectangle now, in the owner's coordinates; once only.
    void Add(QWidget* control, unsigned flags);
    // Lays the controls out for a new client size; a minimised window moves nothing.
    // A control none of whose right or bottom edges follow keeps its current size, one
    // none of whose left or top edges follow keeps its current place.
    void Apply(SizeType type, int width, int height) const;

    // The rectangle a control gets for a change in size of dx, dy.
    static QRect Moved(const QRect& start, unsigned flags, int dx, int dy);
    // Dialog units to pixels for the base units of a font (average character width,
    // height), as a dialog template measures its controls.
    static QRect DlgUnitsToPixels(const QRect& units, int baseX, int baseY);
    // The base units of a widget's font.
    static QSize BaseUnits(const QWidget& widget);
    static QRect DlgUnitsToPixels(const QRect& units, const QWidget& widget);

private:
    struct Entry {
        QWidget* control;
        unsigned flags;
        QRect start;
    };
    QWidget* m_owner = nullptr;
    QSize m_startSize;
    std::vector<Entry> m_entries;
};
