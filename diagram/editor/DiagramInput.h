#pragma once
// The editor's own input events, made by the window from its toolkit's events, and the
// answer the editor gives: the pointer shape and what to repaint. Points are client
// pixels of the editing window.

#include <cstdint>
#include <vector>

#include "diagram/CDiagramEntity.h"
#include "diagram/DiagramGeometry.h"

// Held modifier keys, a bit set.
enum DiagramModifier : uint32_t {
    kModifierNone = 0,
    kModifierShift = 1,
    kModifierControl = 2,
    kModifierAlt = 4,
};

struct DiagramMouseEvent {
    CDiagramPoint point;
    uint32_t modifiers = kModifierNone;
};

struct DiagramWheelEvent {
    int32_t delta = 0; // 120 per notch, positive away from the user
    CDiagramPoint point;
    uint32_t modifiers = kModifierNone;
};

// The keys the editor knows; any other key comes as Character with its character.
enum class DiagramKey {
    Character,
    Left,
    Right,
    Up,
    Down,
    PageUp,
    PageDown,
    Delete,
    Insert,
    Enter,
    Escape,
    Backspace,
    KeypadPlus,
    KeypadMinus,
};

struct DiagramKeyEvent {
    DiagramKey key = DiagramKey::Character;
    char16_t character = 0; // upper case for letters
    uint32_t modifiers = kModifierNone;
    bool operator==(const DiagramKeyEvent&) const = default;
};

enum class Handled { No, Yes };

struct DiagramResponse {
    DiagramCursor cursor = DiagramCursor::None;
    // Client rectangles to repaint, right and bottom edges outside.
    std::vector<CDiagramRect> repaint;
    Handled handled = Handled::Yes;
};
