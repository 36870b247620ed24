#include <gtest/gtest.h>

#include <cstring>

#include "platform/sys/Library.h"
#include "tests/support/TestEnvironment.h"

namespace {

TEST(Library, LoadsAndResolvesSymbols)
{
    Library library;
    ASSERT_EQ(library.load("libm.so.6"), 0) << library.errorText();
    EXPECT_TRUE(library.isLoaded());
    using Cosine = double (*)(double);
    const auto cosine = library.function<Cosine>("cos");
    ASSERT_NE(cosine, nullptr);
    EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
    EXPECT_EQ(library.symbol("no_such_symbol_anywhere"), nullptr);
    EXPECT_EQ(library.symbol(nullptr), nullptr);

    // Moving hands the library over; the moved-from object holds none.
    Library other = std::move(library);
    EXPECT_TRUE(other.isLoaded());
    EXPECT_FALSE(library.isLoaded());
    EXPECT_EQ(library.symbol("cos"), nullptr);
    other.unload();
    EXPECT_FALSE(other.isLoaded());
}

TEST(Library, MissingOrBrokenFileDoesNotLoadAndSaysWhy)
{
    vx::test::TempDir folder;
    vx::test::writeFile(folder / "Theme_Broken.so", "not a library");
    for (const std::filesystem::path& path : {folder / "Theme_Missing.so", folder / "Theme_Broken.so"}) {
        Library library;
        EXPECT_NE(library.load(path), 0);
        EXPECT_FALSE(library.isLoaded());
        EXPECT_NE(library.errorText().find(path.filename().string()), std::string::npos) << library.errorText();
        EXPECT_EQ(library.symbol("query"), nullptr);
    }
}

} // namespace
