#pragma once
// The editor's application object as the shell tests build it: over the built program
// folder (styles, art), with settings cleared first and scripted prompts, started and
// taken down again the way the program does.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "editor/shell/app/CScenewright2App.h"
#include "editor/shell/frame/CMainFrame.h"
#include "platform/sys/Registry.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

namespace vx::test {

class ShellHarness {
public:
    ScriptedPrompts prompts;
    std::unique_ptr<CScenewright2App> app;

    ShellHarness()
    {
        Registry settings;
        for (const char* key : {"AppSettings", "Settings", "Recent File List"})
            settings.remove(key);
        (void)settings.sync();
        // The theme libraries find their pictures beside the running program; a test
        // program does not lie beside them as the editor does.
        setenv("VX_STYLES_DIR", programPath("Styles").c_str(), 0);
        app = std::make_unique<CScenewright2App>(programPath(""));
    }
    ~ShellHarness()
    {
        if (m_started && !m_exited)
            exit();
    }
    ShellHarness(const ShellHarness&) = delete;
    ShellHarness& operator=(const ShellHarness&) = delete;

    bool start()
    {
        m_started = app->InitInstance();
        return m_started;
    }
    int exit()
    {
        m_exited = true;
        return app->ExitInstance();
    }
    CMainFrame& frame() const { return *app->GetMainFrame(); }
    // The main window shown and active, as the idle synchronisation wants it.
    bool activate() const
    {
        frame().activateWindow();
        return QTest::qWaitForWindowActive(&frame());
    }

    // Runs the event loop, which goes idle whenever it would wait, until condition
    // holds or timeoutMs have passed; whether it held.
    template <class Condition>
    static bool runUntil(Condition&& condition, int timeoutMs = 10000)
    {
        QEventLoop loop;
        QTimer check;
        QElapsedTimer elapsed;
        elapsed.start();
        QObject::connect(&check, &QTimer::timeout, &loop, [&] {
            if (condition() || elapsed.elapsed() > timeoutMs)
                loop.quit();
        });
        check.start(10);
        if (!condition())
            loop.exec();
        return condition();
    }

private:
    bool m_started = false;
    bool m_exited = false;
};

} // namespace vx::test
