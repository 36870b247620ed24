#include "editor/views/dialogs/CListMessages.h"

#include <QTableWidget>

#include "editor/views/dialogs/ListValue.h"

CListMessages::CListMessages(int rows, std::u16string_view value, QWidget* parent)
    : CListMessages(tr("Message editor"), tr("Message"), rows, value, parent)
{
}

CListMessages::CListMessages(const QString& title, const QString& column, int rows, std::u16string_view value,
                             QWidget* parent)
    : CListDialog(title, column, rows, parent), m_texts(ListValue::ParseTexts(value, Rows()))
{
}

void CListMessages::FillRows()
{
    for (int row = 0; row < Rows(); ++row)
        Grid()->setItem(row, 1, new QTableWidgetItem(QString::fromStdU16String(m_texts[std::size_t(row)])));
}

std::u16string CListMessages::BuildResult() const
{
    std::vector<std::u16string> texts(static_cast<std::size_t>(Rows()));
    for (int row = 0; row < Rows(); ++row)
        if (const QTableWidgetItem* item = Grid()->item(row, 1))
            texts[std::size_t(row)] = item->text().toStdU16String();
    return ListValue::JoinTexts(texts);
}
