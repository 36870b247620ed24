#include <QApplication>
#include <string>
#include <vector>

#include "engine/qt/CVXApp.h"
#include "foundation/TextHelpers.h"

int main(int argc, char** argv)
{
    // Our options come first: Qt must not take "-w" or a path for one of its own.
    std::vector<std::u16string> args;
    args.reserve(std::size_t(argc));
    for (int i = 0; i < argc; ++i)
        args.push_back(utf8ToWide(argv[i]));

    int qtArgc = argc > 0 ? 1 : 0;
    QApplication application(qtArgc, argv);
    return CVXApp::run(args);
}
