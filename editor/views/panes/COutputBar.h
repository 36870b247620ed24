#pragma once
// The output pane: coloured lines of compiling, saving and downloading, progress shown
// in place, and a double click on a diagnostic line that opens its page and object.

#include <QPlainTextEdit>
#include <QWidget>
#include <functional>

#include "editor/project/document/CProjectOutput.h"
#include "editor/views/panes/OutputLineTarget.h"

// The pane's read-only text, which turns a double click into a jump.
class CEditEx : public QPlainTextEdit {
    Q_OBJECT
public:
    using Jump = std::function<bool(const OutputLineTarget&)>;

    explicit CEditEx(QWidget* parent = nullptr);
    // Answers whether the page was found; the clicked line is highlighted then.
    void SetJump(Jump jump) { m_jump = std::move(jump); }
    // The double click on a block (line) of the text.
    void OnLine(int block);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    Jump m_jump;
};

class CEditorHost;

class COutputBar : public QWidget, public CProjectOutput {
    Q_OBJECT
public:
    explicit COutputBar(QWidget* parent = nullptr);
    // The double click jumps to the host's pages and objects; host outlives the pane.
    void SetHost(CEditorHost& host);

    // text at the end in color (0xBBGGRR); line ends are the caller's.
    void AppendText(const QString& text, uint32_t color);
    // The last text.size() characters become text, in black ("%3d %%" progress).
    void ReplaceTail(const QString& text);
    void Clear() override;
    QString Text() const;
    CEditEx* Edit() const { return m_edit; }

    // CProjectOutput: the text as given, its line ends included; the progress at the
    // last line's tail.
    void AppendLine(std::u16string_view text, uint32_t color, const CSelectable* page,
                    const CSelectable* object) override;
    void ShowProgress(std::u16string_view text) override;

protected:
    // A one-pixel frame in the button-shadow colour around the text.
    void paintEvent(QPaintEvent* event) override;

private:
    CEditEx* m_edit = nullptr;
};
