#pragma once
// Compiles a page's or object's action script into its action block: entries grouped by
// trigger and detail, arguments resolved to words, every problem reported. The layout is
// written through the shared action block writer.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/document/CompileDiagnostic.h"
#include "foundation/target/TargetTag.h"

class CActionCompileScope;
class CCompileReport;
class CSelectable;
class CTagsModel;
class DRIFFFile;
struct ActionEntry;

// Whether the connected target keeps the time; without a description of it, it does.
enum class TargetClock { RealTime, None };

struct CActionCompileContext {
    const CTagsModel& tags;
    CCompileReport& report;
    const CActionCompileScope& scope;
    int formatVersion = 1;
    TargetClock clock = TargetClock::RealTime;
};

struct ResolvedArgument {
    CompileDiagnostic code = CompileDiagnostic::None;
    uint32_t word = 0;
    uint32_t high = 0;   // the tag id's high word for "w", "t", "T"
    std::u16string tag;  // the tag name "w", "t", "T" resolved
};

class CActionCompiler {
public:
    explicit CActionCompiler(CActionCompileContext& context) : m_context(context) {}

    // Writes the owner's action block; 0, or the code of the error that stopped it.
    int CompileActions(DRIFFFile& target, const CSelectable& owner);
    // The same for entries already parsed.
    int CompileEntries(DRIFFFile& target, const CSelectable& owner, const std::vector<ActionEntry>& entries);

    ResolvedArgument ResolveActionArgument(std::u16string_view text, const CSelectable& owner, char letter) const;
    // The tag id of a name: system tags by their number, others through the tags; none
    // for an empty or unknown name.
    target::TagReference ResolveTagId(std::u16string_view text) const;
    CompileDiagnostic CheckTagType(const target::TagReference& tag, bool stringExpected, bool written) const;
    // What is wrong with the tag a name resolved to: none, an unknown name, a "memory" tag
    // that found no place in the tag memory, or what CheckTagType finds.
    CompileDiagnostic CheckNamedTag(std::u16string_view name, const target::TagReference& tag, bool stringExpected,
                                    bool written) const;
    // The value a diagnostic shows for a tag name: its current name, with its size and the
    // tag memory when it found no place there.
    std::u16string TagDiagnosticValue(CompileDiagnostic code, std::u16string_view name) const;

    // The pieces of one entry's parameter text for its row, before variants are chosen.
    static std::vector<std::u16string> SplitArguments(uint32_t row, std::u16string_view parameters);

private:
    struct Action {
        uint32_t row;
        std::vector<std::u16string> pieces;
    };
    // Chooses the variant row and places the pieces; code 3 when some are missing.
    CompileDiagnostic PrepareAction(const ActionEntry& entry, Action& action) const;
    bool NamesTag(std::u16string_view piece) const;
    int32_t ResolveObject(std::u16string_view text, const CSelectable& owner) const;

    CActionCompileContext& m_context;
};
