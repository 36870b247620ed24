#pragma once
// A list box whose rows are the parts of a string tag, split at a separator character
// and drawn as text with the font of a text template that is never drawn itself.

#include <memory>

#include "engine/widgets/DCompositeObject_Listbox.h"

class DValue;

class DCompositeObject_DynamicListbox : public DCompositeObject_Listbox {
public:
    DCompositeObject_DynamicListbox();
    ~DCompositeObject_DynamicListbox() override;

    int load(DFile& file) override;
    void show() override;
    void hide() override;
    void onValueChanged(DItem& item) override;

    char16_t separator() const { return m_separator; }
    const DItemDescriptor& itemsTag() const { return m_itemsTag; }

private:
    // The rows become the parts of the string, read through its own character set.
    void splitItems(const DValue& value);

    char16_t m_separator = 0;
    DItemDescriptor m_itemsTag;
    // Owned here and kept out of the page's list, so the page never draws it.
    std::unique_ptr<DBaseObject> m_template;
};
