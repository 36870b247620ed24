#include "editor/shell/commands/CScreenSaverPage.h"

#include "editor/document/CActionScript.h"
#include "editor/document/CObjectTypeTable.h"
#include "editor/document/PropertyKind.h"
#include "editor/objects/CEditorObject.h"
#include "editor/project/document/CProject.h"
#include "foundation/TextHelpers.h"

namespace {

constexpr std::u16string_view kData = u"Data";
constexpr std::u16string_view kBehavior = u"Behavior";
constexpr std::u16string_view kValueTag = u"Value tag";

std::unique_ptr<CEditorObject> objectOfType(std::u16string_view typeName, CPage& page)
{
    return CEditorObject::CreateObject(
        CObjectTypeTable::GetObjectTypeIndex(typeName, CProjectSettings::kFormatVersion), &page);
}

void setValue(CEditorObject& object, std::u16string_view category, std::u16string_view caption,
              std::u16string_view value)
{
    if (CPropertyBase* property = object.FindProperty(category, caption))
        property->SetValue(CPropertyValue(value));
}

} // namespace

const std::u16string& CScreenSaverPage::DefaultImages()
{
    static const std::u16string images = [] {
        std::u16string list;
        // The last picture twice: the counter's eighth step shows it again.
        for (const std::u16string_view name : {u"%ss__1.jpg", u"%ss__2.jpg", u"%ss__3.jpg", u"%ss__4.jpg",
                                               u"%ss__5.jpg", u"%ss__6.jpg", u"%ss__7.jpg", u"%ss__7.jpg"}) {
            list += name;
            list += kListSeparator;
        }
        return list;
    }();
    return images;
}

CScreenSaverPage::Placement CScreenSaverPage::PicturePlacement(const CPageSize& page)
{
    int32_t width = kPictureWidth;
    int32_t height = kPictureHeight;
    if (page.width < width) {
        height = int32_t(int64_t(height) * page.width / width);
        width = page.width;
    }
    height = std::min(height, page.height);
    const int32_t left = (page.width - width) / 2;
    const int32_t top = (page.height - height) / 2;
    return {left, top, left + width, top + height};
}

void CScreenSaverPage::Fill(CProject& project, CPage& page)
{
    CTagsModel& tags = project.Tags();
    if (!tags.HasTag(kTag)) {
        const int row = tags.AddNumericTag();
        if (!tags.SetName(row, kTag))
            tags.DeleteTags(std::span<const int>(&row, 1));
    }

    if (std::unique_ptr<CEditorObject> trigger = objectOfType(u"tagTrigger", page)) {
        setValue(*trigger, kData, kValueTag, kCounterTag);
        setValue(*trigger, kBehavior, u"_Action script", utf8ToWide(CActionScript::DefaultScreenSaverScript()));
        page.AddObject(std::move(trigger));
    }
    if (std::unique_ptr<CEditorObject> image = objectOfType(u"dynamicImage", page)) {
        setValue(*image, kBehavior, u"Nr of images", CPropertyValue(kImageCount).Text());
        setValue(*image, kBehavior, u"Images", DefaultImages());
        setValue(*image, kData, kValueTag, kTag);
        const Placement at = PicturePlacement(project.GetPageSize());
        image->SetRect(at.left, at.top, at.right, at.bottom);
        page.AddObject(std::move(image));
    }
}
