#include <QApplication>
#include <QLabel>
#include <QTimer>

#include "editor/shell/CAboutDlg.h"
#include "tests/editor/shell/file/FileCommandsFixture.h"

namespace vx::test {
namespace {

TEST_F(FileCommandsTest, AboutShowsTheModalAboutBoxWithThePictureBesideTheProgram)
{
    host.programFolder = programPath("");
    QString caption;
    bool pictured = false;
    // Closes the box as soon as it is up; the command returns only then.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        if (!about)
            return;
        caption = about->windowTitle();
        for (const QLabel* label : about->findChildren<QLabel*>())
            pictured = pictured || !label->pixmap().isNull();
        about->reject();
    });
    closer.start(10);
    commands.OnAppAbout();
    EXPECT_EQ(caption, "About VX-Editor");
    EXPECT_TRUE(pictured);
}

} // namespace
} // namespace vx::test
