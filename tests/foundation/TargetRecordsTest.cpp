// Record layouts against the byte offsets the two programs rely on.
#include <gtest/gtest.h>

#include <lzo/lzo1x.h>

#include <map>
#include <vector>

#include "foundation/CCompressedBuffer.h"
#include "foundation/target/TargetActions.h"
#include "foundation/target/TargetButtonWords.h"
#include "foundation/target/TargetColor.h"
#include "foundation/target/TargetElement.h"
#include "foundation/target/TargetFieldWords.h"
#include "foundation/target/TargetFields.h"
#include "foundation/target/TargetImage.h"
#include "foundation/target/TargetImageWords.h"
#include "foundation/target/TargetListBoxWords.h"
#include "foundation/target/TargetMeterWords.h"
#include "foundation/target/TargetPage.h"
#include "foundation/target/TargetProject.h"
#include "foundation/target/TargetSpanReader.h"
#include "foundation/target/TargetTag.h"
#include "foundation/target/TargetTrendWords.h"

using namespace target;

namespace {

template <class Record>
std::vector<uint8_t> encoded(const Record& record)
{
    std::vector<uint8_t> bytes(Record::kSize);
    encodeRecord(record, std::span<uint8_t, Record::kSize>(bytes.data(), Record::kSize));
    return bytes;
}

uint32_t wordAt(const std::vector<uint8_t>& bytes, std::size_t at)
{
    return uint32_t(bytes.at(at)) | uint32_t(bytes.at(at + 1)) << 8 | uint32_t(bytes.at(at + 2)) << 16
        | uint32_t(bytes.at(at + 3)) << 24;
}

} // namespace

TEST(TargetRecords, ProjectHeaderWordsSitWhereTheEngineReadsThem)
{
    ProjectHeader header;
    header.frameBytes = 800 * 480 * 4;
    header.pageWidth = 800;
    header.pageHeight = 480;
    header.pixelFormat = pixelFormatForDepth(18);
    header.layerVisible = 1;
    header.layerX = -3;
    header.layerY = 9;
    header.basePagePlusOne = 2;
    header.setPassword(u"abcdefgh");
    header.holdFirst = 500;
    header.holdRepeat = 120;
    header.screenSaverPage = 4;
    header.screenSaverTimeout = 60000;
    header.startPage = 1;
    header.pageCount = 5;
    header.pageTableOffset = 0x1234;
    const auto bytes = encoded(header);

    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "CrVn");
    // The engine reads 176 bytes from the chunk's size word: its offsets are these + 8.
    struct Word {
        std::size_t engineOffset;
        uint32_t value;
    };
    const Word words[] = {
        {8 + 8, 800 * 480 * 4}, {8 + 12, 60}, {24, 800}, {28, 480}, {32, 0x61220}, {8 + 28, 1}, {40, 1},
        {44, uint32_t(-3)}, {48, 9}, {56, 2}, {72, 500}, {76, 120}, {80, 4}, {84, 60000}, {168, 1}, {172, 5},
        {8 + 168, 0x1234}, {8 + 172, 1043},
    };
    for (const Word& w : words)
        EXPECT_EQ(wordAt(bytes, w.engineOffset - 8), w.value) << "engine offset +" << w.engineOffset;
    // Five units of the password, the sixth zero.
    EXPECT_EQ(bytes[52], 'a');
    EXPECT_EQ(bytes[60], 'e');
    EXPECT_EQ(wordAt(bytes, 62 - 2) >> 16, 0u);
    for (std::size_t i = 80; i < 160; ++i)
        EXPECT_EQ(bytes[i], 0);

    const ProjectHeader back = decodeRecord<ProjectHeader>(std::span<const uint8_t, ProjectHeader::kSize>(bytes.data(), ProjectHeader::kSize));
    EXPECT_EQ(back.layerX, -3);
    EXPECT_EQ(back.basePageIndex(), 1);
    EXPECT_EQ(back.password[4], u'e');
    EXPECT_EQ(back.password[5], 0);
    EXPECT_EQ(ProjectHeader::pageTableEntryOffset(2), 184u);
}

