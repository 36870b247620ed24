#include <gtest/gtest.h>

#include "engine/render/DEngineFontDescriptor.h"
#include "engine/render/DEngineFontSource.h"
#include "engine/core/DFile_Memory.h"
#include "foundation/text/DTextDescriptor.h"
#include "tests/support/engine/TextTestSupport.h"

using namespace texttest;
using vx::test::TargetBuilder;

namespace {

// A target file holding the given font chunks and an empty page.
struct FontFile {
    std::vector<uint8_t> bytes;
    std::vector<uint32_t> offsets;
};

FontFile fontFile(const std::vector<std::vector<uint8_t>>& fonts)
{
    TargetBuilder builder(16, 16, 1);
    FontFile file;
    for (const auto& font : fonts)
        file.offsets.push_back(builder.font(font));
    builder.page(uint32_t(target::PageType::Normal), -1, [](auto& page) { page.backgroundColour(0xFF000000, 16, 16); });
    file.bytes = builder.finish();
    return file;
}

// Loads the fonts of a file as the project does: from the first chunk after the header.
uint32_t loadFonts(DRendererBitmap& renderer, DFile_Memory& file)
{
    EXPECT_EQ(file.open(DString(u"fonts.ddd")), 0);
    EXPECT_EQ(file.seek(target::ChunkHeader::kSize, DFile::FromStart), 0);
    return renderer.loadFonts(file, file.size());
}

// The sans, bold and mono faces in one file, for the tests that choose among them.
struct ThreeFaces {
    FontFile built = fontFile({sansBytes(), fontBytes("DejaVuSans-Bold.ttf"), fontBytes("DejaVuSansMono.ttf")});
    DFile_Memory file{built.bytes};
    DRendererBitmap renderer;
};

const DEngineFontDescriptor& engineFace(const DFontFileDescriptor* face)
{
    return dynamic_cast<const DEngineFontDescriptor&>(*face);
}

} // namespace

TEST(DEngineFontSource, FacesComeFromFontChunksAndAChunkFreeTypeRefusesAddsNone)
{
    const std::vector<uint8_t> garbage(64, 0x5A);
    FontFile built = fontFile({garbage, sansBytes(), fontBytes("DejaVuSans-Bold.ttf")});
    DFile_Memory file(built.bytes);
    DRendererBitmap renderer;
    ASSERT_EQ(loadFonts(renderer, file), 2u);
    const DFontFaceList& faces = renderer.textRenderer()->faces();
    ASSERT_EQ(faces.size(), 2u);
    const DEngineFontDescriptor& regular = engineFace(faces[0].get());
    const DEngineFontDescriptor& bold = engineFace(faces[1].get());
    EXPECT_EQ(regular.chunkPosition(), built.offsets[1]);
    EXPECT_EQ(regular.friendlyName, std::u16string_view(u"DejaVu Sans Book"));
    EXPECT_EQ(regular.bold, 0);
    EXPECT_EQ(bold.friendlyName, std::u16string_view(u"DejaVu Sans Bold"));
    EXPECT_EQ(bold.bold, 1);
    EXPECT_EQ(regular.streamSize(), sansBytes().size());
    EXPECT_EQ(regular.singleFixedSize, 0);

    // A second load lets the faces of the first go.
    EXPECT_EQ(file.seek(target::ChunkHeader::kSize, DFile::FromStart), 0);
    EXPECT_EQ(renderer.loadFonts(file, file.size()), 2u);
    EXPECT_EQ(renderer.textRenderer()->faces().size(), 2u);
}

TEST(DEngineFontSource, ATruncatedFileOrAChunkSizePastItsEndStopsTheScan)
{
    FontFile built = fontFile({sansBytes()});
    // Cut inside the font: the face is bounded by the file and FreeType refuses it.
    std::vector<uint8_t> cut(built.bytes.begin(), built.bytes.begin() + built.offsets[0] + 4000);
    DFile_Memory file(cut);
    DRendererBitmap renderer;
    EXPECT_EQ(loadFonts(renderer, file), 0u);
    EXPECT_TRUE(renderer.textRenderer()->faces().empty());
}

