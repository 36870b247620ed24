#include "engine/tagmonitor/qt/CDlgTags.h"

#include <QResizeEvent>
#include <vector>

#include "engine/core/DFile.h"
#include "engine/tagmonitor/CTagsFile.h"
#include "engine/tagmonitor/qt/CGridCtrl.h"

namespace {

// The header texts of row 0.
constexpr std::u16string_view kTitles[CDlgTags::ColumnCount] = {u"Name", u"Type", u"Size", u"Value"};
// Shown until the first refresh, and for tags that are never read.
constexpr std::u16string_view kNoValue = u"-";

// The letters the window's average character width is taken over.
constexpr std::u16string_view kAverageSample = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

} // namespace

CDlgTags::CDlgTags(DFile& tagsFile, CTagMemorySource memory, QWidget* parent)
    : QDialog(parent), m_memory(std::move(memory)), m_grid(new CGridCtrl(this))
{
    setObjectName(QStringLiteral("CDlgTags"));
    setWindowTitle(QStringLiteral("Tags"));
    setModal(false);
    setSizeGripEnabled(false);
    resize(toPixels(QRect(QPoint(0, 0), kDialogUnits)).size());
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->setGeometry(toPixels(kGridUnits));

    CGridModel& model = m_grid->model();
    model.setListener(this);
    (void)model.setColumnCount(ColumnCount);
    (void)model.setFixedColumnCount(kFixedColumns);
    (void)model.setRowCount(1);
    (void)model.setFixedRowCount(1);
    for (int column = 0; column < ColumnCount; ++column)
        (void)model.setItemText(0, column, kTitles[column]);
    (void)model.setColumnWidth(Name, kNameWidth);
    (void)model.setColumnWidth(Size, kSizeWidth);
    (void)model.setColumnWidth(Value, kValueWidth);
    (void)model.setRowHeight(0, kHeaderHeight);
    fillRows(tagsFile);

    m_timer.setInterval(kRefreshMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { (void)refresh(); });
    m_timer.start();
}

CDlgTags::~CDlgTags()
{
    m_timer.stop();
    // An open edit ends unannounced: nothing is written from a window that goes.
    m_grid->cancelEdit();
    m_grid->model().setListener(nullptr);
}

QRect CDlgTags::toPixels(const QRect& units) const
{
    const QFontMetrics metrics(font());
    const int averageWidth = (metrics.horizontalAdvance(QString::fromUtf16(kAverageSample.data(),
                                                                          qsizetype(kAverageSample.size()))) /
                                  int(kAverageSample.size() / 2) + 1) / 2;
    const int height = metrics.height();
    return QRect(units.x() * averageWidth / 4, units.y() * height / 8, units.width() * averageWidth / 4,
                 units.height() * height / 8);
}

void CDlgTags::fillRows(DFile& tagsFile)
{
    const uint64_t length = tagsFile.size();
    std::vector<uint8_t> bytes;
    // A file that cannot be read whole is not parsed at all.
    if (length > 0 && length <= UINT32_MAX && tagsFile.seek(0, DFile::FromStart) == 0) {
        bytes.resize(std::size_t(length));
        if (tagsFile.read(bytes.data(), uint32_t(length)) != 0)
            bytes.clear();
    }
    const CTagMemory memory = m_memory ? m_memory() : CTagMemory{};
    CGridModel& model = m_grid->model();
    for (const CTagRow& tag : CTagsFile::read(bytes, memory.size)) {
        const int row = model.insertRow(tag.name);
        if (row < 0)
            break;
        (void)model.setRowHeight(row, kRowHeight);
        (void)model.setItemData(row, Type, uint32_t(tag.typeIndex));
        (void)model.setItemText(row, Type, tag.typeText);
        (void)model.setItemText(row, Value, kNoValue);
        (void)model.setItemData(row, Name, tag.address);
        (void)model.setItemData(row, Size, tag.size);
        (void)model.setItemText(row, Size, tag.sizeText);
    }
}

CTagPlace CDlgTags::placeOf(int row) const
{
    const CGridModel& model = m_grid->model();
    return {int(int32_t(model.itemData(row, Type))), model.itemData(row, Name), model.itemData(row, Size)};
}

bool CDlgTags::refresh()
{
    CGridModel& model = m_grid->model();
    const CTagMemory memory = m_memory ? m_memory() : CTagMemory{};
    bool changed = false;
    for (int row = model.fixedRowCount(); row < model.rowCount(); ++row) {
        const CTagPlace place = placeOf(row);
        if (place.typeIndex == CTagRow::kUnknownType || !m_values.format(memory, place, m_text))
            continue;
        const CGridCell* cell = model.cell(row, Value);
        if (cell && cell->text == m_text)
            continue;
        // An open editor keeps its own text: only the cell beneath it changes.
        (void)model.setItemText(row, Value, m_text);
        changed = true;
    }
    if (changed)
        m_grid->viewport()->update();
    return changed;
}

int CDlgTags::onGridNotify(const CGridNotification& notification)
{
    if (notification.code != CGridCode::EndEdit || notification.cell.column != Value)
        return 0;
    const int row = notification.cell.row;
    const CTagMemory memory = m_memory ? m_memory() : CTagMemory{};
    // An unknown type, or a value that cannot be stored, is refused: the old text comes back.
    return m_values.write(memory, placeOf(row), m_grid->model().itemText(row, Value)) ? 0 : -1;
}

void CDlgTags::done(int result)
{
    m_closed = 1;
    QDialog::done(result);
}

void CDlgTags::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (m_grid)
        m_grid->resize(std::max(width() - kLayoutInset, 0), std::max(height() - kLayoutInset, 0));
}
