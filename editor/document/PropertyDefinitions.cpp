#include "editor/document/PropertyDefinitions.h"

#include <iterator>

#include "editor/document/CObjectTypeTable.h"

// Where a class gives no description, the caption serves as one: an empty field would
// vanish from the text and shift the records after it.

#define VX_ACTION_SCRIPT u"string,_Action script,*,actionScript,(internal) action script,"
#define VX_TRANSPARENCY u"int,Transparency,0,transparency,Transparency,"
#define VX_STYLE(name) u"group,Style,string,Style name," name u",StyleName,Style name,"
#define VX_TICK_SPACING                                                                  \
    u"int,Tick distance,10,tickDistance,Distance between ticks (respecting value range)," \
    u"int,Label distance [ticks],2,labelDistance,Distance between labels,"
#define VX_ALARMS                                                 \
    u"int,Low alarm value,10,lowAlarm,Low alarm value,"           \
    u"int,High alarm value,90,highAlarm,High alarm value,"
#define VX_RANGE                                                  \
    u"int,Minimum value,0,minimum,Minimum value,"                 \
    u"int,Maximum value,100,maximum,Maximum value,"
#define VX_VALUE_TAG u"group,Data,list,Value tag,<tags>,tag,Value tag,"
#define VX_TICKS(color, width)                                                            \
    u"group,Ticks & Labels,"                                                              \
    u"list,Show ticks,Show|Hide,ticks,Show ticks?,"                                       \
    u"color,Tick color," color u",tickColor,Tick color,"                                  \
    u"int,Tick width," width u",tickWidth,Tick width,"                                    \
    u"int,Tick size [%],10,tickSize,Tick length,"

