#include "engine/tagmonitor/qt/CInPlaceEdit.h"

#include <QKeyEvent>
#include <algorithm>

namespace {

// The edit's frame and inner margins either side of its text.
constexpr int kFramePadding = 8;

} // namespace

CInPlaceEdit::CInPlaceEdit(QWidget* parent, const QRect& rect, Qt::Alignment alignment, const QString& text,
                           Start start, const QString& character)
    : QLineEdit(parent), m_initialText(text), m_exitOnArrows(start != Start::Mouse)
{
    setObjectName(QStringLiteral("inPlaceEdit"));
    setFrame(true);
    setGeometry(rect);
    setAlignment(alignment | Qt::AlignVCenter);
    setText(text);
    switch (start) {
    case Start::Mouse:
    case Start::Enter:
        QLineEdit::end(false);
        break;
    case Start::Backspace:
        QLineEdit::end(false);
        backspace();
        break;
    case Start::SelectWhole:
        selectAll();
        break;
    case Start::Character:
        // The character replaces the whole text, whatever it is.
        selectAll();
        insert(character);
        break;
    }
    show();
    setFocus(Qt::OtherFocusReason);
}

void CInPlaceEdit::cancel()
{
    m_ended = true;
    hide();
    deleteLater();
}

void CInPlaceEdit::finish(EndKey key)
{
    if (m_ended)
        return; // losing the focus while closing comes back here
    m_ended = true;
    m_endKey = key;
    emit editingEnded(text(), key);
    hide();
    deleteLater();
}

bool CInPlaceEdit::event(QEvent* event)
{
    // Tab would move the focus to the next widget before the key reaches the editor.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* event)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    const auto leaveBy = [&](EndKey key) {
        event->accept();
        finish(key);
    };
    switch (event->key()) {
    case Qt::Key_Tab:
        return leaveBy(event->modifiers() & Qt::ShiftModifier ? EndKey::Backtab : EndKey::Tab);
    case Qt::Key_Backtab:
        return leaveBy(EndKey::Backtab);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return leaveBy(EndKey::Enter);
    case Qt::Key_Escape:
        setText(m_initialText);
        return leaveBy(EndKey::Escape);
    default:
        break;
    }
    static constexpr struct {
        int key;
        EndKey end;
    } kMoves[] = {{Qt::Key_Up, EndKey::Up},         {Qt::Key_Down, EndKey::Down},
                  {Qt::Key_Left, EndKey::Left},     {Qt::Key_Right, EndKey::Right},
                  {Qt::Key_PageUp, EndKey::PageUp}, {Qt::Key_PageDown, EndKey::PageDown}};
    for (const auto& move : kMoves)
        if (event->key() == move.key && (m_exitOnArrows || control))
            return leaveBy(move.end);
    QLineEdit::keyPressEvent(event);
    event->accept(); // nothing typed here reaches the dialog
    if (!event->text().isEmpty())
        widenToText();
}

void CInPlaceEdit::widenToText()
{
    const int wanted = fontMetrics().horizontalAdvance(text() + QStringLiteral("  ")) + kFramePadding;
    if (wanted <= width() || !parentWidget())
        return;
    const int limit = parentWidget()->width() - x();
    resize(std::max(width(), std::min(wanted, limit)), height());
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason) // the edit's own context menu
        finish(EndKey::None);
}
