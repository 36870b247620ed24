#include "engine/tagmonitor/qt/CTagsDialogSlot.h"

#include "engine/posix/DFile_posix.h"
#include "engine/tagmonitor/qt/CDlgTags.h"

CTagsDialogSlot::CTagsDialogSlot() = default;
CTagsDialogSlot::~CTagsDialogSlot() = default;

void CTagsDialogSlot::show(const DString& tagsFilePath, CTagMemorySource memory)
{
    if (m_dialog && m_dialog->isClosed())
        m_dialog.reset();
    if (tagsFilePath.isEmpty() || m_dialog)
        return;
    DFile_posix file;
    if (file.open(tagsFilePath) != 0)
        return;
    m_dialog = std::make_unique<CDlgTags>(file, std::move(memory));
    file.close();
    m_dialog->show();
}

void CTagsDialogSlot::close()
{
    m_dialog.reset();
}
