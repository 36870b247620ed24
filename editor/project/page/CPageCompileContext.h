#pragma once
// What the project hands each page it compiles: the tags and the report the action
// compiler uses, the compile's resource index, the page size, the folders relative
// pictures are found in, and where the page's progress is shown.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

#include "editor/document/CActionCompiler.h"

class CCompileOutput;
class CCompileReport;
class CPageDirectory;
class CResourceIndex;
class CTagsModel;

// Whether the project has a page of type Global: without one every page background
// is opaque.
enum class GlobalPagePresence { Absent, Present };

struct CPageCompileContext {
    CPageCompileContext(const CTagsModel& tagsModel, CCompileReport& compileReport, CResourceIndex& resourceIndex,
                        const CPageDirectory& pageDirectory)
        : tags(tagsModel), report(compileReport), resources(resourceIndex), pages(pageDirectory)
    {
    }

    const CTagsModel& tags;
    CCompileReport& report;
    // Emptied by the project once per compile, not per page: the entries run on.
    CResourceIndex& resources;
    const CPageDirectory& pages;
    int32_t pageWidth = 800;
    int32_t pageHeight = 480;
    GlobalPagePresence globalPage = GlobalPagePresence::Absent;
    int formatVersion = 2;
    TargetClock clock = TargetClock::RealTime;
    std::filesystem::path projectFolder;
    std::filesystem::path placeholderFolder;
    // The "\r\nPage <name>:       " line; none in a compile without a pane.
    CCompileOutput* output = nullptr;
    // After the k-th of n objects has collected its pictures: 100 x k / n.
    std::function<void(int32_t percent)> progress;
};
