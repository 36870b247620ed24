#pragma once
// A list of rows the editor rendered as images: scrolled with the finger (with momentum
// when it slows down), selected by a tap or by coming to rest in the middle; the
// selected row's 0-based index goes to the selection tag, whose changes scroll the list.

#include <memory>
#include <vector>

#include "engine/render/DBitmap.h"
#include "engine/widgets/DCompositeObject.h"
#include "engine/widgets/DImageSet.h"
#include "foundation/target/TargetListBoxWords.h"

class DBaseObject_ScrollingList;

class DCompositeObject_Listbox : public DCompositeObject {
public:
    // A pointer that moves more than this from where it went down drags instead of tapping.
    static constexpr int32_t kTapTolerance = 10;

    DCompositeObject_Listbox();
    ~DCompositeObject_Listbox() override;

    int load(DFile& file) override;
    void show() override;
    void hide() override;
    int setFocus(int on) override;
    void onPointerDown(DPoint point) override;
    void onPointerMove(DPoint point) override;
    void onPointerUp(DPoint point) override;
    void onValueChanged(DItem& item) override;
    void tick(uint32_t now) override;

    DBaseObject_ScrollingList* list() const { return m_list; }
    const DItemDescriptor& selectionTag() const { return m_selectionTag; }

protected:
    // The three row backgrounds: normal, selected, selected while focused.
    void takeBackgrounds(DFile& file, const target::ListboxBackgroundWords& words);
    // The list primitive; tracks the focus for its pictures when the list asks for it.
    void loadList(DFile& file);
    // What both list boxes do on show, after their rows are set.
    void showSelection();
    void showSelectedBackground();
    // Writes the 0-based index of a selected row (1-based) to the selection tag.
    void writeSelection(uint32_t row);
    void bind(DItemDescriptor& descriptor);
    void unbind(DItemDescriptor& descriptor);

    std::unique_ptr<DBitmap> m_backgrounds[3];
    DImageSet m_rowImages;
    DItemDescriptor m_selectionTag;
    DBaseObject_ScrollingList* m_list = nullptr;
    bool m_dragging = false;
    DPoint m_start{};
    DPoint m_last{};
};
