#include "editor/project/download/CSerialZhProtocol.h"

#include <limits>

using namespace CXmodemBlock;

CSerialZhProtocol::CSerialZhProtocol(CDownloadSettings settings, const CDownloadClock& clock)
    : m_settings(std::move(settings)), m_clock(clock)
{
}

CSerialZhProtocol::~CSerialZhProtocol()
{
    m_port.Close();
}

bool CSerialZhProtocol::OpenPort()
{
    const std::string device = m_settings.DevicePath();
    if (device.empty())
        return false;
    if (m_port.Open(device) != 0)
        return false;
    if (m_port.StartListener(*this) != 0 || m_port.Setup(m_settings.line) != 0) {
        m_port.Close();
        return false;
    }
    return true;
}

bool CSerialZhProtocol::StartDownload(std::span<const uint8_t> data)
{
    if (m_port.IsOpen())
        m_port.Close();
    if (data.size() > std::numeric_limits<uint32_t>::max() || !OpenPort()) {
        m_state = uint32_t(DownloadState::Failed);
        return false;
    }
    // Everything the first answer needs is in place before "P" goes out: the panel may
    // answer at once, and nothing left in the input may pass for its answer.
    (void)m_port.Purge();
    m_data.assign(data.begin(), data.end());
    m_length = uint32_t(data.size());
    m_offset = 0;
    Arm(m_settings.timeoutMs);
    m_state = uint32_t(DownloadState::RequestSent);
    const uint8_t request = kRequest;
    if (m_port.Write({&request, 1}) != 0) {
        m_state = uint32_t(DownloadState::Failed);
        return false;
    }
    return true;
}

std::u16string CSerialZhProtocol::FinishDownload()
{
    if (m_port.IsOpen())
        (void)m_port.Purge();
    m_port.Close();
    const bool failed = State() == DownloadState::Failed;
    m_state = uint32_t(DownloadState::Idle);
    m_deadline = 0;
    m_length = 0;
    m_offset = 0;
    m_data.clear();
    return failed ? std::u16string(kFailedMessage) : std::u16string();
}

void CSerialZhProtocol::CheckDeadline()
{
    const uint32_t deadline = m_deadline.load();
    if (deadline == 0 || int32_t(m_clock.Now() - deadline) < 0)
        return;
    uint32_t state = m_state.load();
    while (state >= uint32_t(DownloadState::RequestSent) && state <= uint32_t(DownloadState::WaitingFinal))
        if (m_state.compare_exchange_weak(state, uint32_t(DownloadState::Failed)))
            return;
}

bool CSerialZhProtocol::Advance(DownloadState from, DownloadState to)
{
    uint32_t expected = uint32_t(from);
    return m_state.compare_exchange_strong(expected, uint32_t(to));
}

void CSerialZhProtocol::Arm(uint32_t milliseconds)
{
    const uint32_t deadline = m_clock.Now() + milliseconds;
    m_deadline = deadline ? deadline : 1; // 0 means no deadline
}

void CSerialZhProtocol::OnEvent(Event event)
{
    if (event == Event::Hangup) {
        const DownloadState state = State();
        if (state >= DownloadState::RequestSent && state <= DownloadState::WaitingFinal)
            (void)Advance(state, DownloadState::Failed);
        return;
    }
    std::size_t received = 0;
    if (m_port.Read(m_received, received, kAnswerReadWait) != 0 || received == 0)
        return;
    // Answers that arrive together are each an answer: an ACK of the end and the final
    // byte may come in one read.
    for (std::size_t i = 0; i < received; ++i)
        Answer(State(), m_received[i]);
}

void CSerialZhProtocol::Answer(DownloadState state, uint8_t answer)
{
    switch (state) {
    case DownloadState::RequestSent:
        if (answer != kReady) {
            (void)Advance(state, DownloadState::Failed);
            return;
        }
        m_offset = 0;
        m_blockNumber = 1;
        m_repeats = 0;
        if (Advance(state, DownloadState::Sending))
            SendBlock(DownloadState::Sending);
        return;
    case DownloadState::Sending:
        if (answer == kAck) {
            const uint64_t next = uint64_t(m_offset.load()) + kDataSize;
            m_offset = uint32_t(std::min<uint64_t>(next, m_length.load()));
            ++m_blockNumber;
            m_repeats = 0;
            if (next < m_length.load())
                SendBlock(state);
            else if (Advance(state, DownloadState::EndSent))
                SendEnd(DownloadState::EndSent);
        } else if (answer == kNak && ++m_repeats <= m_settings.retries) {
            SendBlock(state);
        } else {
            (void)Advance(state, DownloadState::Failed);
        }
        return;
    case DownloadState::EndSent:
        if (answer == kAck) {
            // Armed first: whoever sees the new state sees its deadline.
            Arm(kFinalByteWaitMs);
            (void)Advance(state, DownloadState::WaitingFinal);
        } else if (++m_repeats <= m_settings.retries) {
            SendEnd(state);
        } else {
            (void)Advance(state, DownloadState::Failed);
        }
        return;
    case DownloadState::WaitingFinal:
        if (Advance(state, DownloadState::Done))
            m_deadline = 0;
        return;
    default:
        return; // nothing is under way: a stray byte
    }
}

void CSerialZhProtocol::SendBlock(DownloadState from)
{
    Build(m_data, m_offset.load(), m_blockNumber, m_block);
    Send(m_block, from);
}

void CSerialZhProtocol::SendEnd(DownloadState from)
{
    const uint8_t end = kEnd;
    Send({&end, 1}, from);
}

void CSerialZhProtocol::Send(std::span<const uint8_t> bytes, DownloadState from)
{
    // No deadline while the bytes are on the line: a slow line is no silent panel.
    m_deadline = 0;
    if (m_port.Write(bytes) != 0) {
        (void)Advance(from, DownloadState::Failed);
        return;
    }
    Arm(m_settings.timeoutMs);
}
