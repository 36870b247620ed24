#pragma once
// A string tag's text; the editable kind (type 6) takes any character and writes the
// text back. The tag's bytes are read and written in the tag's own character set.

#include <cstdint>
#include <vector>

#include "engine/widgets/DCompositeObject_Field.h"
#include "foundation/DString.h"
#include "foundation/target/TargetPage.h"

class DValue;

class DCompositeObject_TextField : public DCompositeObject_Field {
public:
    int load(DFile& file) override;
    void onValueChanged(DItem& item) override;
    Entry entryKind() const override { return m_typeId == kEditable ? Entry::Text : Entry::None; }
    void commitText(const DString& text) override;

    // A string value's text, converted from its character set to UTF-16 and ending at the
    // first zero unit; false (out untouched) for a number, a zero-size string or a set
    // that converts nothing.
    static bool valueText(const DValue& value, std::vector<char16_t>& buffer, DString& out);

private:
    static constexpr uint32_t kEditable = uint32_t(target::WidgetType::EditableTextField);
    std::vector<char16_t> m_buffer; // reused by every conversion
    DString m_shown;
};
