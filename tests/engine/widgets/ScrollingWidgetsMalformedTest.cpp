#include <random>
#include <vector>

#include "engine/widgets/DCompositeObject.h"
#include "tests/support/engine/ScrollingWidgetHarness.h"

using namespace target;
using vx::test::TargetBuilder;

namespace {

// Words a malformed record likes to hold: small counts, edges of the ranges, all ones.
uint32_t wildWord(std::mt19937& random)
{
    static const uint32_t kEdges[] = {0, 1, 2, 3, 4, 10, 64, 65, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFFE,
                                      0x0000FFFF, 0x00010000};
    switch (random() % 3) {
    case 0: return kEdges[random() % std::size(kEdges)];
    case 1: return random() % 100;
    default: return uint32_t(random());
    }
}

int32_t coordinate(std::mt19937& random)
{
    switch (random() % 4) {
    case 0: return int32_t(wildWord(random));
    default: return int32_t(random() % 80) - 8;
    }
}

// One object of a scrolling kind with random class words and primitive records.
std::vector<uint8_t> wildPage(std::mt19937& random, uint32_t type)
{
    TargetBuilder builder(ScrollingWidgetHarness::kWidth, ScrollingWidgetHarness::kHeight, 1);
    const uint32_t image = ScrollingWidgetHarness::solidImage(builder, 7, 5, 0x80FF8040);
    builder.page(uint32_t(PageType::Normal), -1, [&](TargetBuilder::Page& page) {
        page.object(type, [&](DRIFFFile& file) {
            const uint32_t words = random() % 20;
            for (uint32_t i = 0; i < words; ++i) {
                const uint32_t roll = random() % 8;
                if (roll == 0)
                    file.writeInt(image);
                else if (roll == 1)
                    writeRecord(file, TagReference::make(Controller::Local, random() % 4, random() % 3 ? 1 : 11,
                                                         random() % 3 ? 4 : 16));
                else
                    file.writeInt(wildWord(random));
            }
            const uint32_t elements = random() % 4;
            for (uint32_t i = 0; i < elements; ++i) {
                static const ElementKind kKinds[] = {ElementKind::Graph, ElementKind::ScrollingBitmap,
                                                     ElementKind::ScrollingList, ElementKind::UnscaledBitmap,
                                                     ElementKind::Text, ElementKind::Placeholder};
                const ElementKind kind = kKinds[random() % std::size(kKinds)];
                ElementRecord record = makeElementRecord(kind, 0, 0, 1, 1, kElementFlagVisible | kElementFlagTouchable);
                record.left = coordinate(random);
                record.top = coordinate(random);
                record.right = coordinate(random); // inclusive, as the file holds them
                record.bottom = coordinate(random);
                if (random() % 5 == 0)
                    record.recordSize = wildWord(random);
                writeRecord(file, record);
                const uint32_t extra = random() % 7;
                for (uint32_t j = 0; j < extra; ++j)
                    file.writeInt(wildWord(random));
            }
        });
    });
    return builder.finish();
}

using ScrollingWidgetsMalformed = ScrollingWidgetHarness;

} // namespace

// Whatever the records say, loading, input, tag changes and frames neither crash nor read
// out of bounds (the sanitizers watch), and never allocate beyond the bounds.
TEST_F(ScrollingWidgetsMalformed, RandomRecordsLoadAndRun)
{
    std::mt19937 random(7);
    for (int round = 0; round < 240; ++round) {
        const uint32_t types[] = {uint32_t(WidgetType::Trend), uint32_t(WidgetType::Ticker),
                                  uint32_t(WidgetType::Listbox), uint32_t(WidgetType::DynamicListbox)};
        const uint32_t type = types[round % 4];
        SCOPED_TRACE(testing::Message() << "round " << round << " type " << type);
        if (round == 0) {
            (void)load(wildPage(random, type));
        } else {
            platform.fileBytes = wildPage(random, type);
            (void)project.load(DString(u"memory.ddd"));
        }
        for (int step = 0; step < 12; ++step) {
            const DPoint point{int32_t(random() % 70) - 3, int32_t(random() % 70) - 3};
            switch (random() % 5) {
            case 0: project.onPointerDown(point); break;
            case 1: project.onPointerMove(point); break;
            case 2: project.onPointerUp(point); break;
            case 3:
                if (DItem* tag = item(localTag(random() % 4)); tag && tag->value().isNumber()) {
                    tag->value().setNumber(int32_t(wildWord(random)));
                    tag->value().markWritten();
                }
                break;
            default: break;
            }
            frame(uint32_t(random() % 300));
        }
        project.onPointerUp({0, 0});
        project.unload();
    }
}
