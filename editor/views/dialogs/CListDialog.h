#pragma once
// The resizable dialog of a list-valued property: a grid of "#" and one value column,
// and "Close", which ends it with OK; the window's close box ends it with Cancel. The
// grid grows with the dialog, "Close" keeps to its bottom-right corner.

#include <QDialog>
#include <QString>

#include "editor/views/dialogs/CDlgResizeLayout.h"

class QPushButton;
class QTableWidget;

class CListDialog : public QDialog {
    Q_OBJECT
public:
    // The template's measures in dialog units.
    static constexpr QRect kDialogUnits{0, 0, 165, 129};
    static constexpr QRect kGridUnits{5, 5, 155, 102};
    static constexpr QRect kCloseUnits{105, 110, 50, 14};
    static constexpr int kNumberColumnWidth = 25;
    static constexpr int kValueColumnWidth = 150;

    QTableWidget* Grid() const { return m_grid; }
    QPushButton* CloseButton() const { return m_close; }
    int Rows() const { return m_rows; }
    // The rows' values, each followed by the separator; made when the dialog ends.
    const std::u16string& Result() const { return m_result; }

protected:
    CListDialog(const QString& title, const QString& valueColumn, int rows, QWidget* parent);
    // Fills the value column; called once the grid has its rows.
    virtual void FillRows() = 0;
    virtual std::u16string BuildResult() const = 0;

    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;
    void showEvent(QShowEvent* event) override;

private:
    void build();

    QString m_valueColumn;
    int m_rows;
    QTableWidget* m_grid = nullptr;
    QPushButton* m_close = nullptr;
    CDlgResizeLayout m_layout;
    std::u16string m_result;
    bool m_built = false;
};
