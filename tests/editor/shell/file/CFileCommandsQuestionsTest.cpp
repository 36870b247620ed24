#include "tests/editor/shell/file/FileCommandsFixture.h"

namespace vx::test {
namespace {

using Prompts::Answer;
using Prompts::Buttons;

enum class Start { NoProject, Unmodified, Modified, ModifiedWithoutPath };
enum class Expect { Replaced, Kept };

struct QuestionCase {
    const char* name;
    Start start;
    std::vector<Answer> answers;
    // The questions' buttons, in order.
    std::vector<Buttons> asked;
    Expect project;
    bool saved; // the old project's file holds its change
};

void PrintTo(const QuestionCase& test, std::ostream* out)
{
    *out << test.name;
}

class QuestionMatrix : public FileCommandsTest {
protected:
    std::filesystem::path m_path;
    CProject* m_old = nullptr;
    std::string m_change;

    void Prepare(Start start)
    {
        if (start == Start::NoProject)
            return;
        m_path = OpenSmall();
        m_old = commands.GetProject();
        if (start == Start::Unmodified)
            return;
        m_old->GetPage(1).SetName(u"Renamed");
        m_old->SetModified(true);
        if (start == Start::ModifiedWithoutPath)
            m_old->SetPath({});
    }

    void Check(const QuestionCase& test)
    {
        std::vector<Buttons> asked;
        for (const auto& message : prompts.messages)
            asked.push_back(message.buttons);
        EXPECT_EQ(asked, test.asked);
        if (test.start == Start::NoProject)
            return;
        if (test.project == Expect::Kept) {
            EXPECT_EQ(commands.GetProject(), m_old);
        } else {
            EXPECT_NE(commands.GetProject(), m_old);
        }
        if (!m_path.empty()) {
            EXPECT_EQ(Inside(m_path).find("Renamed") != std::string::npos, test.saved);
        }
    }
};

class NewQuestions : public QuestionMatrix, public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(NewQuestions, CloseTheOpenProjectAsAnswered)
{
    Prepare(GetParam().start);
    prompts.answers.assign(GetParam().answers.begin(), GetParam().answers.end());
    commands.OnFileNew();
    Check(GetParam());
    if (GetParam().project == Expect::Replaced) {
        ASSERT_NE(commands.GetProject(), nullptr);
        EXPECT_EQ(commands.GetProject()->GetPageCount(), 1);
        EXPECT_EQ(commands.GetProject()->GetPage(0).GetPageType(), 1);
        EXPECT_FALSE(commands.GetProject()->IsModified());
        EXPECT_TRUE(commands.GetProject()->GetFullPath().empty());
        EXPECT_EQ(host.newPages, std::vector<CommandId>{CommandId::InsertPageFirst});
        EXPECT_EQ(editor.counts.refillFull, 1);
    }
}

const QuestionCase kNewCases[] = {
    {"NoProject", Start::NoProject, {}, {}, Expect::Replaced, false},
    {"UnmodifiedLeave", Start::Unmodified, {Answer::Yes}, {Buttons::YesNo}, Expect::Replaced, false},
    {"UnmodifiedStay", Start::Unmodified, {Answer::No}, {Buttons::YesNo}, Expect::Kept, false},
    {"ModifiedSave", Start::Modified, {Answer::Yes}, {Buttons::YesNoCancel}, Expect::Replaced, true},
    {"ModifiedDiscard", Start::Modified, {Answer::No}, {Buttons::YesNoCancel}, Expect::Replaced, false},
    {"ModifiedCancel", Start::Modified, {Answer::Cancel}, {Buttons::YesNoCancel}, Expect::Kept, false},
};

INSTANTIATE_TEST_SUITE_P(Matrix, NewQuestions, ::testing::ValuesIn(kNewCases),
                         [](const auto& info) { return std::string(info.param.name); });

class OpenQuestions : public QuestionMatrix, public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(OpenQuestions, OfferNoCancel)
{
    Prepare(GetParam().start);
    const std::filesystem::path other = WriteProject("other.vxp", kSmallProject);
    prompts.answers.assign(GetParam().answers.begin(), GetParam().answers.end());
    prompts.fileAnswers.push_back(QString::fromStdString(other.string()));
    commands.OnFileOpen();
    Check(GetParam());
    ASSERT_FALSE(prompts.fileRequests.empty());
    EXPECT_EQ(prompts.fileRequests[0].filters, (QStringList{"VX projects (*.vxp)", "VX templates (*.vxt)"}));
    EXPECT_EQ(prompts.fileRequests[0].folder.toStdString(), dir.path().string());
    EXPECT_TRUE(prompts.fileRequests[0].mustExist);
    if (GetParam().project == Expect::Replaced) {
        EXPECT_EQ(commands.GetProject()->GetFullPath(), other);
    }
}

const QuestionCase kOpenCases[] = {
    {"Unmodified", Start::Unmodified, {}, {}, Expect::Replaced, false},
    {"ModifiedSave", Start::Modified, {Answer::Yes}, {Buttons::YesNo}, Expect::Replaced, true},
    {"ModifiedDiscard", Start::Modified, {Answer::No}, {Buttons::YesNo}, Expect::Replaced, false},
    // Save As is offered; choosing no file cancels the open.
    {"WithoutPathSaveCancelled", Start::ModifiedWithoutPath, {Answer::Yes}, {Buttons::YesNo}, Expect::Kept, false},
};

INSTANTIATE_TEST_SUITE_P(Matrix, OpenQuestions, ::testing::ValuesIn(kOpenCases),
                         [](const auto& info) { return std::string(info.param.name); });

class CloseQuestions : public QuestionMatrix, public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(CloseQuestions, AskOnlyForAModifiedProject)
{
    Prepare(GetParam().start);
    prompts.answers.assign(GetParam().answers.begin(), GetParam().answers.end());
    commands.OnFileClose();
    Check(GetParam());
    if (GetParam().project == Expect::Replaced) {
        EXPECT_EQ(commands.GetProject(), nullptr);
        EXPECT_EQ(editor.project, nullptr);
        EXPECT_EQ(editor.counts.storeScript, 1);
    }
}

const QuestionCase kCloseCases[] = {
    {"Unmodified", Start::Unmodified, {}, {}, Expect::Replaced, false},
    {"ModifiedSave", Start::Modified, {Answer::Yes}, {Buttons::YesNo}, Expect::Replaced, true},
    {"ModifiedDiscard", Start::Modified, {Answer::No}, {Buttons::YesNo}, Expect::Replaced, false},
};

INSTANTIATE_TEST_SUITE_P(Matrix, CloseQuestions, ::testing::ValuesIn(kCloseCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QuestionMatrix, TheMainWindowsAnswerIsTakenWithoutAskingAgain)
{
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        Prepare(Start::Modified);
        host.closeAnswer = answer;
        commands.OnFileClose();
        EXPECT_TRUE(prompts.messages.empty());
        EXPECT_EQ(commands.GetProject(), nullptr);
        EXPECT_EQ(Inside(m_path).find("Renamed") != std::string::npos, answer == Answer::Yes);
        host.closeAnswer.reset();
    }
}

TEST_F(QuestionMatrix, SaveWithoutAPathRunsSaveAs)
{
    Prepare(Start::ModifiedWithoutPath);
    const std::filesystem::path chosen = dir / "chosen";
    prompts.answers = {Answer::Yes};
    prompts.fileAnswers.push_back(QString::fromStdString(chosen.string()));
    commands.OnFileClose();
    EXPECT_EQ(commands.GetProject(), nullptr);
    // The default extension is added.
    EXPECT_NE(Inside(dir / "chosen.vxp").find("Renamed"), std::string::npos);
    EXPECT_EQ(prompts.fileRequests.at(0).mustExist, false);
}

TEST_F(QuestionMatrix, SaveAsIntoAnotherFolderAsksAndNoWritesNothingButKeepsThePath)
{
    Prepare(Start::Modified);
    const std::filesystem::path elsewhere = dir / "elsewhere" / "moved.vxp";
    std::filesystem::create_directories(elsewhere.parent_path());
    prompts.fileAnswers.push_back(QString::fromStdString(elsewhere.string()));
    prompts.answers = {Answer::No};
    commands.OnFileSaveAs();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.startsWith("You have changed project path."));
    EXPECT_EQ(prompts.fileRequests.at(0).suggestedName, "small");
    EXPECT_FALSE(std::filesystem::exists(elsewhere));
    EXPECT_EQ(commands.GetProject()->GetFullPath(), elsewhere);
    EXPECT_TRUE(commands.GetProject()->IsModified());
    EXPECT_EQ(host.projectsFolder, dir.path());

