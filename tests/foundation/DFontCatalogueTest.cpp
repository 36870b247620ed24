#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/text/DFontCatalogue.h"
#include "foundation/text/DTextRenderer.h"
#include "platform/sys/Registry.h"
#include "tests/foundation/TextFixtures.h"
#include "tests/support/TestEnvironment.h"

namespace {

using namespace textfixtures;
namespace fs = std::filesystem;

std::unique_ptr<DFontFileDescriptor> face(std::u16string friendly, std::u16string file, int32_t bold, int32_t italic,
                                          int32_t strike = 0)
{
    auto descriptor = std::make_unique<DFontFileDescriptor>();
    descriptor->friendlyName = DString(friendly);
    descriptor->fileName = DString(file);
    descriptor->absPath = DString(u"/fonts/" + file + u".ttf");
    descriptor->bold = bold;
    descriptor->italic = italic;
    descriptor->multipleFixed = strike ? 1 : 0;
    descriptor->multipleSize = strike;
    descriptor->fileExists = 1;
    return descriptor;
}

int indexOf(const DFontFaceList& faces, const DFontFileDescriptor* chosen)
{
    for (std::size_t i = 0; i < faces.size(); ++i)
        if (faces[i].get() == chosen)
            return int(i);
    return -1;
}

TEST(DFontCatalogue, FindFaceTakesTheFirstRuleThatMatches)
{
    DFontFaceList faces;
    faces.push_back(face(u"Arial", u"arial", 0, 0));                  // 0
    faces.push_back(face(u"Arial Bold", u"arialbd", 1, 0));           // 1
    faces.push_back(face(u"Courier", u"cour", 0, 0));                 // 2
    faces.push_back(face(u"Courier", u"courbd", 1, 0));               // 3
    faces.push_back(face(u"Times New Roman", u"times", 0, 1));        // 4
    faces.push_back(face(u"Fixedsys", u"vgafix13", 0, 0, 13));        // 5
    faces.push_back(face(u"Fixedsys", u"vgafix16", 0, 0, 16));        // 6
    faces.push_back(face(u"Fixedsys", u"vgafix20", 0, 0, 20));        // 7
    auto system = systemWith({});
    DFontCatalogue catalogue(std::make_unique<FakeInstalledFonts>(system));

    struct Case {
        std::u16string family;
        int32_t bold, italic, size;
        int expected;
    };
    const Case cases[] = {
        {u"Arial", 1, 0, 16, 0},            // exact name, though its bold differs
        {u"Arial", 0, 0, 16, 0},
        {u"Courier", 1, 0, 16, 3},          // exact name with equal style first
        {u"Courier", 0, 1, 16, 2},
        {u"cour", 0, 0, 16, 2},             // the file name
        {u"C-O-U-R!", 0, 0, 16, 2},         // the file name, normalised
        {u"Courier New", 1, 0, 16, 3},      // score: prefix 7, bold and italic equal
        {u"Times", 0, 1, 16, 4},            // score: prefix 5 beats prefix 0
        {u"Zapf", 0, 0, 16, 0},             // score: only the style, the first of equals
        {u"Fixedsys", 0, 0, 15, 6},         // nearest strike
        {u"Fixedsys", 0, 0, 18, 6},         // first of two nearest
        {u"Fixedsys", 0, 0, 40, 7},
        {u"vgafix20", 0, 0, 12, 5},         // a strike by file name still takes the nearest
    };
    for (const Case& c : cases) {
        DTextDescriptor request;
        request.family = DString(c.family);
        request.bold = c.bold;
        request.italic = c.italic;
        request.size = c.size;
        EXPECT_EQ(indexOf(faces, catalogue.findFace(request, faces)), c.expected) << wideToUtf8(c.family);
    }
}

TEST(DFontCatalogue, FindFaceFindsNothingWithoutAScoringFace)
{
    DFontFaceList faces;
    faces.push_back(face(u"Arial", u"arial", 0, 0));
    DFontCatalogue catalogue(std::make_unique<FakeInstalledFonts>(systemWith({})));
    DTextDescriptor request;
    request.family = DString(u"Zapf");
    request.bold = 1;
    request.italic = 1;
    EXPECT_EQ(catalogue.findFace(request, faces), nullptr);
    EXPECT_EQ(catalogue.findFace(request, DFontFaceList{}), nullptr);
}

TEST(DFontCatalogue, AFamilyNoFaceHasIsChosenThroughTheSystemsSubstitute)
{
    DFontFaceList faces;
    faces.push_back(face(u"Arimo", u"arimo", 0, 0));
    faces.push_back(face(u"Liberation Sans", u"liberationsansregular", 0, 0));
    faces.push_back(face(u"Liberation Sans", u"liberationsansbold", 1, 0));
    auto system = systemWith({});
    system->substitutes["Arial"] = "Liberation Sans";
    system->substitutes["Unknown"] = "Nothing Installed";
    DFontCatalogue catalogue(std::make_unique<FakeInstalledFonts>(system));

    DTextDescriptor request;
    request.family = DString(u"Arial");
    request.bold = 1;
    EXPECT_EQ(indexOf(faces, catalogue.findFace(request, faces)), 2);
    // A substitute the list lacks leaves the choice to the score ("Ar" of "Arimo").
    request.family = DString(u"Arx");
    EXPECT_EQ(indexOf(faces, catalogue.findFace(request, faces)), 0);
    request.family = DString(u"Unknown");
    EXPECT_EQ(indexOf(faces, catalogue.findFace(request, faces)), 2);
}

// Face choice over the test machine's fonts, listed by fontconfig.
TEST(DFontCatalogue, ChoosesInstalledFacesByFamilyStyleAndSize)
{
    forgetFontCache();
    DTextRenderer renderer;
    renderer.enumFonts();
    struct Case {
        std::u16string family;
        int32_t bold, italic;
        std::string file;
        std::u16string friendly;
    };
    const Case cases[] = {
        {u"DejaVu Sans", 0, 0, "DejaVuSans.ttf", u"DejaVu Sans"}, // "Book" is the regular style
        {u"DejaVu Sans", 1, 0, "DejaVuSans-Bold.ttf", u"DejaVu Sans"},
        {u"DejaVu Sans", 1, 1, "DejaVuSans-BoldOblique.ttf", u"DejaVu Sans"}, // "Oblique" the italic one
        {u"DejaVu Sans", 0, 1, "DejaVuSans-Oblique.ttf", u"DejaVu Sans"},
        {u"DejaVu Sans Condensed", 1, 0, "DejaVuSansCondensed-Bold.ttf", u"DejaVu Sans Condensed"},
        {u"DejaVu Serif", 1, 1, "DejaVuSerif-BoldItalic.ttf", u"DejaVu Serif"},
        {u"Liberation Sans", 0, 0, "LiberationSans-Regular.ttf", u"Liberation Sans"},
        {u"Liberation Sans", 1, 0, "LiberationSans-Bold.ttf", u"Liberation Sans"},
        {u"Liberation Sans", 0, 1, "LiberationSans-Italic.ttf", u"Liberation Sans"},
        {u"Liberation Mono", 1, 1, "LiberationMono-BoldItalic.ttf", u"Liberation Mono"},
        {u"DejaVuSansMono", 0, 0, "DejaVuSansMono.ttf", u"DejaVu Sans Mono"},
        {u"LiberationSerif-Regular", 1, 0, "LiberationSerif-Regular.ttf", u"Liberation Serif"},
    };
    std::scoped_lock lock(renderer.renderLock());
    for (const Case& c : cases) {
        DTextDescriptor request;
        request.family = DString(c.family);
        request.bold = c.bold;
        request.italic = c.italic;
        request.size = 24;
        const DFontFileDescriptor* chosen = renderer.findFace(request);
        ASSERT_NE(chosen, nullptr) << wideToUtf8(c.family);
        EXPECT_EQ(baseName(chosen), c.file) << wideToUtf8(c.family);
        EXPECT_EQ(chosen->friendlyName.view(), c.friendly) << wideToUtf8(c.family);
        EXPECT_EQ(chosen->faceIndex, 0);
    }
}

TEST(DFontCatalogue, EnumeratesEveryInstalledFaceOnceInPathOrder)
{
    forgetFontCache();
    DTextRenderer renderer;
    testing::internal::CaptureStdout();
    renderer.enumFonts();
    std::string trace = testing::internal::GetCapturedStdout();
    EXPECT_EQ(trace.rfind("enumFonts\n", 0), 0u);
    EXPECT_NE(trace.find("loaded: DejaVu Sans\n"), std::string::npos);
    EXPECT_NE(trace.find("loaded: Liberation Serif\n"), std::string::npos);

    std::scoped_lock lock(renderer.renderLock());
    const DFontFaceList& faces = renderer.faces();
    std::size_t expected = 0;
    for (const std::string& dir : {kDejaVu, kLiberation})
        for (const auto& entry : fs::directory_iterator(dir))
            expected += entry.path().extension() == ".ttf";
    ASSERT_EQ(faces.size(), expected);
    for (std::size_t i = 1; i < faces.size(); ++i)
        EXPECT_LT(wideToUtf8(faces[i - 1]->absPath.view()), wideToUtf8(faces[i]->absPath.view()));
    for (std::size_t i = 0; i < faces.size(); ++i) {
        EXPECT_EQ(faces[i]->fileExists, 1);
        EXPECT_EQ(renderer.findFontByPath(faces[i]->absPath.view()), int(i));
    }
    // Paths compare exactly.
    EXPECT_EQ(renderer.findFontByPath(utf8ToWide(kDejaVu + "dejavusans.ttf")), -1);
}

class FontCacheTest : public testing::Test {
protected:
    void SetUp() override
    {
        forgetFontCache();
        fs::copy_file(kDejaVu + "DejaVuSans.ttf", m_dir / "DejaVuSans.ttf");
        fs::copy_file(kLiberation + "LiberationSans-Bold.ttf", m_dir / "LiberationSans-Bold.ttf");
        m_system = systemWith({(m_dir / "DejaVuSans.ttf").string(), (m_dir / "LiberationSans-Bold.ttf").string()});
    }