TEST(TargetRecords, PageObjectAndElementRecords)
{
    PageHeader page;
    page.pageType = uint32_t(PageType::Dialog);
    page.objectCount = 3;
    page.elementCount = 4;
    page.initialFocus = -1;
    page.firstRecordOffset = 0x200;
    EXPECT_EQ(encoded(page), (std::vector<uint8_t>{5, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0,
                                                   0, 0, 0, 0, 0, 0, 2, 0, 0}));

    ObjectRecordHeader object;
    object.recordSize = 100;
    object.actionBlockOffset = 96;
    object.type = uint32_t(WidgetType::Button);
    object.left = 2;
    const auto objectBytes = encoded(object);
    EXPECT_EQ(wordAt(objectBytes, 8), 17u);
    EXPECT_EQ(wordAt(objectBytes, 16), 2u);
    EXPECT_EQ(wordAt(objectBytes, 20), 0xFFFFFFFFu);
    // The page reader's prefix and the widget's five words make up the same bytes.
    const auto prefix = encoded(ObjectRecordPrefix{100, 96, 17});
    const auto common = encoded(ObjectRecordCommon{0, 2, -1, -1, -1});
    std::vector<uint8_t> joined = prefix;
    joined.insert(joined.end(), common.begin(), common.end());
    EXPECT_EQ(joined, objectBytes);

    // A rectangle 10,20 .. 110,70 (exclusive) is stored with inclusive right and bottom.
    const ElementRecord element = makeElementRecord(ElementKind::Text, 10, 20, 110, 70, kElementFlagVisible | kElementFlagTouchable);
    const auto elementBytes = encoded(element);
    EXPECT_EQ(wordAt(elementBytes, 0), 128u);
    EXPECT_EQ(wordAt(elementBytes, 4), 5u);
    EXPECT_EQ(wordAt(elementBytes, 16), 109u);
    EXPECT_EQ(wordAt(elementBytes, 20), 69u);
    EXPECT_EQ(wordAt(elementBytes, 24), 24u);

    EXPECT_EQ(encoded(PlaceholderRecord{}), (std::vector<uint8_t>{0, 0, 0, 0, 6, 0, 0, 0}));
    EXPECT_EQ(elementRecordSize(ElementKind::Placeholder), 0u);
    EXPECT_EQ(elementRecordFootprint(ElementKind::Placeholder), 8u);
    EXPECT_EQ(elementRecordSize(ElementKind::ScrollingBitmap), 36u);
    EXPECT_EQ(elementRecordSize(ElementKind::ScrollingList), 52u);
    EXPECT_EQ(elementRecordSize(ElementKind::SolidRect), 32u);
}

TEST(TargetRecords, TextWordsAreTheNameFieldAndEightWords)
{
    TextStyle style;
    style.bold = true;
    style.underline = true;
    style.rightToLeft = true;
    style.alignment = 2;
    style.lineAlignment = 1;
    EXPECT_EQ(style.word(), 0x1u | 0x4u | 0x80u | 2u << 8 | 1u << 10 | 2u << 12);
    const TextStyle back = TextStyle::fromWord(style.word());
    EXPECT_TRUE(back.bold && back.underline && back.rightToLeft && !back.italic && !back.multiLine);
    EXPECT_EQ(back.alignment, 2u);
    EXPECT_EQ(back.renderMode, 2u);

    TextElementWords words;
    words.fontReference = 0x4000;
    words.pixelSize = 27;
    words.style = style.word();
    // "Color" 0x0000FF (red) with "Transparency" 55.
    words.color = colorWordFromStored(0x0000FF, alphaFromTransparency(55));
    const auto bytes = encoded(words);
    ASSERT_EQ(bytes.size(), 96u);
    for (std::size_t i = 0; i < 64; ++i)
        EXPECT_EQ(bytes[i], 0);
    EXPECT_EQ(wordAt(bytes, 64), 0x4000u);
    EXPECT_EQ(wordAt(bytes, 68), 27u);
    EXPECT_EQ(wordAt(bytes, 72), style.word());
    EXPECT_EQ(wordAt(bytes, 76), 256u);
    EXPECT_EQ(wordAt(bytes, 80), 0xC8FF0000u);   // ARGB, red in bits 16-23
    EXPECT_EQ(wordAt(bytes, 84) | wordAt(bytes, 88) | wordAt(bytes, 92), 0u);
}

