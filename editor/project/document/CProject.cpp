#include "editor/project/document/CProject.h"

#include <algorithm>
#include <map>
#include <set>

#include "diagram/CDiagramEntityContainer.h"
#include "editor/document/CDocumentHost.h"
#include "editor/project/document/CProjectOutput.h"
#include "editor/project/document/CProjectPrompts.h"
#include "editor/project/document/CScriptRewriter.h"
#include "editor/project/document/CTagRenames.h"
#include "editor/project/document/ProjectMessages.h"
#include "editor/project/tags/CProjectTags.h"
#include "editor/document/CPropertyValue.h"
#include "foundation/TextHelpers.h"
#include "foundation/xml/DXMLElement.h"

namespace {

std::u16string numbered(std::u16string_view base, int n)
{
    std::u16string text(base);
    text += u' ';
    for (const char ch : std::to_string(n))
        text += char16_t(ch);
    return text;
}

bool isUniqueType(int32_t type)
{
    return type == int32_t(target::PageType::Initial) || type == int32_t(target::PageType::Global)
        || type == int32_t(target::PageType::ScreenSaver);
}

// The "Normal (...)" type a second special page of type becomes.
constexpr int32_t kDemotedTypeStep = 5;

bool matches(const CPage& page, std::u16string_view text, PageName by)
{
    const bool current = page.GetName() == text;
    const bool original = page.GetOriginalName() == text;
    switch (by) {
    case PageName::Current:
        return current;
    case PageName::Original:
        return original;
    case PageName::Either:
        return current || original;
    }
    return false;
}

// A name a page holds in any of its three names.
bool holdsName(std::span<const std::unique_ptr<CPage>> pages, std::u16string_view text)
{
    return std::any_of(pages.begin(), pages.end(), [&](const auto& page) {
        return page->GetName() == text || page->GetOriginalName() == text || page->GetPendingName() == text;
    });
}

// The numbers tried per base while names are only added (a read): those below the
// last one found stay taken, so the search goes on from there.
using NextNumbers = std::map<std::u16string, int, std::less<>>;

std::u16string uniqueName(std::u16string_view name, const std::function<bool(std::u16string_view)>& taken,
                          NextNumbers* next = nullptr)
{
    std::u16string base(CProject::kDefaultPageBase);
    int first = 1;
    if (!name.empty()) {
        const std::size_t space = name.find(u' ');
        base = std::u16string(space != std::u16string_view::npos && space > 0 ? name.substr(0, space) : name);
        first = 2;
    }
    if (next) {
        if (const auto found = next->find(base); found != next->end())
            first = std::max(first, found->second);
    }
    for (int n = first;; ++n) {
        std::u16string candidate = numbered(base, n);
        if (!taken(candidate)) {
            if (next)
                (*next)[base] = n + 1;
            return candidate;
        }
    }
}

// Every object of a page: the open editor's when it has one, else its own.
void forEachObject(CPage& page, const std::function<void(CEditorObject&)>& operation)
{
    if (const CDiagramEntityContainer* editor = page.GetOwnerEditor()) {
        for (int32_t i = 0; i < editor->GetSize(); ++i)
            if (auto* object = dynamic_cast<CEditorObject*>(editor->GetAt(i)))
                operation(*object);
        return;
    }
    for (const auto& object : page.GetObjects())
        operation(*object);
}

} // namespace

// What a read has gathered before anything of the project changes.
struct CProject::Staging {
    ProjectReading reading = ProjectReading::Load;
    int32_t formatVersion = 0;
    CProjectSettings settings;
    bool scale = false;
    CPageSize importedSize;
    bool hasTags = false;
    std::vector<CTagRow> tagRows;   // as they join the project
    CTagRenames tagRenames;         // imported original names that joined or became others
    std::vector<std::unique_ptr<CPage>> pages;

    bool importing() const { return reading == ProjectReading::Import; }
};

// The project's pages (none when loading: they are replaced) and the staged ones.
class CProject::StagingDirectory : public CPageDirectory {
public:
    StagingDirectory(const CProject& project, const Staging& staging) : m_project(project), m_staging(staging) {}

