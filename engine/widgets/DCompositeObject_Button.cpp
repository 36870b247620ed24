#include "engine/widgets/DCompositeObject_Button.h"

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/render/DBitmap.h"
#include "engine/core/DFile.h"
#include "engine/widgets/DImageSet.h"
#include "engine/widgets/DWidgetTags.h"
#include "foundation/target/TargetActions.h"
#include "foundation/target/TargetClassData.h"

namespace {
constexpr uint32_t kPress = uint32_t(target::TriggerNumber::Press), kRelease = uint32_t(target::TriggerNumber::Release);
} // namespace

DCompositeObject_Button::DCompositeObject_Button() = default;
DCompositeObject_Button::~DCompositeObject_Button() = default;

void DCompositeObject_Button::takeButtonWords(DFile& file, const target::ButtonWords& words)
{
    m_mode = words.mode;
    DImageSet::referTo(m_releasedImage, file, words.releasedImage);
    DImageSet::referTo(m_pressedImage, file, words.pressedImage);
    DImageSet::referTo(m_latchedImage, file, words.latchedImage);
    DImageSet::referTo(m_focusedImage, file, words.focusedImage);
    DImageSet::referTo(m_latchedFocusedImage, file, words.latchedFocusedImage);
    DImageSet::referTo(m_decoration1Image, file, words.iconImage);
    DImageSet::referTo(m_decoration2Image, file, words.textImage);
    m_stateTag = DItemDescriptor::fromReference(words.stateTag);
    m_enableTag = DItemDescriptor::fromReference(words.disableTag);
}

void DCompositeObject_Button::loadDecorations(DFile& file)
{
    m_decoration2 = DImageSet::asPicture(loadPrimitive(file));
    m_decoration1 = DImageSet::asPicture(loadPrimitive(file));
}

void DCompositeObject_Button::loadFace(DFile& file)
{
    m_face = DImageSet::asPicture(loadPrimitive(file));
    m_slideOn = m_mode == SlideOn;
    m_tracksFocus = m_face && (m_face->flags() & DBaseObject::kFocusTracking);
}

int DCompositeObject_Button::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::ButtonWords words;
    const int status = target::readClassData(file, words).status;
    takeButtonWords(file, words);
    loadDecorations(file);
    loadFace(file);
    return status;
}

void DCompositeObject_Button::show()
{
    m_disabled = m_pressed = m_latched = m_pointerHeld = false;
    chooseFace();
    DImageSet::showImage(m_decoration1, m_decoration1Image.get());
    DImageSet::showImage(m_decoration2, m_decoration2Image.get());
    DWidgetTags::bind(m_project, *this, DProject::Binding::Watch, {&m_stateTag, &m_enableTag});
}

void DCompositeObject_Button::hide()
{
    DWidgetTags::bind(m_project, *this, DProject::Binding::Unwatch, {&m_stateTag, &m_enableTag});
}

int DCompositeObject_Button::setFocus(int on)
{
    (void)DCompositeObject::setFocus(on);
    chooseFace();
    return 1;
}

void DCompositeObject_Button::chooseFace()
{
    if (!m_face)
        return;
    DBitmap* image;
    if (m_pressed)
        image = m_pressedImage.get();
    else if (m_latched && m_focused)
        image = m_latchedFocusedImage ? m_latchedFocusedImage.get() : m_focusedImage.get();
    else if (m_latched)
        image = m_latchedImage ? m_latchedImage.get() : m_pressedImage.get();
    else if (m_focused)
        image = m_focusedImage.get();
    else
        image = m_releasedImage.get();
    m_face->setBitmap(image);
}

void DCompositeObject_Button::onPointerDown(DPoint point)
{
    if (m_disabled)
        return;
    if (!m_latched)
        fireEvent(kPress);
    m_pressed = m_pointerHeld = true;
    chooseFace();
    DWidgetTags::writeNumber(m_stateTag, 1);
    DCompositeObject::onPointerDown(point);
}

void DCompositeObject_Button::onPointerUp(DPoint point)
{
    // A press taken before the button was disabled is still released, so its state tag
    // never stays set with nobody holding the button.
    if (m_disabled && !m_pointerHeld)
        return;
    m_pointerHeld = false;
    if (m_mode != Latching || m_latched) {
        m_latched = false;
        fireEvent(kRelease);
    } else {
        m_latched = true;
    }
    m_pressed = false;
    chooseFace();
    DWidgetTags::writeNumber(m_stateTag, m_latched ? 1 : 0);
    DCompositeObject::onPointerUp(point);
}

void DCompositeObject_Button::onValueChanged(DItem& item)
{
    if (&item == m_stateTag.item) {
        const uint32_t value = DWidgetTags::number(item);
        if (value != 0 && !m_pressed && !m_latched) {
            if (m_mode == Latching)
                m_latched = true;
            else if (m_mode == SlideOn)
                m_pressed = true;
            fireEvent(kPress);
        } else if (value == 0 && (m_pressed || m_latched)) {
            fireEvent(kRelease);
            m_pressed = m_latched = false;
        }
    }
    if (&item == m_enableTag.item)
        m_disabled = DWidgetTags::number(item) == 0;
    chooseFace();
}
