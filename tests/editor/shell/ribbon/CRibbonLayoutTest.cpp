#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QTabBar>
#include <QToolButton>
#include <algorithm>
#include <memory>
#include <set>
#include <vector>

#include "diagram/CommandId.h"
#include "editor/document/ActionTable.h"
#include "editor/document/CObjectTypeTable.h"
#include "editor/shell/ribbon/CPresetList.h"
#include "editor/shell/ribbon/CRibbonLayout.h"
#include "editor/shell/ribbon/CRibbonOptions.h"
#include "editor/shell/ribbon/CRibbonWalk.h"
#include "editor/shell/ribbon/RibbonLayoutData.h"
#include "editor/shell/ribbon/RibbonPalette.h"
#include "editor/views/icons/CEditorIcons.h"
#include "platform/ui/CommandTable.h"
#include "platform/ui/ribbon/CRibbonApplicationMenu.h"
#include "platform/ui/ribbon/CRibbonBar.h"
#include "platform/ui/ribbon/CRibbonCategory.h"
#include "platform/ui/ribbon/CRibbonCustomizeDialog.h"
#include "platform/ui/ribbon/CRibbonPanel.h"
#include "platform/ui/ribbon/CRibbonQuickAccessBar.h"
#include "tests/support/TestEnvironment.h"

using vx::test::TempDir;

namespace {

constexpr int kNew = ToInt(CommandId::FileNew);
constexpr int kController = ToInt(CommandId::Controller);
constexpr int kPresetFirst = ToInt(CommandId::PresetFirst);
constexpr int kTagPresetFirst = ToInt(CommandId::TagPresetFirst);

struct BuiltRibbon {
    CommandTable table;
    CRibbonBar bar{table};
    CRibbonPresets presets;
    bool built = false;

    explicit BuiltRibbon(const std::filesystem::path& presetsFolder = {})
    {
        CRibbonSources sources;
        sources.presetsFolder = presetsFolder;
        sources.styles = {{QImage(), QStringLiteral("Lacquer")}, {QImage(), QStringLiteral("Dune")}};
        built = CRibbonLayout::CreateRibbon(bar, sources, &presets);
    }

