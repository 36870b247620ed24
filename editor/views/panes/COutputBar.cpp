#include "editor/views/panes/COutputBar.h"

#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include "editor/views/panes/OutputJump.h"

namespace {

QColor fromColorRef(uint32_t color) { return QColor(color & 0xFF, color >> 8 & 0xFF, color >> 16 & 0xFF); }

void insertColoured(QPlainTextEdit& edit, QTextCursor& cursor, const QString& text, const QColor& colour)
{
    const QSignalBlocker blocker(edit);
    QTextCharFormat format;
    format.setForeground(colour);
    cursor.insertText(text, format);
    edit.setTextCursor(cursor);
}

} // namespace

CEditEx::CEditEx(QWidget* parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void CEditEx::mouseDoubleClickEvent(QMouseEvent* event)
{
    OnLine(cursorForPosition(event->position().toPoint()).blockNumber());
    event->accept();
}

void CEditEx::OnLine(int block)
{
    std::vector<std::u16string> lines;
    for (QTextBlock b = document()->begin(); b.isValid() && b.blockNumber() <= block; b = b.next())
        lines.push_back(b.text().toStdU16String());
    const auto target = FindOutputLineTarget(lines, std::size_t(std::max(block, 0)));
    if (!target || !m_jump || !m_jump(*target))
        return;
    QTextCursor cursor(document()->findBlockByNumber(block));
    cursor.select(QTextCursor::LineUnderCursor);
    const QSignalBlocker blocker(this);
    setTextCursor(cursor);
}

COutputBar::COutputBar(QWidget* parent) : QWidget(parent)
{
    m_edit = new CEditEx(this);
    m_edit->setFrameShape(QFrame::NoFrame);
    m_edit->setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_edit);
}

void COutputBar::SetHost(CEditorHost& host)
{
    m_edit->SetJump([&host](const OutputLineTarget& target) { return OutputJump::JumpTo(host, target); });
}

void COutputBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void COutputBar::AppendText(const QString& text, uint32_t color)
{
    QTextCursor cursor(m_edit->document());
    cursor.movePosition(QTextCursor::End);
    insertColoured(*m_edit, cursor, text, fromColorRef(color));
}

void COutputBar::ReplaceTail(const QString& text)
{
    QTextCursor cursor(m_edit->document());
    cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, int(text.size()));
    insertColoured(*m_edit, cursor, text, Qt::black);
    m_edit->ensureCursorVisible();
}

void COutputBar::Clear()
{
    const QSignalBlocker blocker(m_edit);
    m_edit->clear();
}

QString COutputBar::Text() const { return m_edit->toPlainText(); }

void COutputBar::AppendLine(std::u16string_view text, uint32_t color, const CSelectable*, const CSelectable*)
{
    // The texts carry their own line ends ("\r\n"); a line goes on until one comes.
    QString appended = QString::fromUtf16(text.data(), qsizetype(text.size()));
    appended.remove(QLatin1Char('\r'));
    AppendText(appended, color);
}

void COutputBar::ShowProgress(std::u16string_view text)
{
    ReplaceTail(QString::fromUtf16(text.data(), qsizetype(text.size())));
}
