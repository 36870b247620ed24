#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "foundation/text/DTextRenderer.h"
#include "tests/foundation/TextFixtures.h"
#include "tests/support/TestEnvironment.h"

namespace {

using namespace textfixtures;
namespace fs = std::filesystem;

std::vector<uint8_t> readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// FreeType on its own, to compare the renderer's glyphs with.
class DirectFace {
public:
    DirectFace(const std::string& path, int pixelHeight)
    {
        EXPECT_EQ(FT_Init_FreeType(&m_library), 0);
        EXPECT_EQ(FT_New_Face(m_library, path.c_str(), 0, &m_face), 0);
        EXPECT_EQ(FT_Set_Pixel_Sizes(m_face, 0, FT_UInt(pixelHeight)), 0);
    }
    ~DirectFace()
    {
        FT_Done_Face(m_face);
        FT_Done_FreeType(m_library);
    }
    FT_GlyphSlot render(uint32_t code, FT_Int32 flags)
    {
        EXPECT_EQ(FT_Load_Char(m_face, code, flags), 0);
        return m_face->glyph;
    }
    FT_Face face() const { return m_face; }

private:
    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
};

class DTextRendererTest : public testing::Test {
protected:
    void SetUp() override
    {
        forgetFontCache();
        m_system = systemWith({kDejaVu + "DejaVuSans.ttf", kDejaVu + "DejaVuSansMono.ttf",
                               kLiberation + "LiberationSans-Regular.ttf"});
        m_renderer = std::make_unique<DTextRenderer>(catalogueOver(m_system));
        m_renderer->enumFonts();
    }

    DTextDescriptor request(const std::u16string& family, int32_t size, uint32_t colour = 0xFF102030u,
                            int32_t mode = DTextDescriptor::AntiAliased)
    {
        DTextDescriptor made = requestFor(*m_renderer, family, size, colour);
        made.mode = mode;
        return made;
    }

    DTextTexture glyph(const DTextDescriptor& descriptor, uint32_t code)
    {
        DTextTexture texture;
        EXPECT_EQ(m_renderer->setupScaler(descriptor), 0);
        EXPECT_EQ(m_renderer->getGlyphTexture(code, texture), 0) << code;
        return texture;
    }

