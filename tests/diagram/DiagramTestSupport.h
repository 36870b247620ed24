#pragma once
// Shared by the diagram tests: an entity class of its own and a host that records.

#include <memory>
#include <string>
#include <vector>

#include "diagram/CDiagramEntity.h"
#include "diagram/CDiagramHost.h"

namespace diagramtest {

// A derived entity, so clones must keep their class.
class TestEntity : public CDiagramEntity {
public:
    TestEntity() { SetType(u"test"); }
    std::unique_ptr<CDiagramEntity> Clone() const override
    {
        auto clone = std::make_unique<TestEntity>();
        clone->Copy(*this);
        return clone;
    }
    void Invalidate() override { ++invalidated; }
    int invalidated = 0;
};

inline std::unique_ptr<TestEntity> makeEntity(double l, double t, double r, double b, std::u16string name = u"")
{
    auto entity = std::make_unique<TestEntity>();
    entity->SetRect(l, t, r, b);
    entity->SetName(name);
    return entity;
}

class RecordingHost : public CDiagramHost {
public:
    RecordingHost() { m_previousHost = CDiagramHost::Set(this); }
    ~RecordingHost() override { CDiagramHost::Set(m_previousHost); }
    void SetProjectModified() override { ++projectModified; }
    void ShowSelection() override { ++selectionShown; }
    void RefreshObjects(CDiagramEntityContainer&) override { ++refreshed; }
    void UpdateUndoButtonList(CommandId command, std::span<const std::u16string> labels) override
    {
        (command == CommandId::EditUndo ? undoLabels : redoLabels).assign(labels.begin(), labels.end());
    }
    void EntityRemoved(CDiagramEntityContainer&, const CDiagramEntity& entity) override
    {
        removed += entity.GetName();
    }
    int projectModified = 0;
    int selectionShown = 0;
    int refreshed = 0;
    std::vector<std::u16string> undoLabels;
    std::vector<std::u16string> redoLabels;
    std::u16string removed;
    void RefreshPropertyPanes() override { ++propertyPanes; }
    int propertyPanes = 0;

private:
    CDiagramHost* m_previousHost = nullptr;
};

} // namespace diagramtest
