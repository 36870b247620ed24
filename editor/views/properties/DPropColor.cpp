#include "editor/views/properties/DPropColor.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QMenu>
#include <QPixmap>
#include <QSignalBlocker>
#include <QToolButton>
#include <QWidgetAction>
#include <array>

#include "editor/views/dialogs/CListColors.h"

namespace {

// Five rows of eight, 0xBBGGRR: the standard colours of a colour picker.
constexpr std::array<uint32_t, 40> kPalette = {
    0x000000, 0x003399, 0x003333, 0x003300, 0x663300, 0x800000, 0x993333, 0x333333,
    0x000080, 0x0066FF, 0x008080, 0x008000, 0x808000, 0xFF0000, 0x996666, 0x808080,
    0x0000FF, 0x0099FF, 0x00CC99, 0x669933, 0xCCCC33, 0xFF6633, 0x800080, 0x999999,
    0xFF00FF, 0x00CCFF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFFCC00, 0x663399, 0xC0C0C0,
    0xCC99FF, 0x99CCFF, 0x99FFFF, 0xCCFFCC, 0xFFFFCC, 0xFFCC99, 0xFF99CC, 0xFFFFFF,
};
constexpr int kSwatchSize = 14;

QPixmap swatch(const QColor& color)
{
    QPixmap pixmap(kSwatchSize, kSwatchSize);
    pixmap.fill(color);
    return pixmap;
}

} // namespace

QWidget* DPropColor::MakeEditor(QWidget* parent)
{
    m_button = new QToolButton(parent);
    m_button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_button->setPopupMode(QToolButton::InstantPopup);
    m_button->setAutoRaise(true);
    m_menu = new QMenu(m_button);
    auto* palette = new QWidget(m_menu);
    auto* grid = new QGridLayout(palette);
    grid->setSpacing(2);
    for (std::size_t i = 0; i < kPalette.size(); ++i) {
        auto* cell = new QToolButton(palette);
        cell->setObjectName(QStringLiteral("color%1").arg(kPalette[i], 6, 16, QLatin1Char('0')));
        cell->setIcon(swatch(CListColors::ToQColor(kPalette[i])));
        cell->setAutoRaise(true);
        connect(cell, &QToolButton::clicked, this, [this, color = kPalette[i]] {
            m_menu->close();
            Choose(color);
        });
        grid->addWidget(cell, int(i) / kPaletteColumns, int(i) % kPaletteColumns);
    }
    auto* paletteAction = new QWidgetAction(m_menu);
    paletteAction->setDefaultWidget(palette);
    m_menu->addAction(paletteAction);
    m_menu->addAction(tr("Other..."), this, [this] { ChooseOther(); });
    m_button->setMenu(m_menu);
    return m_button;
}

void DPropColor::ShowValue()
{
    const QSignalBlocker blocker(m_button);
    if (IsMixed()) {
        m_button->setIcon(QIcon());
        m_button->setText(QString());
        return;
    }
    const uint32_t color = GetValue().ToUInt();
    m_button->setIcon(swatch(CListColors::ToQColor(color)));
    m_button->setText(CListColors::ToQColor(color).name());
}

void DPropColor::Choose(uint32_t color)
{
    if (IsRetired())
        return;
    UserChanged(CPropertyValue(color));
    OnEndEdit();
    ShowValue();
}

void DPropColor::ChooseOther()
{
    QColorDialog dialog(IsMixed() ? QColor(Qt::black) : CListColors::ToQColor(GetValue().ToUInt()), m_button);
    if (RunDialog(dialog) == QDialog::Accepted && dialog.currentColor().isValid())
        Choose(CListColors::FromQColor(dialog.currentColor()));
}