    int32_t FindPage(std::u16string_view text, PageName by) const override
    {
        const auto existing = m_staging.importing() ? m_project.GetPages() : std::span<const std::unique_ptr<CPage>>();
        for (std::size_t i = 0; i < existing.size(); ++i)
            if (matches(*existing[i], text, by))
                return int32_t(i);
        for (std::size_t i = 0; i < m_staging.pages.size(); ++i)
            if (matches(*m_staging.pages[i], text, by))
                return int32_t(existing.size() + i);
        return -1;
    }

    std::u16string MakeUniquePageName(std::u16string_view name) const override
    {
        IndexNames();
        return uniqueName(
            name, [this](std::u16string_view candidate) { return m_names.find(candidate) != m_names.end(); }, &m_next);
    }

private:
    // Every name the pages hold, kept up with the staged pages as they are added, so a
    // document of many equal names is read in good time.
    void IndexNames() const
    {
        const auto add = [this](const CPage& page) {
            m_names.insert(page.GetName());
            m_names.insert(page.GetOriginalName());
            m_names.insert(page.GetPendingName());
        };
        if (!m_projectIndexed && m_staging.importing())
            for (const auto& page : m_project.GetPages())
                add(*page);
        m_projectIndexed = true;
        for (; m_stagedIndexed < m_staging.pages.size(); ++m_stagedIndexed)
            add(*m_staging.pages[m_stagedIndexed]);
    }

    const CProject& m_project;
    const Staging& m_staging;
    mutable std::set<std::u16string, std::less<>> m_names;
    mutable bool m_projectIndexed = false;
    mutable std::size_t m_stagedIndexed = 0;
    mutable NextNumbers m_next;
};

// While the objects are read: imported "Data" values follow the renamed tags, and
// scripts their renamed tags and pages, and older scripts take the current action names.
class CProject::ReadingHost : public CDocumentHost {
public:
    explicit ReadingHost(const Staging& staging) : m_previous(CDocumentHost::Get()), m_staging(staging)
    {
        CDocumentHost::Set(this);
    }
    ~ReadingHost() override { CDocumentHost::Set(&m_previous); }
    ReadingHost(const ReadingHost&) = delete;
    ReadingHost& operator=(const ReadingHost&) = delete;

    void SetProjectModified() override { m_previous.SetProjectModified(); }
    void RefreshFrameState() override { m_previous.RefreshFrameState(); }
    bool IsImporting() const override { return m_staging.importing(); }
    bool RenameImportedTags(std::u16string& value) override { return m_staging.tagRenames.Rename(value); }
    bool RenameScriptReferences(std::u16string& script) override
    {
        CReferenceRenames renames;
        if (m_staging.importing()) {
            renames.tag = [this](std::u16string& name) { return m_staging.tagRenames.Rename(name); };
            renames.page = [this](std::u16string& name) { return ResolveImportedPageName(name); };
        }
        return CScriptRewriter::Rewrite(script, m_staging.formatVersion, renames);
    }

private:
    // An imported page's original name becomes its pending name, which will be its
    // original name once the import is committed.
    bool ResolveImportedPageName(std::u16string& name) const
    {
        for (const auto& page : m_staging.pages) {
            if (page->GetOriginalName() == name && !page->GetPendingName().empty() && page->GetPendingName() != name) {
                name = page->GetPendingName();
                return true;
            }
        }
        return false;
    }

    CDocumentHost& m_previous;
    const Staging& m_staging;
};

CProject::CProject(CProjectPrompts& prompts, CProjectOutput& output) : m_prompts(prompts), m_output(output)
{
    m_tags.AddListener(*this);
    m_tags.SetTagMemorySize(uint32_t(std::max(m_settings.target.tagMemorySize, 0)));
    m_tags.SetNativeEncoding(m_settings.target.nativeEncoding);
}

CProject::~CProject()
{
    m_tags.RemoveListener(*this);
}

void CProject::SettingsChanged()
{
    m_tags.SetTagMemorySize(uint32_t(std::max(m_settings.target.tagMemorySize, 0)));
    m_tags.SetNativeEncoding(m_settings.target.nativeEncoding);
    Changed();
}

