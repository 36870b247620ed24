#include "editor/project/document/CHeadlessConnection.h"

#include "editor/project/document/CProject.h"

CHeadlessConnection::CHeadlessConnection(CProject* project)
    : m_project(project), m_previousDocument(CDocumentHost::Set(this)), m_previousDiagram(CDiagramHost::Set(this))
{
}

CHeadlessConnection::~CHeadlessConnection()
{
    CDocumentHost::Set(m_previousDocument);
    CDiagramHost::Set(m_previousDiagram);
}

void CHeadlessConnection::SetProjectModified()
{
    if (m_project)
        m_project->SetModified(true);
}