    commands.OnFileSave();
    EXPECT_NE(Inside(elsewhere).find("Renamed"), std::string::npos);
    EXPECT_FALSE(commands.GetProject()->IsModified());
    EXPECT_EQ(prompts.messages.size(), 1u);
}

TEST_F(QuestionMatrix, SaveAsIntoTheProjectsFolderAsksNothingAndRemembersTheFile)
{
    Prepare(Start::Modified);
    const std::filesystem::path copy = dir / "copy.vxp";
    prompts.fileAnswers.push_back(QString::fromStdString(copy.string()));
    commands.OnFileSaveAs();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_NE(Inside(copy).find("Renamed"), std::string::npos);
    EXPECT_EQ(host.recent.back(), copy);
    // The file it came from is left as it was.
    EXPECT_EQ(Inside(m_path).find("Renamed"), std::string::npos);
}

TEST_F(QuestionMatrix, ImportAsksForAFileAndMergesItWithoutAQuestion)
{
    Prepare(Start::Modified);
    prompts.fileAnswers.push_back(QString::fromStdString(WriteProject("parts.vxp", kSmallProject).string()));
    commands.OnFileImport();
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(commands.GetProject(), m_old);
    EXPECT_EQ(m_old->GetPageCount(), 4);
    EXPECT_EQ(m_old->GetFullPath(), m_path);
}

TEST_F(QuestionMatrix, AProjectWithAnImportIsSavedOnlyWhenTheUserInsists)
{
    Prepare(Start::Unmodified);
    ASSERT_EQ(commands.OpenProjectFile(WriteProject("more.vxp", kSmallProject), ProjectReading::Import),
              OpenOutcome::Opened);
    const std::string before = readFile(m_path);
    prompts.answers = {Answer::No};
    commands.OnFileSave();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.startsWith("Project is not yet saved after importing other project."));
    EXPECT_EQ(readFile(m_path), before);
    EXPECT_TRUE(commands.GetProject()->IsModified());

    prompts.answers = {Answer::Yes};
    commands.OnFileSave();
    EXPECT_EQ(Inside(m_path), Document());
    EXPECT_FALSE(commands.GetProject()->IsImportedNotSaved());
}

} // namespace
} // namespace vx::test
