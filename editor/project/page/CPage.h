#pragma once
// One screen of the panel: its page properties (background, page type, initial focus,
// the page's action script) and the objects on it, bottom to top. While the page is
// open in a page editor, the editor's container is the live list; the page takes its
// objects from there before it is written or compiled.
//
// Loading, as the project does it: ReadXml for every "page" element first (names, so
// that the pages can refer to each other), then ReadObjects for each of them, then,
// after an import, CommitPendingName. Compiling: the project empties its resource
// index once, then calls Compile for each page in order and puts the returned chunk
// offset into its page table.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/document/CSelectable.h"
#include "editor/objects/CEditorObject.h"
#include "foundation/target/TargetPage.h"
#include "platform/gfx/Rect.h"

class CDiagramEntityContainer;
class CPageDirectory;
class CPageObserver;
class CTagsModel;
class CWinFreeImage;
class DRIFFFile;
class DXMLElement;
struct CPageCompileContext;

// Why a page or its objects could not be read; any but Ok makes the project load fail.
enum class PageReadStatus {
    Ok,
    MissingName,         // a "page" element without "name"
    MissingObjectType,   // an "object" element without "type"
    UnknownObjectType,   // a type no class serves (25 to 29, or no type at all)
    ObjectRefused,       // the object's class did not accept its element
    NoElement,           // ReadObjects without a ReadXml before it
};

class CPage : public CSelectable {
public:
    // The captions of the page's own properties (group "Page").
    static constexpr std::u16string_view kPageGroup = u"Page";
    static constexpr std::u16string_view kBackgroundColor = u"Background color";
    static constexpr std::u16string_view kBackgroundTransparency = u"Background transparency";
    static constexpr std::u16string_view kBackgroundImage = u"Background image";
    static constexpr std::u16string_view kPageType = u"Page type";
    static constexpr std::u16string_view kInitialFocus = u"Initial focus";
    // Names the page background record where an object name is expected.
    static constexpr std::u16string_view kPageObjectName = u"page";

    CPage();
    ~CPage() override;

    // Name (unique in the project) and original name (what references keep; it
    // survives renames). The pending name is an imported page's new name until the
    // whole import is read.
    const std::u16string& GetName() const { return m_name; }
    void SetName(std::u16string_view name) { m_name = name; }
    const std::u16string& GetOriginalName() const { return m_originalName; }
    void SetOriginalName(std::u16string_view name) { m_originalName = name; }
    const std::u16string& GetPendingName() const { return m_pendingName; }
    // The pending name becomes the original name, and is cleared.
    void CommitPendingName();

    // 1 to 9: "Page type" among the page type names; a text that is none of them is 1.
    int32_t GetPageType() const;
    void SetPageType(int32_t type);
    // 0xBBGGRR.
    uint32_t GetBackgroundColor() const;
    void SetBackgroundColor(uint32_t color);
    // 0..255; an empty or negative value is 0.
    int32_t GetBackgroundTransparency() const;
    void SetBackgroundTransparency(int32_t transparency);
    std::u16string GetBackgroundImage() const;
    void SetBackgroundImage(std::u16string_view value);

    // The page editor the page is open in, and who hears of background changes; both
    // none while closed. The page does not own them.
    void SetEditor(CDiagramEntityContainer* editor, CPageObserver* observer = nullptr);
    CDiagramEntityContainer* GetOwnerEditor() const override { return m_editor; }
    // Copies of the open editor's objects replace the page's; nothing while closed.
    void TakeEditorObjects();

    // The "page" element's "name" (required) and "originalName" (the name when absent).
    // A name another page has already (an import) is made unique; when a page with the
    // same original name exists, the new name is kept as the pending name. The element
    // is remembered for ReadObjects and must outlive that call.
    PageReadStatus ReadXml(const DXMLElement& element, const CPageDirectory& pages);
    // The page's property children, then every "object" child in order: created by its
    // "type", read, named when it has no name, appended.
    PageReadStatus ReadObjects(int formatVersion);
    PageReadStatus ReadObjects(const DXMLElement& element, int formatVersion);
    // A "page" element under parent: "name", "originalName", the properties, then one
    // "object" element per object. The open editor's objects are taken first.
    void WriteXml(DXMLElement& parent);