TEST(TargetRecords, ColorWords)
{
    EXPECT_EQ(swapRedBlue(0x80FF0000u), 0x800000FFu);
    EXPECT_EQ(colorWordFromStored(0x00332211, 0xFF), 0xFF112233u);
    EXPECT_EQ(alphaFromTransparency(-5), 255u);
    EXPECT_EQ(alphaFromTransparency(300), 0u);
    // The page background: stored 0xBBGGRR, alpha on top, premultiplied when asked.
    const uint32_t background = colorWordFromStored(0x0080FF, alphaFromTransparency(127));
    EXPECT_EQ(background, 0x80FF8000u);
    EXPECT_EQ(premultiplyColorWord(background), 0x807F4000u);
    EXPECT_EQ(premultiplyColorWord(0xFF102030u), 0xFF0F1F2Fu);   // each byte x alpha >> 8
}

TEST(TargetRecords, TagReferences)
{
    const TagReference timerMode = TagReference::system(82);
    EXPECT_EQ(timerMode.low, 82u * 256u);
    EXPECT_EQ(timerMode.high, 0x00040001u);
    EXPECT_EQ(timerMode.controller(), 0u);
    EXPECT_EQ(timerMode.address(), 82u);
    EXPECT_EQ(timerMode.valueType(), 1u);
    EXPECT_EQ(timerMode.valueSize(), 4u);

    const TagReference memory = TagReference::make(Controller::Memory, 0x1234, 11, 40);
    EXPECT_EQ(memory.low, 0x123402u);
    EXPECT_EQ(memory.high, 0x0028000Bu);
    EXPECT_TRUE(memory.isString());
    EXPECT_EQ(TagReference::fromId(memory.id()), memory);
    EXPECT_EQ(encoded(memory), (std::vector<uint8_t>{0x02, 0x34, 0x12, 0x00, 0x0B, 0x00, 0x28, 0x00}));

    EXPECT_TRUE(TagReference::none().isNone());
    EXPECT_EQ(TagReference::fromId(uint64_t(-1)), TagReference::none());
    // A "sys" name in neither table: an address no system tag has, yet not "no tag".
    const TagReference unknown = TagReference::system(-1);
    EXPECT_FALSE(unknown.isNone());
    EXPECT_GE(unknown.address(), uint32_t(399));
}

TEST(TargetRecords, DateTimeSeparatorHoldsThreeCharactersAndAZero)
{
    EXPECT_EQ(encoded(DateTimeSeparator::fromText(":")), (std::vector<uint8_t>{':', 0, 0, 0}));
    EXPECT_EQ(encoded(DateTimeSeparator::fromText("abcde")), (std::vector<uint8_t>{'a', 'b', 'c', 0}));
    const std::vector<uint8_t> four{'w', 'x', 'y', 'z'};
    const auto read = decodeRecord<DateTimeSeparator>(std::span<const uint8_t, 4>(four.data(), 4));
    EXPECT_EQ(read.text(), "wxy");
    EXPECT_EQ(DateTimeSeparator::fromText("").text(), "");
}

TEST(TargetRecords, ScrollingListFirstItemOffset)
{
    EXPECT_EQ(ScrollingListWords::firstItemOffsetFor(30, 0, 200, ListSelection::OnTouch), -1);
    // d = (200 - 30 - 0) >> 1 = 85; 30 x (85 / 30 + 1) - 85 = 5.
    EXPECT_EQ(ScrollingListWords::firstItemOffsetFor(30, 0, 200, ListSelection::Centred), 5);
    // d = (10 - 30 - 0) >> 1 = -10; 30 x (-10 / 30 + 1) + 10 = 40.
    EXPECT_EQ(ScrollingListWords::firstItemOffsetFor(30, 0, 10, ListSelection::Centred), 40);
    EXPECT_EQ(ScrollingListWords::firstItemOffsetFor(0, 0, 10, ListSelection::Centred), 0);
}

