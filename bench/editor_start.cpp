// Editor start to first paint: a child process brings the editor up (splash screen,
// themes, ribbon, panes, fonts, worker) on Qt's offscreen platform and ends as soon as
// the main window paints for the first time; the parent times the child from fork to exit.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

#include "editor/shell/app/CScenewright2App.h"
#include "editor/shell/frame/CMainFrame.h"

namespace {

class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget& window) : m_window(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            (watched == &m_window || m_window.isAncestorOf(static_cast<QWidget*>(watched))))
            std::_Exit(0);
        return false;
    }

private:
    QWidget& m_window;
};

[[noreturn]] void startEditor(const std::filesystem::path& settings)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("XDG_CONFIG_HOME", settings.c_str(), 1);
    int argc = 1;
    char name[] = "VX-Editor";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    CScenewright2App editor{std::filesystem::path(VX_BENCH_BIN_DIR)};
    if (!editor.InitInstance())
        std::_Exit(2);
    FirstPaint watcher(*editor.GetMainFrame());
    application.installEventFilter(&watcher);
    QApplication::exec();
    std::_Exit(3);
}

void EditorStartToFirstPaint(benchmark::State& state)
{
    char pattern[] = "/tmp/vx-editor-start-XXXXXX";
    const char* settings = mkdtemp(pattern);
    if (!settings) {
        state.SkipWithError("no settings folder");
        return;
    }
    for (auto _ : state) {
        const pid_t child = fork();
        if (child == 0)
            startEditor(settings);
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the editor did not come up");
            break;
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(settings, ignored);
}
BENCHMARK(EditorStartToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

} // namespace
