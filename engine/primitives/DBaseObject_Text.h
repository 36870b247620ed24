#pragma once
// A line of text drawn from the target file's fonts, rendered once into its own bitmap
// and redrawn from it; the edit text of entry fields, which edits itself by the keys its
// widget hands it.

#include <cstdint>
#include <memory>

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "foundation/DString.h"
#include "foundation/target/TargetActions.h"
#include "foundation/text/DTextDescriptor.h"

class DCompositeObject_Field;

class DBaseObject_Text : public DBaseObject_UnscaledBitmap {
public:
    // Keys of text entry (the display's codes); 3 is the page's own key that leaves
    // editing without a commit.
    static constexpr uint32_t kKeyLeft = uint32_t(target::KeyCode::Left), kKeyRight = uint32_t(target::KeyCode::Right),
                              kKeyLeaveEditing = uint32_t(target::KeyCode::LeaveEditing),
                              kKeyUp = uint32_t(target::KeyCode::Up), kKeyDown = uint32_t(target::KeyCode::Down),
                              kKeyBackspace = uint32_t(target::KeyCode::Backspace),
                              kKeyDelete = uint32_t(target::KeyCode::Delete), kKeyEnter = uint32_t(target::KeyCode::Enter),
                              kKeyEscape = uint32_t(target::KeyCode::Escape), kKeyMinus = u'-';
    // How editing ends: with a commit of a changed text, or keeping the cursor for later.
    enum class Leave { Commit, KeepCursor };

    DBaseObject_Text(uint32_t typeId, DCompositeObject* owner, DPage* page);
    ~DBaseObject_Text() override;

    // The common words, then the 64-byte font name and the text words.
    int load(DFile& file) override;
    void draw(DRenderer& renderer, const DRect& dirty) override;

    const DTextDescriptor& descriptor() const { return m_descriptor; }
    // The packed style word of the record (alignment, line alignment, right to left, underline).
    uint32_t style() const { return m_style; }
    const DString& text() const { return m_text; }
    // Nothing happens for the same text; while a cursor shows it moves to the end and the
    // edit copy takes the new text.
    void setText(const DString& text);
    // Matches the descriptor's face once; false when the file has none for it.
    bool matchFace(DRenderer& renderer);

    // The widget whose entry this text is; it commits, and ticks the caret's blinking.
    void setField(DCompositeObject_Field* field) { m_field = field; }
    // The cursor in code points while editing, -1 otherwise.
    int32_t cursor() const { return m_cursor; }
    int32_t savedCursor() const { return m_savedCursor; }
    uint32_t blinkCounter() const { return m_blink; }
    const DString& editCopy() const { return m_editCopy; }
    bool isEditing() const { return m_cursor != -1; }

    // A key for text entry: enter starts editing; while editing every key edits.
    void editKey(uint32_t key);
    void startEditing();
    void leaveEditing(Leave leave);
    // Leaves with a commit, and the edit copy takes the text (enter, or a release elsewhere).
    void finishEditing();
    // One tick of the widget: the caret blinks.
    void blink();

private:
    bool isNumericEntry() const;
    // The entry's length: units for numeric entry, code points for text.
    int32_t entryLength() const;
    // Removes the code point at the cursor; true when the text changed.
    bool removeAtCursor(int32_t length);
    bool insertAtCursor(uint32_t key);
    void toggleSign();
    void changed();

    DTextDescriptor m_descriptor;
    uint32_t m_style = 0;
    bool m_faceMatched = false;
    DString m_text;
    DString m_editCopy;
    int32_t m_cursor = -1;
    int32_t m_savedCursor = -1;
    uint32_t m_blink = 0;
    std::unique_ptr<DBitmap> m_picture;
    DCompositeObject_Field* m_field = nullptr;
};
