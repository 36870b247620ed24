#include "engine/actions/DAction.h"

#include <algorithm>
#include <array>
#include <memory>

#include "engine/actions/DActionList.h"
#include "engine/actions/DActionTable.h"
#include "engine/tags/DCharsetTable.h"
#include "engine/core/DEngineServices.h"
#include "engine/core/DFile.h"
#include "engine/core/DProject.h"
#include "engine/core/DStatus.h"
#include "foundation/DMemory.h"
#include "foundation/target/TargetActions.h"

namespace {

// Operand bytes of a signature without text: two words per tag, one per other letter.
constexpr uint32_t operandBytes(std::string_view signature)
{
    uint32_t bytes = 0;
    for (const char letter : signature)
        bytes += target::isTagLetter(letter) ? target::TagReference::kSize : target::kWordSize;
    return bytes;
}

constexpr uint32_t largestOperandBytes()
{
    uint32_t largest = 0;
    for (const std::string_view signature : target::kActionSignatures)
        largest = std::max(largest, operandBytes(signature));
    return largest;
}

constexpr uint32_t kLargestOperands = largestOperandBytes();
// A text operand is kept up to what a value can hold; the tag cuts it further.
constexpr uint32_t kLargestText = 0xFFFE;

constexpr bool hasText(uint32_t type)
{
    return target::actionSignature(type).find('a') != std::string_view::npos;
}

struct FreeBlock {
    void operator()(uint8_t* block) const { dFree(block); }
};

// A project run on its own (tools, tests) has no display and nothing to reload it; it
// keeps its own platform.
class DProjectOnlyServices final : public DEngineServices {
public:
    explicit DProjectOnlyServices(DProject& project) : m_project(project) {}
    DDisplay* display() const override { return nullptr; }
    void requestReload(uint32_t) override {}
    DPlatform* platform() const override { return &m_project.platform(); }
    DInputSink* input() const override { return &m_project; }
    uint32_t optionFlags() const override { return 0; }

private:
    DProject& m_project;
};

bool isOfKind(const DValue& value, DActionRow::Tags tags)
{
    switch (tags) {
    case DActionRow::Tags::String:
    case DActionRow::Tags::StringPair:
        return value.isString();
    case DActionRow::Tags::Compare:
        return value.isString() || value.isNumber();
    default:
        return value.isNumber();
    }
}

bool needsTag2(DActionRow::Tags tags)
{
    return tags == DActionRow::Tags::NumberPair || tags == DActionRow::Tags::StringPair ||
           tags == DActionRow::Tags::Compare;
}

} // namespace

DAction::~DAction()
{
    releaseOperands();
}

void DAction::releaseOperands()
{
    m_text.init(nullptr, 0, DValue::kNotSet);
}

int DAction::load(DFile& file)
{
    target::ActionHeader header;
    if (const int status = target::readRecordWords(file, header); status != DStatus::Ok)
        return status;
    const uint32_t type = header.number, count = header.argumentBytes;
    m_type = type;
    const uint64_t start = file.tell();
    // Nothing is allocated or skipped for bytes the record does not hold.
    if (count > bytesLeftInRecord(file))
        return DStatus::BeyondLimit;

    const bool text = hasText(type);
    const uint32_t wanted = std::min(count, text ? kLargestText + kLargestOperands : kLargestOperands);
    std::array<uint8_t, kLargestOperands> small{};
    std::unique_ptr<uint8_t, FreeBlock> large;
    uint8_t* bytes = small.data();
    if (text) {
        large.reset(static_cast<uint8_t*>(dAlloc(std::max<uint32_t>(wanted, 1))));
        if (!large)
            return DStatus::Failed;
        bytes = large.get();
    }
    if (const int status = file.read(bytes, wanted); status != DStatus::Ok)
        return status;

    const target::ActionOperands operands = target::decodeActionOperands(type, {bytes, wanted});
    m_tag = DItemDescriptor::fromReference(operands.tag);
    m_tag2 = DItemDescriptor::fromReference(operands.tag2);
    m_a = operands.a;
    m_b = operands.b;
    m_l = operands.l;
    if (text) {
        // The terminating zero unit goes along, so an assignment ends the tag's text.
        const std::size_t size = std::min<std::size_t>(operands.text.size() + 2, kLargestText);
        m_text.init(nullptr, uint16_t(size), DCharsetTable::kUtf16LE);
        m_text.setBytes(operands.text.first(std::min(operands.text.size(), size)));
    }
    return file.seek(int64_t(start + count), DFile::FromStart);
}

bool DAction::isDeferrable() const
{
    return target::isDeferredAction(m_type);
}

std::unique_ptr<DAction> DAction::clone() const
{
    auto copy = std::make_unique<DAction>(nullptr, m_project);
    if (copy) {
        copy->m_type = m_type;
        copy->m_a = m_a;
        copy->m_b = m_b;
        copy->m_l = m_l;
    }
    return copy;
}

int DAction::execute(int runNow)
{
    if (!m_project)
        return 0;
    if (runNow == 0 && isDeferrable() && m_owner) {
        m_project->defer(clone());
        return 0;
    }
    const DActionRow& row = actionRow(m_type);
    DProjectOnlyServices standalone(*m_project);
    DEngineServices* services = m_project->services();
    DActionOperands run{*this, *m_project, services ? *services : standalone};
    if (row.tags != DActionRow::Tags::None) {
        run.tag = m_project->findTag(m_tag);
        if (!run.tag || !isOfKind(*run.tag, row.tags))
            return 0;
        if (needsTag2(row.tags)) {
            run.tag2 = m_project->findTag(m_tag2);
            if (!run.tag2) {
                run.tag->markWritten();
                return 0;
            }
            if (run.tag2->isString() != run.tag->isString() || !isOfKind(*run.tag2, row.tags))
                return 0;
        }
    }
    const int result = row.perform(row, run);
    if (run.tag && result == 0)
        run.tag->markWritten();
    return result;
}
