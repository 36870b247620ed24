#pragma once
// A colour button: its drop-down holds a palette of swatches and "Other...". Choosing a
// colour keeps it and runs the button's command.

#include <QColor>
#include <QRgb>
#include <QToolButton>
#include <span>
#include <vector>

class CRibbonBar;

class CRibbonColourButton : public QToolButton {
    Q_OBJECT
public:
    static constexpr int kColumns = 11;

    CRibbonColourButton(CRibbonBar& bar, int id, const QString& label, std::span<const QRgb> palette);

    QColor Colour() const { return m_colour; }
    void SetColour(const QColor& colour);
    const std::vector<QRgb>& Palette() const { return m_palette; }
    // As a click on a swatch or a choice after "Other..." does.
    void Choose(const QColor& colour);
    void ChooseOther();

private:
    void paintSwatch();

    CRibbonBar& m_bar;
    int m_id;
    QColor m_colour = Qt::black;
    std::vector<QRgb> m_palette;
};
