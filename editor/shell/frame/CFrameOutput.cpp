#include "editor/shell/frame/CFrameOutput.h"

#include <string>

#include "editor/views/panes/COutputBar.h"

void CFrameOutput::AppendLine(std::u16string_view text, uint32_t color, const CSelectable* page,
                              const CSelectable* object)
{
    if (m_bar)
        m_bar->AppendLine(text, color, page, object);
}

void CFrameOutput::Clear()
{
    if (m_bar)
        m_bar->Clear();
}

void CFrameOutput::ShowProgress(std::u16string_view text)
{
    if (m_bar)
        m_bar->ReplaceTail(QString::fromStdU16String(std::u16string(text)));
}
