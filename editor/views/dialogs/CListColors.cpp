#include "editor/views/dialogs/CListColors.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QMenu>
#include <QPixmap>
#include <QTableWidget>
#include <QToolButton>
#include <QWidgetAction>
#include <array>

#include "editor/views/dialogs/ListValue.h"

namespace {

// Four rows of ten: greys, then full, light and dark hues.
constexpr std::array<uint32_t, 40> kPalette = {
    0x000000, 0x202020, 0x404040, 0x606060, 0x808080, 0x909090, 0xA0A0A0, 0xC0C0C0, 0xE0E0E0, 0xFFFFFF,
    0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF80, 0x00FF00, 0x80FF00, 0xFFFF00, 0xFF8000, 0xFF0000, 0xFF0080,
    0x8080FF, 0x80C0FF, 0x80FFFF, 0x80FFC0, 0x80FF80, 0xC0FF80, 0xFFFF80, 0xFFC080, 0xFF8080, 0xFF80C0,
    0x000080, 0x004080, 0x008080, 0x008040, 0x008000, 0x408000, 0x808000, 0x804000, 0x800000, 0x800040,
};
constexpr int kSwatchSize = 14;

QPixmap swatch(uint32_t color)
{
    QPixmap pixmap(kSwatchSize, kSwatchSize);
    pixmap.fill(CListColors::ToQColor(color));
    return pixmap;
}

} // namespace

CListColors::CListColors(int rows, std::u16string_view value, QWidget* parent)
    : CListDialog(tr("Color editor"), tr("Color"), rows, parent), m_colors(ListValue::ParseColors(value, Rows()))
{
}

QColor CListColors::ToQColor(uint32_t color) { return QColor(color & 0xFF, color >> 8 & 0xFF, color >> 16 & 0xFF); }

uint32_t CListColors::FromQColor(const QColor& color)
{
    return uint32_t(color.red()) | uint32_t(color.green()) << 8 | uint32_t(color.blue()) << 16;
}

QToolButton* CListColors::Button(int row) const { return qobject_cast<QToolButton*>(Grid()->cellWidget(row, 1)); }

void CListColors::SetColor(int row, uint32_t color)
{
    m_colors[std::size_t(row)] = color;
    showSwatch(row);
}

void CListColors::showSwatch(int row)
{
    if (QToolButton* button = Button(row)) {
        button->setIcon(swatch(m_colors[std::size_t(row)]));
        button->setText(QString::number(m_colors[std::size_t(row)], 16));
    }
}

void CListColors::FillRows()
{
    for (int row = 0; row < Rows(); ++row) {
        auto* button = new QToolButton;
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setAutoRaise(true);
        auto* menu = new QMenu(button);
        auto* palette = new QWidget(menu);
        auto* grid = new QGridLayout(palette);
        grid->setSpacing(2);
        for (std::size_t i = 0; i < kPalette.size(); ++i) {
            auto* cell = new QToolButton(palette);
            cell->setIcon(swatch(kPalette[i]));
            cell->setAutoRaise(true);
            connect(cell, &QToolButton::clicked, this, [this, row, menu, color = kPalette[i]] {
                SetColor(row, color);
                menu->close();
            });
            grid->addWidget(cell, int(i) / kPaletteColumns, int(i) % kPaletteColumns);
        }
        auto* paletteAction = new QWidgetAction(menu);
        paletteAction->setDefaultWidget(palette);
        menu->addAction(paletteAction);
        menu->addAction(tr("Other..."), this, [this, row] {
            const QColor chosen = QColorDialog::getColor(ToQColor(Color(row)), this);
            if (chosen.isValid())
                SetColor(row, FromQColor(chosen));
        });
        button->setMenu(menu);
        Grid()->setCellWidget(row, 1, button);
        showSwatch(row);
    }
}

std::u16string CListColors::BuildResult() const { return ListValue::JoinColors(m_colors); }
