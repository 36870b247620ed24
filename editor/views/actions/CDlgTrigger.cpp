#include "editor/views/actions/CDlgTrigger.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <array>

#include "editor/document/ActionTable.h"
#include "editor/document/CSelectable.h"
#include "editor/views/dialogs/CDlgResizeLayout.h"

namespace {

enum FilterKind : int32_t {
    PageOnly = 0,
    HasAlarm = 1,
    TakesInput = 2,
    HasButtonState = 3,
    KeyTriggers = CDlgTrigger::kKeyTriggers,
    HasValueTag = 5,
    EndOfList = 6,
};

// The dialog's size in dialog units.
constexpr int kWidthUnits = 186;
constexpr int kHeightUnits = 93;

constexpr std::array<std::u16string_view, 6> kKeys{u"Enter", u"Escape", u"Left", u"Up", u"Right", u"Down"};

QString qt(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

bool has(const CSelectable* object, std::u16string_view category, std::u16string_view caption)
{
    return object && object->FindProperty(category, caption);
}

} // namespace

CDlgTrigger::CDlgTrigger(const CSelectable* object, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Add trigger"));
    const QFontMetrics metrics(font());
    resize(CDlgResizeLayout::DlgUnitsToPixels(QRect(0, 0, kWidthUnits, kHeightUnits), metrics.averageCharWidth(),
                                              metrics.height())
               .size());
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Type"), this), 0, 0);
    m_triggers = new QComboBox(this);
    m_triggers->setEditable(false);
    layout->addWidget(m_triggers, 1, 0);
    layout->addWidget(new QLabel(QStringLiteral("Parameters"), this), 0, 1);
    m_keys = new QComboBox(this);
    m_keys->setEditable(false);
    m_keys->setEnabled(false);
    layout->addWidget(m_keys, 1, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons, 2, 0, 1, 2);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgTrigger::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgTrigger::reject);

    {
        const QSignalBlocker blocker(m_triggers);
        for (const int row : OfferedRows(object))
            m_triggers->addItem(qt(TriggerTable()[std::size_t(row)].name), row);
        m_triggers->setCurrentIndex(-1);
    }
    connect(m_triggers, &QComboBox::activated, this, &CDlgTrigger::OnTriggerChosen);
}

bool CDlgTrigger::Passes(int32_t filterKind, const CSelectable* object)
{
    switch (filterKind) {
    case PageOnly:
        return !object;
    case HasAlarm:
        return has(object, u"Behavior", u"Low alarm value");
    case TakesInput:
        return object && object->IsFocusable();
    case HasButtonState:
        return has(object, u"Data", u"Button state tag");
    case KeyTriggers:
        return !object || object->IsFocusable();
    case HasValueTag:
        return has(object, u"Data", u"Value tag");
    default:
        return false;
    }
}

std::vector<int> CDlgTrigger::OfferedRows(const CSelectable* object)
{
    std::vector<int> rows;
    const auto& table = TriggerTable();
    for (std::size_t row = 0; row < table.size() && table[row].availability != EndOfList; ++row)
        if (Passes(table[row].availability, object))
            rows.push_back(int(row));
    return rows;
}

bool CDlgTrigger::IsKeyTriggerChosen() const
{
    const int row = m_triggers->currentIndex() < 0 ? -1 : m_triggers->currentData().toInt();
    return row >= 0 && TriggerTable()[std::size_t(row)].availability == KeyTriggers;
}

void CDlgTrigger::OnTriggerChosen()
{
    const QSignalBlocker blocker(m_keys);
    m_keys->clear();
    const bool keys = IsKeyTriggerChosen();
    m_keys->setEnabled(keys);
    if (keys) {
        for (const std::u16string_view key : kKeys)
            m_keys->addItem(qt(key));
        m_keys->setCurrentIndex(-1);
    }
}

void CDlgTrigger::accept()
{
    if (m_triggers->currentIndex() < 0)
        return;
    const std::u16string name = m_triggers->currentText().toStdU16String();
    if (IsKeyTriggerChosen()) {
        if (m_keys->currentIndex() < 0)
            return;
        m_text = AppendDetail(name, m_keys->currentText().toStdU16String());
    } else {
        m_text = name;
    }
    QDialog::accept();
}
