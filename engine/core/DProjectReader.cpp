#include "engine/core/DProjectReader.h"

#include <algorithm>
#include <cstdio>

#include "engine/core/DPage.h"
#include "engine/core/DPageStack.h"
#include "engine/core/DPlatform.h"
#include "engine/core/DProject.h"
#include "engine/core/DStatus.h"
#include "engine/render/DRenderer.h"
#include "engine/widgets/DCompositeObject.h"
#include "foundation/target/TargetPage.h"

DProjectReader::~DProjectReader()
{
    close();
}

void DProjectReader::close()
{
    if (m_file)
        m_file->close();
    m_file.reset();
}

int DProjectReader::open(const DString& path)
{
    close();
    m_file = m_project.platform().createFile();
    if (!m_file) {
        std::printf("Failed opening file!\n");
        return DStatus::Failed;
    }
    if (const int status = m_file->open(path); status != DStatus::Ok) {
        std::printf("Failed opening file!\n");
        return status;
    }
    DFile& file = *m_file;
    if (target::readRecord(file, m_riff) != DStatus::Ok || m_riff.identifier != target::kChunkRiff) {
        std::printf("RIFF header error!\n");
        return DStatus::Failed;
    }
    if (m_riff.third != target::kFormProject) {
        std::printf("No DProjectForm!\n");
        return DStatus::Failed;
    }
    target::ChunkHeader project;
    if (target::readRecord(file, project) != DStatus::Ok || project.identifier != target::kChunkProject) {
        std::printf("No project chunk!\n");
        return DStatus::Failed;
    }
    return target::readRecord(file, m_header);
}

int DProjectReader::readPageTable()
{
    if (!m_file)
        return DStatus::Failed;
    DFile& file = *m_file;
    // The page count is not trusted for allocation: the table is read entry by entry.
    int status = file.seek(int64_t(m_header.pageTableOffset), DFile::FromStart);
    for (uint32_t i = 0; status == DStatus::Ok && i < m_header.pageCount; ++i) {
        uint32_t offset = 0;
        status = readWord(file, offset);
        if (status == DStatus::Ok) {
            auto page = std::make_unique<DPage>(&m_project, offset);
            if (!page)
                status = DStatus::Failed;
            else
                m_pages.add(std::move(page));
        }
    }
    return status;
}

void DProjectReader::loadFonts(DRenderer& renderer)
{
    if (m_file)
        (void)renderer.loadFonts(*m_file, m_riff.nextChunkPosition(0));
}

int DProjectReader::loadPage(DPage& page)
{
    if (!m_file)
        return DStatus::Failed;
    DFile& file = *m_file;
    const auto unreadable = [&](int status) {
        m_pages.makeRoomFor(page.type());
        return status;
    };
    target::ChunkHeader chunk;
    if (file.seek(int64_t(page.chunkOffset()), DFile::FromStart) != DStatus::Ok ||
        target::readRecord(file, chunk) != DStatus::Ok || chunk.identifier != target::kChunkPage)
        return unreadable(DStatus::Failed);
    // Nothing of this page is read past its chunk.
    DFileLimit chunkLimit(file, chunk.nextChunkPosition(page.chunkOffset()));
    if (!chunkLimit.pushed())
        return unreadable(DStatus::Failed);
    target::PageHeader header;
    int status = target::readRecord(file, header);
    if (status != DStatus::Ok)
        return unreadable(status);
    const uint32_t type = header.pageType ? header.pageType : page.type();
    m_pages.makeRoomFor(type);
    page.hideAndDelete();
    page.setType(type);
    page.setInitialFocus(header.initialFocus);
    status = file.seek(int64_t(header.firstRecordOffset), DFile::FromStart);
    const uint32_t phase = m_project.drawingPhase();
    m_project.setDrawingPhase(DDrawingPhase::Other);
    for (uint32_t number = 0; status == DStatus::Ok && number < header.objectCount; ++number) {
        const uint64_t start = file.tell();
        target::ObjectRecordPrefix prefix;
        status = target::readRecord(file, prefix);
        if (status != DStatus::Ok || prefix.recordSize < target::ObjectRecordPrefix::kSize)
            break; // a record that does not reach past its own prefix ends the page
        const uint64_t end = start + prefix.recordSize;
        const uint64_t actions = start + std::min(prefix.actionBlockOffset, prefix.recordSize);
        std::unique_ptr<DCompositeObject> widget(DCompositeObject::create(prefix.type, &page));
        if (widget) {
            {
                DFileLimit limit(file, actions);
                if (limit.pushed())
                    (void)widget->load(file);
            }
            if (file.seek(int64_t(actions), DFile::FromStart) == DStatus::Ok) {
                DFileLimit limit(file, end);
                if (limit.pushed())
                    (void)widget->loadActions(file);
            }
            widget->setIndex(int32_t(number));
            page.adopt(number, std::move(widget));
        }
        status = file.seek(int64_t(end), DFile::FromStart);
    }
    m_project.setDrawingPhase(phase);
    return status;
}