void CProject::Changed()
{
    m_modified = true;
    m_targetStale = true;
    CDocumentHost::Get().RefreshFrameState();
}

void CProject::MovePage(int32_t from, int32_t to)
{
    const int32_t count = GetPageCount();
    if (from < 0 || to < 0 || from >= count || to >= count || from == to)
        return;
    const auto first = m_pages.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    Changed();
}

CPage& CProject::AddPage(int32_t pageType)
{
    auto page = std::make_unique<CPage>();
    const std::u16string name = MakeUniquePageName({});
    page->SetName(name);
    page->SetOriginalName(name);
    page->SetPageType(pageType);
    return AppendPage(std::move(page));
}

CPage& CProject::AppendPage(std::unique_ptr<CPage> page)
{
    return InsertPage(GetPageCount(), std::move(page));
}

CPage& CProject::InsertPage(int32_t position, std::unique_ptr<CPage> page)
{
    if (page->GetName().empty() || FindPage(page->GetName(), PageName::Current) >= 0)
        page->SetName(MakeUniquePageName(page->GetName()));
    if (page->GetOriginalName().empty())
        page->SetOriginalName(page->GetName());
    const auto at = m_pages.begin() + std::clamp<int32_t>(position, 0, GetPageCount());
    CPage& inserted = **m_pages.insert(at, std::move(page));
    Changed();
    return inserted;
}

std::unique_ptr<CPage> CProject::RemovePage(const CPage& page)
{
    const auto found = std::find_if(m_pages.begin(), m_pages.end(),
                                    [&page](const std::unique_ptr<CPage>& held) { return held.get() == &page; });
    if (found == m_pages.end())
        return nullptr;
    std::unique_ptr<CPage> removed = std::move(*found);
    m_pages.erase(found);
    Changed();
    return removed;
}

void CProject::ForEachPage(const std::function<void(CPage&)>& operation) const
{
    for (const auto& page : m_pages)
        operation(*page);
}

bool CProject::WriteXml(DXMLElement& document)
{
    if (m_downloading) {
        m_prompts.ShowMessage(ProjectMessages::kDownloadInProgress);
        return false;
    }
    m_output.Clear();
    m_output.AppendLine(ProjectMessages::kSavingProject, ProjectMessages::kSavingProjectColor, nullptr, nullptr);
    DXMLElement& root = *document.addChild(kRootName);
    m_settings.WriteAttributes(root);
    CProjectTags::WriteTags(root, m_tags, TagsForm::Project, m_settings.target.nativeEncoding);
    const uint64_t count = m_pages.size();
    for (uint64_t k = 1; k <= count; ++k) {
        m_pages[std::size_t(k - 1)]->WriteXml(root);
        m_output.ShowProgress(ProjectMessages::PercentText(ProjectMessages::Percent(k, count)));
    }
    m_output.AppendLine(ProjectMessages::kLineEnd, 0, nullptr, nullptr);
    return true;
}

void CProject::StageTags(const DXMLElement& root, Staging& staging)
{
    staging.hasTags = root.getChild(u"tags") != nullptr;
    if (!staging.hasTags)
        return;
    CTagsModel read;
    CProjectTags::ReadTags(root, read, TagsReading::Load, IdenticalTags::Keep);
    if (!staging.importing()) {
        staging.tagRows.assign(read.Rows().begin(), read.Rows().end());
        return;
    }
    const IdenticalTags identical = m_prompts.AskYesNo(CProjectTags::kMergeQuestion) == PromptAnswer::Yes
        ? IdenticalTags::Merge
        : IdenticalTags::Keep;
    // The rows as they will stand, so each imported row meets the ones before it.
    CTagsModel joined;
    for (const CTagRow& row : m_tags.Rows())
        (void)joined.AddTag(row, IdenticalTags::Keep);
    for (CTagRow row : read.Rows()) {
        const int before = joined.RowCount();
        const std::u16string imported = row.originalName;
        if (identical == IdenticalTags::Merge) {
            const int at = joined.AddTag(row, IdenticalTags::Merge);
            if (at < before) {
                staging.tagRenames.Add(imported, joined.Row(at).originalName);
                continue;
            }
            joined.DeleteTags(std::span<const int>(&at, 1));
        }
        // Another tag keeps this original name: references of the imported project
        // must not reach it.
        if (joined.FindByOriginalName(row.originalName) >= 0) {
            row.originalName = joined.MakeUnique(row.originalName, TagColumn::OriginalName, -1);
            staging.tagRenames.Add(imported, row.originalName);
        }
        (void)joined.AddTag(row, IdenticalTags::Keep);
        staging.tagRows.push_back(std::move(row));
    }
}

