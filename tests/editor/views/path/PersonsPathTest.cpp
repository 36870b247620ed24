#include <gtest/gtest.h>

#include <QImage>

#include "tests/editor/views/path/PersonsPath.h"

namespace vx::test {
namespace {

// Pixels of the picture inside rect that are plainly red.
int RedPixels(const QImage& picture, const QRect& rect)
{
    int count = 0;
    const QRect inside = rect.intersected(picture.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            count += pixel.red() > 200 && pixel.green() < 90 && pixel.blue() < 90;
        }
    return count;
}

TEST(PersonsPathOffscreen, ColourTextAndAPageChangeReachTheCanvasAndTheDocument)
{
    PersonsPath path;
    path.Open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&path.window));

    path.SelectLamp();
    ASSERT_TRUE(path.Lamp().IsSelected());
    ASSERT_EQ(path.actions->GetTarget(), &path.Lamp());
    EXPECT_EQ(path.actions->GetDefaultTrigger(), u"On touch up");
    EXPECT_EQ(RedPixels(path.Canvas()->grab().toImage(), path.LampOnCanvas()), 0);

    ASSERT_TRUE(path.ChangeColourAndText());
    EXPECT_EQ(ValueOf(path.Lamp(), u"Appearance", u"Text"), u"Go on");
    ASSERT_TRUE(path.AddGoToSecondPage());
    const std::vector<CActionsGridData>& entries = path.actions->Editor().Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].trigger, u"On touch up");
    EXPECT_EQ(entries[0].action, u"Go to page X");
    EXPECT_EQ(entries[0].parameters, u"Settings");
    EXPECT_GE(path.host.counts.modified, 1);

    // The object's picture is drawn again off the interface thread.
    EXPECT_TRUE(QTest::qWaitFor([&] { return RedPixels(path.Canvas()->grab().toImage(), path.LampOnCanvas()) > 20; },
                                20000));

    const std::string document = path.SavedDocument();
    EXPECT_NE(document.find("<text>Go on</text>"), std::string::npos) << document;
    EXPECT_NE(document.find("<colors>ff\x01" "ff00\x01" "ff\x01</colors>"), std::string::npos) << document;
    const std::size_t script = document.find("<actionScript>", document.find("<object>"));
    ASSERT_NE(script, std::string::npos) << document;
    const std::string stored = document.substr(script, document.find("</actionScript>", script) - script);
    EXPECT_NE(stored.find("\"command\" : \"Go to page X\""), std::string::npos) << stored;
    EXPECT_NE(stored.find("\"trigger\" : \"On touch up\""), std::string::npos) << stored;
    // The page by its original name, which survives its renaming.
    EXPECT_NE(stored.find("\"params\" : \"Page 2\""), std::string::npos) << stored;
    EXPECT_EQ(stored.find("Settings"), std::string::npos) << stored;
}

} // namespace
} // namespace vx::test
