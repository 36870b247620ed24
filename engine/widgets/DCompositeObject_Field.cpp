#include "engine/widgets/DCompositeObject_Field.h"

#include "engine/primitives/DBaseObject_Text.h"
#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/render/DBitmap.h"
#include "engine/core/DFile.h"
#include "engine/widgets/DImageSet.h"
#include "engine/tags/DItem.h"
#include "engine/core/DPage.h"
#include "engine/core/DProject.h"
#include "engine/core/DStatus.h"

DCompositeObject_Field::DCompositeObject_Field() = default;

DCompositeObject_Field::~DCompositeObject_Field()
{
    if (m_text)
        m_text->setField(nullptr);
}

void DCompositeObject_Field::loadField(DFile& file, uint32_t frameImage, const target::TagReference& valueTag)
{
    DImageSet::referTo(m_frameImage, file, frameImage);
    m_valueTag = DItemDescriptor::fromReference(valueTag);
    m_text = dynamic_cast<DBaseObject_Text*>(loadPrimitive(file));
    m_frame = dynamic_cast<DBaseObject_UnscaledBitmap*>(loadPrimitive(file));
    if (m_text)
        m_text->setField(this);
}

void DCompositeObject_Field::takeFocusOnText(Entry entry)
{
    if (!m_text)
        return;
    m_focusPrimitive = m_text;
    const auto tracks = [](const DBaseObject* primitive) {
        return primitive && (primitive->flags() & DBaseObject::kFocusTracking);
    };
    m_tracksFocus = tracks(m_text) || tracks(m_frame);
    if (entry != Entry::None && m_text->isTouchable())
        m_editText = m_text;
}

void DCompositeObject_Field::show()
{
    if (m_frame)
        m_frame->setBitmap(m_frameImage.get());
    if (m_text)
        m_text->setText(DString(initialText()));
    if (m_project && !m_bound)
        m_bound = m_project->bindTag(m_valueTag, *this, DProject::Binding::Watch) == DStatus::Ok;
}

void DCompositeObject_Field::hide()
{
    if (m_project && m_bound)
        (void)m_project->bindTag(m_valueTag, *this, DProject::Binding::Unwatch);
    m_bound = false;
}

DValue* DCompositeObject_Field::boundValue()
{
    if (!m_bound || m_valueTag.isNoTag() || !m_valueTag.item)
        return nullptr;
    return &m_valueTag.item->value();
}

void DCompositeObject_Field::onPointerUp(DPoint point)
{
    if (m_editText)
        m_editText->startEditing();
    DCompositeObject::onPointerUp(point);
}

int DCompositeObject_Field::setFocus(int on)
{
    // Focus moved away by a release while the text was left by key 3: the edit ends with a commit.
    if (!on && m_editText && !m_editText->isEditing() && m_editText->savedCursor() != -1 && m_page &&
        m_page->pressedIndex() == m_index) {
        m_editText->finishEditing();
    }
    return DCompositeObject::setFocus(on);
}