ProjectReadResult CProject::ReadXml(const DXMLElement& document, ProjectReading reading)
{
    ProjectReadResult result;
    const DXMLElement* root = document.getChild(kRootName);
    if (!root) {
        result.status = ProjectReadStatus::NoProjectElement;
        return result;
    }
    Staging staging;
    staging.reading = reading;
    staging.formatVersion = CProjectSettings::ReadFormatVersion(*root);
    staging.settings = m_settings;
    if (!staging.importing()) {
        staging.settings.ReadAttributes(*root);
    } else if (root->findAttribute(u"pageSize") >= 0) {
        staging.importedSize = CPageSize::Parse(root->getAttribute(u"pageSize"));
        if (staging.importedSize != GetPageSize()) {
            if (m_prompts.AskYesNo(ProjectMessages::kAdjustPageSize) == PromptAnswer::No) {
                result.status = ProjectReadStatus::ImportDeclined;
                return result;
            }
            staging.scale = true;
        }
    }

    StageTags(*root, staging);

    const StagingDirectory directory(*this, staging);
    for (const auto& child : root->children()) {
        if (child->name() != kPageElement)
            continue;
        auto page = std::make_unique<CPage>();
        if (const PageReadStatus status = page->ReadXml(*child, directory); status != PageReadStatus::Ok) {
            result = {ProjectReadStatus::PageRefused, status};
            return result;
        }
        staging.pages.push_back(std::move(page));
    }

    {
        const ReadingHost host(staging);
        for (std::size_t i = 0; i < staging.pages.size(); ++i) {
            CPage& page = *staging.pages[i];
            if (const PageReadStatus status = page.ReadObjects(staging.formatVersion); status != PageReadStatus::Ok) {
                result = {ProjectReadStatus::PageRefused, status};
                return result;
            }
            if (staging.scale)
                ScalePage(page, staging.importedSize, GetPageSize());
            const int32_t type = page.GetPageType();
            const bool taken = (staging.importing() && FindPageOfType(type) >= 0)
                || std::any_of(staging.pages.begin(), staging.pages.begin() + std::ptrdiff_t(i),
                               [type](const auto& earlier) { return earlier->GetPageType() == type; });
            if (isUniqueType(type) && taken)
                page.SetPageType(type + kDemotedTypeStep);
        }
    }
    Commit(staging);
    return result;
}

void CProject::Commit(Staging& staging)
{
    if (!staging.importing()) {
        m_settings = staging.settings;
        m_pages.clear();
        m_tags.Clear();
        m_tags.SetTagMemorySize(uint32_t(std::max(m_settings.target.tagMemorySize, 0)));
        m_tags.SetNativeEncoding(m_settings.target.nativeEncoding);
    } else {
        ++m_settings.importCnt;
        m_importedNotSaved = true;
    }
    for (CTagRow& row : staging.tagRows)
        (void)m_tags.AddTag(std::move(row), IdenticalTags::Keep);
    for (auto& page : staging.pages) {
        page->CommitPendingName();
        m_pages.push_back(std::move(page));
    }
    m_readFormatVersion = staging.formatVersion;
    // A project just read is as its file holds it; an import is a change.
    m_modified = staging.importing();
    m_targetStale = true;
    CDocumentHost::Get().RefreshFrameState();
}

int32_t CProject::FindPage(std::u16string_view text, PageName by) const
{
    return FindPage(text, by, 0);
}

