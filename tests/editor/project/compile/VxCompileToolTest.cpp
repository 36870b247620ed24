// The vx-compile tool as tests and benchmarks run it: its exit status, what it prints
// and what it leaves on disk.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "editor/project/document/CProjectFile.h"
#include "tests/support/TestEnvironment.h"

namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

ToolRun vxCompile(const std::filesystem::path& project, const std::filesystem::path& target,
              const std::filesystem::path& errors)
{
    const std::string command = "'" + vx::test::programPath("vx-compile").string() + "' '" + project.string() + "' '"
        + target.string() + "' 2>'" + errors.string() + "'";
    ToolRun run;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer;
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        run.out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = vx::test::readFile(errors);
    return run;
}

struct VxCompile : ::testing::Test {
    ToolRun Compile(const std::filesystem::path& project) { return vxCompile(project, Target(), folder / "stderr"); }
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
        // A ".xml" name is read as XML whatever it holds: its kind is its extension.
        {"wrapped.xml", CProjectFile::Wrap("<project/>"), "Failed to parse project file."},
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
