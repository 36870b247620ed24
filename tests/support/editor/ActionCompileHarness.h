#pragma once
// Compiles action entries of a page or object as the target compile does, into bytes a
// test reads back word by word, with the diagnostics kept as lines.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "editor/document/CActionCompileScope.h"
#include "editor/document/CActionCompiler.h"
#include "editor/document/CActionScript.h"
#include "editor/document/CCompileOutput.h"
#include "editor/document/CCompileReport.h"
#include "editor/document/CObjectTypeTable.h"
#include "editor/document/CPropertyBase.h"
#include "editor/document/CSelectable.h"
#include "editor/document/CTagsModel.h"
#include "foundation/DMemoryStream.h"
#include "foundation/DRIFFFile.h"
#include "foundation/target/TargetFormat.h"

namespace vx::test {

struct OutputLine {
    std::u16string text;
    uint32_t color;
    const CSelectable* page;
    const CSelectable* object;
};

class RecordingOutput : public CCompileOutput {
public:
    void AppendLine(std::u16string_view text, uint32_t color, const CSelectable* page, const CSelectable* object) override
    {
        lines.push_back({std::u16string(text), color, page, object});
    }
    std::vector<OutputLine> lines;
};

// A page of objects by original name, in a project of pages by name.
class FakeScope : public CActionCompileScope {
public:
    const CSelectable* Page() const override { return page; }
    const CSelectable* FirstObject() const override { return firstObject; }
    int32_t FindObject(std::u16string_view originalName) const override
    {
        const auto found = objects.find(std::u16string(originalName));
        return found == objects.end() ? -1 : found->second;
    }
    int32_t FindPage(std::u16string_view name) const override
    {
        const auto found = pages.find(std::u16string(name));
        return found == pages.end() ? -1 : found->second;
    }

    const CSelectable* page = nullptr;
    const CSelectable* firstObject = nullptr;
    std::map<std::u16string, int32_t> objects;
    std::map<std::u16string, int32_t> pages;
};

inline std::unique_ptr<CSelectable> MakeOwner(int32_t type, std::u16string_view name = {})
{
    auto owner = std::make_unique<CSelectable>(type);
    owner->InitDefinedProperties();
    if (CPropertyBase* property = owner->FindProperty(u"none", u"Name"); property && !name.empty())
        property->SetValue(CPropertyValue(name));
    return owner;
}

inline void SetProperty(CSelectable& owner, std::u16string_view category, std::u16string_view caption,
                        std::u16string_view value)
{
    if (CPropertyBase* property = owner.FindProperty(category, caption))
        property->SetValue(CPropertyValue(value));
}

inline ActionEntry Entry(uint32_t trigger, uint32_t action, std::u16string_view parameters,
                         std::u16string_view detail = {})
{
    ActionEntry entry;
    entry.trigger = trigger;
    entry.action = action;
    entry.parameters = parameters;
    entry.triggerDetail = detail;
    return entry;
}

struct CompiledBlock {
    int status = 0;
    std::vector<uint8_t> bytes;   // the action block alone
    std::vector<uint32_t> words() const
    {
        std::vector<uint32_t> values;
        for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4)
            values.push_back(uint32_t(bytes[i]) | uint32_t(bytes[i + 1]) << 8 | uint32_t(bytes[i + 2]) << 16 |
                             uint32_t(bytes[i + 3]) << 24);
        return values;
    }
};

class ActionCompileHarness {
public:
    ActionCompileHarness() : report(output) {}

    CActionCompileContext Context() { return {tags, report, scope, 1, clock}; }

    // Compiles into the data of an outermost chunk and hands back what follows its header.
    template <class Compile>
    CompiledBlock Run(Compile&& compile)
    {
        DMemoryStream stream;
        CompiledBlock block;
        {
            DRIFFFile root(stream, target::kChunkRiff, target::kFormProject);
            CActionCompileContext context = Context();
            CActionCompiler compiler(context);
            block.status = compile(compiler, root);
            root.close();
        }
        const auto bytes = stream.bytes();
        block.bytes.assign(bytes.begin() + target::ChunkHeader::kDataOffset, bytes.end());
        return block;
    }

    CompiledBlock Compile(const CSelectable& owner, const std::vector<ActionEntry>& entries)
    {
        return Run([&](CActionCompiler& compiler, DRIFFFile& file) { return compiler.CompileEntries(file, owner, entries); });
    }
    CompiledBlock CompileScript(const CSelectable& owner)
    {
        return Run([&](CActionCompiler& compiler, DRIFFFile& file) { return compiler.CompileActions(file, owner); });
    }

    std::vector<std::u16string> Lines() const
    {
        std::vector<std::u16string> texts;
        for (const OutputLine& line : output.lines)
            texts.push_back(line.text);
        return texts;
    }

    // Tags by name, original name the same, in the order given.
    void AddTag(std::u16string_view name, std::u16string_view type, int32_t size, std::u16string_view address)
    {
        CTagRow row;
        row.name = name;
        row.type = type;
        row.size = size;
        row.address = CTagAddress::FromText(address);
        tags.AddTag(std::move(row), IdenticalTags::Keep);
    }

    CTagsModel tags;
    RecordingOutput output;
    CCompileReport report;
    FakeScope scope;
    TargetClock clock = TargetClock::RealTime;
};

} // namespace vx::test