    // Enumerates with a new renderer; returns the trace, the faces' friendly names in
    // *names, and saves the cache.
    std::string enumerateAndSave(std::vector<std::u16string>* names)
    {
        DTextRenderer renderer(catalogueOver(m_system));
        testing::internal::CaptureStdout();
        renderer.enumFonts();
        std::string trace = testing::internal::GetCapturedStdout();
        {
            std::scoped_lock lock(renderer.renderLock());
            names->clear();
            for (const auto& face : renderer.faces())
                names->push_back(std::u16string(face->friendlyName.view()));
        }
        testing::internal::CaptureStdout();
        EXPECT_EQ(renderer.clear(), 0);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "DTextRenderer::clear\n");
        return trace;
    }

    vx::test::TempDir m_dir;
    std::shared_ptr<SystemFonts> m_system;
};

TEST_F(FontCacheTest, KnownFilesComeFromTheCacheAndAreNotOpenedAgain)
{
    std::vector<std::u16string> names;
    std::string first = enumerateAndSave(&names);
    EXPECT_EQ(first, "enumFonts\nloaded: DejaVu Sans\nloaded: Liberation Sans\n");
    EXPECT_EQ(names, (std::vector<std::u16string>{u"DejaVu Sans", u"Liberation Sans"}));

    Registry registry;
    EXPECT_EQ(registry.readString("FontCache/descriptor00000000/absPath"),
              std::optional(utf8ToWide((m_dir / "DejaVuSans.ttf").string())));
    EXPECT_EQ(registry.readString("FontCache/descriptor00000001/fileName"), std::optional(std::u16string(u"liberationsansbold")));
    EXPECT_EQ(registry.readInteger("FontCache/descriptor00000001/bold"), std::optional<int64_t>(1));

    std::string second = enumerateAndSave(&names);
    EXPECT_EQ(second, "enumFonts\n");
    EXPECT_EQ(names, (std::vector<std::u16string>{u"DejaVu Sans", u"Liberation Sans"}));
}

