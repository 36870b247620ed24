#include <gtest/gtest.h>

#include <vector>

#include "engine/render/DDisplay_Null.h"
#include "engine/core/DApplication.h"
#include "engine/posix/DPlatform_posix.h"
#include "engine/qt/CVXApp.h"
#include "foundation/TextHelpers.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

namespace {

class HeadlessParts : public DEngineParts {
public:
    std::unique_ptr<DPlatform> createPlatform() override { return std::make_unique<DPlatform_posix>(); }
    std::unique_ptr<DDisplay> createDisplay() override { return std::make_unique<DDisplay_Null>(3); }
};

int runEngine(std::vector<std::u16string> args)
{
    args.insert(args.begin(), u"VX-Engine");
    HeadlessParts parts;
    return CVXApp::run(args, parts);
}

} // namespace

TEST(CVXApp, NoPathAsksForOneAndCancelExitsQuietly)
{
    vx::test::ScriptedPrompts prompts;
    EXPECT_EQ(runEngine({}), 0);
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_EQ(prompts.fileRequests[0].title, "Select project");
    EXPECT_EQ(prompts.fileRequests[0].filters,
              QStringList({"VX-Engine project (*.ddd)", "All files (*)"}));
    EXPECT_TRUE(prompts.fileRequests[0].mustExist);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(CVXApp, AFileThatCannotBeLoadedEndsInTheMessageBox)
{
    vx::test::ScriptedPrompts prompts;
    const std::u16string path = u"/no/such.ddd";
    testing::internal::CaptureStdout();
    EXPECT_EQ(runEngine({u"-W", u"800", u"-H", u"600", path}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failed opening file!\n");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, "Failed to open file");
    EXPECT_EQ(prompts.messages[0].text, "/no/such.ddd");
    EXPECT_EQ(prompts.messages[0].icon, Prompts::Icon::Error);
}

TEST(CVXApp, ChosenFileIsLoadedAndTooLongPathsAreRefused)
{
    vx::test::ScriptedPrompts prompts;
    prompts.fileAnswers.push_back(QStringLiteral("/chosen/panel.ddd"));
    testing::internal::CaptureStdout();
    EXPECT_EQ(runEngine({}), 0);
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "/chosen/panel.ddd");

    const std::u16string longPath = u"/" + std::u16string(300, u'x') + u".ddd";
    testing::internal::CaptureStdout();
    EXPECT_EQ(runEngine({longPath}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), ""); // refused before any load
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1].text.size(), qsizetype(longPath.size()));
}
