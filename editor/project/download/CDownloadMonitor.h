#pragma once
// The editor's poll of a running download: fails a transfer whose deadline passed,
// finishes a done or failed one, and gives the output pane's progress text. "100 %"
// is written only for a transfer the panel completed.

#include <string>

class CSerialZhProtocol;

struct CDownloadPoll {
    bool running = false;
    std::u16string output;  // text to append to the output pane
    std::u16string message; // a message to show; empty when none
};

class CDownloadMonitor {
public:
    static constexpr int kMaxRunningPercent = 99;

    CDownloadPoll Poll(CSerialZhProtocol& protocol);
    // A new download shows its percentages from the start.
    void Reset() { m_lastPercent = -1; }

    // Bytes acknowledged x 99 / length, at most 99; 0 for an empty binary.
    static int Percent(uint64_t acknowledged, uint64_t length);

private:
    int m_lastPercent = -1;
};
