#pragma once
// "Color editor": one colour per row, each a swatch button with a palette of ten
// columns and "Other..." for any colour. Colours are the editor's 0xBBGGRR values.

#include <cstdint>
#include <vector>

#include "editor/views/dialogs/CListDialog.h"

class QToolButton;

class CListColors : public CListDialog {
    Q_OBJECT
public:
    static constexpr int kPaletteColumns = 10;

    CListColors(int rows, std::u16string_view value, QWidget* parent = nullptr);

    uint32_t Color(int row) const { return m_colors[std::size_t(row)]; }
    void SetColor(int row, uint32_t color);
    QToolButton* Button(int row) const;

    // 0xBBGGRR and back.
    static QColor ToQColor(uint32_t color);
    static uint32_t FromQColor(const QColor& color);

protected:
    void FillRows() override;
    std::u16string BuildResult() const override;

private:
    void showSwatch(int row);

    std::vector<uint32_t> m_colors;
};
