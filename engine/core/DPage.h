#pragma once
// One page of the target file: its header, and while it is shown its widgets, its
// primitives (index 0 is the topmost), its key focus and its pointer capture. A pop-up
// shown over another page keeps that page under it: the page under it is hit and drawn
// below the pop-up's own primitives, and its widgets follow the pop-up's own in the
// pop-up's focus numbering.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/widgets/DCompositeObject.h"
#include "foundation/DGeometry.h"
#include "engine/core/DObject.h"
#include "foundation/target/TargetPage.h"

class DBaseObject;
class DProject;

class DPage : public DObject {
public:
    // The page types the engine tells apart, as the target file numbers them; the page
    // keeps the type word it read, so types without a name here behave as Normal.
    static constexpr uint32_t Normal = uint32_t(target::PageType::Normal);
    static constexpr uint32_t Initial = uint32_t(target::PageType::Initial);
    static constexpr uint32_t Global = uint32_t(target::PageType::Global);
    static constexpr uint32_t ScreenSaver = uint32_t(target::PageType::ScreenSaver);
    static constexpr uint32_t Dialog = uint32_t(target::PageType::Dialog);
    static constexpr uint32_t Window = uint32_t(target::PageType::Window);

    DPage(DProject* project, uint32_t chunkOffset) : m_project(project), m_chunkOffset(chunkOffset) {}
    ~DPage() override;

    DProject* project() const { return m_project; }
    uint32_t chunkOffset() const { return m_chunkOffset; }
    uint32_t type() const { return m_type; }
    void setType(uint32_t type) { m_type = type; }
    bool isPopup() const { return target::isPopUpPage(m_type); }
    int32_t initialFocus() const { return m_initialFocus; }
    void setInitialFocus(int32_t index) { m_initialFocus = index; }

    // The page's own primitives and widgets.
    std::vector<DBaseObject*>& primitives() { return m_primitives; }
    std::vector<DCompositeObject*>& widgets() { return m_widgets; }

    DPage* pageUnder() const { return m_under; }
    void setPageUnder(DPage* page) { m_under = page; }
    // The widgets a focus index reaches: the own ones, then those of the page under it.
    std::size_t widgetCount() const;
    DCompositeObject* widgetAt(std::size_t index) const;

    // Takes the widget of record number; records without a widget leave a null entry,
    // so a widget's place in the list is always its number.
    void adopt(uint32_t number, std::unique_ptr<DCompositeObject> widget);
    // Shows every widget (then fires "entering page"); hides and deletes them.
    void show();
    void hideAndDelete();

    int32_t focusIndex() const { return m_focusIndex; }
    DCompositeObject* focusedWidget() const;
    // Moves the focus to index; -1, an index outside the list and the focused index are ignored.
    void setFocus(int32_t index);
    // The widget that was pressed while it edited, or -1.
    int32_t pressedIndex() const { return m_pressedIndex; }
    void setPressedIndex(int32_t index) { m_pressedIndex = index; }
    // A widget that edits leaves editing and becomes the pressed widget; any other is told it lost the focus.
    void takeFocusAway();

    // Whether the capture came from a press on this page, and the primitive that has the pointer.
    bool isPressed() const { return m_pressed; }
    void setPressed(bool pressed) { m_pressed = pressed; }
    DBaseObject* capture() const { return m_capture; }
    void setCapture(DBaseObject* primitive) { m_capture = primitive; }

    // Every widget whose tick is due gets it, the page under it's after the own ones.
    void tick(uint32_t now);

private:
    DProject* m_project;
    uint32_t m_chunkOffset;
    uint32_t m_type = Normal;
    int32_t m_initialFocus = -1;
    DPage* m_under = nullptr;
    std::vector<DBaseObject*> m_primitives;   // borrowed from the widgets
    std::vector<DCompositeObject*> m_widgets; // by number; entries may be null
    std::vector<std::unique_ptr<DCompositeObject>> m_owned;
    bool m_pressed = false;
    DBaseObject* m_capture = nullptr;
    int32_t m_focusIndex = -1;
    int32_t m_pressedIndex = -1;
    uint32_t m_generation = 0; // counts the times the widgets were taken down
};
