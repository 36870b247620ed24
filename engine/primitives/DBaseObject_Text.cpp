#include "engine/primitives/DBaseObject_Text.h"

#include <algorithm>
#include <utility>

#include "engine/widgets/DCompositeObject_Field.h"
#include "engine/core/DFile.h"
#include "engine/render/DRenderer.h"
#include "engine/core/DStatus.h"
#include "foundation/target/TargetElement.h"
#include "foundation/text/DTextRenderer.h"

namespace {

// Larger text pictures are not made: a hostile record cannot ask for a huge bitmap.
constexpr int64_t kLargestSide = 16384;

bool isDigit(uint32_t key)
{
    return key >= '0' && key <= '9';
}

} // namespace

DBaseObject_Text::DBaseObject_Text(uint32_t typeId, DCompositeObject* owner, DPage* page)
    : DBaseObject_UnscaledBitmap(typeId, owner, page)
{
}

DBaseObject_Text::~DBaseObject_Text() = default;

int DBaseObject_Text::load(DFile& file)
{
    int status = DBaseObject::load(file);
    if (status != DStatus::Ok)
        return status;
    target::TextElementWords words;
    status = target::readRecord(file, words);
    if (status != DStatus::Ok)
        return status;
    // The name field need not hold a terminator: it ends at its first zero or its 32nd unit.
    const auto end = std::find(words.name.begin(), words.name.end(), u'\0');
    m_descriptor.family.assign(std::u16string_view(words.name.data(), std::size_t(end - words.name.begin())));
    m_descriptor.fontReference = words.fontReference;
    m_descriptor.size = int32_t(std::min<uint32_t>(words.pixelSize, uint32_t(INT32_MAX)));
    m_style = words.style;
    const target::TextStyle style = target::TextStyle::fromWord(words.style);
    m_descriptor.bold = style.bold;
    m_descriptor.italic = style.italic;
    m_descriptor.underline = style.underline;
    m_descriptor.wrap = style.multiLine;
    m_descriptor.rightToLeft = style.rightToLeft;
    m_descriptor.mode = int32_t(style.renderMode);
    m_descriptor.horizontalAlignment = int32_t(style.alignment);
    m_descriptor.verticalAlignment = int32_t(style.lineAlignment);
    m_descriptor.colour = words.color;
    return DStatus::Ok;
}

bool DBaseObject_Text::matchFace(DRenderer& renderer)
{
    if (!m_faceMatched) {
        m_faceMatched = true;
        if (DTextRenderer* text = renderer.textRenderer())
            m_descriptor.face = text->findFace(m_descriptor);
    }
    return m_descriptor.face != nullptr;
}

void DBaseObject_Text::draw(DRenderer& renderer, const DRect& dirty)
{
    if (m_dirty || !m_picture) {
        const int64_t width = m_bounds.width(), height = m_bounds.height();
        if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide)
            return;
        if (!m_picture) {
            m_picture.reset(renderer.createBitmap(int(width), int(height), 0));
            if (!m_picture)
                return;
            m_bitmap = m_picture.get();
        }
        m_dirty = false;
        // Without a face the picture stays clear: the text draws nothing.
        if (matchFace(renderer))
            (void)renderer.drawText(m_picture.get(), m_descriptor, {0, 0, int32_t(width - 1), int32_t(height - 1)},
                                    m_style, m_text, DTextClear::ClearFirst, m_cursor != -1 ? m_cursor : m_savedCursor,
                                    blinkPhase(m_blink));
    }
    DBaseObject_UnscaledBitmap::draw(renderer, dirty);
}

void DBaseObject_Text::setText(const DString& text)
{
    if (m_text == text)
        return;
    m_text.assign(text);
    if (m_cursor != -1) {
        m_cursor = int32_t(m_text.codePointCount());
        m_editCopy.assign(m_text);
    }
    changed();
}

void DBaseObject_Text::changed()
{
    m_dirty = true;
    invalidate();
}

bool DBaseObject_Text::isNumericEntry() const
{
    return m_field && m_field->entryKind() == DCompositeObject_Field::Entry::Numeric;
}

int32_t DBaseObject_Text::entryLength() const
{
    return int32_t(isNumericEntry() ? m_text.length() : m_text.codePointCount());
}

void DBaseObject_Text::startEditing()
{
    if (m_cursor != -1)
        return;
    const int32_t count = int32_t(m_text.codePointCount());
    if (m_savedCursor == -1) {
        m_cursor = count;
        m_editCopy.assign(m_text);
    } else {
        m_cursor = std::min(m_savedCursor, count);
    }
    changed();
    if (m_field)
        m_field->startBlink();
}

