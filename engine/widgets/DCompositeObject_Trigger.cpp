#include "engine/widgets/DCompositeObject_Trigger.h"

#include <memory>

#include "engine/primitives/DBaseObject.h"
#include "engine/core/DFile.h"
#include "engine/tags/DItem.h"
#include "engine/widgets/DWidgetTags.h"
#include "foundation/target/TargetActions.h"
#include "foundation/target/TargetImageWords.h"
#include "foundation/target/TargetClassData.h"

namespace {
constexpr uint32_t kTagChange = uint32_t(target::TriggerNumber::TagChange);
} // namespace

DCompositeObject_Trigger::DCompositeObject_Trigger()
{
    m_lastValue.init(nullptr, 4, DValue::kInteger);
}

DCompositeObject_Trigger::~DCompositeObject_Trigger() = default;

int DCompositeObject_Trigger::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::TriggerWords words;
    const int status = target::readClassData(file, words).status;
    m_tag = DItemDescriptor::fromReference(words.valueTag);
    // The editor's placeholder element: read past, neither kept nor drawn.
    std::unique_ptr<DBaseObject> unused(DBaseObject::create(this, nullptr, file));
    return status;
}

void DCompositeObject_Trigger::show()
{
    DWidgetTags::bind(m_project, *this, DProject::Binding::Watch, {&m_tag});
}

void DCompositeObject_Trigger::hide()
{
    DWidgetTags::bind(m_project, *this, DProject::Binding::Unwatch, {&m_tag});
}

void DCompositeObject_Trigger::onValueChanged(DItem& item)
{
    if (&item != m_tag.item)
        return;
    const DValue& value = item.value();
    if (value.equals(m_lastValue))
        return;
    fireEvent(kTagChange);
    if (m_lastValue.type() != value.type() || m_lastValue.size() != value.size())
        m_lastValue.init(nullptr, value.size(), value.type());
    m_lastValue.assign(value);
}
