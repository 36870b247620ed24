#pragma once
// The engine program: reads the command line, asks for a target file when none was
// given, loads it and runs the frame loop until the window closes.

#include <span>
#include <string>

class DEngineParts;

class CVXApp {
public:
    // args[0] is the program. Needs a QApplication. Returns the exit code (always 0).
    static int run(std::span<const std::u16string> args);
    // The same with the parts the engine runs on, for tests.
    static int run(std::span<const std::u16string> args, DEngineParts& parts);
};
