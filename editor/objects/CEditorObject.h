#pragma once
// The base of every page object class: the entity the page editor moves and resizes,
// the property owner, and the object whose preview the background worker draws. The
// classes describe themselves through the virtual operations below.

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "diagram/CDiagramEntity.h"
#include "editor/document/CSelectable.h"
#include "foundation/image/CCachedImage.h"
#include "foundation/target/TargetElement.h"
#include "foundation/text/DTextDescriptor.h"
#include "foundation/worker/CBkgViewActivityCell.h"
#include "foundation/worker/CBkgWorkObject.h"
#include "platform/gfx/Rect.h"
#include "platform/gfx/Surface.h"

class CBkgWorker;
class CObjectTheme;
class CTagsModel;
struct CObjectCompileContext;

class CEditorObject : public CDiagramEntity, public CSelectable, public CBkgWorkObject {
public:
    // Screen pixels per logical inch the text sizes assume.
    static constexpr int32_t kScreenDpi = 96;
    static constexpr int32_t kPointsPerInch = 72;
    // The roundness objects take when no theme has their style's name.
    static constexpr int32_t kDefaultRoundness = 5;

    explicit CEditorObject(int32_t objectTypeIndex);
    // Cancels the object's queued work first, so the worker never meets it half gone.
    ~CEditorObject() override;

    // The object of a type row with its properties, type name and page set and the theme
    // defaults applied; none for a row no class serves (0, 25 to 29, outside the table).
    static std::unique_ptr<CEditorObject> CreateObject(int32_t objectTypeIndex, CSelectable* page);
    // The bare object of a row, nothing initialised; none as above.
    static std::unique_ptr<CEditorObject> NewObject(int32_t objectTypeIndex);

    // The class's own operations, with the base's answers.
    bool CanDeferRender() const override { return true; }
    // Objects without an area (tag triggers, timers) are neither drawn nor hit on the canvas.
    bool IsLogical() const override { return IsInvisible(); }
    virtual bool HasMultiLineText() const { return true; }
    virtual bool IsGreyscaleOnly() const { return false; }
    virtual bool HasTickAlignment() const;
    virtual bool IsStringTagProperty(std::u16string_view caption) const;
    virtual bool IsWritableTagProperty(std::u16string_view caption) const;
    // Drawing while no preview exists.
    virtual void DrawDefault(gfx::DeviceContext& dc, const gfx::Rect& rect);
    // Builds the properties of the class from its definitions, and its text group.
    virtual void InitProperties();
    virtual bool ReadXml(const DXMLElement& element);
    virtual void WriteXml(DXMLElement& parent) const;
    // Appends the object's picture and font entries in the order Compile takes them.
    virtual void CollectImages(DRIFFFile& target, CResourceIndex& resources);
    // The class words of the object record; 0, or the code of an error that stopped it.
    virtual int Compile(DRIFFFile& target, CObjectCompileContext& context);
    // The class's picture at the object's size, on the worker thread under the lock; an
    // invalid surface for none.
    virtual gfx::Surface RenderPreview();

    // Type name, properties and page; the theme defaults.
    void InitObject(CSelectable* page);
    CSelectable* GetPage() const { return m_page; }
    // A page object is tied to its page when it is added to it.
    void SetPage(CSelectable* page) { m_page = page; }
    const std::u16string& GetTypeName() const { return m_typeName; }

    // A copy with no page and no container: a detached template until it is added.
    std::unique_ptr<CDiagramEntity> Clone() const override;
    std::unique_ptr<CEditorObject> CloneObject() const;

    CDiagramEntityContainer* GetOwnerEditor() const override { return GetParent(); }
    // Added to a page's container, the object belongs to that page.
    void SetParent(CDiagramEntityContainer* container) override;
    void SetRect(double left, double top, double right, double bottom) override;

