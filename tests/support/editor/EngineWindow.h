#pragma once
// The engine's window on a test's X server, found with xdotool by its title.

#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

namespace vx::test {

// What xdotool printed; empty when it failed.
inline QString xdotoolOutput(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForFinished(5000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct EngineWindow {
    unsigned long id = 0;
    QRect rect;
};

// The newest visible window titled "VX-Engine"; none (id 0) while none shows.
inline EngineWindow findEngineWindow()
{
    EngineWindow found;
    const QStringList ids =
        xdotoolOutput({"search", "--onlyvisible", "--name", "^VX-Engine$"}).split('\n', Qt::SkipEmptyParts);
    if (ids.isEmpty())
        return found;
    found.id = ids.back().toULong();
    int x = -1, y = -1, width = 0, height = 0;
    for (const QString& line : xdotoolOutput({"getwindowgeometry", "--shell", ids.back()}).split('\n')) {
        const QStringList pair = line.split('=');
        if (pair.size() != 2)
            continue;
        const int value = pair[1].toInt();
        if (pair[0] == "X") x = value;
        if (pair[0] == "Y") y = value;
        if (pair[0] == "WIDTH") width = value;
        if (pair[0] == "HEIGHT") height = value;
    }
    found.rect = QRect(x, y, width, height);
    return found;
}

} // namespace vx::test