TEST(DEngineFontSource, TheStreamReadsTheFaceAndLeavesTheFilePositionAlone)
{
    FontFile built = fontFile({sansBytes()});
    DFile_Memory file(built.bytes);
    DRendererBitmap renderer;
    ASSERT_EQ(loadFonts(renderer, file), 1u);
    const auto& face = engineFace(renderer.textRenderer()->faces()[0].get());
    ASSERT_EQ(file.seek(40, DFile::FromStart), 0);
    unsigned char head[4] = {};
    EXPECT_EQ(face.readAt(0, head, 4), 4u);
    EXPECT_EQ(std::vector<uint8_t>(head, head + 4), std::vector<uint8_t>(sansBytes().begin(), sansBytes().begin() + 4));
    EXPECT_EQ(file.tell(), 40u);
    // Reads are cut at the face's end; a seek past it fails.
    EXPECT_EQ(face.readAt(face.streamSize() - 2, head, 4), 2u);
    EXPECT_EQ(face.readAt(face.streamSize() + 1, nullptr, 0), 1u);
    EXPECT_EQ(face.readAt(face.streamSize(), head, 4), 0u);
}

TEST(DEngineFontSource, AFontReferenceChoosesItsFaceWhateverTheName)
{
    ThreeFaces faces;
    ASSERT_EQ(loadFonts(faces.renderer, faces.file), 3u);
    const FontFile& built = faces.built;
    DTextRenderer& text = *faces.renderer.textRenderer();

    DTextDescriptor request;
    request.family.assign(u"Liberation Serif");
    request.fontReference = built.offsets[1];
    const DFontFileDescriptor* face = text.findFace(request);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(engineFace(face).chunkPosition(), built.offsets[1]);

    // Without a reference an exact name decides, even against the style asked for.
    request.fontReference = 0;
    request.family.assign(u"DejaVu Sans Mono Book");
    request.bold = 1;
    EXPECT_EQ(engineFace(text.findFace(request)).chunkPosition(), built.offsets[2]);
}

TEST(DEngineFontSource, WithoutReferenceOrNameTheBestScoreWins)
{
    ThreeFaces faces;
    ASSERT_EQ(loadFonts(faces.renderer, faces.file), 3u);
    const FontFile& built = faces.built;
    DTextRenderer& text = *faces.renderer.textRenderer();

    struct Case {
        const char16_t* family;
        int32_t bold;
        int32_t pitchFamily;
        std::size_t expected; // index into the chunk offsets
    };
    const Case cases[] = {
        {u"DejaVu Sans", 1, 0, 1},      // the shared name, and bold
        {u"DejaVu Sans", 0, 0, 0},      // the first of the equal best
        {u"DejaVu", 0, 1, 2},           // a fixed pitch outweighs the name
        {u"Anything", 1, 0, 1},         // style alone
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(int(&test - cases));
        DTextDescriptor request;
        request.family.assign(test.family);
        request.bold = test.bold;
        request.pitchFamily = test.pitchFamily;
        const DFontFileDescriptor* face = text.findFace(request);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(engineFace(face).chunkPosition(), built.offsets[test.expected]);
    }
}

TEST(DEngineFontSource, ASingleStrikeFaceTakesTheStrikeOfItsNameNearestTheSize)
{
    // Two strikes of one bitmap face and a different face of the requested height.
    DFontFaceList faces;
    auto strike = [&](const char16_t* name, uint32_t position, int32_t height) {
        auto face = std::make_unique<DEngineFontDescriptor>(nullptr, position, 100);
        face->friendlyName.assign(name);
        face->singleFixedSize = 1;
        face->fixedHeight = height;
        faces.push_back(std::move(face));
    };
    strike(u"Fixed", 100, 12);
    strike(u"Other", 200, 15);
    strike(u"Fixed", 300, 16);
    DEngineFontSource source;
    DTextDescriptor request;
    request.fontReference = 100;
    request.size = 15;
    EXPECT_EQ(engineFace(source.findFace(request, faces)).chunkPosition(), 300u);
    request.size = 13;
    EXPECT_EQ(engineFace(source.findFace(request, faces)).chunkPosition(), 100u);
    // Equal distance: the first.
    request.size = 14;
    EXPECT_EQ(engineFace(source.findFace(request, faces)).chunkPosition(), 100u);
    EXPECT_EQ(source.findFace(request, {}), nullptr);
}