    std::shared_ptr<SystemFonts> m_system;
    std::unique_ptr<DTextRenderer> m_renderer;
};

TEST_F(DTextRendererTest, InitAndClearPrintTheirTraceLines)
{
    testing::internal::CaptureStdout();
    DTextRenderer renderer(catalogueOver(systemWith({})));
    EXPECT_EQ(renderer.init(), 0); // a second init keeps what stands
    EXPECT_EQ(renderer.clear(), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "DTextRenderer::init\nDTextRenderer::init\nDTextRenderer::clear\n");
    DTextDescriptor nothing;
    EXPECT_EQ(renderer.setupScaler(nothing), 1);
}

TEST_F(DTextRendererTest, SetupScalerNeedsAFaceOfItsOwnListAndASensibleSize)
{
    DTextDescriptor none;
    EXPECT_EQ(m_renderer->setupScaler(none), 1);

    DFontFileDescriptor stranger;
    stranger.absPath = DString(utf8ToWide(kDejaVu + "DejaVuSans.ttf"));
    none.face = &stranger;
    EXPECT_EQ(m_renderer->setupScaler(none), 1);

    DTextDescriptor sans = request(u"DejaVu Sans", 24);
    ASSERT_NE(sans.face, nullptr);
    EXPECT_EQ(m_renderer->setupScaler(sans), 0);
    for (int32_t size : {0, -3, DTextRenderer::kMaxPixelSize + 1}) {
        sans.size = size;
        EXPECT_EQ(m_renderer->setupScaler(sans), 1) << size;
    }

    DTextTexture texture;
    EXPECT_EQ(m_renderer->getGlyphTexture('A', texture), 1); // the failed scaler is not used
}

TEST_F(DTextRendererTest, LineHeightAndAscenderAreTheSizesMetricsInWholePixels)
{
    for (int size : {16, 24, 37}) {
        DirectFace direct(kDejaVu + "DejaVuSans.ttf", size);
        ASSERT_EQ(m_renderer->setupScaler(request(u"DejaVu Sans", size)), 0);
        EXPECT_EQ(m_renderer->lineHeight(), (direct.face()->size->metrics.height + 32) >> 6) << size;
        EXPECT_EQ(m_renderer->ascender(), (direct.face()->size->metrics.ascender + 32) >> 6) << size;
        EXPECT_EQ(m_renderer->pixelHeight(), size);
    }
}

TEST_F(DTextRendererTest, AntiAliasedGlyphsCarryFreeTypesCoverageAndMetrics)
{
    const uint32_t colour = 0xFF336699u;
    DirectFace direct(kDejaVu + "DejaVuSans.ttf", 24);
    DTextDescriptor sans = request(u"DejaVu Sans", 24, colour);
    for (uint32_t code : {u'H', u'g', u'.', u'\u00e9', u'\u03a9'}) {
        DTextTexture texture = glyph(sans, code);
        FT_GlyphSlot slot = direct.render(code, FT_LOAD_RENDER);
        ASSERT_EQ(texture.width, int32_t(slot->bitmap.width)) << code;
        ASSERT_EQ(texture.rows, int32_t(slot->bitmap.rows)) << code;
        EXPECT_EQ(texture.left, slot->bitmap_left) << code;
        EXPECT_EQ(texture.top, slot->bitmap_top) << code;
        EXPECT_EQ(texture.advanceX, slot->advance.x >> 6) << code;
        EXPECT_EQ(texture.advanceY, 0);
        for (int32_t y = 0; y < texture.rows; ++y)
            for (int32_t x = 0; x < texture.width; ++x) {
                uint32_t coverage = slot->bitmap.buffer[y * slot->bitmap.pitch + x];
                ASSERT_EQ(texture.pixel(x, y), coverage ? (coverage << 24) | 0x336699u : 0u) << code;
            }
    }
}

TEST_F(DTextRendererTest, ColourAlphaScalesTheCoverage)
{
    DTextDescriptor opaque = request(u"DejaVu Sans", 20, 0xFFFF0000u);
    DTextDescriptor half = request(u"DejaVu Sans", 20, 0x80FF0000u);
    DTextTexture full = glyph(opaque, 'W');
    DTextTexture scaled = glyph(half, 'W');
    ASSERT_TRUE(full.hasPixels());
    ASSERT_EQ(full.width, scaled.width);
    ASSERT_EQ(full.rows, scaled.rows);
    for (int32_t y = 0; y < full.rows; ++y)
        for (int32_t x = 0; x < full.width; ++x) {
            uint32_t coverage = full.pixel(x, y) >> 24;
            uint32_t expected = coverage ? (((128 * coverage) >> 8) << 24) | 0xFF0000u : 0u;
            ASSERT_EQ(scaled.pixel(x, y), expected);
        }
}

TEST_F(DTextRendererTest, MonochromeGlyphsReadEachRowFromItsOwnPitch)
{
    const uint32_t colour = 0xC0112233u;
    DirectFace direct(kDejaVu + "DejaVuSans.ttf", 24);
    DTextTexture texture = glyph(request(u"DejaVu Sans", 24, colour, DTextDescriptor::Monochrome), 'W');
    FT_GlyphSlot slot = direct.render('W', FT_LOAD_RENDER | FT_LOAD_MONOCHROME | FT_LOAD_TARGET_MONO);
    ASSERT_EQ(slot->bitmap.pixel_mode, FT_PIXEL_MODE_MONO);
    ASSERT_GE(texture.width, 10);
    ASSERT_EQ(texture.width, int32_t(slot->bitmap.width));
    ASSERT_EQ(texture.rows, int32_t(slot->bitmap.rows));
    for (int32_t y = 0; y < texture.rows; ++y)
        for (int32_t x = 0; x < texture.width; ++x) {
            bool set = slot->bitmap.buffer[y * slot->bitmap.pitch + x / 8] & (0x80 >> (x % 8));
            ASSERT_EQ(texture.pixel(x, y), set ? colour : 0u) << x << "," << y;
        }
}

TEST_F(DTextRendererTest, TheGlyphCacheKeysByFaceCodeColourSizeAndMode)
{
    DTextDescriptor sans = request(u"DejaVu Sans", 24, 0xFF000000u);
    DTextTexture first = glyph(sans, 'a');
    DTextTexture again = glyph(sans, 'a');
    EXPECT_EQ(first.pixels.get(), again.pixels.get());
    EXPECT_EQ(m_renderer->glyphCount(), 1u);

    DTextDescriptor red = sans;
    red.colour = 0xFFFF0000u;
    EXPECT_NE(glyph(red, 'a').pixels.get(), first.pixels.get());
    EXPECT_EQ(m_renderer->glyphCount(), 2u);

    DTextDescriptor mono = sans;
    mono.mode = DTextDescriptor::Monochrome;
    DTextTexture monoGlyph = glyph(mono, 'a');
    EXPECT_EQ(m_renderer->glyphCount(), 3u);
    for (int32_t i = 0; i < monoGlyph.width * monoGlyph.rows; ++i)
        ASSERT_TRUE(monoGlyph.pixels[i] == 0 || monoGlyph.pixels[i] == 0xFF000000u);

    DTextDescriptor larger = sans;
    larger.size = 25;
    glyph(larger, 'a');
    DTextDescriptor otherFace = request(u"Liberation Sans", 24, 0xFF000000u);
    glyph(otherFace, 'a');
    EXPECT_EQ(m_renderer->glyphCount(), 5u);

    // The cache's pixels outlive a clear in the copies handed out.
    ASSERT_EQ(m_renderer->clear(), 0);
    EXPECT_EQ(m_renderer->glyphCount(), 0u);
    ASSERT_TRUE(first.hasPixels());
    uint32_t ink = 0;
    for (int32_t i = 0; i < first.width * first.rows; ++i)
        ink |= first.pixels[i];
    EXPECT_EQ(ink >> 24, 0xFFu);
}

TEST_F(DTextRendererTest, AMissingCharacterFailsAndCachesNothing)
{
    DTextDescriptor sans = request(u"DejaVu Sans", 16);
    ASSERT_EQ(m_renderer->setupScaler(sans), 0);
    DTextTexture texture;
    EXPECT_EQ(m_renderer->getGlyphTexture(0x0378, texture), 1); // unassigned
    EXPECT_EQ(m_renderer->getGlyphTexture(0x10FFFD, texture), 1);
    EXPECT_EQ(m_renderer->glyphCount(), 0u);
    DTextTexture space;
    EXPECT_EQ(m_renderer->getGlyphTexture(' ', space), 0);
    EXPECT_FALSE(space.hasPixels());
    EXPECT_GT(space.advanceX, 0);
}

// Swaps the first two encoding records of a TrueType file's "cmap" table, so that its
// first character map is Mac Roman and Unicode comes later.
void swapFirstCharacterMaps(std::vector<uint8_t>& font)
{
    auto word = [&](std::size_t at) { return uint32_t(font[at]) << 8 | font[at + 1]; };
    auto dword = [&](std::size_t at) { return word(at) << 16 | word(at + 2); };
    uint32_t tables = word(4);
    for (uint32_t i = 0; i < tables; ++i) {
        std::size_t record = 12 + 16 * std::size_t(i);
        if (std::memcmp(&font[record], "cmap", 4) != 0)
            continue;
        std::size_t cmap = dword(record + 8);
        ASSERT_GE(word(cmap + 2), 2u);
        std::swap_ranges(font.begin() + long(cmap + 4), font.begin() + long(cmap + 12), font.begin() + long(cmap + 12));
        return;
    }
    FAIL() << "no cmap table";
}

TEST_F(DTextRendererTest, CodesAboveAsciiMapThroughTheUnicodeCharacterMap)
{
    vx::test::TempDir dir;
    std::vector<uint8_t> font = readBytes(kLiberation + "LiberationSans-Regular.ttf");
    swapFirstCharacterMaps(font);
    fs::path patched = dir / "Patched.ttf";
    vx::test::writeFile(patched, std::string(font.begin(), font.end()));
    {
        DirectFace check(patched.string(), 20);
        ASSERT_EQ(check.face()->charmaps[0]->platform_id, 1); // Mac Roman first now
    }

    forgetFontCache();
    DTextRenderer renderer(catalogueOver(systemWith({kLiberation + "LiberationSans-Regular.ttf", patched.string()})));
    renderer.enumFonts();
    std::scoped_lock lock(renderer.renderLock());
    ASSERT_EQ(renderer.faces().size(), 2u);
    DTextDescriptor original;
    original.size = 20;
    original.colour = 0xFF000000u;
    original.face = renderer.faces()[0].get();
    DTextDescriptor reordered = original;
    reordered.face = renderer.faces()[1].get();

    for (uint32_t code : {u'\u00e9', u'\u00c8', u'\u00fc', u'\u20ac', u'A'}) {
        DTextTexture expected, actual;
        ASSERT_EQ(renderer.setupScaler(original), 0);
        ASSERT_EQ(renderer.getGlyphTexture(code, expected), 0);
        ASSERT_EQ(renderer.setupScaler(reordered), 0);
        ASSERT_EQ(renderer.getGlyphTexture(code, actual), 0);
        ASSERT_EQ(actual.width, expected.width) << code;
        ASSERT_EQ(actual.rows, expected.rows) << code;
        EXPECT_EQ(actual.top, expected.top) << code;
        EXPECT_EQ(std::memcmp(actual.pixels.get(), expected.pixels.get(), std::size_t(actual.width * actual.rows) * 4), 0)
            << code;
    }
}

TEST_F(DTextRendererTest, ABitmapOnlyFaceDrawsAtItsNearestStrike)
{
    vx::test::TempDir dir;
    for (int size : {13, 16, 20})
        writeBitmapFont(dir / ("vx" + std::to_string(size) + ".bdf"), size);
    forgetFontCache();
    DTextRenderer renderer(catalogueOver(systemWith(
        {(dir / "vx13.bdf").string(), (dir / "vx16.bdf").string(), (dir / "vx20.bdf").string()})));
    renderer.enumFonts();

    struct Case {
        int32_t requested, strike;
    };
    for (Case c : {Case{15, 16}, Case{18, 16}, Case{12, 13}, Case{48, 20}}) {
        DTextDescriptor bitmap = requestFor(renderer, u"VX Bitmap", c.requested, 0xFF00FF00u);
        ASSERT_NE(bitmap.face, nullptr);
        EXPECT_EQ(bitmap.face->multipleSize, c.strike);
        ASSERT_EQ(renderer.setupScaler(bitmap), 0) << c.requested;
        EXPECT_EQ(renderer.pixelHeight(), c.strike);
        EXPECT_EQ(renderer.lineHeight(), c.strike);
        DTextTexture block;
        ASSERT_EQ(renderer.getGlyphTexture('A', block), 0);
        EXPECT_EQ(block.width, 8);
        EXPECT_EQ(block.rows, c.strike);
        EXPECT_EQ(block.advanceX, 9);
        for (int32_t i = 0; i < block.width * block.rows; ++i)
            ASSERT_EQ(block.pixels[i], 0xFF00FF00u);
    }
}

// A face that lives in memory, as the engine's faces live inside the target file: it
// opens through a FreeType stream, and a source of its own matches it by reference.
class StreamFace final : public DFontFileDescriptor {
public:
    StreamFace(std::vector<uint8_t> bytes, uint32_t chunkPosition)
        : m_bytes(std::move(bytes)), m_chunkPosition(chunkPosition)
    {
        friendlyName = DString(u"From the target");
    }
    uint32_t chunkPosition() const { return m_chunkPosition; }
    mutable int opened = 0;

