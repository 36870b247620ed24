#include "editor/shell/frame/CFramePrompts.h"

#include <string>

#include "platform/ui/Prompts.h"

namespace {

QString caption() { return QStringLiteral("VX-Editor"); }
QString fromUtf16(std::u16string_view text) { return QString::fromStdU16String(std::u16string(text)); }

} // namespace

void CFramePrompts::ShowMessage(std::u16string_view text)
{
    Prompts::message(m_parent, {caption(), fromUtf16(text), Prompts::Icon::Information, Prompts::Buttons::Ok});
}

PromptAnswer CFramePrompts::AskYesNo(std::u16string_view text)
{
    const Prompts::Answer answer =
        Prompts::message(m_parent, {caption(), fromUtf16(text), Prompts::Icon::Question, Prompts::Buttons::YesNo});
    return answer == Prompts::Answer::Yes ? PromptAnswer::Yes : PromptAnswer::No;
}
