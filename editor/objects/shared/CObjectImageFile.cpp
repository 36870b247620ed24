#include "editor/objects/shared/CObjectImageFile.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "editor/document/CPropertyBase.h"
#include "editor/document/CSelectable.h"
#include "editor/objects/CFileReference.h"
#include "foundation/image/CWinFreeImage.h"

namespace {

struct ProjectFolderSetting {
    std::mutex lock;
    std::filesystem::path folder;
};

ProjectFolderSetting& projectFolder()
{
    static ProjectFolderSetting setting;
    return setting;
}

} // namespace

void CObjectImageFile::SetProjectFolder(std::filesystem::path folder)
{
    ProjectFolderSetting& setting = projectFolder();
    std::scoped_lock hold(setting.lock);
    setting.folder = std::move(folder);
}

std::filesystem::path CObjectImageFile::ProjectFolder()
{
    ProjectFolderSetting& setting = projectFolder();
    std::scoped_lock hold(setting.lock);
    return setting.folder;
}

std::filesystem::path CObjectImageFile::PathOf(std::u16string_view value)
{
    return CFileReference::Resolve(value, ProjectFolder());
}

std::unique_ptr<CWinFreeImage> CObjectImageFile::Load(const CSelectable& owner, std::u16string_view category,
                                                      std::u16string_view caption, PictureAlpha alpha, int transparency)
{
    const CPropertyBase* property = owner.FindProperty(category, caption);
    return property ? Load(property->GetValueText(), alpha, transparency) : nullptr;
}

std::unique_ptr<CWinFreeImage> CObjectImageFile::Load(std::u16string_view value, PictureAlpha alpha, int transparency)
{
    const std::filesystem::path path = PathOf(value);
    if (path.empty())
        return nullptr;
    auto image = std::make_unique<CWinFreeImage>();
    const uint32_t flags = alpha == PictureAlpha::Premultiplied ? CWinFreeImage::LoadPremultiplied : 0u;
    if (!image->Load(path, flags, std::clamp(transparency, 0, 255)))
        return nullptr;
    return image;
}