    // The sub-items of an application menu item: its caption, then its commands.
    std::vector<QAction*> subItems(int id) const
    {
        QAction* item = bar.ApplicationMenu().FindItem(id);
        if (!item || !item->menu())
            return {};
        const QList<QAction*> actions = item->menu()->actions();
        return {actions.begin(), actions.end()};
    }
};

std::vector<int> idsOf(const std::vector<QAction*>& actions)
{
    std::vector<int> ids;
    for (QAction* action : actions)
        if (!action->isSeparator())
            ids.push_back(action->data().toInt());
    return ids;
}

void writePresets(const std::filesystem::path& folder, std::initializer_list<const char*> names, const char* extension)
{
    for (const char* name : names)
        vx::test::writeFile(folder / (std::string(name) + extension), "<preset/>");
}

TEST(RibbonLayout, TheCategoriesStandInBuildingOrder)
{
    BuiltRibbon ribbon;
    ASSERT_TRUE(ribbon.built);
    std::vector<QString> names;
    for (int i = 0; i < ribbon.bar.CategoryCount(); ++i)
        names.push_back(ribbon.bar.Category(i).Name());
    EXPECT_EQ(names, (std::vector<QString>{"&Home", "&Project", "Pa&ge", "&View", "&Insert", "F&ormat", "&Actions", "&Target"}));
    const CRibbonCategory& home = ribbon.bar.Category(0);
    std::vector<QString> panels;
    for (int i = 0; i < home.PanelCount(); ++i)
        panels.push_back(home.Panel(i).Caption());
    EXPECT_EQ(panels, (std::vector<QString>{"Page", "Clipboard", "Insert", "Text formatting", "Grouping & Order", "Style"}));
}

TEST(RibbonLayout, ControlsCarryTheirLabelsItemsAndData)
{
    BuiltRibbon ribbon;
    CRibbonBar& bar = ribbon.bar;
    auto* paste = qobject_cast<QToolButton*>(bar.ControlWidget(ToInt(CommandId::Paste)));
    ASSERT_NE(paste, nullptr);
    EXPECT_EQ(paste->text(), QStringLiteral("Paste"));
    EXPECT_EQ(bar.KeyTip(ToInt(CommandId::Paste)), QStringLiteral("v"));
    ASSERT_NE(paste->menu(), nullptr);
    const QList<QAction*> pasteItems = paste->menu()->actions();
    EXPECT_EQ(idsOf({pasteItems.begin(), pasteItems.end()}),
              (std::vector<int>{ToInt(CommandId::EditPaste), ToInt(CommandId::EditPasteSpecial)}));

    auto* zoom = qobject_cast<QComboBox*>(bar.ControlWidget(ToInt(CommandId::Zoom)));
    ASSERT_NE(zoom, nullptr);
    ASSERT_EQ(zoom->count(), 10);
    EXPECT_EQ(zoom->itemText(5), QStringLiteral("50%"));
    EXPECT_EQ(zoom->itemData(9).toInt(), 1000);

    auto* sizes = qobject_cast<QComboBox*>(bar.ControlWidget(ToInt(CommandId::FontSize)));
    ASSERT_NE(sizes, nullptr);
    EXPECT_EQ(sizes->count(), 16);
    EXPECT_EQ(sizes->itemText(15), QStringLiteral("72"));
    // The Text formatting panel stands on Home and on Format: one command, two controls.
    EXPECT_EQ(bar.ControlWidgets(ToInt(CommandId::FontSize)).size(), 2u);

    auto* encodings = qobject_cast<QComboBox*>(bar.ControlWidget(ToInt(CommandId::NativeEncoding)));
    ASSERT_NE(encodings, nullptr);
    EXPECT_EQ(encodings->itemText(0), QStringLiteral("UTF-8"));
    EXPECT_EQ(encodings->itemData(0).toInt(), 10);
    EXPECT_EQ(encodings->findText(QStringLiteral("native-encoding")), -1);

    auto* exitAndLoad = qobject_cast<QToolButton*>(bar.ControlWidget(32875));
    ASSERT_NE(exitAndLoad, nullptr);
    EXPECT_EQ(bar.FindCommand(32875)->label, QStringLiteral("Exit & load project"));

    const CRibbonCommand* undo = bar.FindCommand(ToInt(CommandId::EditUndo));
    ASSERT_NE(undo, nullptr);
    EXPECT_TRUE(undo->hidden);
    EXPECT_EQ(bar.ControlWidget(ToInt(CommandId::EditUndo)), nullptr);
}

TEST(RibbonLayout, TheQuickAccessBarStartsWithItsDefaults)
{
    BuiltRibbon ribbon;
    const CRibbonQuickAccessBar& quick = ribbon.bar.QuickAccess();
    EXPECT_EQ(quick.CommandIds(), (std::vector<int>{57600, 57601, 57603, 57608, 57609, 57643, 57644, 32862, 32903}));
    EXPECT_EQ(quick.ShownCommandIds(), (std::vector<int>{57603, 57608, 57643, 57644, 32862, 32903}));
}

TEST(RibbonLayout, ThePaletteHasItsEntriesInOrder)
{
    const auto palette = RibbonPalette();
    ASSERT_EQ(palette.size(), 143u);
    EXPECT_EQ(palette.front(), 0xCD5C5Cu);
    EXPECT_EQ(palette[37], 0xFF00FFu);
    EXPECT_EQ(palette[38], 0xFF00FFu);
    EXPECT_EQ(palette.back(), 0x000000u);
}

TEST(RibbonLayout, GeneratedButtonsFindTheirRowInTheObjectKindAndActionTables)
{
    const auto objects = CObjectTypeTable::Rows();
    for (int id : CRibbonLayout::InsertCommandIds()) {
        SCOPED_TRACE(id);
        const auto row = std::find_if(objects.begin() + 1, objects.end(), [id](const CObjectTypeRow& r) { return r.commandId == id; });
        ASSERT_NE(row, objects.end());
        EXPECT_EQ(CRibbonLayout::InsertImage(id), row->icon);
        EXPECT_TRUE(CEditorIcons::Has(IconStrip::Insert, row->icon));
    }
    const auto& actions = ActionTable();
    for (int id : CRibbonLayout::ActionCommandIds()) {
        SCOPED_TRACE(id);
        const auto row = std::find_if(actions.begin(), actions.end(), [id](const ActionRow& r) { return r.commandId == id; });
        ASSERT_NE(row, actions.end());
        EXPECT_EQ(CRibbonLayout::ActionImage(id), row->imageIndex);
        EXPECT_TRUE(CEditorIcons::Has(IconStrip::Actions, row->imageIndex));
    }
    EXPECT_EQ(CRibbonLayout::InsertCommandIds().size(), 23u);
    EXPECT_EQ(CRibbonLayout::ActionCommandIds().size(), 28u);
    // An id no row has takes the first row's image.
    EXPECT_EQ(CRibbonLayout::InsertImage(99), objects[0].icon);
    EXPECT_EQ(CRibbonLayout::ActionImage(99), actions[0].imageIndex);
}

TEST(RibbonLayout, EveryImageTheLayoutNamesIsDrawn)
{
    int strip = 0;
    int largeStrip = 0;
    const std::function<void(std::span<const RibbonElement>)> walk = [&](std::span<const RibbonElement> elements) {
        for (const RibbonElement& element : elements) {
            SCOPED_TRACE(element.id);
            if (element.item == RibbonItem::Category) {
                strip = element.image;
                largeStrip = element.width;
            } else if (element.item == RibbonItem::Shared) {
                walk({element.shared, element.sharedCount});
            } else if (element.image >= 0 && element.item != RibbonItem::Slider) {
                const bool large = element.item == RibbonItem::LargeButton || element.item == RibbonItem::PasteButton;
                const int from = element.item == RibbonItem::HiddenButton ? int(IconStrip::Home) : large ? largeStrip : strip;
                EXPECT_TRUE(CEditorIcons::Has(IconStrip(from), element.image)) << from << " " << element.image;
            }
        }
    };
    walk(RibbonLayoutData());
    for (const ApplicationElement& element : ApplicationMenuData()) {
        if (element.image >= 0) {
            EXPECT_TRUE(CEditorIcons::Has(IconStrip::Main, element.image));
            EXPECT_TRUE(CEditorIcons::Has(IconStrip::MainLarge, element.image));
        }
    }
    for (const ApplicationSubItem& item : PrintMenuData())
        EXPECT_TRUE(CEditorIcons::Has(IconStrip::Main, item.image));
}

// The walk, against a table with a fake handler for every command the Parts give one.
struct WalkFixture : testing::Test {
    BuiltRibbon ribbon;
    CommandTarget application;

