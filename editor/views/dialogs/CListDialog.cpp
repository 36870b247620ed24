#include "editor/views/dialogs/CListDialog.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPushButton>
#include <QResizeEvent>
#include <QTableWidget>

#include "editor/views/dialogs/ListValue.h"

namespace {

// The dialog font's base units: average character width and height.
QSize baseUnits(const QWidget& widget)
{
    const QFontMetrics metrics(widget.font());
    return {std::max(1, metrics.averageCharWidth()), std::max(1, metrics.height())};
}

} // namespace

CListDialog::CListDialog(const QString& title, const QString& valueColumn, int rows, QWidget* parent)
    : QDialog(parent), m_valueColumn(valueColumn), m_rows(ListValue::RowCount(rows))
{
    setWindowTitle(title);
    setSizeGripEnabled(true);
    const QSize base = baseUnits(*this);
    resize(CDlgResizeLayout::DlgUnitsToPixels(kDialogUnits, base.width(), base.height()).size());
    m_grid = new QTableWidget(m_rows, 2, this);
    m_grid->setGeometry(CDlgResizeLayout::DlgUnitsToPixels(kGridUnits, base.width(), base.height()));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("#"), m_valueColumn});
    m_grid->setColumnWidth(0, kNumberColumnWidth);
    m_grid->setColumnWidth(1, kValueColumnWidth);
    m_grid->verticalHeader()->hide();
    m_close = new QPushButton(tr("Close"), this);
    m_close->setDefault(true);
    m_close->setGeometry(CDlgResizeLayout::DlgUnitsToPixels(kCloseUnits, base.width(), base.height()));
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
}

void CListDialog::build()
{
    if (m_built)
        return;
    m_built = true;
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
