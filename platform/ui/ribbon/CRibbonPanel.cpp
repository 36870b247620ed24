#include "platform/ui/ribbon/CRibbonPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/ui/ribbon/CRibbonBar.h"
#include "platform/ui/ribbon/CRibbonCategory.h"
#include "platform/ui/ribbon/CRibbonColourButton.h"
#include "platform/ui/ribbon/CRibbonGallery.h"
#include "platform/ui/ribbon/RibbonLabel.h"

namespace {

constexpr int kSmallIcon = 16;
constexpr int kLargeIcon = 32;
constexpr int kLargeButtonHeight = 66;
constexpr int kSliderWidth = 100;
// Room a combo's arrow and frame take beside its text.
constexpr int kComboChrome = 24;
constexpr const char* kEnterPending = "ribbonEnterPending";

QString toolTipOf(const RibbonLabel& label)
{
    QString tip = label.text;
    tip.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    tip.remove(u'&');
    tip.replace(u'\x01', u'&');
    if (!label.keyTip.isEmpty())
        tip += QStringLiteral(" (%1)").arg(label.keyTip);
    return tip;
}

} // namespace

CRibbonPanel::CRibbonPanel(CRibbonCategory& category, const QString& caption)
    : QFrame(&category), m_category(category), m_bar(category.Bar()), m_caption(caption)
{
    setFrameShape(QFrame::StyledPanel);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(3, 3, 3, 1);
    outer->setSpacing(1);
    m_columns = new QHBoxLayout;
    m_columns->setSpacing(3);
    outer->addLayout(m_columns, 1);
    auto* title = new QLabel(caption, this);
    title->setAlignment(Qt::AlignCenter);
    title->setObjectName(QStringLiteral("panelCaption"));
    outer->addWidget(title);
}

void CRibbonPanel::addSmall(QWidget* widget)
{
    if (m_group) {
        m_group->addWidget(widget);
        return;
    }
    if (!m_column || m_rowsUsed == kRows) {
        m_column = new QVBoxLayout;
        m_column->setSpacing(1);
        m_column->addStretch(1);
        m_columns->addLayout(m_column);
        m_rowsUsed = 0;
    }
    m_column->insertWidget(m_column->count() - 1, widget, 0, Qt::AlignLeft);
    ++m_rowsUsed;
}

void CRibbonPanel::addLarge(QWidget* widget)
{
    m_columns->addWidget(widget, 0, Qt::AlignTop);
    m_column = nullptr;
}

void CRibbonPanel::connectButton(int id, QToolButton* button)
{
    connect(button, &QToolButton::clicked, this, [this, id, button] { m_bar.Execute(id, button); });
    m_bar.RegisterControl(id, ControlKind::Button, button);
}

QToolButton* CRibbonPanel::AddButton(int id, const QString& label, int image, RibbonButtonSize size)
{
    const RibbonImages strips = m_category.Images();
    const int strip = size == RibbonButtonSize::Large && strips.large ? strips.large : strips.small;
    return AddButton(id, label, m_bar.Image(strip, image), size);
}

QToolButton* CRibbonPanel::AddButton(int id, const QString& label, const QIcon& icon, RibbonButtonSize size)
{
    const RibbonLabel split = SplitRibbonLabel(label);
    auto* button = new QToolButton(this);
    button->setText(split.text);
    button->setToolTip(toolTipOf(split));
    button->setIcon(icon);
    button->setAutoRaise(true);
    markKeyTip(button, split);
    if (size == RibbonButtonSize::Large) {
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(kLargeIcon, kLargeIcon));
        button->setMinimumHeight(kLargeButtonHeight);
        addLarge(button);
    } else {
        button->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonTextBesideIcon);
        button->setIconSize(QSize(kSmallIcon, kSmallIcon));
        addSmall(button);
    }
    connectButton(id, button);
    m_bar.RegisterCommand(id, label, icon);
    return button;
}