// Class words with tag references nested in them: the tags sit whole at their offsets,
// low word first, and come back the same.
TEST(TargetRecords, NestedTagReferencesRoundTrip)
{
    ButtonWords button;
    button.mode = uint32_t(ButtonMode::Latching);
    button.releasedImage = 0x100;
    button.textImage = 0x900;
    button.stateTag = TagReference::make(Controller::Local, 7, kValueType32, 4);
    const auto bytes = encoded(button);
    ASSERT_EQ(bytes.size(), 52u);
    EXPECT_EQ(wordAt(bytes, 0), 2u);
    EXPECT_EQ(wordAt(bytes, 4), 0x100u);
    EXPECT_EQ(wordAt(bytes, 32), 0x900u);
    EXPECT_EQ(wordAt(bytes, 36), 0x701u);
    EXPECT_EQ(wordAt(bytes, 40), 0x00040001u);
    EXPECT_EQ(wordAt(bytes, 44), 0xFFFFFFFFu);   // no disable tag
    EXPECT_EQ(wordAt(bytes, 48), 0xFFFFFFFFu);

    const auto back = decodeRecord<ButtonWords>(std::span<const uint8_t, ButtonWords::kSize>(bytes.data(), bytes.size()));
    EXPECT_EQ(back.stateTag, button.stateTag);
    EXPECT_TRUE(back.disableTag.isNone());
    EXPECT_EQ(back.textImage, 0x900u);

    // A separator nested as 4 bytes between two words.
    DateTimeFieldWords field;
    field.formatCode = 65553;
    field.separator = DateTimeSeparator::fromText(":");
    field.valueTag = TagReference::system(2);
    const auto fieldBytes = encoded(field);
    EXPECT_EQ(wordAt(fieldBytes, 8), uint32_t(':'));
    EXPECT_EQ(wordAt(fieldBytes, 12), 2u << 8);
    TargetSpanReader reader(fieldBytes);
    DateTimeFieldWords got;
    ASSERT_EQ(readRecordWords(reader, got), TargetSpanReader::kOk);
    EXPECT_EQ(got.separator.text(), ":");
    EXPECT_EQ(got.valueTag, field.valueTag);
    EXPECT_EQ(reader.tell(), DateTimeFieldWords::kSize);
}

// Read word by word, a record cut short keeps what it read, leaves the rest as it was
// and reports the last failed read; a tag cut after its low word keeps a high word of 0.
TEST(TargetRecords, RecordsReadWordByWordKeepWhatTheyRead)
{
    TimerWords timer;
    timer.mode = uint32_t(TimerMode::PingPong);
    timer.start = -5;
    timer.stop = 9;
    timer.stepTime = 250;
    timer.valueTag = TagReference::make(Controller::Memory, 0x40, kValueType16, 2);
    timer.disableTag = TagReference::make(Controller::Local, 3, kValueType32, 4);
    const auto bytes = encoded(timer);

    struct Case {
        uint64_t limit;
        int status;
        uint32_t mode;
        int32_t stepTime;
        TagReference valueTag;
        TagReference disableTag;
    };
    const TagReference cutTag{timer.valueTag.low, 0};
    const Case cases[] = {
        {32, TargetSpanReader::kOk, 3, 250, timer.valueTag, timer.disableTag},
        {28, TargetSpanReader::kBeyondLimit, 3, 250, timer.valueTag, TagReference{timer.disableTag.low, 0}},
        {20, TargetSpanReader::kBeyondLimit, 3, 250, cutTag, TagReference{TagReference::kNone, 0}},
        {12, TargetSpanReader::kBeyondLimit, 3, 1, TagReference{TagReference::kNone, 0}, TagReference{TagReference::kNone, 0}},
        {0, TargetSpanReader::kBeyondLimit, 0, 1, TagReference{TagReference::kNone, 0}, TagReference{TagReference::kNone, 0}},
    };
    for (const Case& c : cases) {
        TargetSpanReader reader(bytes);
        reader.pushLimit(c.limit);
        TimerWords got;
        EXPECT_EQ(readRecordWords(reader, got), c.status) << c.limit;
        EXPECT_EQ(got.mode, c.mode) << c.limit;
        EXPECT_EQ(got.stepTime, c.stepTime) << c.limit;
        EXPECT_EQ(got.valueTag, c.valueTag) << c.limit;
        EXPECT_EQ(got.disableTag, c.disableTag) << c.limit;
        EXPECT_EQ(reader.tell(), c.limit) << c.limit;
    }

    // All or nothing: the same cut leaves every field as it was.
    TargetSpanReader reader(bytes);
    reader.pushLimit(28);
    TimerWords whole;
    EXPECT_EQ(readRecord(reader, whole), TargetSpanReader::kBeyondLimit);
    EXPECT_EQ(whole.mode, 0u);
    EXPECT_EQ(reader.tell(), 0u);
}

