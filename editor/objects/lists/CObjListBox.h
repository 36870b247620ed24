#pragma once
// List boxes: a vertical list of items in themed item frames that the user scrolls by
// touch; the selected item's index goes to the "Value tag". A list box has fixed item
// titles that are compiled as pictures; a dynamic list box takes its items from a string
// tag at run time and has them drawn in its font by the engine.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/objects/CEditorObject.h"

class CObjListBox : public CEditorObject {
public:
    // Item frames of the states 0 (a row), 1 (the selected row), 2 (selected and focused).
    static constexpr int32_t kFrameStates = 3;
    // No item is drawn smaller.
    static constexpr int32_t kMinimumItemHeight = 5;
    // The separator word for an empty "Text list separator".
    static constexpr uint32_t kEmptySeparator = 1;

    explicit CObjListBox(int32_t objectTypeIndex) : CEditorObject(objectTypeIndex) {}

    bool HasMultiLineText() const override;
    bool IsStringTagProperty(std::u16string_view caption) const override;
    bool IsWritableTagProperty(std::u16string_view caption) const override;
    bool ReadXml(const DXMLElement& element) override;
    void WriteXml(DXMLElement& parent) const override;
    gfx::Surface RenderPreview() override;
    void CollectImages(DRIFFFile& target, CResourceIndex& resources) override;
    int Compile(DRIFFFile& target, CObjectCompileContext& context) override;
    int32_t GetListItemHeight() const override;

    // The height of one item in an object of the given height.
    int32_t ItemHeight(int32_t objectHeight) const;
    // The item titles, each ended by a separator, cut to "Maximum items" and to the
    // largest count a document may give.
    std::vector<std::u16string> ItemTitles() const;
    // The separator word: the first unit of "Text list separator", 1 when it is empty.
    uint32_t SeparatorWord() const;
    // Item pictures the last collection made.
    uint32_t CollectedItemCount() const { return m_collectedItems; }

private:
    uint32_t m_collectedItems = 0;
};
