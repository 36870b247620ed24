// Class data records: each kind written through its record lands where the engine reads
// it and reads back the same; short records keep the engine's reading rules.
#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <vector>

#include "foundation/target/TargetBarGraphWords.h"
#include "foundation/target/TargetButtonWords.h"
#include "foundation/target/TargetClassData.h"
#include "foundation/target/TargetFieldWords.h"
#include "foundation/target/TargetImageWords.h"
#include "foundation/target/TargetLightWords.h"
#include "foundation/target/TargetListBoxWords.h"
#include "foundation/target/TargetMeterWords.h"
#include "foundation/target/TargetPage.h"
#include "foundation/target/TargetSliderWords.h"
#include "foundation/target/TargetSpanReader.h"
#include "foundation/target/TargetTextWords.h"
#include "foundation/target/TargetTickerWords.h"
#include "foundation/target/TargetTrendWords.h"
#include "tests/support/TargetBuilder.h"

using namespace target;

namespace {

template <class Data>
std::vector<uint8_t> written(const Data& data)
{
    vx::test::ByteWriter writer;
    writeClassData(writer, data);
    return writer.out;
}

uint32_t wordAt(const std::vector<uint8_t>& bytes, std::size_t at)
{
    return uint32_t(bytes.at(at)) | uint32_t(bytes.at(at + 1)) << 8 | uint32_t(bytes.at(at + 2)) << 16
        | uint32_t(bytes.at(at + 3)) << 24;
}

// What a reading of the bytes gave, written again.
struct Reread {
    ClassDataRead read;
    uint64_t position = 0;
    std::vector<uint8_t> bytes;
};

// A word the layout puts at a byte offset of the class data.
struct Probe {
    uint32_t offset;
    uint32_t word;
};

struct Case {
    const char* kind;
    std::size_t size;
    Probe probe;
    std::function<std::vector<uint8_t>()> write;
    std::function<Reread(std::span<const uint8_t>)> reread;
};

template <class Data>
Case row(const char* kind, std::size_t size, Probe probe, const Data& data)
{
    return {kind, size, probe, [data] { return written(data); },
            [](std::span<const uint8_t> bytes) {
                TargetSpanReader reader(bytes);
                reader.pushLimit(bytes.size());   // the object record ends with the class data
                Data back;
                Reread result;
                result.read = readClassData(reader, back);
                result.position = reader.tell();
                result.bytes = written(back);
                return result;
            }};
}

const TagReference kTag = TagReference::make(Controller::Local, 0x123, kValueType32, 4);
const TagReference kOtherTag = TagReference::make(Controller::Memory, 0x45, kValueType16, 2);

template <class Words>
Words scaledWords()
{
    Words words;
    words.minimum = -10;
    words.maximum = 90;
    words.multiplier = 3;
    words.divisor = 2;
    words.offset = 7;
    return words;
}

ButtonWords buttonWords()
{
    ButtonWords words;
    words.mode = uint32_t(ButtonMode::Latching);
    words.releasedImage = 0x100;
    words.textImage = 0x900;
    words.stateTag = kTag;
    words.disableTag = kOtherTag;
    return words;
}

std::vector<Case> everyKind()
{
    MeterWords meter = scaledWords<MeterWords>();
    meter.needle = MeterWords::triangleNeedle(9, 70);
    SliderWords slider = scaledWords<SliderWords>();
    slider.travel = 12;
    TrendWords trend = scaledWords<TrendWords>();
    trend.step = 3;
    BarGraphWords bar = scaledWords<BarGraphWords>();
    bar.direction = uint32_t(GrowthDirection::Up);
    NumericFieldWords numeric;
    numeric.format = NumericFieldWords::formatWord(4, 1);
    numeric.valueTag = kTag;
    return {
        row("static image", 4, {0, 0x40}, StaticImageWords{0x40}),
        row("static text", 8, {4, 0x44}, StaticTextWords{0, 0x44}),
        row("numeric field", 36, {28, kTag.low}, numeric),
        row("text field", 12, {4, kTag.low}, TextFieldWords{0, kTag}),
        row("date/time field", 20, {12, kTag.low}, DateTimeFieldWords{0, 65537, DateTimeSeparator::fromText(":"), kTag}),
        row("message field", 24, {16, kTag.low}, MessageFieldClassData{{0x10, 2}, {0x50, 0x54}, kTag}),
        row("dynamic image", 28, {20, kTag.low}, DynamicImageClassData{{3}, {0x60, 0x64, 0x68}, {0, kTag}}),
        row("indicator light", 36, {20, kTag.low},
            IndicatorLightClassData{{0x70, 2, 0}, {0x74, 0x78}, {kTag, 0x7C, 0x80}}),
        row("indicator button", 76, {68, kOtherTag.low},
            IndicatorButtonClassData{buttonWords(), {{2, 0}, {0x84, 0x88}, kOtherTag}}),
        row("bar graph", 48, {40, kTag.low}, BarGraphClassData{bar, kTag}),
        row("meter", 68, {64, 5}, MeterClassData{{meter, kTag}, 5}),
        row("trend", 56, {48, kTag.low}, TrendClassData{trend, kTag}),
        row("ticker", 16, {12, 0x90}, TickerClassData{{-2, 40, 16, 0x90}}),
        row("button", 52, {44, kOtherTag.low}, buttonWords()),
        row("slider and knob", 56, {52, 4}, SliderClassData{{slider, kTag}, 4}),
        row("list box", 36, {28, kTag.low},
            ListboxClassData{{0xA0, 0xA4, 0xA8}, {3}, {0xB0, 0xB4, 0xB8}, kTag}),
        row("dynamic list box", 32, {24, kOtherTag.low},
            DynamicListboxClassData{{0xC0, 0xC4, 0xC8}, {u'|', kTag, kOtherTag}}),
        row("tag trigger", 8, {0, kTag.low}, TriggerWords{kTag}),
        row("timer", 32, {24, kOtherTag.low}, TimerWords{uint32_t(TimerMode::PingPong), 1, 9, 250, kTag, kOtherTag}),
        row("rectangle", 4, {0, 0xFF336699u}, RectangleWords{0xFF336699u}),
    };
}

} // namespace

