#pragma once
// What widgets do with their tags: bind and unbind a set of them, and write a number
// that the controller writes through at its next update.

#include <cstdint>
#include <initializer_list>

#include "engine/tags/DItemDescriptor.h"
#include "engine/core/DProject.h"

class DItemObserver;

class DWidgetTags {
public:
    // Descriptors that name no tag are skipped.
    static void bind(DProject* project, DItemObserver& observer, DProject::Binding binding,
                     std::initializer_list<DItemDescriptor*> tags);
    // Unwatches the tags that are bound and forgets their items, so a later show binds afresh.
    static void unbind(DProject* project, DItemObserver& observer, std::initializer_list<DItemDescriptor*> tags);
    // Assigns a 32-bit number to the bound item and marks it written, only when the item
    // does not hold that very value already. Nothing without a bound item.
    static void writeNumber(const DItemDescriptor& tag, int32_t number);
    // Writes a number into a number tag the widget itself shows, only when it differs. The
    // widget's acceptance flag is down meanwhile: the notification of its own write must
    // not move it.
    static void writeOwnNumber(const DItemDescriptor& tag, int32_t number, bool& acceptValueChanges);
    // The value as widgets read it: a 16-bit value unsigned, a 32-bit one whole, others 0.
    [[nodiscard]] static uint32_t number(const DItem& item);
};