QToolButton* CRibbonPanel::AddMenuButton(int id, const QString& label, int image, RibbonButtonSize size,
                                         std::span<const RibbonMenuItem> items)
{
    QToolButton* button = AddButton(id, label, image, size);
    auto* menu = new QMenu(button);
    for (const RibbonMenuItem& item : items) {
        if (item.id == 0) {
            menu->addSection(item.label);
            continue;
        }
        const QIcon icon = m_bar.Image(m_category.Images().small, item.image);
        QAction* action = menu->addAction(icon, item.label);
        const int itemId = item.id;
        action->setData(itemId);
        connect(action, &QAction::triggered, this, [this, itemId] { m_bar.Execute(itemId, nullptr); });
        m_bar.RegisterAction(itemId, action);
        m_bar.RegisterCommand(itemId, item.label, icon);
    }
    button->setMenu(menu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
    return button;
}

void CRibbonPanel::connectCombo(int id, QComboBox* combo)
{
    QLineEdit* edit = combo->lineEdit();
    if (!edit) {
        connect(combo, &QComboBox::activated, this, [this, id, combo] { m_bar.Execute(id, combo); });
        return;
    }
    // An editable combo passes one Enter on to its edit more than once, and activates the
    // item it matches as well: the command runs once, when the key has been handled.
    const auto executeOnce = [this, id, combo] {
        if (combo->property(kEnterPending).toBool())
            return;
        combo->setProperty(kEnterPending, true);
        QMetaObject::invokeMethod(
            this,
            [this, id, combo] {
                combo->setProperty(kEnterPending, false);
                m_bar.Execute(id, combo);
            },
            Qt::QueuedConnection);
    };
    connect(combo, &QComboBox::activated, this, executeOnce);
    connect(edit, &QLineEdit::returnPressed, this, executeOnce);
}

QCheckBox* CRibbonPanel::AddCheckBox(int id, const QString& label)
{
    const RibbonLabel split = SplitRibbonLabel(label);
    auto* box = new QCheckBox(split.text, this);
    box->setToolTip(toolTipOf(split));
    markKeyTip(box, split);
    // The command toggles the setting; the update handler then gives the box its mark.
    connect(box, &QCheckBox::clicked, this, [this, id, box] { m_bar.Execute(id, box); });
    addSmall(box);
    m_bar.RegisterControl(id, ControlKind::Check, box);
    m_bar.RegisterCommand(id, label, {});
    return box;
}

QComboBox* CRibbonPanel::AddCombo(int id, const QStringList& items, int width, RibbonComboKind kind,
                                  const QVariantList& data)
{
    auto* combo = new QComboBox(this);
    combo->setEditable(kind == RibbonComboKind::Editable);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // What is typed is what the command reads: no item is completed into the edit.
    if (kind == RibbonComboKind::Editable)
        combo->setCompleter(nullptr);
    for (qsizetype i = 0; i < items.size(); ++i)
        combo->addItem(items[i], i < data.size() ? data[i] : QVariant());
    if (width > 0)
        combo->setFixedWidth(width + kComboChrome);
    connectCombo(id, combo);
    addSmall(combo);
    m_bar.RegisterControl(id, ControlKind::Combo, combo);
    m_bar.RegisterCommand(id, {}, {});
    return combo;
}

QFontComboBox* CRibbonPanel::AddFontCombo(int id, int width)
{
    auto* combo = new QFontComboBox(this);
    combo->setInsertPolicy(QComboBox::NoInsert);
    if (width > 0)
        combo->setFixedWidth(width + kComboChrome);
    connectCombo(id, combo);
    addSmall(combo);
    m_bar.RegisterControl(id, ControlKind::Combo, combo);
    m_bar.RegisterCommand(id, {}, {});
    return combo;
}

QLineEdit* CRibbonPanel::AddEdit(int id, const QString& label, int width)
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    const RibbonLabel split = SplitRibbonLabel(label);
    if (!split.text.isEmpty())
        layout->addWidget(new QLabel(split.text, row));
    auto* edit = new QLineEdit(row);
    if (width > 0)
        edit->setFixedWidth(width);
    layout->addWidget(edit);
    connect(edit, &QLineEdit::returnPressed, this, [this, id, edit] { m_bar.Execute(id, edit); });
    addSmall(row);
    m_bar.RegisterControl(id, ControlKind::Edit, edit);
    m_bar.RegisterCommand(id, label, {});
    return edit;
}

QSlider* CRibbonPanel::AddSlider(int id, int minimum, int maximum)
{
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setRange(minimum, maximum);
    slider->setFixedWidth(kSliderWidth);
    // A drag runs the command once, where it ends; keys run it at each step.
    slider->setTracking(false);
    connect(slider, &QSlider::valueChanged, this, [this, id, slider] { m_bar.Execute(id, slider); });
    addSmall(slider);
    m_bar.RegisterControl(id, ControlKind::Slider, slider);
    m_bar.RegisterCommand(id, {}, {});
    return slider;
}

CRibbonColourButton* CRibbonPanel::AddColourButton(int id, const QString& label, std::span<const QRgb> palette)
{
    auto* button = new CRibbonColourButton(m_bar, id, label, palette);
    button->setParent(this);
    addSmall(button);
    m_bar.RegisterControl(id, ControlKind::Color, button);
    m_bar.RegisterCommand(id, label, {});
    return button;
}

CRibbonGallery* CRibbonPanel::AddGallery(int id, const QString& label, const std::vector<RibbonGalleryItem>& items)
{
    auto* gallery = new CRibbonGallery(m_bar, id, items);
    gallery->setParent(this);
    gallery->setToolTip(label);
    addLarge(gallery);
    m_bar.RegisterControl(id, ControlKind::Gallery, gallery);
    m_bar.RegisterCommand(id, label, {});
    return gallery;
}

QLabel* CRibbonPanel::AddLabel(const QString& text, int image, int id)
{
    auto* label = new QLabel(this);
    if (id != 0) {
        m_bar.RegisterControl(id, ControlKind::Label, label);
        m_bar.RegisterCommand(id, text, {});
    }
    const QIcon icon = m_bar.Image(m_category.Images().small, image);
    if (!icon.isNull() && text.isEmpty()) {
        label->setPixmap(icon.pixmap(kSmallIcon, kSmallIcon));
    } else if (!icon.isNull()) {
        // An image before the text, as the static captions show it.
        auto* row = new QWidget(this);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(3);
        auto* picture = new QLabel(row);
        picture->setPixmap(icon.pixmap(kSmallIcon, kSmallIcon));
        layout->addWidget(picture);
        label->setParent(row);
        label->setText(text);
        layout->addWidget(label);
        addSmall(row);
        return label;
    } else {
        label->setText(text);
    }
    addSmall(label);
    return label;
}

void CRibbonPanel::BeginButtonGroup() { beginRow(QFrame::StyledPanel); }

void CRibbonPanel::BeginRow() { beginRow(QFrame::NoFrame); }

void CRibbonPanel::beginRow(QFrame::Shape frame)
{
    auto* row = new QFrame(this);
    row->setFrameShape(frame);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    addSmall(row);
    m_group = layout;
}

void CRibbonPanel::EndButtonGroup() { m_group = nullptr; }

void CRibbonPanel::AddSeparator()
{
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    m_columns->addWidget(line);
    m_column = nullptr;
}