// Each kind: the parts follow one another in file order (a word the layout places at a
// known offset is there), and a reading of the bytes takes all of them and gives the
// same record back.
TEST(TargetClassData, EveryKindRoundTripsThroughItsRecord)
{
    for (const Case& c : everyKind()) {
        SCOPED_TRACE(c.kind);
        const std::vector<uint8_t> bytes = c.write();
        ASSERT_EQ(bytes.size(), c.size);
        EXPECT_EQ(wordAt(bytes, c.probe.offset), c.probe.word);
        const Reread back = c.reread(bytes);
        EXPECT_EQ(back.read.status, TargetSpanReader::kOk);
        EXPECT_FALSE(back.read.stopped);
        EXPECT_EQ(back.position, bytes.size());
        EXPECT_EQ(back.bytes, bytes);
    }
}

// Words cut off: a record read whole is left as it was, a tag cut after its low word
// keeps a high word of 0, a loose step word reads 0; the status is the last read's.
TEST(TargetClassData, CutPartsKeepTheEngineReadingRules)
{
    MeterWords words = scaledWords<MeterWords>();
    words.dialImage = 0x30;
    const std::vector<uint8_t> bytes = written(MeterClassData{{words, kTag}, 5});

    struct Cut {
        uint64_t limit;
        int status;
        TagReference tag;
        uint32_t step;
    };
    const Cut cuts[] = {
        {68, TargetSpanReader::kOk, kTag, 5},
        {64, TargetSpanReader::kBeyondLimit, kTag, 0},
        {60, TargetSpanReader::kBeyondLimit, TagReference{kTag.low, 0}, 0},
    };
    for (const Cut& c : cuts) {
        SCOPED_TRACE(c.limit);
        TargetSpanReader reader(bytes);
        reader.pushLimit(c.limit);
        MeterClassData got;
        got.step = 77;
        EXPECT_EQ(readClassData(reader, got).status, c.status);
        EXPECT_EQ(got.words.maximum, 90);
        EXPECT_EQ(got.valueTag, c.tag);
        EXPECT_EQ(got.step, c.step);
    }

    // The words cut short: nothing of them is taken and the reading goes on where it stood.
    TargetSpanReader reader(bytes);
    reader.pushLimit(MeterWords::kSize - 4);
    MeterClassData got;
    (void)readClassData(reader, got);
    EXPECT_EQ(got.words.maximum, 0);
    EXPECT_EQ(got.valueTag.low, 0x30u);
}

// A count the record cannot hold: cut to the words left in it, or the end of the reading
// where the list says so; a count that could not be read ends it as well.
TEST(TargetClassData, ListCountsBeyondTheRecord)
{
    const std::vector<uint8_t> images = written(DynamicImageClassData{{1000}, {0x60, 0x64, 0x68}, {0, kTag}});
    TargetSpanReader imageReader(images);
    imageReader.pushLimit(images.size());
    DynamicImageClassData image;
    const ClassDataRead imageRead = readClassData(imageReader, image);
    EXPECT_FALSE(imageRead.stopped);
    EXPECT_EQ(imageRead.status, TargetSpanReader::kBeyondLimit);   // the tail had no words left
    // The three offsets and the three tail words: all the record holds after the count.
    EXPECT_EQ(image.images, (std::vector<uint32_t>{0x60, 0x64, 0x68, 0, kTag.low, kTag.high}));
    EXPECT_EQ(image.tail.valueTag, (TagReference{TagReference::kNone, 0}));

    // The bytes end where the record does: the count of 1000 does not fit, or the count
    // itself is cut off.
    const std::vector<uint8_t> rows = written(ListboxClassData{{0xA0, 0xA4, 0xA8}, {1000}, {0xB0}, kTag});
    struct Stop {
        std::size_t size;
        int status;
    };
    for (const Stop s : {Stop{rows.size(), TargetSpanReader::kBeyondLimit}, Stop{14, TargetSpanReader::kFailed}}) {
        SCOPED_TRACE(s.size);
        TargetSpanReader reader(std::span<const uint8_t>(rows).first(s.size));
        ListboxClassData box;
        const ClassDataRead read = readClassData(reader, box);
        EXPECT_TRUE(read.stopped);
        EXPECT_EQ(read.status, s.status);
        EXPECT_EQ(box.backgrounds.focusedSelected, 0xA8u);
        EXPECT_TRUE(box.rows.empty());
        EXPECT_TRUE(box.selectionTag.isNone());
        EXPECT_EQ(reader.tell(), ListboxBackgroundWords::kSize + (s.size == 14 ? 0 : ListboxRowsHead::kSize));
    }
}