void DBaseObject_Text::leaveEditing(Leave leave)
{
    m_savedCursor = leave == Leave::KeepCursor ? m_cursor : -1;
    m_cursor = -1;
    if (m_field) {
        m_field->stopBlink();
        if (leave == Leave::Commit && !(m_text == m_editCopy))
            m_field->commitText(m_text);
    }
    changed();
}

void DBaseObject_Text::finishEditing()
{
    leaveEditing(Leave::Commit);
    m_editCopy.assign(m_text);
}

void DBaseObject_Text::blink()
{
    ++m_blink;
    if (m_cursor == -1)
        return;
    m_cursor = std::min(m_cursor, int32_t(m_text.codePointCount()));
    changed();
}

bool DBaseObject_Text::removeAtCursor(int32_t length)
{
    if (m_cursor < 0 || m_cursor >= length)
        return false;
    const uint32_t from = m_text.unitIndex(uint32_t(m_cursor));
    const uint32_t to = m_text.unitIndex(uint32_t(m_cursor) + 1);
    DString edited = m_text.left(from).concat(m_text.rest(to));
    if (isNumericEntry() && edited == std::u16string_view(u"-"))
        edited.assign(u"");
    m_text.assign(edited);
    m_cursor = std::min(m_cursor, int32_t(m_text.codePointCount()));
    return true;
}

bool DBaseObject_Text::insertAtCursor(uint32_t key)
{
    // A key beyond 16 bits is a surrogate pair, its first unit in the low half; any other
    // wide key is no character.
    if (key > 0xFFFF) {
        const uint32_t first = key & 0xFFFF, second = key >> 16;
        if (first < 0xD800 || first > 0xDBFF || second < 0xDC00 || second > 0xDFFF)
            return false;
    }
    const DString character = DString::fromCodePoint(key);
    const uint32_t at = m_text.unitIndex(uint32_t(m_cursor));
    m_text.assign(m_text.left(at).concat(character).concat(m_text.rest(at)));
    ++m_cursor;
    return true;
}

void DBaseObject_Text::toggleSign()
{
    if (m_text.data()[0] == u'-') {
        m_text.assign(m_text.rest(1));
        if (m_cursor > 0)
            --m_cursor;
    } else {
        m_text.assign(DString(u"-").concat(m_text));
        ++m_cursor;
    }
}

void DBaseObject_Text::editKey(uint32_t key)
{
    if (m_cursor == -1) {
        if (key == kKeyEnter)
            startEditing();
        return;
    }
    if (m_descriptor.rightToLeft) {
        // The arrows move along the text as it is read.
        static constexpr std::pair<uint32_t, uint32_t> kSwapped[] = {
            {kKeyLeft, kKeyRight}, {kKeyRight, kKeyLeft}, {kKeyUp, kKeyDown}, {kKeyDown, kKeyUp}};
        for (const auto& [from, to] : kSwapped)
            if (key == from) {
                key = to;
                break;
            }
    }
    const bool numeric = isNumericEntry();
    const int32_t length = entryLength();
    const int32_t before = m_cursor;
    bool edited = false;
    switch (key) {
    case kKeyLeft:
        if (m_cursor > 0)
            --m_cursor;
        break;
    case kKeyRight:
        if (m_cursor < length)
            ++m_cursor;
        break;
    case kKeyUp:
        m_cursor = 0;
        break;
    case kKeyDown:
        m_cursor = length;
        break;
    case kKeyBackspace:
        if (m_cursor > 0) {
            --m_cursor;
            edited = removeAtCursor(length);
        }
        break;
    case kKeyDelete:
        edited = removeAtCursor(length);
        break;
    case kKeyEnter:
        finishEditing();
        return;
    case kKeyEscape:
        std::swap(m_text, m_editCopy);
        leaveEditing(Leave::Commit);
        return;
    case kKeyLeaveEditing:
        leaveEditing(Leave::KeepCursor);
        return;
    default:
        if (numeric && key == kKeyMinus) {
            if (!m_text.isEmpty()) {
                toggleSign();
                edited = true;
            }
        } else if (key >= 32 && (!numeric || isDigit(key))) {
            edited = insertAtCursor(key);
        }
        break;
    }
    if (edited || m_cursor != before)
        changed();
}
