#pragma once
// A project with a recording output pane and scripted prompts, and the documents tests
// read and write it through.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "editor/document/CPropertyBase.h"
#include "editor/project/document/CProject.h"
#include "editor/project/document/CProjectFile.h"
#include "editor/project/document/CProjectOutput.h"
#include "editor/project/document/CProjectPrompts.h"
#include "foundation/TextHelpers.h"
#include "foundation/xml/DXMLElement.h"
#include "foundation/xml/DXMLParser.h"

namespace vx::test {

class RecordingProjectOutput : public CProjectOutput {
public:
    struct Line {
        std::u16string text;
        uint32_t color;
        const CSelectable* page;
        const CSelectable* object;
    };
    void AppendLine(std::u16string_view text, uint32_t color, const CSelectable* page, const CSelectable* object) override
    {
        lines.push_back({std::u16string(text), color, page, object});
    }
    void Clear() override
    {
        lines.clear();
        ++clears;
    }
    void ShowProgress(std::u16string_view text) override { progress.emplace_back(text); }

    bool Has(std::u16string_view text) const
    {
        for (const Line& line : lines)
            if (line.text.find(text) != std::u16string::npos)
                return true;
        return false;
    }

    std::vector<Line> lines;
    std::vector<std::u16string> progress;
    int clears = 0;
};

// Answers questions from a script (Yes once it runs out) and keeps what was shown.
class ScriptedProjectPrompts : public CProjectPrompts {
public:
    void ShowMessage(std::u16string_view text) override { messages.emplace_back(text); }
    PromptAnswer AskYesNo(std::u16string_view text) override
    {
        questions.emplace_back(text);
        if (answers.empty())
            return PromptAnswer::Yes;
        const PromptAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<PromptAnswer> answers;
    std::vector<std::u16string> messages;
    std::vector<std::u16string> questions;
};

struct ProjectHarness {
    RecordingProjectOutput output;
    ScriptedProjectPrompts prompts;
    std::unique_ptr<CProject> project = std::make_unique<CProject>(prompts, output);

    // The project's document as UTF-8 text.
    std::string Document()
    {
        return CProjectFile::DocumentText(*project);
    }

    // A document as a file holds it: the declaration is added when text lacks one.
    ProjectReadResult Read(std::string_view text, ProjectReading reading = ProjectReading::Load)
    {
        std::string file(text.starts_with("<?xml") ? std::string_view() : CProjectFile::kDeclaration);
        file += text;
        DXMLParser parser(file.data(), file.size());
        (void)parser.parse();
        return project->ReadXml(parser.root(), reading);
    }
};

inline void SetValue(CSelectable& owner, std::u16string_view category, std::u16string_view caption,
                     std::u16string_view value)
{
    if (CPropertyBase* property = owner.FindProperty(category, caption))
        property->SetValue(CPropertyValue(value));
}

inline std::u16string ValueOf(const CSelectable& owner, std::u16string_view category, std::u16string_view caption)
{
    const CPropertyBase* property = owner.FindProperty(category, caption);
    return property ? property->GetValueText() : std::u16string(u"<missing>");
}

} // namespace vx::test