namespace {

struct GapRecord {
    static constexpr uint32_t kSize = 12;
    uint32_t a = 0, b = 0;
    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(0, r.a);
        field(8, r.b);
    }
};
struct SwappedRecord {
    static constexpr uint32_t kSize = 8;
    uint32_t a = 0, b = 0;
    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(4, r.b);
        field(0, r.a);
    }
};
struct OverlongRecord {
    static constexpr uint32_t kSize = 4;
    std::array<uint8_t, 8> bytes{};
    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(0, r.bytes);
    }
};

} // namespace

TEST(TargetRecords, OnlyRecordsListedInFileOrderTile)
{
    static_assert(fieldsTileRecord<ButtonWords>());
    static_assert(fieldsTileRecord<DateTimeFieldWords>());
    static_assert(!fieldsTileRecord<GapRecord>());
    static_assert(!fieldsTileRecord<SwappedRecord>());
    static_assert(!fieldsTileRecord<OverlongRecord>());
    SUCCEED();
}

// Words that pack several values: what the writer packs, the reader takes apart.
TEST(TargetRecords, PackedClassWordsComeApartAsPacked)
{
    for (const auto& [low, high] : {std::pair{0, 0}, {-1, 1}, {359, -90}, {-32768, 32767}}) {
        const uint32_t word = packHalves(low, high);
        EXPECT_EQ(lowHalf(word), low);
        EXPECT_EQ(highHalf(word), high);
    }
    MeterWords meter;
    meter.angles = packHalves(-45, 225);
    meter.needle = MeterWords::triangleNeedle(9, 70);
    meter.needlePivot = packHalves(4, 55);
    EXPECT_EQ(meter.startDegrees(), -45);
    EXPECT_EQ(meter.endDegrees(), 225);
    EXPECT_EQ(meter.needleBaseWidth(), 9u);
    EXPECT_EQ(meter.needleLength(), 70u);
    EXPECT_EQ(meter.tipRadius(), 55u);
    // Width and length are unsigned halves: 40000 does not turn negative.
    meter.needle = MeterWords::triangleNeedle(40000, 1);
    EXPECT_EQ(meter.needleBaseWidth(), 40000u);

    NumericFieldWords numeric;
    numeric.format = NumericFieldWords::formatWord(3, 2);
    EXPECT_EQ(numeric.format, 0x04000302u);
    EXPECT_EQ(numeric.digits(), 3u);
    EXPECT_EQ(numeric.decimals(), 2u);
    EXPECT_FALSE(numeric.leadingZeros());
    numeric.flags = NumericFieldWords::kFlagLeadingZeros | NumericFieldWords::kFlagDecimals;
    EXPECT_TRUE(numeric.leadingZeros());

    DynamicListboxWords list;
    list.separator = 0xABCD0000u | u'|';
    EXPECT_EQ(list.separatorUnit(), u'|');

    // The editor's signal flags: bit 0 a line, bit 6 overlapping (the sweeping plot).
    struct Mode {
        uint32_t mode;
        bool sweeps, line;
    };
    for (const Mode m : {Mode{0, false, false}, Mode{1, false, true}, Mode{0x40, true, false}, Mode{0x41, true, true},
                         Mode{0x43, true, false}, Mode{0x140, true, false}, Mode{0x50, false, false}}) {
        TrendWords trend;
        trend.mode = m.mode;
        EXPECT_EQ(trend.sweeps(), m.sweeps) << m.mode;
        EXPECT_EQ(trend.drawsLine(), m.line) << m.mode;
    }
}