namespace {

constexpr std::u16string_view kCommon =
    u"group,none,string,Name,*,objectName,Object name,string,_Original name,*,originalName,Original object name,";

constexpr std::u16string_view kScaling =
    u"group,Scaling,int,A1,1,A1,A1 scaling factor (y=A1*x/A2+B),int,A2,1,A2,A2 scaling factor (y=A1*x/A2+B),"
    u"int,B,0,B,B scaling factor (y=A1*x/A2+B),";

constexpr std::u16string_view kNavigation =
    u"group,Navigation,list,Object left,<objects>,objectLeft,Left focusable object,list,Object up,<objects>,objectUp,"
    u"Up focusable object,list,Object right,<objects>,objectRight,Right focusable object,list,Object down,<objects>,"
    u"objectDown,Down focusable object,";

constexpr std::u16string_view kPage =
    u"group,Behavior,string,_Action script,*,actionScript,(internal) action script,group,Page,color,Background color,"
    u"0,color,Background color,int,Background transparency,0,transparency,Background transparency,relFile,"
    u"Background image,*,relPath,Background image (optional),list,Page type,Normal|Initial|Dialog|Window|Global|"
    u"ScreenSaver,pageType,Page type,list,Initial focus,<objects>,initialFocus,Initially focused object on page,";

// Image objects: image, dynamic image, window, tag trigger, timer.
constexpr std::u16string_view kImage =
    u"group,Appearance,"
    u"relFile,Image,%placeholder.jpg,relPath,Path to image file,"
    VX_TRANSPARENCY;

constexpr std::u16string_view kDynamicImage =
    u"group,Appearance,"
    VX_TRANSPARENCY
    u"group,Behavior,"
    u"int,Nr of images,3,nrImages,Nr of images,"
    u"RelFiles,Images,%placeholder.jpg|,relPaths,Paths to image files,"
    u"group,Data,"
    u"list,Value tag,<tags>,tag,Image index tag,";

constexpr std::u16string_view kWindow =
    u"group,Behavior,"
    u"list,Referenced page,<pages>,refPage,Referenced page,"
    u"list,Scrolling type,Static|Scrolling|Rotating,scrolType,Scrolling type,"
    u"list,Direction,Vertical|Horizontal,direction,Scrolling/rotating direction,"
    u"group,Data,"
    u"list,Position tag,<tags>,tag,Bidirectional tag with position of visible segment of referenced page,"
    u"list,Hide tag,<tags>,hideTag,Hide tag used to control popup feature,";

constexpr std::u16string_view kTagTrigger =
    u"group,Behavior,"
    VX_ACTION_SCRIPT
    u"group,Data,"
    u"list,Value tag,<tags>,tag,Tag which change is triggered,";

constexpr std::u16string_view kTimer =
    u"group,Behavior,"
    u"list,Mode,Forward|forward-Stop|Bidirectional|Backward|backward-Stop,mode,Timer mode,"
    u"int,Start value,0,start,Start value,"
    u"int,Stop value,100,stop,Stop value,"
    u"int,Step time [ms],1,step,Step time [ms],"
    VX_VALUE_TAG
    u"list,Timer disable tag,<tags>,disableTag,Stops timer if zero or negative,";

// Texts and message fields.
constexpr std::u16string_view kText =
    u"group,Appearance,"
    u"multiText,Text,text,text,Text,"
    u"list,Line alignment,Center|Top|Bottom,lineAlignment,Vertical alignment,"
    VX_TRANSPARENCY
    u"group,Behavior,"
    u"int,Nr of color states,0,states,Number of states,"
    u"Colors,Extra text colors,|,colors,Text colors,"
    u"group,Data,"
    u"list,Value tag,<tags>,tag,Color tag,";

constexpr std::u16string_view kMessageField =
    u"group,Appearance,"
    u"list,Line alignment,Top|Center|Bottom,lineAlignment,Vertical alignment,"
    VX_TRANSPARENCY
    u"group,Behavior,"
    u"int,Nr of text messages,3,nrMessages,Number of messages,"
    u"Messages,Text messages,message 1|message 2|message 3|,textMessages,Messages,"
    u"group,Data,"
    u"list,Value tag,<tags>,tag,Message index tag,";

// Fields: the type's fragment, then the common tail.
#define VX_FIELD_TAIL VX_TRANSPARENCY u"group,Data,list,Value tag,<tags>,tag,Value tag,"
#define VX_NUMERIC_FIELD                                                   \
    u"group,Appearance,"                                                   \
    u"int,Nr of digits,5,digits,Number of digits,"                         \
    u"int,Nr of decimal digits,0,decimal,Number of decimal digits,"        \
    u"list,Leading zeros,Hide|Show,leadingZeros,Show leading zeroes,"      \
    VX_FIELD_TAIL
#define VX_TEXT_FIELD u"group,Appearance," VX_FIELD_TAIL

constexpr std::u16string_view kNumericField = VX_NUMERIC_FIELD;
constexpr std::u16string_view kTextField = VX_TEXT_FIELD;
constexpr std::u16string_view kDateTimeField =
    u"group,Appearance,"
    u"list,DTC choice,Date|Time|Clock,choice,Field shows date or time or clock,"
    u"list,DTC format,<dtc>,format,Format of the field,"
    u"string,Separator,:,separator,Separator character(s),"
    VX_FIELD_TAIL;

// Indicator lights.
constexpr std::u16string_view kIndicatorLight =
    u"group,Appearance,"
    u"multiText,Text,light,text,Text,"
    u"relFile,Icon,*,relPath,Image,"
    VX_TRANSPARENCY
    u"group,Behavior,"
    u"int,Nr of color states,3,states,Number of states,"
    u"Colors,Light colors,ffff|ff00|ff|,colors,Indication colors,"
    u"group,Data,"
    u"list,Value tag,<tags>,tag,Light state tag,";

// Buttons; the indicator button adds its indicator records.
#define VX_BUTTON_ICON                                                  \
    u"group,Appearance,"                                                \
    u"multiText,Text,button,text,Text on the object,"                   \
    u"relFile,Icon,*,relPath,Image on the object,"                      \
    u"int,Icon size [%],100,iconSize,Icon size [%],"                    \
    u"int,Icon offset [%],0,iconOffset,Minimal icon offset,"
#define VX_BUTTON_BEHAVIOR                                              \
    u"group,Behavior,"                                                  \
    u"list,Button type,Normal|Toggle,buttonType,Button type,"           \
    VX_ACTION_SCRIPT
#define VX_BUTTON_TAGS                                                  \
    u"list,Button state tag,<tags>,tag,Pressed/released tag,"           \
    u"list,Button disable tag,<tags>,disableTag,Disables button if zero or negative,"

constexpr std::u16string_view kIndicatorButton =
    VX_BUTTON_ICON
    u"list,Indicator size form,By percentage|By constant value,sizeForm,"
    u"The method of indicator size presentation (by percentage is preferred),"
    u"int,Indicator size,50,indicatorSize,Indicator size,"
    VX_TRANSPARENCY
    VX_BUTTON_BEHAVIOR
    u"int,Nr of color states,3,states,Number of indicator states,"
    u"Colors,Indicator colors,ffff|ff00|ff|,colors,Colors used for indicator states,"
    u"group,Data,"
    u"list,Value tag,<tags>,indicatorTag,Indicator state tag,"
    VX_BUTTON_TAGS;

constexpr std::u16string_view kButton =
    VX_BUTTON_ICON
    VX_TRANSPARENCY
    VX_BUTTON_BEHAVIOR
    u"group,Data,"
    VX_BUTTON_TAGS;

// Bar graphs: the image bar and the colour bar differ in their first record.
#define VX_BAR_TAIL                                                                   \
    u"list,Propagation from,Bottom|Left|Top|Right,direction,Values propagate from this direction," \
    VX_TRANSPARENCY                                                                   \
    u"group,Behavior,"                                                                \
    VX_RANGE                                                                          \
    u"int,Low alarm value,10,lowAlarm,Lowest allowed value,"                          \
    u"int,High alarm value,90,highAlarm,Highest allowed value,"                       \
    VX_ACTION_SCRIPT                                                                  \
    VX_VALUE_TAG \
    VX_TICKS(u"16776960", u"2") \
    u"list,Tick alignment,Top/Left|Center|Bottom/Right|Dual,tickAlignment,Tick alignment," \
    u"list,Tick placement,Inner|Outer,tickPosition,Tick placement,"                   \
    VX_TICK_SPACING

constexpr std::u16string_view kImageBar =
    u"group,Appearance,"
    u"relFile,Bar fill image,%colorbar.jpg,relPath,Image used to fill bargraph area,"
    VX_BAR_TAIL;

constexpr std::u16string_view kColorBar =
    u"group,Appearance,"
    u"Colors,Gradient colors,ffff|ff|,colors,Starting and ending colors,"
    VX_BAR_TAIL;

constexpr std::u16string_view kMeter =
    u"group,Appearance,"
    u"int,Start angle [degrees],60,startAngle,Start angle [degrees],"
    u"int,End angle [degrees],300,endAngle,End angle [degrees],"
    u"list,Direction,Clockwise|Counterclockwise,direction,Direction,"
    u"list,Needle type,Image|Shape,needleType,Needle type,"
    u"int,Needle size [%],80,needleSize,Needle size [%],"
    VX_TRANSPARENCY
    u"int,Needle transparency,0,needleTransparency,Needle transparency,"
    u"group,Behavior,"
    VX_RANGE
    VX_ALARMS
    u"int,Discrete value step,1,discreteStep,Discrete value step,"
    VX_ACTION_SCRIPT
    VX_VALUE_TAG
    VX_TICKS(u"16776960", u"2")
    u"int,Tick offset [%],3,tickPosition,Tick's distance from the rim,"
    u"list,Tick alignment,Inner|Center|Outter,tickAlignment,Tick alignment,"
    VX_TICK_SPACING;

// Sliders and knobs share everything but their geometry records.
#define VX_THUMB                                                         \
    u"int,Thumb size [%],60,thumbSize,Thumb size (can be > 100),"        \
    VX_TRANSPARENCY                                                      \
    u"int,Thumb transparency,0,thumbTransparency,Thumb transparency,"    \
    u"group,Behavior,"                                                   \
    VX_RANGE                                                             \
    u"int,Discrete value step,1,discreteStep,Discrete value step,"       \
    VX_ACTION_SCRIPT                                                     \
    VX_VALUE_TAG \
    VX_TICKS(u"16776960", u"2")
#define VX_THUMB_TAIL                                                    \
    u"list,Tick placement,Inner|Outer,tickPlacement,Tick placement,"     \
    VX_TICK_SPACING

constexpr std::u16string_view kSlider =
    u"group,Appearance,"
    u"list,Propagation from,Left|Top|Right|Bottom,direction,Values propagate from,"
    u"int,Channel width,4,channelWidth,Channel width,"
    u"int,Channel offset,30,channelOffset,Channel offset,"
    VX_THUMB
    u"int,Tick offset [%],0,tickPosition,Tick's distance from center (Inner placement) or border (Outer placement),"
    u"list,Tick alignment,Top/Left|Center|Bottom/Right|Dual,tickAlignment,Tick alignment,"
    VX_THUMB_TAIL;

constexpr std::u16string_view kKnob =
    u"group,Appearance,"
    u"int,Start angle [degrees],60,startAngle,Start angle [degrees],"
    u"int,End angle [degrees],300,endAngle,End angle [degrees],"
    u"list,Direction,Clockwise|Counterclockwise,direction,Direction,"
    u"int,Thumb offset [%],5,thumbOffset,Thumb offset [%],"
    VX_THUMB
    u"int,Tick offset [%],3,tickPosition,Tick's distance from the rim,"
    VX_THUMB_TAIL;

// List boxes: the fixed one has item titles, the dynamic one a text list tag.
#define VX_LIST_BOX_HEAD                                                                 \
    u"group,Appearance,"                                                                 \
    u"int,Maximum items,10,maximum,Maximum number of items,"                             \
    u"list,Item size form,By visible items|By item height,sizeForm,"                     \
    u"The method of item size presentation (by visible items is preferred),"             \
    u"int,Item height,30,height,Height of items,"                                        \
    u"int,Visible items,8,visibleItems,Number of visible items,"                         \
    u"int,Transparency,0,transparency,Item transparency,"                                \
    u"group,Behavior,"                                                                   \
    u"list,Scrolling type,Scrolling|Rotating,scrolType,Scrolling type,"                  \
    u"list,Selection type,On touch|Fixed to center,selType,Selection type,"              \
    u"list,On release,Slow down|Stop immediately,onRelease,Behavior on release scrolling,"
#define VX_LIST_BOX_VALUE \
    VX_ACTION_SCRIPT u"group,Data,list,Value tag,<tags>,tag,Bidirectional tag with index of selected item,"

constexpr std::u16string_view kListBox =
    VX_LIST_BOX_HEAD
    u"Messages,Item titles,item 1|item 2|item 3|,itemTitles,Item titles,"
    VX_LIST_BOX_VALUE;

constexpr std::u16string_view kDynamicListBox =
    VX_LIST_BOX_HEAD
    u"string,Text list separator,/,separator,text list separator character,"
    VX_LIST_BOX_VALUE
    u"list,Text list tag,<tags>,listTag,Tag with list of all item texts,";

constexpr std::u16string_view kTicker =
    u"group,Appearance,"
    u"relFile,Image,%ticker.jpg,relPath,Path to image,"
    VX_TRANSPARENCY
    u"group,Behavior,"
    u"list,Scrolling type,Scrolling|Rotating,scrolType,Scrolling type,"
    u"int,Speed pixels,5,scrollSpeedPixels,Scrolling speed in pixels,"
    u"int,Speed interval [ms],100,scrollSpeedInterval,Update interval in ms,";

constexpr std::u16string_view kGraph =
    u"group,Appearance,"
    u"int,Border width,10,borderWidth,Border width,"
    u"color,Signal color,16776176,signalColor,Signal color,"
    u"list,Static signal type,Line|Dot,staticType,Static signal type,"
    u"list,Dynamic signal type,Sliding|Overlapping,dynamicType,Dynamic signal type,"
    VX_TRANSPARENCY
    u"int,Signal transparency,0,signalTransparency,Signal transparency,"
    u"group,Behavior,"
    u"int,Nr of samples in second,2,nrSamples,Nr of samples in second,"
    u"int,Sample distance [pixels],3,sampleDistance,Distance between samples,"
    VX_RANGE
    VX_ALARMS
    VX_ACTION_SCRIPT
    VX_VALUE_TAG
    VX_TICKS(u"8388608", u"1")
    u"list,Tick alignment,Top/Left|Center|Bottom/Right,tickAlignment,Tick alignment,"
    VX_TICK_SPACING
    u"group,Grids,"
    u"list,Show horizontal grids,Show with labels|Show with ticks|Hide,grids,Horizontal grid type,"
    u"list,Show vertical grids,Show|Hide,verticalGrids,Vertical grid type,"
    u"list,Grid style,Dotted line|Full line,gridStyle,Grid style,"
    u"color,Grid color,10066176,gridColor,Grid color,"
    u"int,Grid distance [seconds],10,gridDistance,Distance between vertical grid lines,";

constexpr std::u16string_view kAqua = VX_STYLE(u"Aqua");
constexpr std::u16string_view kVistaLike = VX_STYLE(u"Vista-like");

constexpr uint32_t kScaled = TRAIT_SCALING;
constexpr uint32_t kFocus = TRAIT_FOCUSABLE;

constexpr CTypePropertyDefinitions kDefinitions[] = {
    {1, kImage, {}, TRAIT_NONE, 0, 0},
    {2, kText, {}, TRAIT_NONE, 20, 0},
    {3, kNumericField, {}, kScaled, 20, 2},
    {4, kNumericField, {}, kScaled | kFocus, 20, 2},
    {5, kTextField, {}, TRAIT_NONE, 20, 0},
    {6, kTextField, {}, kFocus, 20, 0},
    {7, kDateTimeField, {}, TRAIT_NONE, 20, 0},
    {8, kMessageField, {}, TRAIT_NONE, 20, 0},
    {9, kDynamicImage, {}, TRAIT_NONE, 0, 0},
    {10, kIndicatorLight, kAqua, TRAIT_NONE, 14, 1},
    {11, kIndicatorButton, kVistaLike, kFocus, 16, 1},
    {12, kImageBar, {}, kScaled | TRAIT_TICK_ALIGNMENT, 0, 0},
    {13, kColorBar, {}, kScaled | TRAIT_TICK_ALIGNMENT, 0, 0},
    {14, kMeter, kAqua, kScaled, 0, 0},
    {15, kGraph, kAqua, kScaled | TRAIT_TICK_ALIGNMENT, 0, 0},
    {16, kTicker, {}, TRAIT_NONE, 0, 0},
    {17, kButton, kVistaLike, kFocus, 16, 1},
    {18, kSlider, kAqua, kScaled | kFocus | TRAIT_TICK_ALIGNMENT, 0, 0},
    {19, kKnob, kAqua, kScaled | kFocus, 0, 0},
    {20, kListBox, kAqua, kFocus, 13, 1},
    {21, kDynamicListBox, kAqua, kFocus, 13, 1},
    {22, kWindow, {}, TRAIT_NONE, 0, 0},
    {23, kTagTrigger, {}, TRAIT_INVISIBLE, 0, 0},
    {24, kTimer, {}, TRAIT_INVISIBLE, 0, 0},
    // Semaphores and the shapes declare nothing of their own.
    {25, {}, {}, TRAIT_NONE, 0, 0},
    {26, {}, {}, TRAIT_NONE, 0, 0},
    {27, {}, {}, TRAIT_NONE, 0, 0},
    {28, {}, {}, TRAIT_NONE, 0, 0},
    {29, {}, {}, TRAIT_NONE, 0, 0},
    {kPageObjectType, kPage, {}, TRAIT_INVISIBLE, 0, 0},
};
static_assert(std::size(kDefinitions) == kPageObjectType);

} // namespace

std::u16string_view PropertyDefinitions::Common() { return kCommon; }
std::u16string_view PropertyDefinitions::Scaling() { return kScaling; }
std::u16string_view PropertyDefinitions::Navigation() { return kNavigation; }
std::u16string_view PropertyDefinitions::Page() { return kPage; }

const CTypePropertyDefinitions* PropertyDefinitions::ForType(int32_t typeIndex)
{
    if (typeIndex < kFirstObjectType || typeIndex > kPageObjectType)
        return nullptr;
    return &kDefinitions[typeIndex - 1];
}
