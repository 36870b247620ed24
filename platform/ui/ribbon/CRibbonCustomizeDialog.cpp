#include "platform/ui/ribbon/CRibbonCustomizeDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/ui/ribbon/CRibbonBar.h"
#include "platform/ui/ribbon/CRibbonQuickAccessBar.h"

namespace {

QListWidgetItem* itemOf(const CRibbonBar& bar, int id)
{
    const CRibbonCommand* command = bar.FindCommand(id);
    auto* item = new QListWidgetItem(command ? command->icon : QIcon(), command ? command->label : QString::number(id));
    item->setData(Qt::UserRole, id);
    return item;
}

int idOf(const QListWidgetItem* item) { return item ? item->data(Qt::UserRole).toInt() : 0; }

} // namespace

CRibbonCustomizeDialog::CRibbonCustomizeDialog(CRibbonBar& bar, const QString& title,
                                               std::vector<RibbonCommandCategory> categories, QWidget* parent)
    : QDialog(parent), m_bar(bar), m_categories(std::move(categories)), m_chosen(bar.QuickAccess().ShownCommandIds())
{
    setWindowTitle(title);
    auto* outer = new QVBoxLayout(this);
    auto* chooser = new QHBoxLayout;
    chooser->addWidget(new QLabel(tr("&Choose commands from:"), this));
    m_category = new QComboBox(this);
    for (const RibbonCommandCategory& category : m_categories)
        m_category->addItem(category.name);
    chooser->addWidget(m_category, 1);
    outer->addLayout(chooser);

    auto* lists = new QHBoxLayout;
    m_commands = new QListWidget(this);
    m_commands->setObjectName(QStringLiteral("commands"));
    lists->addWidget(m_commands, 1);
    auto* buttons = new QVBoxLayout;
    auto* add = new QPushButton(tr("&Add >>"), this);
    auto* remove = new QPushButton(tr("<< &Remove"), this);
    buttons->addStretch(1);
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    lists->addLayout(buttons);
    m_chosenList = new QListWidget(this);
    m_chosenList->setObjectName(QStringLiteral("quickAccess"));
    lists->addWidget(m_chosenList, 1);
    outer->addLayout(lists, 1);

    // A property sheet without an apply button.
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    outer->addWidget(box);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_category, &QComboBox::currentIndexChanged, this, [this](int index) { ShowCategory(index); });
    connect(add, &QPushButton::clicked, this, [this] { AddCommand(idOf(m_commands->currentItem())); });
    connect(remove, &QPushButton::clicked, this, [this] { RemoveCommand(idOf(m_chosenList->currentItem())); });
    connect(m_commands, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { AddCommand(idOf(item)); });

    ShowCategory(0);
    fillChosen();
}

void CRibbonCustomizeDialog::ShowCategory(int index)
{
    if (index < 0 || index >= CategoryCount())
        return;
    if (m_category->currentIndex() != index)
        m_category->setCurrentIndex(index);
    m_commands->clear();
    for (int id : m_categories[std::size_t(index)].ids)
        m_commands->addItem(itemOf(m_bar, id));
}

std::vector<int> CRibbonCustomizeDialog::ListedCommands() const
{
    std::vector<int> ids;
    for (int row = 0; row < m_commands->count(); ++row)
        ids.push_back(idOf(m_commands->item(row)));
    return ids;
}

void CRibbonCustomizeDialog::AddCommand(int id)
{
    if (id == 0 || std::find(m_chosen.begin(), m_chosen.end(), id) != m_chosen.end())
        return;
    m_chosen.push_back(id);
    fillChosen();
}

void CRibbonCustomizeDialog::RemoveCommand(int id)
{
    const auto found = std::find(m_chosen.begin(), m_chosen.end(), id);
    if (found == m_chosen.end())
        return;
    m_chosen.erase(found);
    fillChosen();
}

void CRibbonCustomizeDialog::Apply() { m_bar.QuickAccess().SetShownCommands(m_chosen); }

void CRibbonCustomizeDialog::fillChosen()
{
    m_chosenList->clear();
    for (int id : m_chosen)
        m_chosenList->addItem(itemOf(m_bar, id));
}
