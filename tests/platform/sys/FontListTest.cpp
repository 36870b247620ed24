#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/sys/FontList.h"

namespace {

// The test environment's fontconfig sees only Debian's DejaVu and Liberation packages.
TEST(FontList, ListsEveryInstalledFileOnceSortedByPath)
{
    std::vector<FontList::File> files;
    ASSERT_EQ(FontList::installed(files), 0);
    ASSERT_FALSE(files.empty());
    for (std::size_t i = 1; i < files.size(); ++i)
        EXPECT_LT(files[i - 1].path, files[i].path);

    auto find = [&](const std::string& path) {
        return std::find_if(files.begin(), files.end(), [&](const FontList::File& file) { return file.path == path; });
    };
    auto sans = find("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    ASSERT_NE(sans, files.end());
    EXPECT_EQ(sans->family, "DejaVu Sans");
    EXPECT_EQ(sans->style, "Book");
    auto bold = find("/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf");
    ASSERT_NE(bold, files.end());
    EXPECT_EQ(bold->family, "Liberation Sans");
    EXPECT_EQ(bold->style, "Bold");
}

TEST(FontList, SubstituteFamilyIsFontconfigsBestMatch)
{
    EXPECT_EQ(FontList::substituteFamily("DejaVu Sans Mono"), "DejaVu Sans Mono");
    EXPECT_EQ(FontList::substituteFamily("Liberation Serif"), "Liberation Serif");
    EXPECT_EQ(FontList::substituteFamily(""), "");

    std::vector<FontList::File> files;
    ASSERT_EQ(FontList::installed(files), 0);
    std::set<std::string> families;
    for (const FontList::File& file : files)
        families.insert(file.family);
    // An unknown family still gets an installed one.
    EXPECT_EQ(families.count(FontList::substituteFamily("No Such Family On Any Machine")), 1u);
}

} // namespace
