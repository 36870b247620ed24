#pragma once
// The one open project: its settings, its pages in order, its tags, and the state the
// drivers keep around it (modified and stale marks, the running download). Reading a
// document, or importing one into the open project, is staged: nothing of the project
// changes until the whole document has been read, so a failing import changes nothing.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/document/CTagsModel.h"
#include "editor/project/document/CProjectSettings.h"
#include "editor/project/page/CPage.h"
#include "editor/project/page/CPageDirectory.h"

class CProjectOutput;
class CProjectPrompts;
class DXMLElement;

enum class ProjectReading { Load, Import };

enum class ProjectReadStatus {
    Ok,
    NoProjectElement,   // the document's root is not "project"
    ImportDeclined,     // the user would not adjust to the imported page size
    PageRefused,        // a page or one of its objects could not be read (see PageStatus)
};

struct ProjectReadResult {
    ProjectReadStatus status = ProjectReadStatus::Ok;
    PageReadStatus pageStatus = PageReadStatus::Ok;
    bool ok() const { return status == ProjectReadStatus::Ok; }
};

class CProject : public CPageDirectory, private CTagsModelListener {
public:
    static constexpr std::u16string_view kRootName = u"project";
    static constexpr std::u16string_view kPageElement = u"page";
    static constexpr std::u16string_view kDefaultPageBase = u"Page";

    // Both interfaces outlive the project.
    CProject(CProjectPrompts& prompts, CProjectOutput& output);
    ~CProject() override;
    CProject(const CProject&) = delete;
    CProject& operator=(const CProject&) = delete;

    CProjectSettings& Settings() { return m_settings; }
    const CProjectSettings& Settings() const { return m_settings; }
    // A setting changed: the project is modified and its target stale; the tags follow
    // the memory size and encoding.
    void SettingsChanged();
    CPageSize GetPageSize() const { return m_settings.GetPageSize(); }

    CTagsModel& Tags() { return m_tags; }
    const CTagsModel& Tags() const { return m_tags; }
    CProjectPrompts& Prompts() { return m_prompts; }
    CProjectOutput& Output() { return m_output; }

    int32_t GetPageCount() const { return int32_t(m_pages.size()); }
    CPage& GetPage(int32_t index) const { return *m_pages[std::size_t(index)]; }
    std::span<const std::unique_ptr<CPage>> GetPages() const { return m_pages; }
    // A new page of that type named "Page n", appended.
    CPage& AddPage(int32_t pageType = int32_t(target::PageType::Normal));
    // Appends a page as it is; its name is made unique when another page has it.
    CPage& AppendPage(std::unique_ptr<CPage> page);
    // The same at position (clamped to 0..count).
    CPage& InsertPage(int32_t position, std::unique_ptr<CPage> page);
    // Takes the page out of the project; none when the project does not hold it.
    std::unique_ptr<CPage> RemovePage(const CPage& page);
    void ForEachPage(const std::function<void(CPage&)>& operation) const;
    // The page at from takes position to, the pages between shift by one; the project is
    // modified. Nothing for an index out of range.
    void MovePage(int32_t from, int32_t to);

    // Appends the "project" element: the settings, the tags, then the pages. Refused
    // (false, with the message) while a download runs.
    bool WriteXml(DXMLElement& document);
    // Reads the "project" child of document, or imports it into this project.
    ProjectReadResult ReadXml(const DXMLElement& document, ProjectReading reading);
    // The formatVersion of the last document read (0 for one that names none).
    int32_t GetReadFormatVersion() const { return m_readFormatVersion; }

    // CPageDirectory
    int32_t FindPage(std::u16string_view text, PageName by) const override;
    std::u16string MakeUniquePageName(std::u16string_view name) const override;
    int32_t FindPage(std::u16string_view text, PageName by, int32_t start) const;
    int32_t FindPageOfType(int32_t pageType) const;
    // A current name to its page's original name (ResolvePageName) and back; empty when
    // no page has it. True when the text changed.
    bool ResolvePageName(std::u16string& text) const;
    bool ResolvePageOriginalName(std::u16string& text) const;

    // After page became Initial, Global or ScreenSaver, every other page of that type
    // becomes Normal.
    void EnforceUniquePageType(const CPage& page);
    // Every object rescaled from the current page size to size, which becomes the page
    // size; nothing when they are equal.
    void ApplyPageSize(const CPageSize& size);
    static void ScalePage(CPage& page, const CPageSize& from, const CPageSize& to);

    void SetModified(bool modified);
    // The project's mark, or any open page editor's (which then marks the project).
    bool IsModified();
    bool IsTargetStale() const { return m_targetStale; }
    void MarkTargetStale() { m_targetStale = true; }
    void ClearTargetStale() { m_targetStale = false; }
    // Another project was imported and the result not saved yet.
    bool IsImportedNotSaved() const { return m_importedNotSaved; }

    // Set by the download driver while a transfer runs.
    bool IsDownloading() const { return m_downloading; }
    void SetDownloading(bool downloading) { m_downloading = downloading; }

    void SetPath(const std::filesystem::path& path) { m_path = path; }
    const std::filesystem::path& GetFullPath() const { return m_path; }
    std::filesystem::path GetFolder() const { return m_path.parent_path(); }
    std::u16string GetDisplayName() const;

private:
    struct Staging;
    class StagingDirectory;
    class ReadingHost;

    // CTagsModelListener: an edit of the tags modifies the project; pages and objects
    // follow merged tags.
    void OnTagsEdited() override { Changed(); }
    void OnTagsMerged(std::span<const CTagMerge> merges) override;
    // Stages the tags of root, deciding how each joins the project.
    void StageTags(const DXMLElement& root, Staging& staging);
    void Commit(Staging& staging);
    // The page whose name of kind from is text gives its name of kind to.
    bool ResolveBetween(std::u16string& text, PageName from, PageName to) const;
    void Changed();

    CProjectPrompts& m_prompts;
    CProjectOutput& m_output;
    CProjectSettings m_settings;
    CTagsModel m_tags;
    std::vector<std::unique_ptr<CPage>> m_pages;
    std::filesystem::path m_path;
    int32_t m_readFormatVersion = CProjectSettings::kFormatVersion;
    bool m_modified = false;
    bool m_targetStale = true;
    bool m_importedNotSaved = false;
    bool m_downloading = false;
};
