#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/sys/Registry.h"
#include "tests/support/TestEnvironment.h"

namespace {

TEST(Registry, LivesInTheUsersConfigFolderUnderCompanyAndProgram)
{
    Registry registry;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(config, nullptr);
    EXPECT_EQ(std::filesystem::path(registry.filePath()),
              std::filesystem::path(config) / "Corvane" / "VX-Editor.ini");
}

TEST(Registry, ValuesOutliveTheObjectThatWroteThem)
{
    {
        Registry registry;
        registry.remove("Test");
        registry.writeString("Test/Strings/plain", u"C:\\Projects\\Tank.vxp");
        registry.writeString("Test/Strings/wide", u"Füllstand \u2248 42 \U0001F600");
        registry.writeString("Test/Strings/empty", u"");
        registry.writeInteger("Test/Numbers/negative", -17);
        registry.writeInteger("Test/Numbers/large", int64_t(1) << 40);
        ASSERT_EQ(registry.sync(), 0);
    }
    Registry registry;
    EXPECT_EQ(registry.readString("Test/Strings/plain"), std::optional<std::u16string>(u"C:\\Projects\\Tank.vxp"));
    EXPECT_EQ(registry.readString("Test/Strings/wide"), std::optional<std::u16string>(u"Füllstand \u2248 42 \U0001F600"));
    EXPECT_EQ(registry.readString("Test/Strings/empty"), std::optional<std::u16string>(u""));
    EXPECT_EQ(registry.readInteger("Test/Numbers/negative"), std::optional<int64_t>(-17));
    EXPECT_EQ(registry.readInteger("Test/Numbers/large"), std::optional<int64_t>(int64_t(1) << 40));
    EXPECT_EQ(registry.readInteger("Test/Strings/plain"), std::nullopt); // not a number
    EXPECT_EQ(registry.readString("Test/Strings/missing"), std::nullopt);
    EXPECT_EQ(registry.readInteger("Test/Numbers/missing"), std::nullopt);

    std::string file = vx::test::readFile(registry.filePath());
    EXPECT_NE(file.find("[Test]"), std::string::npos);
    EXPECT_NE(file.find("Numbers\\negative=-17"), std::string::npos);
}

TEST(Registry, RemovingAKeyRemovesEverythingBelowIt)
{
    Registry registry;
    registry.writeString("Cache/descriptor00000000/absPath", u"/a");
    registry.writeString("Cache/descriptor00000001/absPath", u"/b");
    registry.writeString("Kept/value", u"stays");
    registry.remove("Cache");
    registry.remove("Kept/missing");
    ASSERT_EQ(registry.sync(), 0);
    Registry again;
    EXPECT_EQ(again.readString("Cache/descriptor00000000/absPath"), std::nullopt);
    EXPECT_EQ(again.readString("Cache/descriptor00000001/absPath"), std::nullopt);
    EXPECT_EQ(again.readString("Kept/value"), std::optional<std::u16string>(u"stays"));
}

} // namespace
