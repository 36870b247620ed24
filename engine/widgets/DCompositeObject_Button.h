#pragma once
// The panel's push button: press and release fire their triggers and write the state
// tag; the face shows the released, pressed, latched or focused picture; a second tag
// disables it while it holds 0.

#include <cstdint>
#include <memory>

#include "engine/widgets/DCompositeObject.h"
#include "foundation/target/TargetButtonWords.h"

class DBaseObject_UnscaledBitmap;
class DBitmap;

class DCompositeObject_Button : public DCompositeObject {
public:
    // Mode word of the record; any other value is momentary.
    enum Mode : uint32_t {
        Momentary = uint32_t(target::ButtonMode::Momentary),
        SlideOn = uint32_t(target::ButtonMode::SlideOn),
        Latching = uint32_t(target::ButtonMode::Latching),
    };

    DCompositeObject_Button();
    ~DCompositeObject_Button() override;
    int load(DFile& file) override;
    void show() override;
    void hide() override;
    int setFocus(int on) override;
    void onPointerDown(DPoint point) override;
    void onPointerUp(DPoint point) override;
    void onValueChanged(DItem& item) override;

    bool isPressed() const { return m_pressed; }
    bool isLatched() const { return m_latched; }
    bool isDisabled() const { return m_disabled; }

protected:
    // The words from the mode up to and including the enable tag.
    void takeButtonWords(DFile& file, const target::ButtonWords& words);
    void loadDecorations(DFile& file);
    // The face is the last primitive; it decides whether the focus shows on the face.
    void loadFace(DFile& file);
    void chooseFace();

private:
    uint32_t m_mode = Momentary;
    bool m_disabled = false;
    bool m_latched = false;
    bool m_pressed = false;
    bool m_pointerHeld = false; // a pointer press was taken and not yet released
    DBaseObject_UnscaledBitmap* m_face = nullptr;
    DBaseObject_UnscaledBitmap* m_decoration1 = nullptr;
    DBaseObject_UnscaledBitmap* m_decoration2 = nullptr;
    std::unique_ptr<DBitmap> m_pressedImage;
    std::unique_ptr<DBitmap> m_releasedImage;
    std::unique_ptr<DBitmap> m_latchedImage;
    std::unique_ptr<DBitmap> m_focusedImage;
    std::unique_ptr<DBitmap> m_latchedFocusedImage;
    std::unique_ptr<DBitmap> m_decoration1Image;
    std::unique_ptr<DBitmap> m_decoration2Image;

protected:
    DItemDescriptor m_stateTag;
    DItemDescriptor m_enableTag;
};
