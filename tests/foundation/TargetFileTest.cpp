// A target file built by hand through the shared headers, then read back through them
// the way the engine walks it: every chunk and record kind once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/DCRC32.h"
#include "foundation/DMemoryStream.h"
#include "foundation/DRIFFFile.h"
#include "foundation/target/ActionBlockWriter.h"
#include "foundation/target/TargetActions.h"
#include "foundation/target/TargetColor.h"
#include "foundation/target/TargetElement.h"
#include "foundation/target/TargetFieldWords.h"
#include "foundation/target/TargetFields.h"
#include "foundation/target/TargetImage.h"
#include "foundation/target/TargetListBoxWords.h"
#include "foundation/target/TargetPage.h"
#include "foundation/target/TargetProject.h"
#include "foundation/target/TargetSpanReader.h"
#include "foundation/target/TargetSystemTags.h"

using namespace target;

namespace {

struct Pictures {
    std::vector<uint8_t> pixels;   // 4 x 3 premultiplied, top-down, pitch 16
    std::vector<uint8_t> alpha;    // 4 x 3, pitch 4
    Pictures() : pixels(48), alpha(12)
    {
        for (std::size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = uint8_t(i * 3 + 1);
        for (std::size_t i = 0; i < alpha.size(); ++i)
            alpha[i] = uint8_t(255 - i);
    }
    TargetImage image(bool withAlpha) const
    {
        return {4, 3, 16, kPixelFormat16, pixels, withAlpha ? 4u : 0u,
                withAlpha ? std::span<const uint8_t>(alpha) : std::span<const uint8_t>()};
    }
};

const std::vector<uint8_t> kFontFile{'O', 'T', 'T', 'O', 1, 2, 3};   // 7 bytes: padded to 8
const TagReference kStringTag = TagReference::make(Controller::Local, 0x40, 11, 32);
constexpr uint32_t kClockFormat = 0x10001;   // hours, minutes and seconds
const std::u16string kText = u"h\u00e9llo \U0001F600";

// Writes one object record: header, class words by the callback, action block by the other.
template <class ClassWords, class Actions>
void writeObjectRecord(DRIFFFile& page, ObjectRecordHeader header, ClassWords classWords, Actions actions)
{
    const uint64_t start = page.tell();
    writeRecord(page, header);
    classWords();
    page.patchValue(start + ObjectRecordHeader::kActionBlockOffsetOffset, uint32_t(page.tell() - start));
    ActionBlockWriter block(page);
    actions(block);
    block.finish();
    page.patchValue(start + ObjectRecordHeader::kRecordSizeOffset, uint32_t(page.tell() - start));
}

struct Built {
    std::vector<uint8_t> bytes;
    std::vector<uint64_t> images;   // raw, raw + alpha, lzo, lzo + alpha
    uint64_t font = 0;
    uint64_t page = 0;
};

Built buildTarget(const Pictures& pictures)
{
    Built built;
    DMemoryStream stream;
    DRIFFFile riff(stream, kChunkRiff, kFormProject);

    DRIFFFile proj(riff, kChunkProject);
    const uint64_t headerStart = proj.tell();
    ProjectHeader header;
    header.frameBytes = ProjectHeader::frameBytesFor(320, 240);
    header.pageWidth = 320;
    header.pageHeight = 240;
    header.pixelFormat = pixelFormatForDepth(16);
    header.holdFirst = 400;
    header.holdRepeat = 90;
    header.startPage = 0;
    header.pageCount = 1;
    header.setPassword(u"pw");
    writeRecord(proj, header);
    const uint64_t table = proj.tell();
    proj.patchValue(headerStart + ProjectHeader::kPageTableOffsetOffset, uint32_t(table));
    writeWord(proj, 0);
    // "proj" stays open while its siblings are written, so that its CRC covers the page
    // table once the page offsets are patched in.

    for (const ImageCompression compression : {ImageCompression::None, ImageCompression::Lzo})
        for (const bool alpha : {false, true})
            built.images.push_back(writeImageChunk(riff, pictures.image(alpha), compression));
    built.font = writeFontChunk(riff, kFontFile);

    built.page = riff.tell();
    riff.patchValue(table, uint32_t(built.page));
    DRIFFFile page(riff, kChunkPage);
    const uint64_t pageStart = page.tell();
    PageHeader pageHeader;
    pageHeader.pageType = uint32_t(PageType::Initial);
    pageHeader.objectCount = 4;
    pageHeader.initialFocus = targetIndexOf(2, 3);   // the list's third object: index 0
    writeRecord(page, pageHeader);
    page.patchValue(pageStart + PageHeader::kFirstRecordOffsetOffset, uint32_t(page.tell()));

    // Record 0: an editable text field with a text element and a placeholder frame.
    ObjectRecordHeader field;
    field.type = uint32_t(WidgetType::EditableTextField);
    field.right = 1;
    writeObjectRecord(
        page, field,
        [&] {
            writeRecord(page, TextFieldWords{kNoResource, kStringTag});
            writeRecord(page, makeElementRecord(ElementKind::Text, 10, 20, 110, 50,
                                                kElementFlagVisible | kElementFlagTouchable | kElementFlagNoOverlap));
            TextElementWords text;
            text.fontReference = uint32_t(built.font);
            text.pixelSize = 16;
            TextStyle style;
            style.italic = true;
            text.style = style.word();
            text.color = colorWordFromStored(0x00FF00, 255);
            writeRecord(page, text);
            writeRecord(page, PlaceholderRecord{});
        },
        [&](ActionBlockWriter& block) {
            block.beginGroup(uint32_t(TriggerNumber::KeyDown), uint32_t(KeyCode::Enter));
            block.beginAction(uint32_t(ActionNumber::SetStringTag));
            block.writeTagArgument(kStringTag);
            block.writeTextArgument(kText);
            block.beginAction(uint32_t(ActionNumber::DecrementTagWithLimit));
            block.writeTagArgument(TagReference::system(SystemTags::generalTimerTag(3, SystemTags::TimerField::Stop)));
            block.writeWordArgument(5);
            block.writeWordArgument(uint32_t(-10));
            // A detail on a trigger without keys writes no key word.
            block.beginGroup(uint32_t(TriggerNumber::Press), 0x61);
            block.beginAction(uint32_t(ActionNumber::GoToPage));
            block.writeWordArgument(0);
        });

    // Record 1: a date/time field with its separator.
    ObjectRecordHeader clock;
    clock.type = uint32_t(WidgetType::DateTimeField);
    writeObjectRecord(
        page, clock,
        [&] {
            writeRecord(page, DateTimeFieldWords{kNoResource, kClockFormat, DateTimeSeparator::fromText(" : "),
                                                 TagReference::system(SystemTags::kTime)});
            writeRecord(page, makeElementRecord(ElementKind::Text, 0, 0, 80, 20, kElementFlagVisible));
            writeRecord(page, TextElementWords{});
            writeRecord(page, PlaceholderRecord{});
        },
        [](ActionBlockWriter&) {});

    // Record 2: a list box of no rows with a row image and a scrolling list element.
    ObjectRecordHeader list;
    list.type = uint32_t(WidgetType::Listbox);
    list.left = 0;
    writeObjectRecord(
        page, list,
        [&] {
            writeRecord(page, ListboxBackgroundWords{uint32_t(built.images[3]), kNoResource, kNoResource});
            writeRecord(page, ListboxRowsHead{0});
            writeRecord(page, TagReference::none());
            writeRecord(page, makeElementRecord(ElementKind::ScrollingList, 200, 0, 300, 200, kElementFlagVisible));
            writeRecord(page, ScrollingWords{ScrollingWords::kModeWrapping});
            writeRecord(page, ScrollingListWords{8, 30, ScrollingListWords::firstItemOffsetFor(30, 0, 199, ListSelection::Centred), 1});
        },
        [](ActionBlockWriter& block) {
            block.beginGroup(uint32_t(TriggerNumber::KeyHold), 0xDE00D83Du);
            block.beginAction(uint32_t(ActionNumber::ChangePageFocus));
        });

    // Record 3: the page background rectangle with its colour word.
    ObjectRecordHeader background;
    background.type = uint32_t(WidgetType::Rectangle);
    writeObjectRecord(
        page, background,
        [&] {
            const uint32_t red = colorWordFromStored(0x0000FF, alphaFromTransparency(0));
            writeRecord(page, RectangleWords{premultiplyColorWord(red)});
            writeRecord(page, makeElementRecord(ElementKind::SolidRect, 0, 0, 320, 240,
                                                PageBackground::kFlagsOpaque));
        },
        [](ActionBlockWriter& block) {
            block.beginGroup(uint32_t(TriggerNumber::EnteringPage), 0);
            block.beginAction(uint32_t(ActionNumber::SetTag));
            block.writeTagArgument(TagReference::make(Controller::Memory, 12, 0, 2));
            block.writeWordArgument(7);
        });
    page.patchValue(pageStart + PageHeader::kElementCountOffset, 5);
    page.close();
    proj.close();
    riff.close();
    EXPECT_FALSE(riff.failed());
    built.bytes = stream.take();
    return built;
}

// Reads a record and fails the test on a bad status.
template <class Record>
Record read(TargetSpanReader& reader)
{
    Record record;
    EXPECT_EQ(readRecord(reader, record), 0);
    return record;
}

uint32_t readWordOf(TargetSpanReader& reader)
{
    uint32_t value = 0;
    EXPECT_EQ(readWord(reader, value), 0);
    return value;
}

struct ReadAction {
    uint32_t number;
    ActionOperands operands;
    std::vector<uint8_t> bytes;
};

struct ReadGroup {
    TriggerGroupHeader header;
    std::vector<ReadAction> actions;
};

std::vector<ReadGroup> readActionBlock(TargetSpanReader& reader)
{
    std::vector<ReadGroup> groups(readWordOf(reader));
    for (ReadGroup& group : groups) {
        EXPECT_EQ(readTriggerGroupHeader(reader, group.header), 0);
        group.actions.resize(group.header.actionCount);
        for (ReadAction& action : group.actions) {
            const ActionHeader header = read<ActionHeader>(reader);
            action.number = header.number;
            action.bytes.resize(header.argumentBytes);
            EXPECT_EQ(reader.read(action.bytes.data(), header.argumentBytes), 0);
            action.operands = decodeActionOperands(header.number, action.bytes);
        }
    }
    return groups;
}

} // namespace

TEST(TargetFile, HandBuiltFileReadsBackThroughTheSharedHeaders)
{
    const Pictures pictures;
    const Built built = buildTarget(pictures);
    TargetSpanReader reader(built.bytes);

    const ChunkHeader riff = read<ChunkHeader>(reader);
    EXPECT_EQ(riff.identifier, kChunkRiff);
    EXPECT_EQ(riff.third, kFormProject);
    EXPECT_EQ(riff.nextChunkPosition(0), built.bytes.size());

    const ChunkHeader proj = read<ChunkHeader>(reader);
    EXPECT_EQ(proj.identifier, kChunkProject);
    const ProjectHeader header = read<ProjectHeader>(reader);
    EXPECT_EQ(header.magic, ProjectHeader::kMagic);
    EXPECT_EQ(header.pageWidth, 320u);
    EXPECT_EQ(header.pixelFormat, kPixelFormat16);
    EXPECT_EQ(header.basePageIndex(), -1);
    EXPECT_EQ(header.screenSaverPage, -1);
    EXPECT_EQ(header.password[1], u'w');
    EXPECT_EQ(header.pageTableOffset, ChunkHeader::kSize + ChunkHeader::kDataOffset + ProjectHeader::kSize);
    ASSERT_EQ(reader.seek(header.pageTableOffset), 0);
    const uint32_t pageOffset = readWordOf(reader);
    EXPECT_EQ(pageOffset, built.page);

    // Every nested chunk: walk them, check the CRC, unpack images, find the font.
    uint64_t position = ChunkHeader::kSize;
    int images = 0;
    while (position < riff.nextChunkPosition(0)) {
        ASSERT_EQ(reader.seek(position), 0);
        const ChunkHeader chunk = read<ChunkHeader>(reader);
        ASSERT_LE(chunk.nextChunkPosition(position), built.bytes.size());
        EXPECT_EQ(chunk.third, DCRC32::ofBlock(std::span(built.bytes).subspan(position + ChunkHeader::kDataOffset,
                                                                              chunk.dataSize())));
        if (isImageChunk(chunk.identifier)) {
            EXPECT_EQ(position, built.images.at(images));
            EXPECT_EQ(imageChunkHasAlphaPlane(chunk.identifier), images % 2 == 1);
            EXPECT_EQ(imageChunkCompressed(chunk.identifier), images >= 2);
            const ImageChunkHeader image = read<ImageChunkHeader>(reader);
            std::vector<uint8_t> stored(image.byteCount), plane(image.planeBytes());
            ASSERT_EQ(reader.read(stored.data(), image.byteCount), 0);
            ASSERT_TRUE(unpackColorPlane(chunk.identifier, image, stored, plane));
            EXPECT_EQ(plane, pictures.pixels);
            if (imageChunkHasAlphaPlane(chunk.identifier)) {
                const AlphaPlaneHeader alpha = read<AlphaPlaneHeader>(reader);
                EXPECT_EQ(alpha.pitch, 4u);
                EXPECT_EQ(alpha.pixelFormat, kPixelFormatAlpha);
                std::vector<uint8_t> alphaBytes(alpha.byteCount);
                ASSERT_EQ(reader.read(alphaBytes.data(), alpha.byteCount), 0);
                if (!imageChunkCompressed(chunk.identifier)) {
                    EXPECT_EQ(alphaBytes, pictures.alpha);
                }
            }
            ++images;
        } else if (chunk.identifier == kChunkFont) {
            EXPECT_EQ(position, built.font);
            EXPECT_EQ(chunk.dataSize(), 8u);
            EXPECT_TRUE(std::equal(kFontFile.begin(), kFontFile.end(),
                                   built.bytes.begin() + std::ptrdiff_t(position + ChunkHeader::kDataOffset)));
        }
        position = chunk.nextChunkPosition(position);
    }
    EXPECT_EQ(images, 4);

    // The page, record by record.
    ASSERT_EQ(reader.seek(pageOffset), 0);
    const ChunkHeader pageChunk = read<ChunkHeader>(reader);
    EXPECT_EQ(pageChunk.identifier, kChunkPage);
    const PageHeader page = read<PageHeader>(reader);
    EXPECT_EQ(page.pageType, uint32_t(PageType::Initial));
    EXPECT_EQ(page.objectCount, 4u);
    EXPECT_EQ(page.elementCount, 5u);
    EXPECT_EQ(page.initialFocus, 0);
    EXPECT_EQ(page.firstRecordOffset, reader.tell());

    // Record 0.
    uint64_t start = reader.tell();
    ObjectRecordPrefix prefix = read<ObjectRecordPrefix>(reader);
    EXPECT_EQ(prefix.type, uint32_t(WidgetType::EditableTextField));
    reader.pushLimit(start + prefix.actionBlockOffset);
    ObjectRecordCommon common = read<ObjectRecordCommon>(reader);
    EXPECT_EQ(common.left, -1);
    EXPECT_EQ(common.right, 1);
    const TextFieldWords textField = read<TextFieldWords>(reader);
    EXPECT_EQ(textField.frameImage, kNoResource);
    EXPECT_EQ(textField.valueTag, kStringTag);
    uint64_t elementStart = reader.tell();
    ElementRecord element = read<ElementRecord>(reader);
    EXPECT_EQ(element.kind, uint32_t(ElementKind::Text));
    EXPECT_EQ(element.recordSize, elementRecordSize(ElementKind::Text));
    EXPECT_EQ(element.right, 109);
    EXPECT_EQ(element.flags, kElementFlagVisible | kElementFlagTouchable | kElementFlagNoOverlap);
    const TextElementWords text = read<TextElementWords>(reader);
    EXPECT_EQ(reader.tell(), elementStart + element.recordSize);
    EXPECT_EQ(text.fontReference, built.font);
    EXPECT_EQ(text.name[0], 0);
    EXPECT_TRUE(TextStyle::fromWord(text.style).italic);
    EXPECT_EQ(text.word256, 256u);
    EXPECT_EQ(text.color, 0xFF00FF00u);
    const ElementRecordPrefix placeholder = read<ElementRecordPrefix>(reader);
    EXPECT_EQ(placeholder.recordSize, 0u);
    EXPECT_EQ(placeholder.kind, uint32_t(ElementKind::Placeholder));
    EXPECT_EQ(reader.tell(), start + prefix.actionBlockOffset);   // the class words end here
    uint32_t beyond = 0;
    EXPECT_EQ(readWord(reader, beyond), TargetSpanReader::kBeyondLimit);
    reader.popLimit();

    std::vector<ReadGroup> groups = readActionBlock(reader);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].header.trigger, uint32_t(TriggerNumber::KeyDown));
    EXPECT_EQ(groups[0].header.keyWord, uint32_t(KeyCode::Enter));
    ASSERT_EQ(groups[0].actions.size(), 2u);
    const ReadAction& setString = groups[0].actions[0];
    EXPECT_EQ(setString.number, uint32_t(ActionNumber::SetStringTag));
    EXPECT_EQ(setString.bytes.size(), TagReference::kSize + textArgumentBytes(kText.size()));
    EXPECT_EQ(setString.operands.tag, kStringTag);
    std::u16string decoded;
    for (std::size_t i = 0; i + 1 < setString.operands.text.size(); i += 2)
        decoded += char16_t(setString.operands.text[i] | setString.operands.text[i + 1] << 8);
    EXPECT_EQ(decoded, kText);
    const ReadAction& decrement = groups[0].actions[1];
    EXPECT_EQ(decrement.operands.tag.address(), 44u + 15u + 2u);
    EXPECT_EQ(decrement.operands.a, 5);
    EXPECT_EQ(decrement.operands.l, -10);
    EXPECT_EQ(groups[1].header.trigger, uint32_t(TriggerNumber::Press));
    EXPECT_EQ(groups[1].header.keyWord, 0u);   // none was written
    EXPECT_EQ(groups[1].actions.at(0).operands.a, 0);
    EXPECT_EQ(reader.tell(), start + prefix.recordSize);

    // Record 1.
    start = reader.tell();
    prefix = read<ObjectRecordPrefix>(reader);
    EXPECT_EQ(prefix.type, uint32_t(WidgetType::DateTimeField));
    common = read<ObjectRecordCommon>(reader);
    const DateTimeFieldWords clockWords = read<DateTimeFieldWords>(reader);
    EXPECT_EQ(clockWords.frameImage, kNoResource);
    EXPECT_EQ(clockWords.formatCode, kClockFormat);
    EXPECT_EQ(clockWords.separator.text(), " : ");
    EXPECT_EQ(clockWords.valueTag.address(), uint32_t(SystemTags::kTime));
    ASSERT_EQ(reader.seek(start + prefix.actionBlockOffset), 0);
    EXPECT_TRUE(readActionBlock(reader).empty());
    EXPECT_EQ(reader.tell(), start + prefix.recordSize);

    // Record 2.
    start = reader.tell();
    prefix = read<ObjectRecordPrefix>(reader);
    EXPECT_EQ(prefix.type, uint32_t(WidgetType::Listbox));
    EXPECT_EQ(read<ObjectRecordCommon>(reader).left, 0);
    EXPECT_EQ(read<ListboxBackgroundWords>(reader).row, built.images[3]);
    EXPECT_EQ(read<ListboxRowsHead>(reader).count, 0u);
    EXPECT_TRUE(read<TagReference>(reader).isNone());
    element = read<ElementRecord>(reader);
    EXPECT_EQ(element.kind, uint32_t(ElementKind::ScrollingList));
    EXPECT_EQ(element.recordSize, elementRecordSize(ElementKind::ScrollingList));
    EXPECT_EQ(read<ScrollingWords>(reader).mode, ScrollingWords::kModeWrapping);
    const ScrollingListWords listWords = read<ScrollingListWords>(reader);
    EXPECT_EQ(listWords.itemHeight, 30);
    EXPECT_EQ(listWords.firstItemOffset, 6);   // d = 84: 30 x 3 - 84
    groups = readActionBlock(reader);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].header.keyWord, 0xDE00D83Du);
    EXPECT_EQ(groups[0].actions.at(0).number, uint32_t(ActionNumber::ChangePageFocus));
    EXPECT_TRUE(groups[0].actions[0].bytes.empty());

    // Record 3: the page background.
    start = reader.tell();
    prefix = read<ObjectRecordPrefix>(reader);
    EXPECT_EQ(prefix.type, uint32_t(WidgetType::Rectangle));
    EXPECT_EQ(read<ObjectRecordCommon>(reader).down, -1);
    EXPECT_EQ(read<RectangleWords>(reader).color, 0xFFFE0000u);   // red, ARGB, premultiplied: 255 x 255 >> 8
    element = read<ElementRecord>(reader);
    EXPECT_EQ(element.flags, PageBackground::kFlagsOpaque);
    EXPECT_EQ(element.right, 319);
    EXPECT_EQ(element.bottom, 239);
    groups = readActionBlock(reader);
    ASSERT_EQ(groups.size(), 1u);
    const ActionOperands& setTag = groups[0].actions.at(0).operands;
    EXPECT_EQ(setTag.tag.controller(), uint32_t(Controller::Memory));
    EXPECT_EQ(setTag.tag.valueSize(), 2u);
    EXPECT_EQ(setTag.a, 7);
    EXPECT_EQ(reader.tell(), pageChunk.nextChunkPosition(pageOffset));
    EXPECT_EQ(reader.tell(), built.bytes.size());
}