    FT_Error openFace(FT_Library library, FT_Face* face) const override
    {
        ++opened;
        m_stream = FT_StreamRec{};
        m_stream.size = m_bytes.size();
        m_stream.descriptor.pointer = const_cast<StreamFace*>(this);
        m_stream.read = &StreamFace::read;
        FT_Open_Args args{};
        args.flags = FT_OPEN_STREAM;
        args.stream = &m_stream;
        return FT_Open_Face(library, &args, faceIndex, face);
    }

private:
    static unsigned long read(FT_Stream stream, unsigned long offset, unsigned char* buffer, unsigned long count)
    {
        const auto* self = static_cast<const StreamFace*>(stream->descriptor.pointer);
        if (offset > self->m_bytes.size())
            return count ? 0 : 1;
        unsigned long available = std::min<unsigned long>(count, self->m_bytes.size() - offset);
        if (buffer && available)
            std::memcpy(buffer, self->m_bytes.data() + offset, available);
        return count ? available : 0;
    }

    std::vector<uint8_t> m_bytes;
    uint32_t m_chunkPosition;
    mutable FT_StreamRec m_stream{};
};

class ReferenceSource final : public DFontSource {
public:
    void enumFonts(FT_Library, DFontFaceList&) override {}
    const DFontFileDescriptor* findFace(const DTextDescriptor& request, const DFontFaceList& faces) override
    {
        for (const auto& face : faces)
            if (static_cast<const StreamFace&>(*face).chunkPosition() == request.fontReference)
                return face.get();
        return nullptr;
    }
    void saveFaces(const DFontFaceList&) override { ++saved; }
    int saved = 0;
};

TEST_F(DTextRendererTest, AnotherFontSourceFeedsFacesThroughAStream)
{
    auto source = std::make_unique<ReferenceSource>();
    ReferenceSource* sourceSeen = source.get();
    DTextRenderer engine(std::move(source));
    auto face = std::make_unique<StreamFace>(readBytes(kDejaVu + "DejaVuSans.ttf"), 0x1234);
    const StreamFace* faceSeen = face.get();
    engine.appendFace(std::move(face));
    engine.appendFace(std::make_unique<StreamFace>(readBytes(kLiberation + "LiberationSans-Regular.ttf"), 0x5678));

    DTextDescriptor wanted;
    wanted.size = 24;
    wanted.colour = 0xFF000000u;
    wanted.fontReference = 0x1234;
    wanted.face = engine.findFace(wanted);
    ASSERT_EQ(wanted.face, faceSeen);
    wanted.fontReference = 0x9999;
    EXPECT_EQ(engine.findFace(wanted), nullptr);

    DTextTexture fromStream;
    ASSERT_EQ(engine.setupScaler(wanted), 0);
    ASSERT_EQ(engine.getGlyphTexture('g', fromStream), 0);
    EXPECT_EQ(faceSeen->opened, 1);
    DTextTexture fromFile = glyph(request(u"DejaVu Sans", 24, 0xFF000000u), 'g');
    ASSERT_EQ(fromStream.width, fromFile.width);
    ASSERT_EQ(fromStream.rows, fromFile.rows);
    EXPECT_EQ(std::memcmp(fromStream.pixels.get(), fromFile.pixels.get(), std::size_t(fromFile.width * fromFile.rows) * 4),
              0);

    EXPECT_EQ(engine.clear(), 0);
    EXPECT_EQ(sourceSeen->saved, 1);
}

} // namespace
