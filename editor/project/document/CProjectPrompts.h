#pragma once
// Every question and message the project shows goes through this; the editor answers
// with its message boxes, tests and the command-line compiler with answers of their own.

#include <string_view>

enum class PromptAnswer { Yes, No };

class CProjectPrompts {
public:
    virtual ~CProjectPrompts() = default;
    virtual void ShowMessage(std::u16string_view text) = 0;
    virtual PromptAnswer AskYesNo(std::u16string_view text) = 0;
};