    // A unique name from pages, then other's type, background and clones of its objects.
    void CopyFrom(const CPage& other, const CPageDirectory& pages);

    std::span<const std::unique_ptr<CEditorObject>> GetObjects() const { return m_objects; }
    int32_t GetObjectCount() const { return int32_t(m_objects.size()); }
    // Names the object when it has no name, ties it to the page and appends it on top.
    CEditorObject& AddObject(std::unique_ptr<CEditorObject> object);
    void ClearObjects();
    // Hands every object to the caller (a page editor opening the page), bottom first;
    // the page holds none after.
    std::vector<std::unique_ptr<CEditorObject>> ReleaseObjects();

    // List index of the object whose "Name" is name; "page" gives the object count
    // (the background record); -1 for an empty name or none.
    int32_t FindObjectByName(std::u16string_view name) const;
    // Target index (n - 1 - list index) of the object whose "_Original name" is name;
    // -1 for an empty name or none.
    int32_t GetTargetObjectIndex(std::u16string_view originalName) const;
    // Only for an object without a name: "<type name>-n", the first n from 1 that no
    // object of the page has as original name; sets both names.
    void AssignDefaultObjectName(CEditorObject& object) const;

    // Creates in tags the tags the objects' tag properties name that it lacks; the
    // number created.
    int RegisterTags(CTagsModel& tags) const;
    // Every object rectangle from a page of one size to a page of another (an import
    // of another page size); nothing for a size that is not positive.
    void ScaleObjects(int32_t fromWidth, int32_t fromHeight, int32_t toWidth, int32_t toHeight);

    // Writes the pictures and fonts the page needs and then its "page" chunk into
    // target (the outermost chunk); returns the page chunk's absolute offset for the
    // page table. Problems are reported through context.report and never stop it.
    uint64_t Compile(DRIFFFile& target, CPageCompileContext& context);
    // Element records of kinds other than 6 that the last compile wrote.
    int32_t GetElementCount() const { return m_elementCount; }
    // The element rectangles of the running compile, for the overlap bit; emptied at
    // the start of each page.
    const std::vector<gfx::Rect>& GetElementRects() const { return m_elementRects; }

    // The background picture scaled to the page, collected into the resource index;
    // nothing for pop-up pages or without a picture named. True when an entry was
    // appended (which the background record takes back).
    bool PrepareBackgroundImage(DRIFFFile& target, CPageCompileContext& context);
    // The page background record, the page's action block last.
    void CompileBackground(DRIFFFile& page, CPageCompileContext& context, bool backgroundCollected,
                           CActionCompileContext& actions);

private:
    CPropertyBase* PageProperty(std::u16string_view caption) const;
    void Changed();
    // Page header, the records of the objects from last to first, the background record.
    void CompilePageChunk(DRIFFFile& page, CPageCompileContext& context, bool backgroundCollected);
    void CompileObject(DRIFFFile& page, CEditorObject& object, bool firstOfWindowPage,
                       CActionCompileContext& actions, CPageCompileContext& context);
    // Patches the action block offset of the record begun at start, writes owner's
    // action block and patches the record size.
    static void FinishRecord(DRIFFFile& page, uint64_t start, const CSelectable& owner, CActionCompileContext& actions);

    std::u16string m_name;
    std::u16string m_originalName;
    std::u16string m_pendingName;
    const DXMLElement* m_element = nullptr;   // while loading
    std::vector<std::unique_ptr<CEditorObject>> m_objects;
    CDiagramEntityContainer* m_editor = nullptr;
    CPageObserver* m_observer = nullptr;
    int32_t m_elementCount = 0;
    std::vector<gfx::Rect> m_elementRects;
};