int32_t CProject::FindPage(std::u16string_view text, PageName by, int32_t start) const
{
    for (std::size_t i = std::size_t(std::max(start, 0)); i < m_pages.size(); ++i)
        if (matches(*m_pages[i], text, by))
            return int32_t(i);
    return -1;
}

int32_t CProject::FindPageOfType(int32_t pageType) const
{
    for (std::size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i]->GetPageType() == pageType)
            return int32_t(i);
    return -1;
}

std::u16string CProject::MakeUniquePageName(std::u16string_view name) const
{
    return uniqueName(name, [this](std::u16string_view candidate) { return holdsName(m_pages, candidate); });
}

bool CProject::ResolvePageName(std::u16string& text) const
{
    return ResolveBetween(text, PageName::Current, PageName::Original);
}

bool CProject::ResolvePageOriginalName(std::u16string& text) const
{
    return ResolveBetween(text, PageName::Original, PageName::Current);
}

bool CProject::ResolveBetween(std::u16string& text, PageName from, PageName to) const
{
    const int32_t index = FindPage(text, from);
    std::u16string resolved;
    if (index >= 0) {
        const CPage& page = *m_pages[std::size_t(index)];
        resolved = to == PageName::Original ? page.GetOriginalName() : page.GetName();
    }
    const bool changed = resolved != text;
    text = std::move(resolved);
    return changed;
}

void CProject::EnforceUniquePageType(const CPage& page)
{
    const int32_t type = page.GetPageType();
    if (!isUniqueType(type))
        return;
    for (const auto& other : m_pages)
        if (other.get() != &page && other->GetPageType() == type)
            other->SetPageType(int32_t(target::PageType::Normal));
    Changed();
}

void CProject::ScalePage(CPage& page, const CPageSize& from, const CPageSize& to)
{
    if (from == to)
        return;
    CDiagramEntityContainer* editor = page.GetOwnerEditor();
    if (!editor) {
        page.ScaleObjects(from.width, from.height, to.width, to.height);
        return;
    }
    // An open page is scaled where it is edited.
    const double x = double(to.width) / from.width;
    const double y = double(to.height) / from.height;
    forEachObject(page, [&](CEditorObject& object) {
        object.SetRect(object.GetLeft() * x, object.GetTop() * y, object.GetRight() * x, object.GetBottom() * y);
    });
}

void CProject::ApplyPageSize(const CPageSize& size)
{
    const CPageSize current = GetPageSize();
    if (size == current)
        return;
    for (const auto& page : m_pages)
        ScalePage(*page, current, size);
    m_settings.target.pageSize = CPropertyValue(size.width).Text() + u"x" + CPropertyValue(size.height).Text();
    Changed();
}

void CProject::SetModified(bool modified)
{
    m_modified = modified;
    if (!modified) {
        m_importedNotSaved = false;
        for (const auto& page : m_pages)
            if (CDiagramEntityContainer* editor = page->GetOwnerEditor())
                editor->SetModified(false);
    } else {
        m_targetStale = true;
    }
    CDocumentHost::Get().RefreshFrameState();
}

bool CProject::IsModified()
{
    if (m_modified)
        return true;
    for (const auto& page : m_pages) {
        if (const CDiagramEntityContainer* editor = page->GetOwnerEditor(); editor && editor->IsModified()) {
            Changed();
            return true;
        }
    }
    return false;
}

std::u16string CProject::GetDisplayName() const
{
    return utf8ToWide(m_path.filename().string());
}

void CProject::OnTagsMerged(std::span<const CTagMerge> merges)
{
    CTagRenames renames;
    for (const CTagMerge& merge : merges)
        renames.Add(merge.from, merge.to);
    bool changed = false;
    for (const auto& page : m_pages) {
        changed = renames.ApplyTo(*page, CProjectSettings::kFormatVersion) || changed;
        forEachObject(*page, [&](CEditorObject& object) {
            changed = renames.ApplyTo(object, CProjectSettings::kFormatVersion) || changed;
        });
    }
    if (changed)
        Changed();
}
