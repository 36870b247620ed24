// The tags dialog inside the engine: the sample panel loaded from disk with its tags file
// beside it, "Tags..." from the engine's menu, values typed into the dialog reaching the
// tag memory and the widgets.
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <memory>
#include <string>

#include "engine/core/DApplication.h"
#include "engine/posix/DPlatform_posix.h"
#include "engine/qt/DDisplay_Qt.h"
#include "engine/render/DRendererComposed.h"
#include "engine/tagmonitor/qt/CDlgTags.h"
#include "engine/tagmonitor/qt/CGridCtrl.h"
#include "foundation/TextHelpers.h"
#include "tests/support/SampleTarget.h"
#include "tests/support/TagsFileWriter.h"
#include "tests/support/TestEnvironment.h"

using namespace vx::test;

namespace {

class EngineParts : public DEngineParts {
public:
    std::unique_ptr<DPlatform> createPlatform() override { return std::make_unique<DPlatform_posix>(); }
    std::unique_ptr<DDisplay> createDisplay() override
    {
        auto made = std::make_unique<DDisplay_Qt>();
        made->setRendererFactory(
            [](DPresentTarget& window) { return std::make_unique<DRendererComposed>(window); });
        display = made.get();
        return made;
    }
    DDisplay_Qt* display = nullptr;
};

// The row of the dialog that lists a tag by name; -1 when none does.
int rowOf(CDlgTags& dialog, std::u16string_view name)
{
    const CGridModel& model = dialog.grid().model();
    for (int row = 1; row < model.rowCount(); ++row)
        if (model.itemText(row, CDlgTags::Name) == name)
            return row;
    return -1;
}

class EngineTagsDialog : public testing::Test {
protected:
    void start(const std::string& tagsFile)
    {
        const std::vector<uint8_t> bytes = SampleTarget::build(nullptr, SampleTarget::Font::Stub);
        ASSERT_FALSE(bytes.empty());
        writeFile(dir / "sample.ddd", std::string(bytes.begin(), bytes.end()));
        writeFile(dir / "sample.dtags", tagsFile);
        DEngineOptions options;
        options.tagsFilePath = DString(utf8ToWide((dir / "sample.dtags").string()));
        application = std::make_unique<DApplication>(parts, std::move(options));
        ASSERT_EQ(application->init(0, 0), 0);
        const DString path(utf8ToWide((dir / "sample.ddd").string()));
        application->platform()->setProjectPath(path);
        ASSERT_EQ(application->project()->load(path), 0);
        frames(2);
    }
    void frames(int count)
    {
        for (int i = 0; i < count; ++i) {
            (void)parts.display->processMessages();
            application->tick();
        }
    }
    void chooseTags() { parts.display->window()->findChild<QAction*>(QStringLiteral("tags"))->trigger(); }
    int32_t number(const target::TagReference& tag)
    {
        const uint8_t* at = application->memoryController()->image() + tag.address();
        return int32_t(uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24);
    }

    TempDir dir;
    EngineParts parts;
    std::unique_ptr<DApplication> application;
};

TEST_F(EngineTagsDialog, TagsOpensOneDialogWithLiveValuesThatCanBeTyped)
{
    start(sampleTagsFile());
    chooseTags();
    CDlgTags* dialog = parts.display->tagsDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    chooseTags();
    EXPECT_EQ(parts.display->tagsDialog(), dialog);
    EXPECT_EQ(dialog->grid().model().rowCount(), 27);

    const int numeric = rowOf(*dialog, u"numeric");
    ASSERT_GT(numeric, 0);
    (void)dialog->refresh();
    EXPECT_EQ(dialog->grid().model().itemText(numeric, CDlgTags::Value), u"1234");
    EXPECT_EQ(dialog->grid().model().itemText(rowOf(*dialog, u"text"), CDlgTags::Value), u"Hello");

    dialog->grid().model().moveFocus({numeric, CDlgTags::Value}, CGridModel::Extend::No);
    QTest::keyClicks(&dialog->grid(), QStringLiteral("4"));
    ASSERT_NE(dialog->grid().editor(), nullptr);
    QTest::keyClicks(dialog->grid().editor(), QStringLiteral("2"));
    QTest::keyClick(dialog->grid().editor(), Qt::Key_Return);
    EXPECT_EQ(number(SampleTags::numeric), 42);
    // The page's items pick the change up; the memory keeps it through the frames.
    frames(3);
    EXPECT_EQ(number(SampleTags::numeric), 42);

    // Closed, "Tags..." builds a fresh one.
    dialog->reject();
    chooseTags();
    ASSERT_NE(parts.display->tagsDialog(), nullptr);
    EXPECT_TRUE(parts.display->tagsDialog()->isVisible());
    frames(2);
}

TEST_F(EngineTagsDialog, SpaceThenEnterLeavesATagAsItIs)
{
    start(sampleTagsFile());
    chooseTags();
    CDlgTags* dialog = parts.display->tagsDialog();
    ASSERT_NE(dialog, nullptr);
    const int numeric = rowOf(*dialog, u"numeric");
    ASSERT_GT(numeric, 0);
    (void)dialog->refresh();
    ASSERT_EQ(number(SampleTags::numeric), 1234);
    dialog->grid().setFocus();
    dialog->grid().model().moveFocus({numeric, CDlgTags::Value}, CGridModel::Extend::No);
    QTest::keyClick(&dialog->grid(), Qt::Key_Space);
    ASSERT_NE(dialog->grid().editor(), nullptr);
    EXPECT_EQ(dialog->grid().editor()->selectedText(), "1234");
    QTest::keyClick(dialog->grid().editor(), Qt::Key_Return);
    EXPECT_EQ(dialog->grid().editor(), nullptr);
    frames(3);
    EXPECT_EQ(number(SampleTags::numeric), 1234);
    EXPECT_EQ(dialog->grid().model().itemText(numeric, CDlgTags::Value), u"1234");
    // The selected text is typed over.
    QTest::keyClick(&dialog->grid(), Qt::Key_Space);
    ASSERT_NE(dialog->grid().editor(), nullptr);
    QTest::keyClicks(dialog->grid().editor(), QStringLiteral("77"));
    QTest::keyClick(dialog->grid().editor(), Qt::Key_Return);
    frames(2);
    EXPECT_EQ(number(SampleTags::numeric), 77);
}

TEST_F(EngineTagsDialog, AHostileTagsFileNeverStopsTheEngine)
{
    start("<tags><integer address=\"ffffffff\">a</integer><UTF-16LE address=\"0\" size=\"4294967295\">b</UTF-16LE>"
          "<UTF-32BE address=\"1fff\" size=\"1\">c</UTF-32BE><short auto=\"1ffe\">d</short>" +
          std::string(3000, '<') + "&amp;&#;&");
    chooseTags();
    CDlgTags* dialog = parts.display->tagsDialog();
    ASSERT_NE(dialog, nullptr);
    for (int i = 0; i < 5; ++i) {
        (void)dialog->refresh();
        frames(1);
    }
    CGridModel& model = dialog->grid().model();
    for (int row = 1; row < model.rowCount(); ++row) {
        model.moveFocus({row, CDlgTags::Value}, CGridModel::Extend::No);
        QTest::keyClick(&dialog->grid(), Qt::Key_9);
        if (dialog->grid().editor())
            QTest::keyClick(dialog->grid().editor(), Qt::Key_Return);
    }
    frames(2);
    EXPECT_EQ(parts.display->processMessages(), 1);
}

} // namespace
