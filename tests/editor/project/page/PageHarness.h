#pragma once
// Pages of a small project, compiled as the project compiles them into one target
// file's outermost chunk, and the words of what they wrote.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "editor/document/CResourceIndex.h"
#include "editor/project/page/CPage.h"
#include "editor/project/page/CPageCompileContext.h"
#include "editor/project/page/CPageDirectory.h"
#include "foundation/DMemoryStream.h"
#include "foundation/DRIFFFile.h"
#include "foundation/target/TargetBytes.h"
#include "tests/support/editor/ActionCompileHarness.h"

namespace vx::test {

// The project's pages in order; unique names "<base> n" as the project makes them.
class PageList : public CPageDirectory {
public:
    CPage& Add(std::u16string_view name)
    {
        auto page = std::make_unique<CPage>();
        page->SetName(name);
        page->SetOriginalName(name);
        pages.push_back(std::move(page));
        return *pages.back();
    }

    int32_t FindPage(std::u16string_view text, PageName by) const override
    {
        for (std::size_t i = 0; i < pages.size(); ++i) {
            const bool current = pages[i]->GetName() == text;
            const bool original = pages[i]->GetOriginalName() == text;
            if ((by == PageName::Current && current) || (by == PageName::Original && original)
                || (by == PageName::Either && (current || original)))
                return int32_t(i);
        }
        return -1;
    }

    std::u16string MakeUniquePageName(std::u16string_view name) const override
    {
        const std::u16string base(name.empty() ? u"Page" : name);
        for (int n = name.empty() ? 1 : 2;; ++n) {
            std::u16string candidate = base + u" ";
            for (const char ch : std::to_string(n))
                candidate += char16_t(ch);
            if (FindPage(candidate, PageName::Either) < 0)
                return candidate;
        }
    }

    std::vector<std::unique_ptr<CPage>> pages;
};

inline uint32_t WordAt(std::span<const uint8_t> bytes, uint64_t offset)
{
    return target::loadWord(bytes, std::size_t(offset));
}

// The words from first to end (absolute offsets).
inline std::vector<uint32_t> WordsBetween(std::span<const uint8_t> bytes, uint64_t first, uint64_t end)
{
    std::vector<uint32_t> words;
    for (uint64_t at = first; at + 4 <= end && at + 4 <= bytes.size(); at += 4)
        words.push_back(WordAt(bytes, at));
    return words;
}

struct CompiledPages {
    std::vector<uint8_t> bytes;          // the whole file
    std::vector<uint64_t> chunkOffsets;  // one per page

    // The data words of page i's chunk (after its id, size and CRC).
    std::vector<uint32_t> PageWords(std::size_t i) const
    {
        const uint64_t start = chunkOffsets.at(i);
        const uint64_t size = WordAt(bytes, start + target::ChunkHeader::kSizeOffset);
        return WordsBetween(bytes, start + target::ChunkHeader::kDataOffset, start + 8 + size);
    }
};

class PageCompileHarness : public ActionCompileHarness {
public:
    PageCompileHarness() { resources.Begin(32, target::kTargetFlagsDefault); }

    CPageCompileContext PageContext()
    {
        CPageCompileContext context{tags, report, resources, list};
        context.pageWidth = width;
        context.pageHeight = height;
        context.globalPage = globalPage;
        context.projectFolder = projectFolder;
        context.output = &output;
        context.progress = [this](int32_t percent) { percents.push_back(percent); };
        return context;
    }

    // Every page of the list, in order, into one file.
    CompiledPages CompileAll()
    {
        DMemoryStream stream;
        CompiledPages compiled;
        {
            DRIFFFile root(stream, target::kChunkRiff, target::kFormProject);
            CPageCompileContext context = PageContext();
            for (const auto& page : list.pages)
                compiled.chunkOffsets.push_back(page->Compile(root, context));
            root.close();
        }
        const auto bytes = stream.bytes();
        compiled.bytes.assign(bytes.begin(), bytes.end());
        return compiled;
    }

    PageList list;
    CResourceIndex resources;
    int32_t width = 320;
    int32_t height = 240;
    GlobalPagePresence globalPage = GlobalPagePresence::Absent;
    std::filesystem::path projectFolder;
    std::vector<int32_t> percents;
};

} // namespace vx::test
