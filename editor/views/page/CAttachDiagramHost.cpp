#include "editor/views/page/CAttachDiagramHost.h"

CAttachDiagramHost::CAttachDiagramHost() : m_outer(CDiagramHost::Get())
{
    CDiagramHost::Set(this);
}

CAttachDiagramHost::~CAttachDiagramHost()
{
    CDiagramHost::Set(&m_outer);
}
