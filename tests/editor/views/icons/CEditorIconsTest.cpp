#include <gtest/gtest.h>

#include <QImage>
#include <map>
#include <set>
#include <vector>

#include "editor/document/ActionTable.h"
#include "editor/document/CObjectTypeTable.h"
#include "editor/views/icons/CEditorIcons.h"

namespace {

constexpr int kSmall = 16;

QImage picture(const QIcon& icon, int size = kSmall, QIcon::Mode mode = QIcon::Normal)
{
    return icon.pixmap(size, size, mode).toImage().convertToFormat(QImage::Format_ARGB32);
}

int opaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 128;
    return count;
}

int distinctColours(const QImage& image)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

const IconStrip kStrips[] = {IconStrip::Frame,   IconStrip::Actions, IconStrip::Insert, IconStrip::Target,
                             IconStrip::Page,    IconStrip::Project, IconStrip::Panes,  IconStrip::Home,
                             IconStrip::Main,    IconStrip::HomeLarge, IconStrip::View};

TEST(CEditorIcons, EveryPictureIsDrawnAtTheSizeItIsShown)
{
    for (IconStrip strip : kStrips) {
        for (int index : CEditorIcons::Indexes(strip)) {
            SCOPED_TRACE(testing::Message() << int(strip) << ":" << index);
            for (int size : {16, 32}) {
                const QImage image = picture(CEditorIcons::Icon(strip, index), size);
                ASSERT_EQ(image.size(), QSize(size, size));
                // Something is drawn, and it is more than a plain square.
                EXPECT_GT(opaquePixels(image), size * size / 20);
                EXPECT_GT(distinctColours(image), 2);
            }
        }
    }
}

TEST(CEditorIcons, NoTwoPicturesOfAStripAreTheSame)
{
    for (IconStrip strip : kStrips) {
        std::map<QByteArray, int> seen;
        for (int index : CEditorIcons::Indexes(strip)) {
            const QImage image = picture(CEditorIcons::Icon(strip, index), 32);
            const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
            const auto [where, fresh] = seen.emplace(bytes, index);
            EXPECT_TRUE(fresh) << int(strip) << ": " << index << " looks like " << where->second;
        }
    }
}

TEST(CEditorIcons, ObjectKindsPageTypesActionsAndPanesHaveTheirPictures)
{
    for (int type = kFirstObjectType; type <= kLastObjectType; ++type)
        EXPECT_FALSE(CEditorIcons::ObjectTypeIcon(type).isNull()) << type;
    EXPECT_TRUE(CEditorIcons::ObjectTypeIcon(kPageObjectType).isNull());
    for (int type = 1; type <= 9; ++type)
        EXPECT_FALSE(CEditorIcons::PageTypeIcon(type).isNull()) << type;
    EXPECT_TRUE(CEditorIcons::Has(IconStrip::Page, CEditorIcons::kProjectImage));
    const auto& actions = ActionTable();
    for (std::size_t row = 0; row < actions.size(); ++row) {
        if (actions[row].imageIndex >= 0) {
            EXPECT_FALSE(CEditorIcons::ActionIcon(int(row)).isNull()) << row;
        }
    }
    for (int pane = 0; pane < 3; ++pane)
        EXPECT_FALSE(CEditorIcons::PaneIcon(pane).isNull()) << pane;
    for (int overlay : {CEditorIcons::kScriptOverlay, CEditorIcons::kLockOverlay, CEditorIcons::kThirdOverlay})
        EXPECT_TRUE(CEditorIcons::Has(IconStrip::Insert, overlay));
    EXPECT_FALSE(CEditorIcons::ProgramIcon().isNull());
    // The large strips draw the small ones' art where they have none of their own.
    EXPECT_TRUE(CEditorIcons::Has(IconStrip::MainLarge, 10));
    EXPECT_TRUE(CEditorIcons::Has(IconStrip::HomeLarge, 44));
}

TEST(CEditorIcons, AnIndexWithoutAPictureIsANullIcon)
{
    EXPECT_TRUE(CEditorIcons::Icon(IconStrip::Target, 40).isNull());
    EXPECT_TRUE(CEditorIcons::Icon(IconStrip::Actions, -1).isNull());
    EXPECT_TRUE(CEditorIcons::Icon(999, 0).isNull());
}

TEST(CEditorIcons, ADisabledPictureIsFadedGrey)
{
    const QIcon play = CEditorIcons::Icon(IconStrip::Target, 1);
    const QImage normal = picture(play);
    const QImage disabled = picture(play, kSmall, QIcon::Disabled);
    bool coloured = false;
    for (int y = 0; y < kSmall; ++y)
        for (int x = 0; x < kSmall; ++x) {
            const QRgb before = normal.pixel(x, y);
            const QRgb after = disabled.pixel(x, y);
            coloured |= qRed(before) != qBlue(before);
            EXPECT_EQ(qRed(after), qGreen(after));
            EXPECT_EQ(qGreen(after), qBlue(after));
            EXPECT_LE(qAlpha(after), qAlpha(before));
        }
    EXPECT_TRUE(coloured);
}

} // namespace
