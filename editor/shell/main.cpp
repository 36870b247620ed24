// VX-Editor: the application object does the whole work.
#include <QApplication>

#include "editor/shell/app/CScenewright2App.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VX-Editor"));
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    CScenewright2App editor;
    if (!editor.InitInstance())
        return 1;
    const int code = editor.Run();
    const int exitCode = editor.ExitInstance();
    return code != 0 ? code : exitCode;
}