TEST_F(FontCacheTest, ADeletedFontFileLeavesTheListAndTheCache)
{
    std::vector<std::u16string> names;
    enumerateAndSave(&names);
    fs::remove(m_dir / "DejaVuSans.ttf");
    m_system->paths = {(m_dir / "LiberationSans-Bold.ttf").string()};

    enumerateAndSave(&names);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Liberation Sans"}));
    Registry registry;
    EXPECT_EQ(registry.readString("FontCache/descriptor00000000/friendlyName"), std::optional(std::u16string(u"Liberation Sans")));
    // Rewritten whole: the second subkey of the earlier run is gone.
    EXPECT_EQ(registry.readString("FontCache/descriptor00000001/absPath"), std::nullopt);

    enumerateAndSave(&names);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Liberation Sans"}));
}

TEST_F(FontCacheTest, WhenTheSystemCannotListItsFontsTheCachedFacesStay)
{
    std::vector<std::u16string> names;
    enumerateAndSave(&names);
    fs::remove(m_dir / "DejaVuSans.ttf");
    m_system->listFails = true;
    std::string trace = enumerateAndSave(&names);
    EXPECT_EQ(trace, "enumFonts\n");
    EXPECT_EQ(names, (std::vector<std::u16string>{u"DejaVu Sans", u"Liberation Sans"}));
}

TEST_F(FontCacheTest, NoFaceIsTakenTwice)
{
    {
        Registry registry;
        for (uint32_t index : {0u, 1u}) {
            DFontFileDescriptor twice;
            twice.absPath = DString(utf8ToWide((m_dir / "DejaVuSans.ttf").string()));
            twice.friendlyName = DString(u"DejaVu Sans");
            twice.save(index, registry);
        }
        ASSERT_EQ(registry.sync(), 0);
    }
    DTextRenderer renderer(catalogueOver(m_system));
    testing::internal::CaptureStdout();
    renderer.enumFonts();
    renderer.enumFonts();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "enumFonts\nloaded: Liberation Sans\nenumFonts\n");
    std::scoped_lock lock(renderer.renderLock());
    EXPECT_EQ(renderer.faces().size(), 2u);
}

TEST_F(FontCacheTest, AFileThatIsNoFontIsSkippedSilently)
{
    vx::test::writeFile(m_dir / "broken.ttf", "not a font at all");
    m_system->paths.insert(m_system->paths.begin(), (m_dir / "broken.ttf").string());
    std::vector<std::u16string> names;
    std::string trace = enumerateAndSave(&names);
    EXPECT_EQ(trace, "enumFonts\nloaded: DejaVu Sans\nloaded: Liberation Sans\n");
    EXPECT_EQ(names.size(), 2u);
}

} // namespace