TEST(TargetActions, SignaturesAndTriggerKeyWords)
{
    EXPECT_EQ(kActionSignatures.size(), 49u);
    for (std::string_view signature : kActionSignatures)
        for (char letter : signature)
            EXPECT_NE(std::string_view("pitwTaclov").find(letter), std::string_view::npos) << signature;
    for (uint32_t trigger = 0; trigger <= kLastTrigger; ++trigger)
        EXPECT_EQ(triggerHasKeyWord(trigger), trigger >= 12 && trigger <= 14) << trigger;
    for (uint32_t action = 0; action < kActionRowCount; ++action)
        EXPECT_EQ(isDeferredAction(action), action >= 1 && action <= 6);
    EXPECT_EQ(textArgumentBytes(0), 4u);
    EXPECT_EQ(textArgumentBytes(1), 4u);
    EXPECT_EQ(textArgumentBytes(2), 8u);
}

// The engine's table of operands by action type, in file order.
TEST(TargetActions, OperandsArePlacedAsTheEngineReadsThem)
{
    enum Slot { A, B, L, Tag, Tag2, Text };
    const std::map<std::vector<uint32_t>, std::vector<Slot>> engineTable{
        {{3, 6, 7, 8, 9, 10, 11, 40, 47}, {A}},
        {{12, 13}, {A, B}},
        {{14, 16, 17, 24, 25}, {Tag, A}},
        {{15, 20, 21, 28, 29, 44, 46}, {Tag, Tag2}},
        {{18, 19, 26, 27, 32, 34, 41}, {Tag, A, L}},
        {{22, 23, 30, 31, 33, 35, 42}, {Tag, Tag2, L}},
        {{43, 45}, {Tag, Text}},
        {{1, 2, 4, 5, 36, 37, 38, 39, 48}, {}},
    };
    std::size_t covered = 0;
    for (const auto& [actions, slots] : engineTable) {
        for (const uint32_t action : actions) {
            ++covered;
            std::vector<uint8_t> bytes;
            auto put = [&](uint32_t w) {
                for (int s = 0; s < 32; s += 8)
                    bytes.push_back(uint8_t(w >> s));
            };
            uint32_t next = 100;
            for (const Slot slot : slots) {
                if (slot == Tag || slot == Tag2) {
                    put(next++);
                    put(next++);
                } else if (slot == Text) {
                    put(0x00420041u);   // "AB", then the zero unit and padding
                    put(0);
                } else {
                    put(next++);
                }
            }
            bytes.push_back(0xEE);   // bytes beyond the arguments are ignored
            const ActionOperands operands = decodeActionOperands(action, bytes);
            EXPECT_TRUE(operands.complete) << action;
            uint32_t expected = 100;
            for (const Slot slot : slots) {
                switch (slot) {
                case A: EXPECT_EQ(operands.a, int32_t(expected++)) << action; break;
                case B: EXPECT_EQ(operands.b, int32_t(expected++)) << action; break;
                case L: EXPECT_EQ(operands.l, int32_t(expected++)) << action; break;
                case Tag:
                    EXPECT_EQ(operands.tag, (TagReference{expected, expected + 1})) << action;
                    expected += 2;
                    break;
                case Tag2:
                    EXPECT_EQ(operands.tag2, (TagReference{expected, expected + 1})) << action;
                    expected += 2;
                    break;
                case Text:
                    EXPECT_EQ(std::vector<uint8_t>(operands.text.begin(), operands.text.end()),
                              (std::vector<uint8_t>{'A', 0, 'B', 0}));
                    break;
                }
            }
        }
    }
    EXPECT_EQ(covered, 48u);
}

TEST(TargetActions, ShortArgumentsAreNotOverRead)
{
    const std::vector<uint8_t> sixBytes{1, 0, 0, 0, 2, 0};
    const ActionOperands tagAndA = decodeActionOperands(uint32_t(ActionNumber::SetTag), sixBytes);
    EXPECT_FALSE(tagAndA.complete);
    EXPECT_TRUE(tagAndA.tag.isNone());
    EXPECT_EQ(tagAndA.a, 0);

    // A text without its terminating zero unit.
    std::vector<uint8_t> text{1, 0, 0, 0, 1, 0, 4, 0, 'h', 0, 'i', 0};
    const ActionOperands unterminated = decodeActionOperands(uint32_t(ActionNumber::SetStringTag), text);
    EXPECT_FALSE(unterminated.complete);
    EXPECT_EQ(unterminated.text.size(), 4u);
    text.pop_back();
    EXPECT_EQ(decodeActionOperands(uint32_t(ActionNumber::SetStringTag), text).text.size(), 2u);
    EXPECT_TRUE(decodeActionOperands(200, text).complete);   // no such row: no operands
}

