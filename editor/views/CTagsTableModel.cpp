#include "editor/views/CTagsTableModel.h"

#include <QColor>

#include "editor/document/CTagType.h"

namespace {

QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

std::u16string fromQString(const QString& text)
{
    return text.toStdU16String();
}

} // namespace

CTagsTableModel::CTagsTableModel(CTagsModel& tags, QObject* parent) : QAbstractTableModel(parent), m_tags(tags)
{
    m_tags.AddListener(*this);
}

CTagsTableModel::~CTagsTableModel()
{
    m_tags.RemoveListener(*this);
}

QColor CTagsTableModel::ToQColor(uint32_t color)
{
    return QColor(int(color & 0xFF), int(color >> 8 & 0xFF), int(color >> 16 & 0xFF));
}

int CTagsTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_tags.RowCount();
}

int CTagsTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kTagColumnCount;
}

QVariant CTagsTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_tags.RowCount())
        return {};
    const CTagRow& row = m_tags.Row(index.row());
    const auto column = TagColumn(index.column());
    if (role == Qt::ForegroundRole) {
        if (column == TagColumn::Address && !row.warning.empty())
            return ToQColor(kTagWarningColor);
        const uint32_t color = TagColumnInfo(column).color;
        return color ? QVariant(ToQColor(color)) : QVariant();
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (column) {
    case TagColumn::Name:
        return toQString(row.name);
    case TagColumn::Type:
        return toQString(row.type);
    case TagColumn::Size:
        return row.size;
    case TagColumn::Address:
        return toQString(role == Qt::EditRole ? row.address.EditText() : row.address.DisplayText(row.size));
    case TagColumn::Warning:
        return toQString(row.warning);
    case TagColumn::OriginalName:
        return toQString(row.originalName);
    case TagColumn::FixName:
        return toQString(row.fixName);
    }
    return {};
}

QVariant CTagsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kTagColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return toQString(TagColumnInfo(TagColumn(section)).caption);
}

Qt::ItemFlags CTagsTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || index.row() >= m_tags.RowCount())
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    switch (TagColumn(index.column())) {
    case TagColumn::Name:
    case TagColumn::Type:
    case TagColumn::Address:
        return base | Qt::ItemIsEditable;
    case TagColumn::Size:
        // Numbers take their size from their type.
        if (CTagType::IsNumeric(m_tags.Row(index.row()).type))
            return Qt::ItemIsSelectable;
        return base | Qt::ItemIsEditable;
    default:
        return base;
    }
}

bool CTagsTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= m_tags.RowCount())
        return false;
    switch (TagColumn(index.column())) {
    case TagColumn::Name:
        return m_tags.SetName(index.row(), fromQString(value.toString()));
    case TagColumn::Type:
        m_tags.SetType(index.row(), fromQString(value.toString()));
        return true;
    case TagColumn::Size:
        m_tags.SetSize(index.row(), value.toInt());
        return true;
    case TagColumn::Address:
        m_tags.SetAddress(index.row(), fromQString(value.toString()));
        return true;
    default:
        return false;
    }
}

void CTagsTableModel::OnTagRowsReset()
{
    beginResetModel();
    endResetModel();
}

void CTagsTableModel::OnTagValuesChanged()
{
    if (m_tags.RowCount() > 0)
        emit dataChanged(index(0, 0), index(m_tags.RowCount() - 1, kTagColumnCount - 1));
}
