#pragma once
// Object records of the engine's widgets on a built page: each writer fills the class data
// record of foundation/target and writes it, then the element records in the order their
// header lays down. Tests and benchmarks share them. Rectangles are exclusive (right and
// bottom one past the edge), as the builder's elements take them.

#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "engine/widgets/DCompositeObject_Bargraph.h"
#include "engine/widgets/DCompositeObject_Meter.h"
#include "engine/widgets/DCompositeObject_NumericField.h"
#include "engine/widgets/DCompositeObject_Trend.h"
#include "engine/widgets/DThumbWidget.h"
#include "foundation/DGeometry.h"
#include "foundation/target/TargetButtonWords.h"
#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetClassData.h"
#include "foundation/target/TargetElement.h"
#include "foundation/target/TargetFieldWords.h"
#include "foundation/target/TargetFields.h"
#include "foundation/target/TargetImageWords.h"
#include "foundation/target/TargetLightWords.h"
#include "foundation/target/TargetListBoxWords.h"
#include "foundation/target/TargetPage.h"
#include "foundation/target/TargetTag.h"
#include "foundation/target/TargetTextWords.h"
#include "foundation/target/TargetSliderWords.h"
#include "foundation/target/TargetTickerWords.h"
#include "foundation/target/TargetTrendWords.h"
#include "tests/support/TargetBuilder.h"

