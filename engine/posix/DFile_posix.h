#pragma once
// The target file on disk, read through a file descriptor.

#include "engine/core/DFile.h"

class DFile_posix : public DFile {
public:
    DFile_posix() = default;
    ~DFile_posix() override;

    bool isOpen() const override { return m_descriptor >= 0; }
    int open(const DString& path) override;
    void close() override;
    int seek(int64_t offset, int origin) override;
    uint32_t tell() const override;
    uint64_t size() const override;

protected:
    int readRaw(void* buffer, uint32_t count) override;
    uint64_t position() const override;

private:
    int m_descriptor = -1;
};
