#include "editor/views/properties/DPropFile.h"

#include <QFileInfo>
#include <QWidget>

#include "editor/project/document/CProject.h"
#include "editor/project/document/CProjectPrompts.h"
#include "editor/views/CEditorHost.h"
#include "editor/views/properties/PropertyMessages.h"
#include "platform/ui/Prompts.h"

void DPropFile::OnClickButton()
{
    const CProject* project = Host().GetProject();
    if (!project || project->GetFullPath().empty()) {
        Host().GetPrompts().ShowMessage(PropertyMessages::kSaveProjectFirst);
        return;
    }
    const CFileItem::Folders folders = Folders();
    Prompts::FileRequest request;
    request.filters = {QLatin1String(Prompts::kAllFilesFilter)};
    request.folder = folders.imagesFolder();
    request.mustExist = true;
    const std::optional<QString> chosen = Prompts::openFile(GetEditor() ? GetEditor()->window() : nullptr, request);
    if (!chosen)
        return;
    Take(CFileItem::RelativeTo(folders.projectFolder, *chosen).toStdU16String());
    folders.rememberImagesFolder(QFileInfo(*chosen).absolutePath());
}
