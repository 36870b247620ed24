#pragma once
// Compile diagnostic codes and their messages: 1 to 7 are errors, 8 to 12 warnings; the
// editor's own codes follow.

#include <cstdint>
#include <string_view>

enum class CompileDiagnostic : int32_t {
    None = 0,
    UnknownAction = 1,
    UnknownTrigger = 2,
    MissingArgument = 3,
    InvalidPage = 4,
    InvalidObject = 5,
    InvalidTagName = 6,
    TagTypeMismatch = 7,
    InvalidVoid = 8,
    InvalidNumber = 9,
    InvalidString = 10,
    TimeWithoutClock = 11,
    SystemTagWritten = 12,
    // Object compile warnings: what the editor leaves out or mends so the panel can use it.
    EmptyPicture = 13,
    ValueClamped = 14,
    // An error: a "memory" tag the allocation found no place for.
    TagDoesNotFit = 15,
    // A warning: the picture is left empty.
    PictureUnreadable = 16,
};

inline constexpr CompileDiagnostic kLastCompileError = CompileDiagnostic::TagTypeMismatch;

constexpr bool IsCompileError(CompileDiagnostic code)
{
    return (code != CompileDiagnostic::None && int32_t(code) <= int32_t(kLastCompileError))
        || code == CompileDiagnostic::TagDoesNotFit;
}

std::u16string_view CompileDiagnosticMessage(CompileDiagnostic code);

// The project's compile result while compiling.
enum CompileResultBits : uint32_t {
    kCompileWarning = 1,
    kCompileError = 2,
};