TEST(TargetImage, ColorPlanesOfEveryChunkKindUnpack)
{
    // Three pixels a row in rows of 16 bytes, two rows.
    std::vector<uint8_t> pixels(16 * 2);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = uint8_t(i * 5);
    ImageChunkHeader header{3, 2, 16, kPixelFormat32, 0};
    CCompressedBuffer lzo;
    ASSERT_TRUE(lzo.Compress(pixels.data(), pixels.size()));
    const std::vector<uint8_t> compressed(lzo.compressed().begin(), lzo.compressed().end());

    for (const uint32_t id : {kChunkImageRaw, kChunkImageRawAlpha, kChunkImageLzo, kChunkImageLzoAlpha}) {
        const std::vector<uint8_t>& stored = imageChunkCompressed(id) ? compressed : pixels;
        header.byteCount = uint32_t(stored.size());
        std::vector<uint8_t> out(header.planeBytes());
        EXPECT_TRUE(unpackColorPlane(id, header, stored, out)) << std::hex << id;
        EXPECT_EQ(out, pixels);
    }
}

TEST(TargetImage, MalformedPlanesAreRefused)
{
    std::vector<uint8_t> pixels(64, 9);
    ImageChunkHeader header{4, 4, 16, kPixelFormat32, 64};
    std::vector<uint8_t> out(64);
    ASSERT_TRUE(unpackColorPlane(kChunkImageRaw, header, pixels, out));

    ImageChunkHeader shortRaw = header;
    shortRaw.byteCount = 60;   // fewer bytes than pitch x height
    EXPECT_FALSE(unpackColorPlane(kChunkImageRaw, shortRaw, std::span(pixels).first(60), out));
    EXPECT_FALSE(unpackColorPlane(kChunkImageRaw, header, std::span(pixels).first(60), out));   // count mismatch
    EXPECT_FALSE(unpackColorPlane(fourCC("ibad"), header, pixels, out));

    ImageChunkHeader narrow = header;
    narrow.pitch = 12;   // rows shorter than 4 pixels of 4 bytes
    std::vector<uint8_t> narrowOut(48);
    EXPECT_FALSE(unpackColorPlane(kChunkImageRaw, narrow, pixels, narrowOut));
    ImageChunkHeader huge{65535, 65535, 65535 * 4, kPixelFormat32, 64};
    EXPECT_FALSE(huge.isPlausible());
    ImageChunkHeader zero = header;
    zero.width = 0;
    EXPECT_FALSE(zero.isPlausible());

    // An LZO stream that decodes to less than the plane, or is cut short.
    CCompressedBuffer lzo;
    ASSERT_TRUE(lzo.Compress(pixels.data(), 48));
    ImageChunkHeader packed = header;
    packed.byteCount = uint32_t(lzo.compressedSize());
    EXPECT_FALSE(unpackColorPlane(kChunkImageLzo, packed, lzo.compressed(), out));
    ASSERT_TRUE(lzo.Compress(pixels.data(), 64));
    packed.byteCount = uint32_t(lzo.compressedSize() - 1);
    EXPECT_FALSE(unpackColorPlane(kChunkImageLzo, packed, lzo.compressed().first(packed.byteCount), out));
}

TEST(TargetImage, ContentCrcCoversTheWordsAndBothPlanes)
{
    std::vector<uint8_t> pixels(32, 1), alpha(8, 255);
    TargetImage image{2, 4, 8, kPixelFormat16, pixels, 0, {}};
    const uint32_t plain = imageContentCrc(image);
    TargetImage otherFormat = image;
    otherFormat.pixelFormat = kPixelFormat18;
    EXPECT_NE(imageContentCrc(otherFormat), plain);
    TargetImage withAlpha = image;
    withAlpha.alphaPitch = 2;
    withAlpha.alpha = alpha;
    EXPECT_NE(imageContentCrc(withAlpha), plain);
    EXPECT_EQ(imageContentCrc(TargetImage(image)), plain);
}
