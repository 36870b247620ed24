#pragma once
// Reads the target file: its project header and page table when the project loads, and
// a page's header and widgets each time the page is shown.

#include <cstdint>
#include <memory>

#include "engine/core/DFile.h"
#include "foundation/DString.h"
#include "foundation/target/TargetFormat.h"
#include "foundation/target/TargetProject.h"

class DPage;
class DPageStack;
class DProject;
class DRenderer;

class DProjectReader {
public:
    DProjectReader(DProject& project, DPageStack& pages) : m_project(project), m_pages(pages) {}
    ~DProjectReader();
    DProjectReader(const DProjectReader&) = delete;
    DProjectReader& operator=(const DProjectReader&) = delete;

    // Opens the file and reads its chunk headers and project header; 0 on success. A
    // failure prints its diagnostic line.
    [[nodiscard]] int open(const DString& path);
    // Adds a page for every entry of the page table; what was read before a failure stays.
    [[nodiscard]] int readPageTable();
    // The faces of the file's "font" chunks, before any page draws a text.
    void loadFonts(DRenderer& renderer);
    // Reads a page's chunk: its header and its widgets. A page that cannot be read still
    // takes the old page's place, as an empty page.
    int loadPage(DPage& page);
    void close();

    DFile* file() const { return m_file.get(); }
    const target::ProjectHeader& header() const { return m_header; }

private:
    DProject& m_project;
    DPageStack& m_pages;
    std::unique_ptr<DFile> m_file;
    target::ChunkHeader m_riff{};
    target::ProjectHeader m_header{};
};
