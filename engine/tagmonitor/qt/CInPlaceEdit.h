#pragma once
// The edit box laid over a cell while its text is edited. Tab, Enter and Escape end the
// edit (Escape with the old text back); the page and arrow keys end it too unless the
// edit began with the mouse, where they move the caret. Losing the focus ends it.

#include <QLineEdit>
#include <QString>

class CInPlaceEdit : public QLineEdit {
    Q_OBJECT
public:
    // What began the edit, told apart so that no typed character is lost. SelectWhole:
    // Tab, Space, the page and arrow keys, which select the whole text to be typed over.
    enum class Start { Mouse, Enter, Backspace, SelectWhole, Character };
    // The key that ended the edit; the grid moves on for the navigation keys.
    enum class EndKey { None, Tab, Backtab, Enter, Escape, Up, Down, Left, Right, PageUp, PageDown };

    CInPlaceEdit(QWidget* parent, const QRect& rect, Qt::Alignment alignment, const QString& text, Start start,
                 const QString& character);

    [[nodiscard]] const QString& initialText() const { return m_initialText; }
    [[nodiscard]] EndKey endKey() const { return m_endKey; }
    // Ends without a word to anyone: the grid or its dialog is going away.
    void cancel();

signals:
    void editingEnded(const QString& text, CInPlaceEdit::EndKey key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    void finish(EndKey key);
    void widenToText();

    QString m_initialText;
    EndKey m_endKey = EndKey::None;
    bool m_exitOnArrows;
    bool m_ended = false;
};