TEST(TargetFile, TruncatedFileFailsEveryReadWithoutOverReading)
{
    const Pictures pictures;
    const Built built = buildTarget(pictures);
    for (std::size_t cut : {std::size_t(0), std::size_t(5), std::size_t(30), built.bytes.size() - 1}) {
        const std::vector<uint8_t> truncated(built.bytes.begin(), built.bytes.begin() + std::ptrdiff_t(cut));
        TargetSpanReader reader(truncated);
        ChunkHeader chunk;
        ProjectHeader header;
        int status = readRecord(reader, chunk);
        if (status == 0)
            status = readRecord(reader, chunk);
        if (status == 0)
            status = readRecord(reader, header);
        if (cut < 2 * ChunkHeader::kSize + ProjectHeader::kSize) {
            EXPECT_EQ(status, TargetSpanReader::kFailed) << cut;
        }
        ASSERT_EQ(reader.seek(cut), 0);
        uint32_t word = 0;
        EXPECT_EQ(readWord(reader, word), TargetSpanReader::kFailed);
    }
}

TEST(TargetFile, EmptyActionBlockIsOneZeroWord)
{
    DMemoryStream stream;
    DRIFFFile riff(stream, kChunkRiff, kFormProject);
    ActionBlockWriter block(riff);
    block.finish();
    block.finish();
    riff.close();
    EXPECT_EQ(stream.size(), ChunkHeader::kSize + kWordSize);
    EXPECT_EQ(loadWord(stream.bytes(), ChunkHeader::kDataOffset), 0u);
}
