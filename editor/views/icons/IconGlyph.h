#pragma once
// What an icon shows: a main picture, its accent colour and an optional small badge in
// the lower right corner. Many commands share a picture and differ by badge, so the set
// stays consistent in style.

#include <QRgb>

enum class Glyph {
    None,
    // files and the application
    Sheet, Folder, Disk, Printer, Door, Chip, Gear, Program,
    // clipboard and editing
    Clipboard, Scissors, Copies, Undo, Redo,
    // text
    LetterB, LetterI, LetterU, TextLeft, TextCentre, TextRight, TextRtl, FontGrow, FontShrink, FontColour,
    // arranging
    Group, Ungroup, OrderUp, OrderDown, ToFront, ToBack, AlignLeft, AlignRight, AlignTop, AlignBottom,
    OriginalSize,
    // pages and project settings
    Bucket, Resize, Hand, Clock, Repeat, Hourglass, Monitor, ArrowsHorizontal, ArrowsVertical, Briefcase,
    DialogBox, WindowFrame,
    // view
    Magnifier, FitScreen, GridDots, GridLines, Pane,
    // target
    Play, Binary,
    // panes and frame
    Tree, Properties, Output, Palette, Help, About,
    // object kinds
    ObjButton, ObjIndicatorButton, ObjImage, ObjNumeric, ObjTextField, ObjDateTime, ObjMessage, ObjDynamicImage,
    ObjLight, ObjColorBar, ObjImageBar, ObjKnob, ObjSlider, ObjMeter, ObjPolygon, ObjRectangle, ObjEllipse,
    ObjLine, ObjText, ObjSemaphore, ObjTrigger, ObjGraph, ObjTimer, ObjTicker, ObjListBox, ObjDynamicListBox,
    ObjWindow, ObjEditNumeric, ObjEditText, ObjGeneric,
    // overlays of the objects tree
    OverlayScript, OverlayLock, OverlayPin,
    // actions
    Tag, Bulb, BulbOff, Layers, Crosshair, Compare, Fork, EndBlock, StringTag, KeyCap, Moon,
};

enum class Badge {
    None, Plus, Minus, Cross, ArrowRight, ArrowLeft, ArrowIn, ArrowUp, ArrowDown, Pencil, Lightning, Magnifier,
    Star, Globe, Equals, Times, Divide, Amp, Eye, Home, Back, Question, Check, ArrowsHorizontal, ArrowsVertical,
    Crosshair, Folder, Moon, Dot, Link,
};

struct IconSpec {
    Glyph glyph = Glyph::None;
    QRgb accent = 0;
    Badge badge = Badge::None;
};