    void serveAllBut(std::set<int> left)
    {
        const auto without = CRibbonWalk::CommandsWithoutHandler();
        for (int id : CRibbonWalk::CommandIds(ribbon.bar))
            if (!left.count(id) && std::find(without.begin(), without.end(), id) == without.end())
                application.add(id, [] {});
        ribbon.table.setActive(CommandLevel::Application, &application);
    }
};

TEST_F(WalkFixture, EveryCommandReachesAHandlerOrStandsOnTheListWithout)
{
    serveAllBut({});
    EXPECT_EQ(CRibbonWalk::Unreached(ribbon.bar, ribbon.table), std::vector<int>{});
}

TEST_F(WalkFixture, ACommandWithoutAHandlerIsFound)
{
    serveAllBut({ToInt(CommandId::Play), ToInt(CommandId::SaveWorkingTags), ToInt(CommandId::LookOffice2007Aqua)});
    EXPECT_EQ(CRibbonWalk::Unreached(ribbon.bar, ribbon.table),
              (std::vector<int>{ToInt(CommandId::Play), ToInt(CommandId::LookOffice2007Aqua), ToInt(CommandId::SaveWorkingTags)}));
}

TEST_F(WalkFixture, TheWalkVisitsEveryKindOfPlace)
{
    const std::vector<int> ids = CRibbonWalk::CommandIds(ribbon.bar);
    const auto visits = [&ids](CommandId id) { return std::find(ids.begin(), ids.end(), ToInt(id)) != ids.end(); };
    // Panels, the application menu, hidden commands, combos, labels, the tab row, looks, keys.
    for (CommandId id : {CommandId::Paste, CommandId::FileNew, CommandId::AppExit, CommandId::FilePrintPreview,
                         CommandId::EditUndo, CommandId::EditPasteSpecial, CommandId::Zoom, CommandId::HoldPanelLabel,
                         CommandId::ScreenSaverPanelLabel, CommandId::Help, CommandId::AppAbout,
                         CommandId::LookOffice2007Blue, CommandId::UndoKey, CommandId::SaveWorkingPreset,
                         CommandId::NativeEncoding, CommandId::PageTransparency, CommandId::PageColour, CommandId::StyleGallery})
        EXPECT_TRUE(visits(id)) << ToInt(id);
    EXPECT_EQ(std::set<int>(ids.begin(), ids.end()).size(), ids.size());
}

TEST(RibbonPresets, WorkingIsNeverListedAndTheOthersGetTheFirstIds)
{
    TempDir folder;
    writePresets(folder.path(), {"working", "b", "a"}, ".dpst");
    writePresets(folder.path(), {"working", "plc"}, ".dctags");
    BuiltRibbon ribbon(folder.path());
    const std::vector<QAction*> items = ribbon.subItems(kNew);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_TRUE(items[0]->isSeparator()); // the caption
    EXPECT_EQ(items[0]->text(), QStringLiteral("New project with selected preset"));
    EXPECT_EQ(items[1]->text(), QStringLiteral("a"));
    EXPECT_EQ(items[1]->data().toInt(), 32941);
    EXPECT_EQ(items[2]->text(), QStringLiteral("b"));
    EXPECT_EQ(items[2]->data().toInt(), 32942);
    EXPECT_EQ(ribbon.presets.presets, (std::vector<std::u16string>{u"a", u"b"}));

    const std::vector<QAction*> tags = ribbon.subItems(kController);
    ASSERT_EQ(tags.size(), 2u);
    EXPECT_EQ(tags[0]->text(), QStringLiteral("Presets with controller tags"));
    EXPECT_EQ(tags[1]->data().toInt(), kTagPresetFirst);
    EXPECT_EQ(ribbon.presets.tagPresets, std::vector<std::u16string>{u"plc"});
}

TEST(RibbonPresets, TheListingIsSortedByName)
{
    TempDir folder;
    writePresets(folder.path(), {"zeta", "Beta", "alpha", "gamma"}, ".dpst");
    // Other files of the folder are no presets.
    writePresets(folder.path(), {"delta"}, ".txt");
    std::filesystem::create_directory(folder / "epsilon.dpst");
    BuiltRibbon ribbon(folder.path());
    EXPECT_EQ(ribbon.presets.presets, (std::vector<std::u16string>{u"alpha", u"Beta", u"gamma", u"zeta"}));
}

TEST(RibbonPresets, AtMostTenButtonsPerKindSoNoOtherCommandsIdIsTaken)
{
    TempDir folder;
    writePresets(folder.path(), {"p01", "p02", "p03", "p04", "p05", "p06", "p07", "p08", "p09", "p10", "p11", "p12"}, ".dpst");
    writePresets(folder.path(), {"t01", "t02", "t03", "t04", "t05", "t06", "t07", "t08", "t09", "t10", "t11", "t12"}, ".dctags");
    BuiltRibbon ribbon(folder.path());
    // Every name is kept for the application; ten of each are offered.
    EXPECT_EQ(ribbon.presets.presets.size(), 12u);
    std::vector<int> expected;
    for (int k = 0; k < 10; ++k)
        expected.push_back(kPresetFirst + k);
    // The caption is no command.
    EXPECT_EQ(idsOf(ribbon.subItems(kNew)), expected);
    const std::vector<int> tagIds = idsOf(ribbon.subItems(kController));
    EXPECT_EQ(tagIds.back(), ToInt(CommandId::TagPresetLast));
    // 32951 is "Navigation with keys" and 32971 a new page's: neither is a preset.
    EXPECT_EQ(ribbon.bar.ApplicationMenu().FindItem(ToInt(CommandId::NavigationWithKeys)), nullptr);
    EXPECT_EQ(ribbon.bar.ApplicationMenu().FindItem(ToInt(CommandId::InsertPageFirst)), nullptr);
}

TEST(RibbonPresets, AtMostThirtyNamesAreKept)
{
    TempDir folder;
    for (int k = 0; k < 32; ++k)
        vx::test::writeFile(folder / ("p" + std::to_string(100 + k) + ".dpst"), "<preset/>");
    const std::vector<std::u16string> names = CPresetList::List(folder.path(), CPresetList::kPresetExtension);
    ASSERT_EQ(names.size(), CPresetList::kMaxNames);
    EXPECT_EQ(names.front(), u"p100");
    EXPECT_EQ(names.back(), u"p129");
}

TEST(RibbonPresets, AMissingFolderListsNothing)
{
    TempDir folder;
    BuiltRibbon ribbon(folder / "missing");
    EXPECT_TRUE(ribbon.built);
    EXPECT_TRUE(ribbon.presets.presets.empty());
    EXPECT_EQ(ribbon.subItems(kNew).size(), 1u);
}

TEST(RibbonOptions, TheDialogOffersThreeCategories)
{
    BuiltRibbon ribbon;
    const std::unique_ptr<CRibbonCustomizeDialog> dialog = CRibbonOptions::MakeDialog(ribbon.bar, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Options"));
    ASSERT_EQ(dialog->CategoryCount(), 3);
    EXPECT_EQ(dialog->Category(0).name, QStringLiteral("Popular Commands"));
    EXPECT_EQ(dialog->Category(0).ids, (std::vector<int>{57600, 57601, 57603, 57609, 57608, 57643, 57644, 32862, 32903}));
    EXPECT_EQ(dialog->Category(1).name, QStringLiteral("Commands not in the Ribbon"));
    EXPECT_EQ(dialog->Category(1).ids, (std::vector<int>{57643, 57644}));
    EXPECT_EQ(dialog->Category(2).name, QStringLiteral("All Commands"));
    const auto& all = dialog->Category(2).ids;
    for (int id : {57600, 32903, 220, 32875, 57666})
        EXPECT_NE(std::find(all.begin(), all.end(), id), all.end()) << id;
    // Captions and value controls are not offered.
    for (int id : {208, 211, 166, 32863})
        EXPECT_EQ(std::find(all.begin(), all.end(), id), all.end()) << id;

    dialog->AddCommand(ToInt(CommandId::FileOpen));
    dialog->Apply();
    EXPECT_TRUE(ribbon.bar.QuickAccess().IsShown(ToInt(CommandId::FileOpen)));
}

} // namespace
