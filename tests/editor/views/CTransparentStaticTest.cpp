#include <gtest/gtest.h>

#include <QPainter>
#include <QWidget>

#include "editor/views/CTransparentStatic.h"

namespace {

// A checkered parent, so a label that paints its own background or leaves old text
// behind shows against it.
class PatternedParent : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        for (int y = 0; y < height(); y += 8)
            for (int x = 0; x < width(); x += 8)
                painter.fillRect(x, y, 8, 8, ((x + y) / 8) % 2 ? QColor(200, 60, 60) : QColor(60, 60, 200));
    }
};

QImage labelOn(const QString& first, const QString& then)
{
    PatternedParent parent;
    parent.resize(240, 40);
    auto* label = new CTransparentStatic(first, &parent);
    label->setGeometry(0, 0, 240, 40);
    parent.show();
    (void)parent.grab();
    if (!then.isNull())
        label->SetText(then);
    return parent.grab().toImage();
}

TEST(CTransparentStatic, AShorterTextLeavesNothingOfTheLongerOneOnAPatternedParent)
{
    const QImage changed = labelOn(QStringLiteral("a much longer parameter label"), QStringLiteral("short"));
    const QImage fresh = labelOn(QStringLiteral("short"), QString());
    EXPECT_EQ(changed, fresh);
    // The parent's pattern shows through where there is no text.
    EXPECT_EQ(changed.pixelColor(236, 36), QColor(200, 60, 60));
}

} // namespace