namespace vx::test {

// A font file from Debian's DejaVu package, whole.
inline std::vector<uint8_t> fontBytes(const char* name)
{
    std::ifstream in(std::string("/usr/share/fonts/truetype/dejavu/") + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline const std::vector<uint8_t>& sansBytes()
{
    static const std::vector<uint8_t> bytes = fontBytes("DejaVuSans.ttf");
    return bytes;
}

inline void writeElement(TargetBuilder::Page& page, target::ElementKind kind, const DRect& area, uint32_t flags)
{
    page.element(kind, area.left, area.top, area.right, area.bottom, flags);
}

// One element of an object: its kind and area, visible unless flags say otherwise.
struct ElementSpec {
    target::ElementKind kind;
    DRect area;
    uint32_t flags = target::kElementFlagVisible;
};

// The object most widgets are: the class words, then the elements in record order.
template <class Words>
void writeObject(TargetBuilder::Page& page, target::WidgetType type, const Words& words,
                 std::initializer_list<ElementSpec> elements, const TargetBuilder::Actions& actions)
{
    page.object(
        uint32_t(type),
        [&](DRIFFFile& file) {
            target::writeClassData(file, words);
            for (const ElementSpec& element : elements)
                writeElement(page, element.kind, element.area, element.flags);
        },
        actions);
}

inline void writePlaceholder(TargetBuilder::Page& page)
{
    target::writeRecord(page.file(), target::PlaceholderRecord{});
}

// A picture element where an image is given, the editor's placeholder where none is.
inline void writePictureOrPlaceholder(TargetBuilder::Page& page, uint32_t image, const DRect& area)
{
    if (image)
        writeElement(page, target::ElementKind::UnscaledBitmap, area, target::kElementFlagVisible);
    else
        writePlaceholder(page);
}

struct TextWords {
    uint32_t font = 0;
    uint32_t size = 20;
    uint32_t style = target::TextStyle{}.word();
    uint32_t colour = 0xFF000000u;
    std::u16string_view name = u"";
};

// A text element over the exclusive rectangle, then its words.
inline void textElement(TargetBuilder::Page& page, int32_t left, int32_t top, int32_t right, int32_t bottom,
                        uint32_t flags, const TextWords& text)
{
    page.element(target::ElementKind::Text, left, top, right, bottom, flags);
    target::TextElementWords words;
    words.fontReference = text.font;
    words.pixelSize = text.size;
    words.style = text.style;
    words.color = text.colour;
    for (std::size_t i = 0; i < text.name.size() && i < words.name.size(); ++i)
        words.name[i] = text.name[i];
    target::writeRecord(page.file(), words);
}

// Numeric (3, 4), text (5, 6) and date/time (7) fields: the class data of the kind, the
// text element and a placeholder for the frame picture.
struct FieldRecord {
    target::WidgetType type = target::WidgetType::NumericField;
    DCompositeObject_NumericField::Format format{};
    target::TagReference tag = target::TagReference::none();
    uint32_t style = target::TextStyle{}.word();
    DRect rect{0, 0, 60, 20};
    uint32_t flags = target::kElementFlagVisible;
    uint32_t dateCode = 0;
    target::DateTimeSeparator separator{};
};

// The text draws with the font chunk at the given offset.
inline void writeField(TargetBuilder::Page& page, uint32_t font, const FieldRecord& field,
                       const TargetBuilder::Actions& actions = {})
{
    page.object(
        uint32_t(field.type),
        [&](DRIFFFile& file) {
            if (field.type == target::WidgetType::NumericField ||
                field.type == target::WidgetType::EditableNumericField) {
                target::NumericFieldWords words;
                words.format = target::NumericFieldWords::formatWord(field.format.digits, field.format.decimals);
                words.flags = field.format.leadingZeros ? target::NumericFieldWords::kFlagLeadingZeros : 0;
                words.multiplier = field.format.multiplier;
                words.divisor = field.format.divisor;
                words.offset = field.format.offset;
                words.access = target::NumericFieldWords::kAccessRead;
                words.valueTag = field.tag;
                target::writeClassData(file, words);
            } else if (field.type == target::WidgetType::DateTimeField) {
                target::writeClassData(file, target::DateTimeFieldWords{0, field.dateCode, field.separator, field.tag});
            } else {
                target::writeClassData(file, target::TextFieldWords{0, field.tag});
            }
            TextWords words;
            words.font = font;
            words.style = field.style;
            textElement(page, field.rect.left, field.rect.top, field.rect.right, field.rect.bottom, field.flags,
                        words);
            writePlaceholder(page);
        },
        actions);
}

// An image bar (12) or a colour bar (13): the bar's picture or solid rectangle, then the
// frame picture, both over the area.
struct BarGraphRecord {
    target::WidgetType type = target::WidgetType::ColorBar;
    DCompositeObject_Bargraph::Words words;
    target::TagReference tag = target::TagReference::none();
    DRect area;
};

inline void writeBarGraph(TargetBuilder::Page& page, const BarGraphRecord& bar,
                          const TargetBuilder::Actions& actions = {})
{
    const bool image = bar.type == target::WidgetType::ImageBar;
    writeObject(page, bar.type, target::BarGraphClassData{bar.words, bar.tag},
                {{image ? target::ElementKind::UnscaledBitmap : target::ElementKind::SolidRect, bar.area},
                 {target::ElementKind::UnscaledBitmap, bar.area}},
                actions);
}

// A meter: its class data; the needle (a solid triangle, a rotating picture or a
// placeholder) and the dial picture over the area.
struct MeterRecord {
    DCompositeObject_Meter::Words words;
    target::TagReference tag = target::TagReference::none();
    uint32_t step = 1;
    target::ElementKind needle = target::ElementKind::SolidTriangle;
    DRect area;
};

inline void writeMeter(TargetBuilder::Page& page, const MeterRecord& meter, const TargetBuilder::Actions& actions = {})
{
    writeObject(page, target::WidgetType::Meter, target::MeterClassData{{meter.words, meter.tag}, meter.step},
                {{meter.needle, meter.area}, {target::ElementKind::UnscaledBitmap, meter.area}}, actions);
}

// The count word is written as given, so a record may claim more images than it holds.
struct DynamicImageRecord {
    std::vector<uint32_t> images;
    uint32_t count = 0;
    target::TagReference tag = target::TagReference::none();
    DRect area{0, 0, 4, 4};
};

inline void writeDynamicImage(TargetBuilder::Page& page, const DynamicImageRecord& dynamic,
                              const TargetBuilder::Actions& actions = {})
{
    writeObject(page, target::WidgetType::DynamicImage,
                target::DynamicImageClassData{{dynamic.count}, dynamic.images, {0, dynamic.tag}},
                {{target::ElementKind::UnscaledBitmap, dynamic.area}}, actions);
}

// The frame picture lies over the message's area; without a frame image it is the
// editor's placeholder.
struct MessageFieldRecord {
    uint32_t frame = 0;
    std::vector<uint32_t> messages;
    uint32_t count = 0;
    target::TagReference tag = target::TagReference::none();
    DRect area{0, 0, 4, 4};
};

inline void writeMessageField(TargetBuilder::Page& page, const MessageFieldRecord& field,
                              const TargetBuilder::Actions& actions = {})
{
    page.object(
        uint32_t(target::WidgetType::MessageField),
        [&](DRIFFFile& file) {
            target::writeClassData(file,
                                   target::MessageFieldClassData{{field.frame, field.count}, field.messages, field.tag});
            writeElement(page, target::ElementKind::UnscaledBitmap, field.area, target::kElementFlagVisible);
            writePictureOrPlaceholder(page, field.frame, field.area);
        },
        actions);
}

// Primitives top first: the second and first overlays (placeholders where absent) and the
// state picture over the area, then the frame over its own area.
struct IndicatorLightRecord {
    uint32_t frame = 0;
    std::vector<uint32_t> states;
    uint32_t count = 0;
    target::TagReference tag = target::TagReference::none();
    uint32_t overlay1 = 0, overlay2 = 0;
    DRect area{0, 0, 4, 4};
    DRect frameArea{0, 0, 8, 8};
};

inline void writeIndicatorLight(TargetBuilder::Page& page, const IndicatorLightRecord& light,
                                const TargetBuilder::Actions& actions = {})
{
    page.object(
        uint32_t(target::WidgetType::IndicatorLight),
        [&](DRIFFFile& file) {
            target::writeClassData(file, target::IndicatorLightClassData{{light.frame, light.count, 0}, light.states,
                                                                         {light.tag, light.overlay1, light.overlay2}});
            for (const uint32_t overlay : {light.overlay2, light.overlay1})
                writePictureOrPlaceholder(page, overlay, light.area);
            writeElement(page, target::ElementKind::UnscaledBitmap, light.area, target::kElementFlagVisible);
            writeElement(page, target::ElementKind::UnscaledBitmap, light.frameArea, target::kElementFlagVisible);
        },
        actions);
}

// The scrolling list element of a list box: its scroll mode and list words.
struct ScrollingListRecord {
    DRect area;
    uint32_t mode = target::ScrollingWords::kModeScrolling;
    uint32_t maximum = 0;
    int32_t rowHeight = 0;
    target::ListSelection selection = target::ListSelection::OnTouch;
    uint32_t slowDown = 0;
    uint32_t flags = target::kElementFlagVisible | target::kElementFlagTouchable;
};

inline void writeScrollingList(TargetBuilder::Page& page, const ScrollingListRecord& list)
{
    writeElement(page, target::ElementKind::ScrollingList, list.area, list.flags);
    target::ScrollingWords mode;
    mode.mode = list.mode;
    target::writeRecord(page.file(), mode);
    target::ScrollingListWords words;
    words.maximumItems = list.maximum;
    words.itemHeight = list.rowHeight;
    words.firstItemOffset = target::ScrollingListWords::firstItemOffsetFor(list.rowHeight, list.area.top,
                                                                           list.area.bottom - 1, list.selection);
    words.slowDown = list.slowDown;
    target::writeRecord(page.file(), words);
}

// A list box of row images: its class data and the list.
struct ListboxRecord {
    uint32_t normal = 0, selected = 0, focusedSelected = 0;
    std::vector<uint32_t> rows;
    target::TagReference selectionTag = target::TagReference::none();
    ScrollingListRecord list;
};

inline void writeListbox(TargetBuilder::Page& page, const ListboxRecord& box,
                         const TargetBuilder::Actions& actions = {})
{
    page.object(
        uint32_t(target::WidgetType::Listbox),
        [&](DRIFFFile& file) {
            target::writeClassData(file, target::ListboxClassData{{box.normal, box.selected, box.focusedSelected},
                                                                  {uint32_t(box.rows.size())}, box.rows, box.selectionTag});
            writeScrollingList(page, box.list);
        },
        actions);
}

// A trend: its class data; the graph over the plot, the frame picture over its own area.
struct TrendRecord {
    DCompositeObject_Trend::ClassWords words;
    target::TagReference tag = target::TagReference::none();
    DRect plot;
    DRect frameArea;
};

inline void writeTrend(TargetBuilder::Page& page, const TrendRecord& trend, const TargetBuilder::Actions& actions = {})
{
    writeObject(page, target::WidgetType::Trend, target::TrendClassData{trend.words, trend.tag},
                {{target::ElementKind::Graph, trend.plot}, {target::ElementKind::UnscaledBitmap, trend.frameArea}},
                actions);
}

// A ticker: speed, period, overflow and the strip image; the scroller with its mode.
struct TickerRecord {
    int32_t speed = 0;
    uint32_t period = 0;
    uint32_t overflow = 0;
    uint32_t strip = 0;
    uint32_t mode = target::ScrollingWords::kModeScrolling;
    DRect area;
};

inline void writeTicker(TargetBuilder::Page& page, const TickerRecord& ticker,
                        const TargetBuilder::Actions& actions = {})
{
    page.object(
        uint32_t(target::WidgetType::Ticker),
        [&](DRIFFFile& file) {
            target::writeClassData(file, target::TickerClassData{
                                             {ticker.speed, ticker.period, ticker.overflow, ticker.strip}});
            writeElement(page, target::ElementKind::ScrollingBitmap, ticker.area, target::kElementFlagVisible);
            target::ScrollingWords words;
            words.mode = ticker.mode;
            target::writeRecord(file, words);
        },
        actions);
}

// A static image (1): the image offset and its picture over the area.
inline void writeStaticImage(TargetBuilder::Page& page, uint32_t image, const DRect& area,
                             const TargetBuilder::Actions& actions = {})
{
    writeObject(page, target::WidgetType::StaticImage, target::StaticImageWords{image},
                {{target::ElementKind::UnscaledBitmap, area}}, actions);
}

// A static text (2) as the editor writes it: no frame image, the text picture over the
// area, and a placeholder for the frame picture.
inline void writeStaticText(TargetBuilder::Page& page, uint32_t text, const DRect& area,
                            const TargetBuilder::Actions& actions = {})
{
    page.object(
        uint32_t(target::WidgetType::StaticText),
        [&](DRIFFFile& file) {
            target::writeClassData(file, target::StaticTextWords{0, text});
            writeElement(page, target::ElementKind::UnscaledBitmap, area, target::kElementFlagVisible);
            writePlaceholder(page);
        },
        actions);
}

// A rectangle (26): one ARGB colour over the area.
inline void writeRectangle(TargetBuilder::Page& page, uint32_t argb, const DRect& area,
                           const TargetBuilder::Actions& actions = {})
{
    writeObject(page, target::WidgetType::Rectangle, target::RectangleWords{argb},
                {{target::ElementKind::SolidRect, area}}, actions);
}

// The seven pictures of a button, in the record's order but for the unused word.
struct ButtonFaces {
    uint32_t released = 0, pressed = 0, latched = 0, focused = 0, latchedFocused = 0, decoration1 = 0,
             decoration2 = 0;
};

// A button (17) or indicator button (11): its class data; then decoration 2 and 1 over
// the face (placeholders where absent), the indicator picture, the face.
struct ButtonRecord {
    target::WidgetType type = target::WidgetType::Button;
    uint32_t mode = 0;
    ButtonFaces faces;
    target::TagReference state = target::TagReference::none();
    target::TagReference enable = target::TagReference::none();
    DRect area;
    uint32_t faceFlags = target::kElementFlagVisible | target::kElementFlagTouchable;
    std::vector<uint32_t> indicators;
    target::TagReference indicatorTag = target::TagReference::none();
    DRect indicatorArea;
};

inline void writeButton(TargetBuilder::Page& page, const ButtonRecord& button,
                        const TargetBuilder::Actions& actions = {})
{
    const bool indicator = button.type == target::WidgetType::IndicatorButton;
    page.object(
        uint32_t(button.type),
        [&](DRIFFFile& file) {
            const ButtonFaces& f = button.faces;
            target::ButtonWords words;
            words.mode = button.mode;
            words.releasedImage = f.released;
            words.pressedImage = f.pressed;
            words.latchedImage = f.latched;
            words.focusedImage = f.focused;
            words.latchedFocusedImage = f.latchedFocused;
            words.iconImage = f.decoration1;
            words.textImage = f.decoration2;
            words.stateTag = button.state;
            words.disableTag = button.enable;
            if (indicator)
                target::writeClassData(file, target::IndicatorButtonClassData{
                                                 words, {{uint32_t(button.indicators.size()), 0}, button.indicators,
                                                         button.indicatorTag}});
            else
                target::writeClassData(file, words);
            writePictureOrPlaceholder(page, f.decoration2, button.area);
            writePictureOrPlaceholder(page, f.decoration1, button.area);
            if (indicator)
                writeElement(page, target::ElementKind::UnscaledBitmap, button.indicatorArea,
                             target::kElementFlagVisible);
            writeElement(page, target::ElementKind::UnscaledBitmap, button.area, button.faceFlags);
        },
        actions);
}

// A slider (18) or knob (19): its class data; the thumb, then the track or dial.
struct ThumbWidgetRecord {
    target::WidgetType type = target::WidgetType::Slider;
    DThumbWidget::Words words;
    target::TagReference tag = target::TagReference::none();
    uint32_t step = 1;
    DRect thumb, track;
    uint32_t thumbFlags = target::kElementFlagVisible | target::kElementFlagTouchable;
    uint32_t trackFlags = target::kElementFlagVisible | target::kElementFlagTouchable;
};

inline void writeThumbWidget(TargetBuilder::Page& page, const ThumbWidgetRecord& widget,
                             const TargetBuilder::Actions& actions = {})
{
    writeObject(page, widget.type, target::SliderClassData{{widget.words, widget.tag}, widget.step},
                {{target::ElementKind::UnscaledBitmap, widget.thumb, widget.thumbFlags},
                 {target::ElementKind::UnscaledBitmap, widget.track, widget.trackFlags}},
                actions);
}

// A dynamic list box: its class data, the list, then the text template over the list's
// area.
struct DynamicListboxRecord {
    uint32_t normal = 0, selected = 0, focusedSelected = 0;
    char16_t separator = 0;
    target::TagReference items = target::TagReference::none();
    target::TagReference selectionTag = target::TagReference::none();
    ScrollingListRecord list;
    target::TextElementWords text;
};

inline void writeDynamicListbox(TargetBuilder::Page& page, const DynamicListboxRecord& box,
                                const TargetBuilder::Actions& actions = {})
{
    page.object(
        uint32_t(target::WidgetType::DynamicListbox),
        [&](DRIFFFile& file) {
            target::writeClassData(file, target::DynamicListboxClassData{{box.normal, box.selected, box.focusedSelected},
                                                                         {box.separator, box.items, box.selectionTag}});
            writeScrollingList(page, box.list);
            writeElement(page, target::ElementKind::Text, box.list.area, target::kElementFlagVisible);
            target::writeRecord(file, box.text);
        },
        actions);
}

// A timer (24): its class data and the editor's placeholder.
struct TimerRecord {
    uint32_t mode = 0;
    int32_t start = 0, stop = 0, stepTime = 0;
    target::TagReference value = target::TagReference::none();
    target::TagReference enable = target::TagReference::none();
};

inline void writeTimer(TargetBuilder::Page& page, const TimerRecord& timer, const TargetBuilder::Actions& actions = {})
{
    page.object(
        uint32_t(target::WidgetType::Timer),
        [&](DRIFFFile& file) {
            target::writeClassData(file, target::TimerWords{timer.mode, timer.start, timer.stop, timer.stepTime,
                                                             timer.value, timer.enable});
            writePlaceholder(page);
        },
        actions);
}

// A tag trigger (23): the watched tag and the editor's placeholder.
inline void writeTrigger(TargetBuilder::Page& page, const target::TagReference& watched,
                         const TargetBuilder::Actions& actions = {})
{
    page.object(
        uint32_t(target::WidgetType::Trigger),
        [&](DRIFFFile& file) {
            target::writeClassData(file, target::TriggerWords{watched});
            writePlaceholder(page);
        },
        actions);
}

} // namespace vx::test
