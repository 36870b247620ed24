// The one-line text form of entities and of the paper size over outside text: every
// piece of the parser, then a line an entity took must write a line that reads back
// to the same line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "diagram/CDiagramEntity.h"
#include "diagram/CDiagramEntityContainer.h"
#include "diagram/EntityTextLine.h"
#include "editor/project/document/CHeadlessConnection.h"
#include "foundation/TextHelpers.h"

// A program without views: the model's changes keep their marks on the project alone.
const CHeadlessConnection g_headlessConnection;

namespace {

void roundTrip(std::u16string_view line)
{
    CDiagramEntity entity;
    if (!entity.FromString(line))
        return;
    const std::u16string written = entity.GetString();
    CDiagramEntity copy;
    if (!copy.FromString(written) || copy.GetString() != written)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::u16string text = utf8ToWide(reinterpret_cast<const char*>(data), int64_t(size));

    (void)EntityTextLine::ParseDouble(text);
    (void)EntityTextLine::ParseInt(text);
    (void)EntityTextLine::Trim(text);
    (void)EntityTextLine::Split(text, u',');
    // Written text holds no separator and no line break, whatever it held before.
    const std::u16string escaped = EntityTextLine::Escape(text);
    if (escaped.find_first_of(u":;,\r\n") != std::u16string::npos)
        std::abort();
    (void)EntityTextLine::Unescape(text);

    roundTrip(text);
    roundTrip(u"basic:" + text);

    CDiagramEntityContainer container;
    (void)container.FromString(text);
    (void)container.FromString(u"paper:" + text);
    return 0;
}