    // Style: the "Style name" of the "Style" group, the theme of that name, its rounding.
    std::u16string GetStyleName() const;
    CObjectTheme* GetTheme() const;
    int32_t GetRoundness() const;
    // The theme's "Appearance" defaults for this type.
    void ApplyStyleDefaults();
    void OnStyleChanged(std::u16string_view styleName) override;
    // A new object whose class default names no installed theme takes the first installed
    // one, so that it is drawn with a frame; documents keep the names they hold.
    void TakeInstalledStyle();

    // The text group "Format" of the second container.
    void AddTextProperties(int32_t defaultSize, int32_t defaultAlignment);
    DTextDescriptor GetTextDescriptor() const;
    // text laid out over a picture of size with the text descriptor, at the screen's 96
    // dots per inch; colorText, hexadecimal 0xBBGGRR, replaces the "Format" colour when
    // given. An invalid surface without text, renderer or face.
    gfx::Surface RenderTextPreview(std::u16string_view text, DSize size, std::u16string_view colorText = {}) const;
    // "Size" points in pixels at the screen's resolution, rounded half away from zero.
    static int32_t PointsToPixels(int32_t points);

    // Position and font children.
    void WritePosition(DXMLElement& element) const;
    void ReadPosition(const DXMLElement& element);
    void WriteFont(DXMLElement& element) const;
    void ReadFont(const DXMLElement& element);

    // An element record of the object; kind 5 with the "Format" text words, kinds 10
    // and 11 with the scrolling words. rect has exclusive right and bottom edges.
    void CompileElement(DRIFFFile& target, target::ElementKind kind, const gfx::Rect& rect,
                        CObjectCompileContext& context) const;
    // The two words of a "Data" tag property; a type mismatch is reported.
    void CompileTagProperty(DRIFFFile& target, std::u16string_view caption, CObjectCompileContext& context) const;
    // The item height of a scrolling list element (kind 11); the list class knows it.
    virtual int32_t GetListItemHeight() const { return 0; }

    // Creates, in the tags model, the tags the object's tag properties name that it
    // does not hold yet; the number created.
    int CreateMissingTags(CTagsModel& tags) const;

    // 2 "Horizontal" / 1 from "Direction", else 1 to 4 from "Propagation from", else 0.
    int32_t GetDirectionCode() const;

    // Preview: drawn from the cache, or DrawDefault while there is none; a stale one
    // asks the worker for a new picture.
    void Draw(gfx::DeviceContext& dc, int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    // The bounding rectangle, then the resize markers.
    void DrawSelectionMarkers(gfx::DeviceContext& dc, int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    // A property changed: the preview is stale and a new one is queued.
    void Invalidate() override;
    bool HasPreview() const;
    bool IsPreviewPending() const { return m_pending.load(); }
    // The worker the objects queue on: the editor's one unless a test installs its own.
    static void UseWorker(CBkgWorker* worker);

    // CBkgWorkObject
    uint32_t Render(CBkgWorkItem& item) override;
    DSize GetWorkSize() const override;
    // What the view editing the object's container is doing; none outside a view.
    std::optional<CBkgViewActivity> GetViewActivity() const override;
    void OnWorkDone(CBkgWorkItem& item) override;
    void RepaintView() override;

    // A property of either container by caption, first container first; none.
    CPropertyBase* FindAnyProperty(std::u16string_view caption) const;

protected:
    // Drops the object's queued work and waits for a render of it in progress. The most
    // derived class calls it first when it goes; after it the worker does not touch it.
    void CancelPendingWork();
    // Copies what a clone takes beyond the entity: type, style and both containers' values.
    virtual void CopyObject(const CEditorObject& source);

private:
    void RequestPreview();
    void ReadTickAlignment(const DXMLElement& element);

    std::u16string m_typeName;
    CSelectable* m_page = nullptr;
    // Guarded by the object's lock: taken from the container it joins.
    std::shared_ptr<const CBkgViewActivityCell> m_viewActivity;
    // Guarded by the object's lock: the worker swaps it in, the view draws it.
    std::unique_ptr<CCachedImage> m_preview;
    std::atomic<bool> m_pending{false};
    std::atomic<bool> m_stale{true};
};
