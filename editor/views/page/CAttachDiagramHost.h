#pragma once
// While a page's objects move into its view, the container takes them as additions; the
// project is not changed by opening a page, so its modified mark is held back. Everything
// else goes on to the host in use. Installed for its own lifetime.

#include "diagram/CDiagramHost.h"

class CAttachDiagramHost : public CDiagramHost {
public:
    CAttachDiagramHost();
    ~CAttachDiagramHost() override;
    CAttachDiagramHost(const CAttachDiagramHost&) = delete;
    CAttachDiagramHost& operator=(const CAttachDiagramHost&) = delete;

    void SetProjectModified() override {}
    void ShowSelection() override { m_outer.ShowSelection(); }
    void RefreshObjects(CDiagramEntityContainer& container) override { m_outer.RefreshObjects(container); }
    void EntityRemoved(CDiagramEntityContainer& container, const CDiagramEntity& entity) override
    {
        m_outer.EntityRemoved(container, entity);
    }
    void UpdateUndoButtonList(CommandId command, std::span<const std::u16string> labels) override
    {
        m_outer.UpdateUndoButtonList(command, labels);
    }
    void TrackPopup(std::span<const CEntityPopupItem> items, int32_t x, int32_t y, CDiagramWindow* parent) override
    {
        m_outer.TrackPopup(items, x, y, parent);
    }
    void RefreshPropertyPanes() override { m_outer.RefreshPropertyPanes(); }
    uint32_t TickCount() override { return m_outer.TickCount(); }

private:
    CDiagramHost& m_outer;
};
