// The vx-compile tool as tests and benchmarks run it: its exit status, what it prints
// and what it leaves on disk.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "editor/project/document/CProjectFile.h"
#include "foundation/target/TargetElement.h"
#include "foundation/target/TargetFormat.h"
#include "tests/support/TestEnvironment.h"

namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

// vx-compile on project and target, its standard error going where redirect says
// ("2>&1" mixes it into out).
ToolRun vxCompile(const std::filesystem::path& project, const std::filesystem::path& target,
                  const std::string& redirect)
{
    const std::string command = "'" + vx::test::programPath("vx-compile").string() + "' '" + project.string() + "' '"
        + target.string() + "' " + redirect;
    ToolRun run;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer;
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        run.out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

uint32_t wordAt(const std::string& bytes, std::size_t at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | uint8_t(bytes[at + std::size_t(i)]);
    return value;
}

// What a target file holds for its text: the offsets of its "font" chunks, and the font
// reference of every text element of its pages (found by the element's own layout: its
// size and kind, the 64 zero bytes and the word 256).
struct TargetText {
    std::set<uint32_t> fontChunks;
    std::vector<uint32_t> textElementFonts;
};

TargetText readText(const std::string& bytes)
{
    using namespace target;
    TargetText text;
    constexpr uint32_t textRecordSize = ElementRecord::kSize + TextElementWords::kSize;
    for (std::size_t chunk = 12; chunk + 12 <= bytes.size();) {
        const uint32_t id = wordAt(bytes, chunk);
        const std::size_t end = chunk + 8 + wordAt(bytes, chunk + 4);
        if (id == kChunkFont)
            text.fontChunks.insert(uint32_t(chunk));
        for (std::size_t at = chunk + 12; id == kChunkPage && at + textRecordSize <= end; at += 4) {
            const std::size_t words = at + ElementRecord::kSize;
            if (wordAt(bytes, at) != textRecordSize || wordAt(bytes, at + 4) != uint32_t(ElementKind::Text)
                || wordAt(bytes, words + TextElementWords::kWord256Offset) != TextElementWords::kWord256
                || bytes.substr(words, TextElementWords::kFontReferenceOffset).find_first_not_of('\0') != std::string::npos)
                continue;
            text.textElementFonts.push_back(wordAt(bytes, words + TextElementWords::kFontReferenceOffset));
        }
        chunk = end;
    }
    return text;
}

struct VxCompile : ::testing::Test {
    ToolRun Compile(const std::filesystem::path& project)
    {
        ToolRun run = vxCompile(project, Target(), "2>'" + (folder / "stderr").string() + "'");
        run.err = vx::test::readFile(folder / "stderr");
        return run;
    }
    std::filesystem::path Target() const { return folder / "out.ddd"; }
    vx::test::TempDir folder;
};

TEST_F(VxCompile, WritesTheTargetOfEveryObjectTypeAndPrintsThePane)
{
    const ToolRun run = Compile(vx::test::fixturePath("project/every_object.xml"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Compiling project..."), std::string::npos);
    EXPECT_NE(run.out.find("Page Start:"), std::string::npos);
    EXPECT_NE(run.out.find("Page Second:"), std::string::npos);
    EXPECT_NE(run.out.find("Saving target binary... 100 %"), std::string::npos);
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
    const std::string target = vx::test::readFile(Target());
    ASSERT_GE(target.size(), 12u);
    EXPECT_EQ(target.substr(0, 4), "RIFF");
    EXPECT_EQ(target.substr(8, 4), "DPrj");
}

TEST_F(VxCompile, StartsTheFontsSoEveryTextElementRefersToAFontChunk)
{
    const ToolRun run = Compile(vx::test::fixturePath("project/text_in_red.xml"));
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(run.out.find("Picture of no size"), std::string::npos) << run.out;
    const TargetText text = readText(vx::test::readFile(Target()));
    EXPECT_EQ(text.fontChunks.size(), 1u);
    // The numeric field's digits; the text and the list box's items are drawn into their pictures.
    ASSERT_EQ(text.textElementFonts.size(), 1u);
    for (const uint32_t font : text.textElementFonts)
        EXPECT_TRUE(text.fontChunks.contains(font)) << font;
}

TEST_F(VxCompile, EndsItsOutputLineBeforeAnythingElse)
{
    const ToolRun written = Compile(vx::test::fixturePath("project/every_object.xml"));
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_NE(written.out.find("Saving target binary... 100 %\n"), std::string::npos) << written.out;

    // A target that cannot be written: the message on the other stream starts a line of its own.
    const ToolRun both = vxCompile(vx::test::fixturePath("project/every_object.xml"), folder / "none" / "out.ddd", "2>&1");
    EXPECT_EQ(both.status, 2);
    EXPECT_NE(both.out.find("\nSaving target binary...\nThe target binary file is already in use."), std::string::npos)
        << both.out;
}

TEST_F(VxCompile, TakesTheWrappedFileAsWell)
{
    const std::string xml = vx::test::readFile(vx::test::fixturePath("project/every_object.xml"));
    vx::test::writeFile(folder / "wrapped.vxp", CProjectFile::Wrap(xml));
    const ToolRun wrapped = Compile(folder / "wrapped.vxp");
    EXPECT_EQ(wrapped.status, 0) << wrapped.err;
    const std::string fromWrapped = vx::test::readFile(Target());
    const ToolRun bare = Compile(vx::test::fixturePath("project/every_object.xml"));
    EXPECT_EQ(bare.status, 0);
    EXPECT_EQ(vx::test::readFile(Target()), fromWrapped);
}

TEST_F(VxCompile, AWrappedProjectOpensWhateverItsName)
{
    const std::string xml = vx::test::readFile(vx::test::fixturePath("project/every_object.xml"));
    vx::test::writeFile(folder / "plant.vxp.old-1", CProjectFile::Wrap(xml));
    const ToolRun run = Compile(folder / "plant.vxp.old-1");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(Target()));
}

TEST_F(VxCompile, CompileErrorsExitOneAndWriteNothing)
{
    vx::test::writeFile(folder / "broken.xml",
                        std::string(CProjectFile::kDeclaration)
                            + R"(<project><page><name>P</name><actionScript>[{"command":"Go to page X","params":"nowhere",)"
                              R"("trigger":"On press","triggerParams":""}]</actionScript></page></project>)");
    const ToolRun run = Compile(folder / "broken.xml");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("Error in page object: Invalid page number"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("Generation of VX project binary is suppressed"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Target()));
    EXPECT_FALSE(std::filesystem::exists(folder / "out.ddd.tags"));
}

TEST_F(VxCompile, AProjectThatCannotBeOpenedExitsTwoWithTheMessage)
{
    struct Case {
        std::string name;
        std::string bytes;
        std::string message;
    };
    const Case cases[] = {
        {"missing.xml", {}, "was not found"},
        {"old.dxml", "<project/>", "DXML project format is no longer supported!"},
        {"garbage.xml", std::string(CProjectFile::kDeclaration) + "<nothing/>", "Failed to parse project file."},
        {"bad.vxp", "VXPR\x10\0\0\0\0\0\0\0xx", "bad.vxp is not a VX-Editor project or is damaged."},
        // The content decides: an XML text named ".vxp" is read as XML.
        {"bare.vxp", std::string(CProjectFile::kDeclaration) + "<nothing/>", "Failed to parse project file."},
    };
    for (const Case& c : cases) {
        if (!c.bytes.empty())
            vx::test::writeFile(folder / c.name, c.bytes);
        const ToolRun run = Compile(folder / c.name);
        EXPECT_EQ(run.status, 2) << c.name;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.name << ": " << run.err;
        EXPECT_FALSE(std::filesystem::exists(Target())) << c.name;
    }
}

} // namespace
