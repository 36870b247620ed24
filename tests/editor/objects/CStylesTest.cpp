#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/CStyles.h"
#include "platform/gfx/Colour.h"
#include "platform/gfx/Surface.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/BuiltStyles.h"
#include "tests/support/editor/CObjPlaceholder.h"

namespace {

using vx::test::programPath;
using vx::test::TempDir;

// The plug-ins look for their pictures and settings in the built styles folder.
class StylesBinding : public ::testing::Test {
protected:
    const std::filesystem::path folder = vx::test::builtStylesFolder();

private:
    const vx::test::StylesFolder m_pointed{folder};
};

TEST_F(StylesBinding, TheFourThemesBindInFileNameOrder)
{
    CStyles styles;
    ASSERT_EQ(styles.Load(folder), 4);
    const std::u16string names[] = {u"Alloy", u"Dune", u"Lacquer", u"Timber"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(styles.GetAt(i)->GetName(), names[i]);
        // Asking the name loads and frees the library again.
        EXPECT_FALSE(styles.GetAt(i)->IsLoaded());
    }
    EXPECT_EQ(styles.FindStyleIndex(u"Dune"), 1);
    EXPECT_EQ(styles.FindStyle(u"dune"), nullptr);
    EXPECT_EQ(styles.FindStyleIndex(u"Nowhere"), -1);

    CStyle* dune = styles.FindStyle(u"Dune");
    EXPECT_EQ(dune->GetRoundness(), 35);
    EXPECT_EQ(dune->GetColor(), 0xFF60A4F4u);   // 0xFFF4A460 with red and blue exchanged
    EXPECT_TRUE(dune->GetPropertyDefinitions(17).empty());
    EXPECT_EQ(styles.FindStyle(u"Lacquer")->GetRoundness(), 100);
}

TEST_F(StylesBinding, SettingsComeFromTheThemesIniAndMissingKeysAreEmpty)
{
    CStyles styles;
    styles.Load(folder);
    CStyle* alloy = styles.FindStyle(u"Alloy");
    ASSERT_NE(alloy, nullptr);
    EXPECT_FALSE(alloy->GetSetting(u"meter", u"Needle base size").empty());
    EXPECT_TRUE(alloy->GetSetting(u"meter", u"No such key").empty());
    EXPECT_TRUE(alloy->GetSetting(u"noSuchType", u"Transparency").empty());
}

TEST_F(StylesBinding, DrawObjectReachesThePlugin)
{
    CStyles styles;
    styles.Load(folder);
    gfx::Surface surface(40, 30);
    CStyle* timber = styles.FindStyle(u"Timber");
    EXPECT_EQ(timber->DrawObject(surface.pixels(), {0, 0, 40, 30}, 1, 2, 0), 1);
    EXPECT_NE(surface.pixel(20, 15) >> 24, 0u);
    EXPECT_EQ(timber->DrawObject(gfx::PixelBuffer{}, {0, 0, 40, 30}, 1, 2, 0), 0);
}

TEST_F(StylesBinding, NoLibrariesNoQueryAndEqualNames)
{
    TempDir empty;
    CStyles none;
    EXPECT_EQ(none.Load(empty.path()), 0);
    EXPECT_EQ(none.Load(empty.path() / "missing"), 0);

    TempDir mixed;
    // A file that does not load, and one theme under two file names.
    vx::test::writeFile(mixed / "Theme_Broken.so", "not a shared object");
    std::filesystem::copy_file(folder / "Theme_Dune.so", mixed / "Theme_Dune.so");
    std::filesystem::copy_file(folder / "Theme_Dune.so", mixed / "Theme_Dune2.so");
    vx::test::writeFile(mixed / "readme.txt", "");
    CStyles styles;
    EXPECT_EQ(styles.Load(mixed.path()), 2);
    EXPECT_EQ(styles.FindStyle(u"Dune")->GetPath().filename(), "Theme_Dune.so");
    EXPECT_EQ(styles.Add(mixed / "Theme_Broken.so"), nullptr);
    EXPECT_EQ(styles.GetCount(), 2);
}

} // namespace

namespace {

TEST_F(StylesBinding, TwoThreadsAskAndDrawAtOnce)
{
    // The worker draws while the user-interface thread asks: the first use loads the
    // library once, and each answer is the thread's own.
    CStyle alloy(folder / "Theme_Alloy.so");
    const std::u16string expected = CStyle(folder / "Theme_Alloy.so").GetSetting(u"meter", u"Needle base size");
    ASSERT_FALSE(expected.empty());
    std::vector<std::u16string> answers(2);
    std::vector<int> drawn(2, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t)
        threads.emplace_back([&, t] {
            gfx::Surface surface(16, 12);
            for (int i = 0; i < 100; ++i) {
                const std::u16string answer = alloy.GetSetting(u"meter", u"Needle base size");
                if (answer != expected)
                    answers[std::size_t(t)] = answer;
                drawn[std::size_t(t)] += alloy.DrawObject(surface.pixels(), {0, 0, 16, 12}, 0, 3, 0);
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(answers[0], u"");
    EXPECT_EQ(answers[1], u"");
    EXPECT_EQ(drawn[0], 100);
    EXPECT_EQ(drawn[1], 100);
}

} // namespace

namespace {

// The provider the objects use, bound to the built plug-ins while it lives.
class InstalledStyles {
public:
    explicit InstalledStyles(const std::filesystem::path& folder)
    {
        styles.Load(folder);
        CThemeProvider::Set(&styles);
    }
    ~InstalledStyles() { CThemeProvider::Set(nullptr); }
    InstalledStyles(const InstalledStyles&) = delete;
    InstalledStyles& operator=(const InstalledStyles&) = delete;
    CStyles styles;
};

TEST_F(StylesBinding, AnObjectTakesItsDefaultsAndFrameFromThePlugin)
{
    InstalledStyles installed(folder);
    CSelectable page(kPageObjectType);
    auto meter = CEditorObject::CreateObject(14, &page);
    // "Aqua", the class's own default, is no theme here: the declared defaults stay.
    EXPECT_EQ(meter->FindProperty(u"Appearance", u"Needle size [%]")->GetInt(), 80);
    EXPECT_EQ(meter->GetRoundness(), CEditorObject::kDefaultRoundness);

    meter->OnStyleChanged(u"Alloy");
    EXPECT_EQ(meter->GetStyleName(), u"Alloy");
    EXPECT_EQ(meter->FindProperty(u"Appearance", u"Needle size [%]")->GetInt(), 84);
    EXPECT_EQ(meter->GetRoundness(), 30);

    meter->SetRect(0, 0, 40, 30);
    const gfx::Surface preview = meter->RenderPreview();
    ASSERT_TRUE(preview.isValid());
    // The frame replaced the placeholder's plain fill in the middle.
    EXPECT_NE(preview.pixel(20, 15), gfx::Colour::fromColorRef(CObjPlaceholder::kFillColor).premultiplied());
}

} // namespace
