#include "editor/views/dialogs/CListFiles.h"

#include <QSignalBlocker>
#include <QTableWidget>

CListFiles::CListFiles(int rows, std::u16string_view value, CFileItem::Folders folders, QWidget* parent)
    : CListMessages(tr("File editor"), tr("File"), rows, value, parent), m_folders(std::move(folders))
{
}

void CListFiles::FillRows()
{
    CListMessages::FillRows();
    for (int row = 0; row < Rows(); ++row) {
        QTableWidgetItem* cell = Grid()->item(row, 1);
        auto* item = new CFileItem(cell->text(), m_folders);
        // The cell's text is what the result is made of.
        connect(item, &CFileItem::PathChanged, this, [this, cell](const QString& path) {
            const QSignalBlocker blocker(Grid());
            cell->setText(path);
        });
        Grid()->setCellWidget(row, 1, item);
    }
}

CFileItem* CListFiles::Item(int row) const { return qobject_cast<CFileItem*>(Grid()->cellWidget(row, 1)); }
