// What a person sees of the ribbon: this test program starts itself again on a private X
// server, where the child builds the editor's ribbon in a main window, shows each
// category in turn and grabs the screen each time (ribbon-<n>.png beside the program).
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "editor/shell/ribbon/CRibbonLayout.h"
#include "editor/shell/ribbon/CRibbonWalk.h"
#include "platform/ui/CommandTable.h"
#include "platform/ui/ribbon/CRibbonBar.h"
#include "platform/ui/ribbon/CRibbonCategory.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/XvfbSession.h"

namespace {

constexpr const char* kShotsVariable = "VX_RIBBON_SHOTS";
constexpr int kCategories = 8;
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 300;
constexpr int kTimeoutMs = 60000;
// Accent colours of the icon set: icons on screen show them.
constexpr QRgb kAccents[] = {0x3d7ac7, 0x3f9b4a, 0xe08a2a, 0xc8433b, 0x8a5cc0, 0x2a9a9a};

std::filesystem::path kept(int category)
{
    return vx::test::screenshotFolder() / ("ribbon-" + std::to_string(category) + ".png");
}

QImage preview(QColor colour)
{
    QImage image(64, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour.lighter(150));
    QPainter painter(&image);
    painter.setBrush(colour);
    painter.drawRoundedRect(8, 10, 48, 28, 8, 8);
    return image;
}

int accentPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            for (QRgb accent : kAccents)
                count += (image.pixel(x, y) & 0xFFFFFF) == accent;
    return count;
}

} // namespace

// The child: runs only when the parent below starts it with the shots folder.
TEST(RibbonOnScreen, DISABLED_ShowEachCategory)
{
    const char* shots = std::getenv(kShotsVariable);
    if (!shots)
        GTEST_SKIP();
    vx::test::TempDir presets;
    vx::test::writeFile(presets / "Panel 800x480.dpst", "<preset/>");
    vx::test::writeFile(presets / "working.dpst", "<preset/>");

    CommandTable table;
    CommandTarget editor;
    QMainWindow window;
    auto* bar = new CRibbonBar(table);
    CRibbonSources sources{presets.path(), {{preview(QColor(0x8b1a1a)), QStringLiteral("Lacquer")},
                                            {preview(QColor(0xc2a060)), QStringLiteral("Dune")},
                                            {preview(QColor(0x808890)), QStringLiteral("Alloy")},
                                            {preview(QColor(0x7a4a20)), QStringLiteral("Timber")}}};
    ASSERT_TRUE(CRibbonLayout::CreateRibbon(*bar, sources));
    // Everything is served, the panes are shown and a few settings are on, as in a
    // running editor with a project open.
    for (int id : CRibbonWalk::CommandIds(*bar))
        editor.add(id, [] {});
    for (int id : {32803, 32805, 32804, 32792, 32866, 32926, 32907, 32850, 110, 32917, 32923})
        editor.add(id, [] {}, [](CommandState& state) { state.checked = true; }, ControlKind::Check);
    editor.add(32916, [] {}, [](CommandState& state) { state.checked = true; });
    editor.add(32859, [] {}, [](CommandState& state) { state.text = QStringLiteral("100%"); }, ControlKind::Combo);
    editor.add(32863, [] {}, [](CommandState& state) { state.text = QStringLiteral("4096"); }, ControlKind::Edit);
    editor.add(113, [] {}, [](CommandState& state) { state.text = QStringLiteral("Dune"); }, ControlKind::Gallery);
    table.setActive(CommandLevel::Application, &editor);
    window.setMenuWidget(bar);
    window.setCentralWidget(new QWidget);
    window.setWindowTitle(QStringLiteral("VX-Editor"));
    window.setGeometry(0, 0, kScreenWidth, kScreenHeight);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    bar->UpdateControls();

    QImage previous;
    for (int category = 0; category < bar->CategoryCount(); ++category) {
        bar->SetActiveCategory(category);
        CRibbonCategory& shown = bar->Category(category);
        ASSERT_TRUE(QTest::qWaitFor([&shown] { return shown.isVisible(); }));
        // The screen shows the category once it differs from the last one shown and two
        // grabs in a row agree.
        QImage screen;
        QImage before;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                before = screen;
                screen = window.screen()->grabWindow(0, 0, 0, window.width(), window.height()).toImage().convertToFormat(QImage::Format_RGB32);
                return screen != previous && screen == before;
            },
            5000));
        previous = screen;
        ASSERT_TRUE(screen.save(QString::fromStdString((std::filesystem::path(shots) / kept(category).filename()).string())));
    }
}

TEST(RibbonScreenshot, EachCategoryShowsItsPanelsWithTheirIcons)
{
    vx::test::XvfbSession x(kScreenWidth, kScreenHeight);
    ASSERT_TRUE(x.isRunning());
    const std::filesystem::path folder = kept(0).parent_path();
    for (int category = 0; category < kCategories; ++category)
        std::filesystem::remove(kept(category));
    setenv(kShotsVariable, folder.c_str(), 1);
    const pid_t child = x.start({std::filesystem::read_symlink("/proc/self/exe").string(),
                                 "--gtest_filter=RibbonOnScreen.DISABLED_ShowEachCategory", "--gtest_also_run_disabled_tests"});
    unsetenv(kShotsVariable);
    ASSERT_GT(child, 0);
    ASSERT_EQ(x.wait(child, kTimeoutMs), 0);

    std::set<QByteArray> different;
    for (int category = 0; category < kCategories; ++category) {
        SCOPED_TRACE(category);
        QImage shot;
        ASSERT_TRUE(shot.load(QString::fromStdString(kept(category).string())));
        EXPECT_EQ(shot.size(), QSize(kScreenWidth, kScreenHeight));
        // The icons are there in their colours.
        EXPECT_GT(accentPixels(shot), 300);
        const QImage converted = shot.convertToFormat(QImage::Format_RGB32);
        different.insert(QByteArray(reinterpret_cast<const char*>(converted.constBits()), converted.sizeInBytes()));
    }
    // Every category shows panels of its own.
    EXPECT_EQ(different.size(), std::size_t(kCategories));
}
