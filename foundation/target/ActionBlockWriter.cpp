#include "foundation/target/ActionBlockWriter.h"

#include <vector>

namespace target {

ActionBlockWriter::ActionBlockWriter(DRIFFFile& file) : m_file(file)
{
    m_groupCountPosition = m_file.tell();
    m_file.writeInt(0);
}

void ActionBlockWriter::endAction()
{
    if (!m_actionOpen)
        return;
    const uint64_t start = m_argumentBytesPosition + 4;
    m_file.patchValue(m_argumentBytesPosition, uint32_t(m_file.tell() - start));
    m_actionOpen = false;
}

void ActionBlockWriter::endGroup()
{
    endAction();
    if (!m_groupOpen)
        return;
    m_file.patchValue(m_actionCountPosition, m_actionCount);
    m_groupOpen = false;
}

void ActionBlockWriter::beginGroup(uint32_t trigger, uint32_t keyWord)
{
    endGroup();
    m_file.writeInt(trigger);
    if (triggerHasKeyWord(trigger))
        m_file.writeInt(keyWord);
    m_actionCountPosition = m_file.tell();
    m_file.writeInt(0);
    m_actionCount = 0;
    m_groupOpen = true;
    ++m_groupCount;
}

void ActionBlockWriter::beginAction(uint32_t number)
{
    endAction();
    m_file.writeInt(number);
    m_argumentBytesPosition = m_file.tell();
    m_file.writeInt(0);
    m_actionOpen = true;
    ++m_actionCount;
}

void ActionBlockWriter::writeWordArgument(uint32_t value)
{
    m_file.writeInt(value);
}

void ActionBlockWriter::writeTagArgument(const TagReference& tag)
{
    writeRecord(m_file, tag);
}

void ActionBlockWriter::writeTextArgument(std::u16string_view text)
{
    std::vector<uint8_t> bytes(textArgumentBytes(text.size()), 0);
    for (std::size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = uint8_t(text[i]);
        bytes[2 * i + 1] = uint8_t(text[i] >> 8);
    }
    m_file.write(bytes.data(), bytes.size());
}

void ActionBlockWriter::finish()
{
    if (m_finished)
        return;
    endGroup();
    m_file.patchValue(m_groupCountPosition, m_groupCount);
    m_finished = true;
}

} // namespace target
