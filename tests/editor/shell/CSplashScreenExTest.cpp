#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QPointer>
#include <QTest>

#include "editor/shell/CAboutDlg.h"
#include "editor/shell/CSplashScreenEx.h"
#include "tests/support/TestEnvironment.h"

namespace {

QImage plainPicture(QColor colour)
{
    QImage image(320, 180, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

TEST(CSplashScreenEx, CreateClearsTheTextAndTimeAndCentresOnTheScreenWithAShadow)
{
    auto* splash = new CSplashScreenEx;
    EXPECT_EQ(splash->DisplayTime(), CSplashScreenEx::kDefaultDisplayMs);
    splash->SetText(QStringLiteral("old"));
    ASSERT_TRUE(splash->Create(nullptr));
    EXPECT_EQ(splash->Style(), 12u);
    EXPECT_EQ(splash->DisplayTime(), 0);
    EXPECT_TRUE(splash->Text().isEmpty());
    splash->SetBitmap(plainPicture(Qt::darkBlue));
    EXPECT_EQ(splash->size(), QSize(320, 180));
    splash->SetTextFont(QRect(10, 150, 300, 20), QStringLiteral("Version 1.51.0.7"));
    EXPECT_EQ(splash->m_format, CSplashScreenEx::kFormatLeft);
    EXPECT_EQ(splash->SecondFont().family(), QStringLiteral("Verdana"));
    EXPECT_EQ(splash->SecondFont().pointSize(), CSplashScreenEx::kSecondFontPoints);
    delete splash;
}

struct InputCase {
    const char* name;
    unsigned style;
    bool closes;
};

class SplashInput : public ::testing::TestWithParam<InputCase> {};

// The editor's flags keep the splash screen up through input; only SplashHideOnInput
// lets a key close it, and the key is swallowed then.
TEST_P(SplashInput, AKeyClosesItOnlyWhenAsked)
{
    QPointer<CSplashScreenEx> splash = new CSplashScreenEx;
    splash->Create(nullptr);
    splash->SetStyle(GetParam().style);
    splash->SetBitmap(plainPicture(Qt::darkBlue));
    splash->Show();
    QWidget other;
    other.show();
    QTest::keyClick(&other, Qt::Key_A);
    if (GetParam().closes) {
        QTRY_VERIFY(splash.isNull());
    } else {
        QCoreApplication::processEvents();
        ASSERT_FALSE(splash.isNull());
        EXPECT_TRUE(splash->isVisible());
        splash->Close();
        QTRY_VERIFY(splash.isNull());
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, SplashInput,
                         ::testing::Values(InputCase{"EditorFlags", CSplashScreenEx::kCreateStyle, false},
                                           InputCase{"HideOnInput", CSplashScreenEx::kCreateStyle |
                                                                        CSplashScreenEx::SplashHideOnInput, true},
                                           InputCase{"FadeOutOnInput", CSplashScreenEx::SplashHideOnInput |
                                                                           CSplashScreenEx::SplashFadeOut, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CSplashScreenEx, ADisplayTimeClosesItByItself)
{
    QPointer<CSplashScreenEx> splash = new CSplashScreenEx;
    splash->Create(nullptr);
    splash->SetBitmap(plainPicture(Qt::darkBlue));
    splash->SetDisplayTime(20);
    splash->Show();
    EXPECT_TRUE(splash->isVisible());
    QTRY_VERIFY(splash.isNull());
}

TEST(CSplashScreenEx, PaintsThePictureWithTheStatusLineOverIt)
{
    CSplashScreenEx splash;
    splash.Create(nullptr);
    splash.SetBitmap(plainPicture(QColor(0, 0, 96)));
    splash.m_textRect = QRect(0, 100, 320, 60);
    splash.SetText(QStringLiteral("████████"));
    const QImage shot = splash.grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(0, 0, 96));
    // White status text somewhere in its rectangle, none above it.
    int white = 0;
    for (int y = 100; y < 160; ++y)
        for (int x = 0; x < 320; ++x)
            white += shot.pixelColor(x, y).lightness() > 200;
    EXPECT_GT(white, 20);
}

TEST(CSplashScreenEx, DrawingFormatsBecomeAlignments)
{
    EXPECT_EQ(CSplashScreenEx::AlignmentOf(21), Qt::AlignHCenter | Qt::AlignVCenter);
    EXPECT_EQ(CSplashScreenEx::AlignmentOf(20), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(CSplashScreenEx::AlignmentOf(2), Qt::AlignRight | Qt::AlignTop);
    EXPECT_EQ(CSplashScreenEx::AlignmentOf(8), Qt::AlignLeft | Qt::AlignBottom);
}

TEST(ShellArt, TheSplashAndAboutPicturesAreBuiltBesideThePrograms)
{
    const QImage splash(QString::fromStdString(vx::test::programPath("art/splash.png").string()));
    ASSERT_FALSE(splash.isNull());
    EXPECT_EQ(splash.width(), 640);
    const QImage about(QString::fromStdString(vx::test::programPath("art/about.png").string()));
    EXPECT_FALSE(about.isNull());
}

TEST(CAboutDlg, ShowsTheCaptionAndTheVersion)
{
    CAboutDlg about(QString::fromStdString(vx::test::programPath("art/about.png").string()));
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About VX-Editor"));
    EXPECT_EQ(about.VersionLine(), QStringLiteral("VX-Editor version 1.51.0.7"));
    EXPECT_TRUE(about.LinkText().contains(QString::fromLatin1(CAboutDlg::kLinkUrl)));
}

} // namespace
