// The XML reader over outside bytes, in both whitespace modes, then the tree's
// decoding and writing.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "foundation/xml/DXMLParser.h"

namespace {

void visit(const DXMLElement& root)
{
    std::vector<const DXMLElement*> pending{&root};
    while (!pending.empty()) {
        const DXMLElement* element = pending.back();
        pending.pop_back();
        (void)element->getText();
        for (int i = 0; i < element->attributeCount(); ++i)
            (void)element->getAttribute(element->attributeName(i));
        for (const auto& child : element->children())
            pending.push_back(child.get());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (auto mode : {DXMLParser::Whitespace::KeepInContent, DXMLParser::Whitespace::SkipBeforeEveryToken}) {
        DXMLParser parser(std::span<const uint8_t>(data, size), mode);
        (void)parser.parse();
        visit(parser.root());
        // Indentation grows with depth; keep the written size bounded for deep inputs.
        if (size < 4096) {
            std::string bytes;
            parser.root().write(bytes);
        }
    }
    return 0;
}
