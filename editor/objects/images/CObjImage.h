#pragma once
// The picture-like and invisible objects: an image shows one picture; a dynamic image
// the picture its tag selects; a window a part of another page; a tag trigger runs its
// actions when its tag changes; a timer counts its tag in steps. Tag triggers and timers
// have no area on the page.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "editor/objects/CEditorObject.h"
#include "editor/objects/shared/CObjectPicture.h"
#include "foundation/target/TargetImageWords.h"

class CWinFreeImage;

class CObjImage : public CEditorObject {
public:
    // Window pictures are the editor's own.
    static constexpr std::u16string_view kWindowPicture = u"%window.jpg";

    explicit CObjImage(int32_t objectTypeIndex) : CEditorObject(objectTypeIndex) {}

    bool IsWritableTagProperty(std::u16string_view caption) const override;
    gfx::Surface RenderPreview() override;
    void CollectImages(DRIFFFile& target, CResourceIndex& resources) override;
    int Compile(DRIFFFile& target, CObjectCompileContext& context) override;

    // The index of the page "Referenced page" names (by name or original name); -1 and
    // "Invalid page number" when none does.
    int32_t CompileReferencedPage(CObjectCompileContext& context) const;

    // The timer's mode word from the text of "Mode".
    static target::TimerMode TimerModeCode(std::u16string_view mode);
    // The items of "Images", each ended by a separator, cut to "Nr of images" (at least
    // one) and to the largest count a document may give.
    std::vector<std::u16string> DynamicImageItems() const;
    // Pictures the last collection made for a dynamic image.
    uint32_t CollectedImageCount() const { return m_collectedImages; }

private:
    // The picture file's value: what the type shows in the page view.
    std::u16string PreviewPath() const;
    // The picture of a file value at the object's size in that alpha form; none when it
    // cannot be loaded or the object has no area.
    std::unique_ptr<CWinFreeImage> LoadPicture(std::u16string_view value, PictureAlpha alpha) const;
    // A picture of no size is left out: the compile says so.
    void WarnWithoutArea(CObjectCompileContext& context) const;
    // The picture of a file value for the target, its entry taken either way; a file
    // named that does not load is kept for the compile's warning.
    void CollectPicture(DRIFFFile& target, CResourceIndex& resources, std::u16string_view value, PictureAlpha alpha);
    // "Picture file cannot be read (object property <caption> <path>)" for each kept file.
    void WarnUnreadable(std::u16string_view caption, CObjectCompileContext& context) const;

    // Pictures collected for a dynamic image, in item order.
    uint32_t m_collectedImages = 0;
    // Files the last collection named that did not load.
    std::vector<std::filesystem::path> m_unreadablePictures;
};
