#include "foundation/CCompressedBuffer.h"

#include <lzo/lzo1x.h>

#include <limits>
#include <mutex>
#include <new>

namespace {

struct SharedState {
    std::mutex lock;
    // LZO1X_1_MEM_COMPRESS is pointer-sized per dictionary entry: 128 KiB on 64-bit.
    std::vector<lzo_align_t> workMemory;
    std::vector<uint8_t> scratch;
};

SharedState& shared()
{
    static SharedState state;
    return state;
}

bool lzoReady()
{
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] { ready = lzo_init() == LZO_E_OK; });
    return ready;
}

} // namespace

std::size_t CCompressedBuffer::WorstCaseSize(std::size_t length)
{
    const std::size_t extra = length / 16 + 67;
    if (length > std::numeric_limits<std::size_t>::max() - extra)
        return 0;
    return length + extra;
}

std::size_t CCompressedBuffer::ScratchSize()
{
    SharedState& state = shared();
    std::lock_guard guard(state.lock);
    return state.scratch.size();
}

bool CCompressedBuffer::Compress(const void* data, std::size_t length)
{
    m_compressed = {};
    m_uncompressedSize = 0;
    if (!data || length == 0 || !lzoReady())
        return false;
    const std::size_t bound = WorstCaseSize(length);
    if (bound == 0)
        return false;

    SharedState& state = shared();
    std::lock_guard guard(state.lock);
    try {
        const std::size_t words = (LZO1X_1_MEM_COMPRESS + sizeof(lzo_align_t) - 1) / sizeof(lzo_align_t);
        if (state.workMemory.size() < words)
            state.workMemory.assign(words, lzo_align_t{});
        if (state.scratch.size() < bound) {
            state.scratch = {};
            state.scratch.resize(bound);
        }
    } catch (const std::bad_alloc&) {
        return false;
    }

    lzo_uint outLength = state.scratch.size();
    const int result = lzo1x_1_compress(static_cast<const lzo_bytep>(data), length, state.scratch.data(), &outLength,
                                        state.workMemory.data());
    if (result != LZO_E_OK || outLength > state.scratch.size())
        return false;
    try {
        m_compressed.assign(state.scratch.begin(), state.scratch.begin() + std::ptrdiff_t(outLength));
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_uncompressedSize = length;
    return true;
}

void CCompressedBuffer::FreeShared()
{
    SharedState& state = shared();
    std::lock_guard guard(state.lock);
    state.workMemory = {};
    state.scratch = {};
}
