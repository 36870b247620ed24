#include "platform/ui/ribbon/CRibbonColourButton.h"

#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <QWidgetAction>

#include "platform/ui/ribbon/CRibbonBar.h"

namespace {

constexpr int kSwatch = 14;
constexpr int kIcon = 16;

QIcon swatchIcon(const QColor& colour, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.setBrush(colour);
    painter.drawRect(0, 0, size - 1, size - 1);
    return QIcon(pixmap);
}

} // namespace

CRibbonColourButton::CRibbonColourButton(CRibbonBar& bar, int id, const QString& label, std::span<const QRgb> palette)
    : m_bar(bar), m_id(id), m_palette(palette.begin(), palette.end())
{
    setText(label);
    setToolTip(label);
    setAutoRaise(true);
    setPopupMode(QToolButton::MenuButtonPopup);
    setToolButtonStyle(label.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
    auto* menu = new QMenu(this);
    auto* grid = new QWidget(menu);
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(1);
    for (std::size_t i = 0; i < m_palette.size(); ++i) {
        const QColor colour = QColor::fromRgb(m_palette[i]);
        auto* swatch = new QToolButton(grid);
        swatch->setObjectName(QStringLiteral("swatch%1").arg(i));
        swatch->setIcon(swatchIcon(colour, kSwatch));
        swatch->setIconSize(QSize(kSwatch, kSwatch));
        swatch->setAutoRaise(true);
        swatch->setToolTip(colour.name());
        connect(swatch, &QToolButton::clicked, this, [this, menu, colour] {
            menu->close();
            Choose(colour);
        });
        layout->addWidget(swatch, int(i) / kColumns, int(i) % kColumns);
    }
    auto* swatches = new QWidgetAction(menu);
    swatches->setDefaultWidget(grid);
    menu->addAction(swatches);
    menu->addSeparator();
    menu->addAction(tr("Other..."), this, [this] { ChooseOther(); });
    setMenu(menu);
    // The button itself applies the colour shown on it again.
    connect(this, &QToolButton::clicked, this, [this] { m_bar.Execute(m_id, this); });
    paintSwatch();
}

void CRibbonColourButton::SetColour(const QColor& colour)
{
    if (!colour.isValid() || colour == m_colour)
        return;
    m_colour = colour;
    paintSwatch();
}

void CRibbonColourButton::Choose(const QColor& colour)
{
    if (!colour.isValid())
        return;
    m_colour = colour;
    paintSwatch();
    m_bar.Execute(m_id, this);
}

void CRibbonColourButton::ChooseOther()
{
    const QColor chosen = m_bar.ChooseColour(m_colour, this);
    if (chosen.isValid())
        Choose(chosen);
}

void CRibbonColourButton::paintSwatch() { setIcon(swatchIcon(m_colour, kIcon)); }
