#include "editor/views/dialogs/CListDialog.h"

#include <QHeaderView>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTableWidget>

#include "editor/views/dialogs/ListValue.h"

CListDialog::CListDialog(const QString& title, const QString& valueColumn, int rows, QWidget* parent)
    : QDialog(parent), m_valueColumn(valueColumn), m_rows(ListValue::RowCount(rows))
{
    setWindowTitle(title);
    setSizeGripEnabled(true);
    resize(CDlgResizeLayout::DlgUnitsToPixels(kDialogUnits, *this).size());
    m_grid = new QTableWidget(m_rows, 2, this);
    m_grid->setGeometry(CDlgResizeLayout::DlgUnitsToPixels(kGridUnits, *this));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("#"), m_valueColumn});
    m_grid->setColumnWidth(0, kNumberColumnWidth);
    m_grid->setColumnWidth(1, kValueColumnWidth);
    m_grid->verticalHeader()->hide();
    m_close = new QPushButton(tr("Close"), this);
    m_close->setDefault(true);
    m_close->setGeometry(CDlgResizeLayout::DlgUnitsToPixels(kCloseUnits, *this));
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
}

void CListDialog::build()
{
    if (m_built)
        return;
    m_built = true;
    const QSignalBlocker blocker(m_grid);
    for (int row = 0; row < m_rows; ++row) {
        auto* number = new QTableWidgetItem(QString::number(row));
        number->setFlags(Qt::ItemIsEnabled);
        m_grid->setItem(row, 0, number);
    }
    FillRows();
    m_layout.Init(this);
    m_layout.Add(m_grid, CDlgResizeLayout::kGrows);
    m_layout.Add(m_close, CDlgResizeLayout::kKeepsToBottomRight);
}

void CListDialog::showEvent(QShowEvent* event)
{
    build();
    QDialog::showEvent(event);
}

void CListDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const auto type = isMinimized() ? CDlgResizeLayout::SizeType::Minimized
                      : isMaximized() ? CDlgResizeLayout::SizeType::Maximized
                                      : CDlgResizeLayout::SizeType::Restored;
    m_layout.Apply(type, event->size().width(), event->size().height());
}

void CListDialog::done(int result)
{
    build();
    m_result = BuildResult();
    QDialog::done(result);
}
