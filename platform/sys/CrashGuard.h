#pragma once
// The program's last word on a fatal signal (SEGV, BUS, ILL, FPE, ABRT): a short report
// with the program's name, version and a backtrace is written into a folder, then the
// signal is raised again with its default action, so the process still dies of it and
// a core dump or a parent's wait sees the real cause.

#include <filesystem>
#include <string>

struct CrashReportInfo {
    std::string applicationName;   // "VX Editor"
    std::string version;
    std::string subject;           // "VX Editor error report"
    std::string text;
    std::filesystem::path folder;  // made at install when missing
};

class CrashGuard {
public:
    // Everything the handler writes is prepared here: a signal handler may not allocate.
    // False, with the reason in lastError(), when the folder cannot be made or the
    // handlers cannot be installed; nothing stays installed then.
    static bool install(const CrashReportInfo& info);
    // The handlers that were there before install come back.
    static void uninstall();
    static bool installed();
    static std::string lastError();

    // The name a report gets in the folder: "crash-<seconds>-<pid>.txt".
    static constexpr const char* kReportPrefix = "crash-";
    static constexpr const char* kReportSuffix = ".txt";
};
