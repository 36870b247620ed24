#pragma once
// What the three field widgets share: a frame picture, a text primitive that shows the
// value tag and, in the editable fields, takes text entry; the tag is bound while the
// page shows the field.

#include <cstdint>
#include <memory>

#include "engine/widgets/DCompositeObject.h"
#include "engine/tags/DItemDescriptor.h"
#include "foundation/target/TargetTag.h"

class DBaseObject_Text;
class DBaseObject_UnscaledBitmap;
class DBitmap;
class DString;
class DValue;

class DCompositeObject_Field : public DCompositeObject {
public:
    // The kind of text entry: numeric fields take digits and a sign, text fields any character.
    enum class Entry { None, Numeric, Text };
    // The caret blinks on this period while editing.
    static constexpr uint32_t kBlinkPeriod = 500;

    DCompositeObject_Field();
    ~DCompositeObject_Field() override;

    void show() override;
    void hide() override;
    // A release on the field starts editing its text.
    void onPointerUp(DPoint point) override;
    // A field whose editing a key 3 left is committed when a release takes its focus.
    int setFocus(int on) override;

    virtual Entry entryKind() const { return Entry::None; }
    // Writes an edited text to the value tag; only the editable fields do.
    virtual void commitText(const DString&) {}
    void startBlink() { startTick(kBlinkPeriod); }
    void stopBlink() { m_tickEnabled = false; }

    DBaseObject_Text* textPrimitive() const { return m_text; }
    const DItemDescriptor& valueTag() const { return m_valueTag; }

protected:
    // The class words' frame image and value tag, then the text and frame primitives that
    // follow the class words.
    void loadField(DFile& file, uint32_t frameImage, const target::TagReference& valueTag);
    // The text shows the focus; entry (when given) makes it the edit text.
    void takeFocusOnText(Entry entry);
    // The value of the bound tag, or null.
    DValue* boundValue();
    // What the text shows until the tag's first value.
    virtual const char16_t* initialText() const { return u""; }

    std::unique_ptr<DBitmap> m_frameImage;
    DBaseObject_Text* m_text = nullptr;
    DBaseObject_UnscaledBitmap* m_frame = nullptr;
    DItemDescriptor m_valueTag;
    bool m_bound = false;
};
