#include "editor/project/download/CDownloadMonitor.h"

#include <algorithm>
#include <cstdio>

#include "editor/project/download/CSerialZhProtocol.h"

int CDownloadMonitor::Percent(uint64_t acknowledged, uint64_t length)
{
    if (length == 0)
        return 0;
    return int(std::min<uint64_t>(acknowledged * kMaxRunningPercent / length, kMaxRunningPercent));
}

CDownloadPoll CDownloadMonitor::Poll(CSerialZhProtocol& protocol)
{
    CDownloadPoll poll;
    const DownloadState state = protocol.State();
    if (state == DownloadState::Idle)
        return poll;
    if (state == DownloadState::Done || state == DownloadState::Failed) {
        poll.message = protocol.FinishDownload();
        poll.output = state == DownloadState::Done ? u"100 %\r\n" : u"\r\n";
        m_lastPercent = -1;
        return poll;
    }
    protocol.CheckDeadline();
    poll.running = true;
    const int percent = Percent(protocol.Offset(), protocol.Length());
    if (percent != m_lastPercent) {
        m_lastPercent = percent;
        char text[8];
        std::snprintf(text, sizeof text, "%3d %%", percent);
        for (const char* c = text; *c; ++c)
            poll.output.push_back(char16_t(*c));
    }
    return poll;
}
