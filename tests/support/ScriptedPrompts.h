#pragma once
// A prompt handler for tests: records every request and answers from a script.

#include <deque>
#include <optional>
#include <vector>

#include "platform/ui/Prompts.h"

namespace vx::test {

class ScriptedPrompts : public Prompts::Handler {
public:
    ScriptedPrompts() : m_previous(Prompts::setHandler(this)) {}
    ~ScriptedPrompts() override { Prompts::setHandler(m_previous); }
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    std::deque<Prompts::Answer> answers;             // default: Ok
    std::deque<std::optional<QString>> fileAnswers;  // default: cancelled
    std::vector<Prompts::MessageRequest> messages;
    std::vector<Prompts::FileRequest> fileRequests;

    Prompts::Answer message(QWidget*, const Prompts::MessageRequest& request) override
    {
        messages.push_back(request);
        if (answers.empty())
            return Prompts::Answer::Ok;
        const Prompts::Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<QString> openFile(QWidget*, const Prompts::FileRequest& request) override { return file(request); }
    std::optional<QString> saveFile(QWidget*, const Prompts::FileRequest& request) override { return file(request); }

private:
    std::optional<QString> file(const Prompts::FileRequest& request)
    {
        fileRequests.push_back(request);
        if (fileAnswers.empty())
            return std::nullopt;
        auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }

    Prompts::Handler* m_previous;
};

} // namespace vx::test
