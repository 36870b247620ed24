#include "editor/shell/frame/CFrameConnection.h"

#include "editor/shell/frame/CMainFrame.h"

CFrameConnection::CFrameConnection()
    : m_previousDocument(CDocumentHost::Set(this)), m_previousDiagram(CDiagramHost::Set(this))
{
}

CFrameConnection::~CFrameConnection()
{
    CDocumentHost::Set(m_previousDocument);
    CDiagramHost::Set(m_previousDiagram);
}

void CFrameConnection::SetProjectModified()
{
    if (m_frame)
        m_frame->OnModelChanged();
}

void CFrameConnection::RefreshFrameState()
{
    if (m_frame)
        m_frame->UpdateTitle();
}

void CFrameConnection::ShowSelection()
{
    if (m_frame)
        m_frame->ShowObjectsSelection();
}

void CFrameConnection::RefreshObjects(CDiagramEntityContainer& container)
{
    if (m_frame)
        m_frame->OnObjectsChanged(container);
}

void CFrameConnection::EntityRemoved(CDiagramEntityContainer& container, const CDiagramEntity& entity)
{
    if (m_frame)
        m_frame->OnEntityRemoved(container, entity);
}

void CFrameConnection::UpdateUndoButtonList(CommandId command, std::span<const std::u16string> labels)
{
    if (m_frame)
        m_frame->SetUndoLabels(command, labels);
}

void CFrameConnection::RefreshPropertyPanes()
{
    if (m_frame)
        m_frame->RequestPropertiesRefill(PropertiesRefill::InPlace);
}
