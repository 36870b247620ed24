#pragma once
// Writes one action block (layout in TargetActions.h) into a chunk, patching the group
// count, each group's action count and each action's argument byte count in place.
//
//   ActionBlockWriter block(page);
//   block.beginGroup(trigger, keyWord);
//   block.beginAction(number); block.writeTagArgument(tag); block.writeWordArgument(5);
//   block.finish();

#include <cstdint>
#include <string_view>

#include "foundation/DRIFFFile.h"
#include "foundation/target/TargetActions.h"

namespace target {

class ActionBlockWriter {
public:
    // Writes the group count word (0 until finish).
    explicit ActionBlockWriter(DRIFFFile& file);

    // Ends an open group and starts another; the key word is written for the key
    // triggers 12 to 14 only (keyWord is ignored for the others).
    void beginGroup(uint32_t trigger, uint32_t keyWord);
    // Ends an open action and starts another in the open group.
    void beginAction(uint32_t number);
    void writeWordArgument(uint32_t value);
    void writeTagArgument(const TagReference& tag);
    // UTF-16 text, its terminating zero unit, padded to 4.
    void writeTextArgument(std::u16string_view text);
    // Patches what is open and the group count. Without groups the block is one word 0.
    void finish();

    [[nodiscard]] uint32_t groupCount() const { return m_groupCount; }

private:
    void endAction();
    void endGroup();

    DRIFFFile& m_file;
    uint64_t m_groupCountPosition = 0;
    uint32_t m_groupCount = 0;
    bool m_groupOpen = false;
    uint64_t m_actionCountPosition = 0;
    uint32_t m_actionCount = 0;
    bool m_actionOpen = false;
    uint64_t m_argumentBytesPosition = 0;
    bool m_finished = false;
};

} // namespace target
