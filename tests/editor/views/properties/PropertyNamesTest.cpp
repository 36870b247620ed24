#include <gtest/gtest.h>

#include <QLineEdit>

#include "editor/project/document/CProject.h"
#include "editor/views/properties/DPropText.h"
#include "editor/views/properties/PropertyMessages.h"
#include "tests/editor/views/properties/PropertiesPaneFixture.h"

namespace vx::test {
namespace {

struct RenameCase {
    const char* name;
    QString typed;
    std::u16string stored;
    std::u16string_view message;   // empty: none shown
};

class ObjectRename : public PropertiesPane, public testing::WithParamInterface<RenameCase> {};

TEST_P(ObjectRename, StoresTheNameOrRefusesIt)
{
    CEditorObject& pump = Add(kButton, u"Pump");
    Add(kButton, u"Valve");
    CPage& other = host.project->AddPage();
    Add(kButton, u"Heater", &other);
    Select({&pump});
    auto* name = ItemOf<DPropText>(u"", u"Name");
    ASSERT_NE(name, nullptr);

    Type(name->LineEdit(), GetParam().typed);
    EXPECT_EQ(ValueOf(pump, u"none", u"Name"), GetParam().stored);
    EXPECT_EQ(name->LineEdit()->text().toStdU16String(), GetParam().stored);
    if (GetParam().message.empty()) {
        EXPECT_TRUE(host.prompts.messages.empty());
        EXPECT_EQ(host.counts.rebuildObjects, 1);
    } else {
        EXPECT_EQ(host.prompts.messages, std::vector<std::u16string>{std::u16string(GetParam().message)});
        EXPECT_EQ(host.counts.rebuildObjects, 0);
        EXPECT_TRUE(UndoLabels().empty());
    }
    // The original name, which references keep, never follows.
    EXPECT_EQ(ValueOf(pump, u"none", u"_Original name"), u"Pump");
}

INSTANTIATE_TEST_SUITE_P(
    Names, ObjectRename,
    testing::Values(RenameCase{"Free", "Drive", u"Drive", {}},
                    RenameCase{"UsedOnAnotherPage", "Heater", u"Heater", {}},
                    RenameCase{"UsedOnThisPage", "Valve", u"Pump", PropertyMessages::kNameUsed},
                    RenameCase{"Empty", "", u"Pump", PropertyMessages::kNameEmpty}),
    [](const auto& info) { return info.param.name; });

TEST_F(PropertiesPane, SeveralSelectedObjectsCannotBeRenamed)
{
    CEditorObject& pump = Add(kButton, u"Pump");
    CEditorObject& valve = Add(kButton, u"Valve");
    Select({&pump, &valve});
    auto* name = ItemOf<DPropText>(u"", u"Name");
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(name->LineEdit()->isReadOnly());
    Type(name->LineEdit(), "Same");
    EXPECT_EQ(ValueOf(pump, u"none", u"Name"), u"Pump");
    EXPECT_EQ(ValueOf(valve, u"none", u"Name"), u"Valve");
}

TEST_F(PropertiesPane, ThePageHasNoNameItem)
{
    Select({page});
    EXPECT_EQ(ItemOf(u"", u"Name"), nullptr);
    EXPECT_EQ(bar->Grid().GroupNames(), std::vector<std::u16string>{u"Page"});
}

} // namespace
} // namespace vx::test
