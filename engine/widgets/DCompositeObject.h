#pragma once
// A widget: one object record of a page, made of drawing primitives, bound to tags and
// owning the object's action list. The page reader creates it by its widget type id.

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/DGeometry.h"
#include "engine/tags/DItemDescriptor.h"
#include "engine/tags/DItemObserver.h"
#include "engine/core/DObject.h"

class DActionList;
class DBaseObject;
class DBaseObject_Text;
class DFile;
class DItem;
class DPage;
class DProject;

class DCompositeObject : public DItemObserver {
public:
    DCompositeObject();
    ~DCompositeObject() override;

    // The widget of a type id, or none for an id without a class.
    [[nodiscard]] static DCompositeObject* create(uint32_t typeId, DPage* page);

    virtual void onPointerDown(DPoint point);
    virtual void onPointerMove(DPoint) {}
    virtual void onPointerUp(DPoint point);
    virtual void onPointerHold(DPoint point);
    void onValueChanged(DItem&) override {}
    // The five common words; every widget's load calls it first.
    [[nodiscard]] virtual int load(DFile& file);
    virtual void show() = 0;
    virtual void hide() = 0;
    // Returns 1 when the widget takes the focus (it has a focus primitive or an edit text).
    virtual int setFocus(int on);
    virtual void onKey(uint32_t key);
    virtual void onKeyUp(uint32_t key);
    virtual void onKeyHold(uint32_t key);
    virtual void tick(uint32_t now);
    virtual void flush() {}

    // Reads the object's action list (after the class data).
    [[nodiscard]] int loadActions(DFile& file);
    // Runs the triggers of an event; key events carry the key code.
    void fireEvent(uint32_t event, uint32_t key = 0);
    void startTick(uint32_t period);

    int32_t index() const { return m_index; }
    void setIndex(int32_t index) { m_index = index; }
    uint32_t typeId() const { return m_typeId; }
    void setTypeId(uint32_t typeId) { m_typeId = typeId; }
    DPage* page() const { return m_page; }
    void setPage(DPage* page) { m_page = page; }
    DProject* project() const { return m_project; }
    bool slidesOn() const { return m_slideOn; }
    bool tickEnabled() const { return m_tickEnabled; }
    uint32_t nextTick() const { return m_nextTick; }
    void scheduleNextTick(uint32_t now) { m_nextTick = now + m_tickPeriod; }
    int32_t neighbour(int direction) const { return m_neighbours[direction]; }
    DBaseObject_Text* editText() const { return m_editText; }
    bool isEditing() const;
    DActionList* actions() const { return m_actions.get(); }
    bool acceptsValueChanges() const { return m_acceptValueChanges; }

    // Neighbour directions of the focus moves.
    enum Direction { Left = 0, Up = 1, Right = 2, Down = 3 };

protected:
    // Reads one primitive record and appends the primitive to the page's list; owns it.
    DBaseObject* loadPrimitive(DFile& file);

    int32_t m_index = -1;
    bool m_tickEnabled = false;
    uint32_t m_tickPeriod = 0;
    uint32_t m_nextTick = 0;
    uint32_t m_typeId = 0;
    bool m_slideOn = false;
    uint32_t m_reserved = 0;
    DPage* m_page = nullptr;
    DProject* m_project = nullptr;
    std::unique_ptr<DActionList> m_actions;
    DBaseObject_Text* m_editText = nullptr;
    DBaseObject* m_focusPrimitive = nullptr;
    bool m_tracksFocus = false;
    bool m_focused = false;
    int32_t m_neighbours[4] = {-1, -1, -1, -1};
    bool m_acceptValueChanges = true;
    std::vector<std::unique_ptr<DBaseObject>> m_primitives;
};
