#include "editor/views/page/DDiagramEditor.h"

#include <algorithm>

#include "foundation/image/CWinFreeImage.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Surface.h"

namespace {

gfx::Rect toGfx(const CDiagramRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

// 0.5 + z * index * step, truncated: where the cells and the grid dots start.
int32_t gridPosition(double zoom, int32_t index, int32_t step) { return int32_t(0.5 + zoom * index * step); }

} // namespace

void DDiagramEditor::EraseBackground(gfx::DeviceContext& dc, const CDiagramRect& rect)
{
    dc.fillRect(toGfx(rect), GetOutsideColour());
}

void DDiagramEditor::DrawBackground(gfx::DeviceContext& dc, const CDiagramRect& rect, double zoom)
{
    const CDiagramPoint paper = GetVirtualSize();
    const CDiagramPoint step = GetGridSize();
    if (step.x > 0 && step.y > 0) {
        const int32_t cellWidth = int32_t(step.x * zoom), cellHeight = int32_t(step.y * zoom);
        dc.intersectClipRect(toGfx(rect));
        for (int32_t row = 0; row <= paper.y / step.y; ++row)
            for (int32_t column = 0; column <= paper.x / step.x; ++column) {
                const int32_t x = gridPosition(zoom, column, step.x), y = gridPosition(zoom, row, step.y);
                const uint32_t grey = (column % 2) == (row % 2) ? kCheckerDark : kCheckerLight;
                dc.fillRect(gfx::Rect::fromSize(x, y, cellWidth, cellHeight), gfx::Colour::fromColorRef(grey));
            }
        dc.resetClip();
    }

    const gfx::Surface* image = BackgroundImage();
    if (!image) {
        if (m_transparency != 255) {
            const uint32_t colour = GetPaperColour().argb;
            dc.fillRect(toGfx(rect), gfx::Colour::fromArgb(uint32_t(255 - m_transparency) << 24 | (colour & 0xFFFFFF)));
        }
        return;
    }
    const gfx::Rect destination = gfx::Rect::fromSize(rect.left, rect.top, int32_t(paper.x * zoom), int32_t(paper.y * zoom));
    (void)dc.drawImageScaled(destination, image->pixels(), (255 - m_transparency) / 255.0);
}

const gfx::Surface* DDiagramEditor::BackgroundImage()
{
    if (m_backgroundImage.empty())
        return nullptr;
    // Every paint asks; the file is read again only when it is another one or it changed.
    const std::filesystem::path file = m_projectFolder / std::filesystem::path(m_backgroundImage);
    std::error_code error;
    const std::filesystem::file_time_type written = std::filesystem::last_write_time(file, error);
    if (error)
        return nullptr;
    if (file != m_cachedFile || written != m_cachedWritten) {
        m_cachedFile = file;
        m_cachedWritten = written;
        CWinFreeImage loaded;
        m_cachedImage = loaded.Load(file, 0, 0) ? loaded.ToSurface() : gfx::Surface();
    }
    return m_cachedImage.isValid() ? &m_cachedImage : nullptr;
}

void DDiagramEditor::DrawGrid(gfx::DeviceContext& dc, const CDiagramRect& rect, double zoom)
{
    if (m_gridStyleCode == int32_t(GridStyle::Lines)) {
        CDiagramEditor::DrawGrid(dc, rect, zoom);
        return;
    }
    if (m_gridStyleCode != int32_t(GridStyle::Dots))
        return;
    const CDiagramPoint paper = GetVirtualSize();
    const CDiagramPoint step = GetGridSize();
    if (step.x <= 0 || step.y <= 0)
        return;
    for (int32_t i = 0; i <= paper.x / step.x; ++i)
        for (int32_t j = 0; j <= paper.y / step.y; ++j)
            dc.fillRect(gfx::Rect::fromSize(gridPosition(zoom, i, step.x), gridPosition(zoom, j, step.y), 1, 1),
                        GetGridColour());
}

void DDiagramEditor::SelectObject(CDiagramEntity& entity, bool select, SelectKind kind)
{
    // Objects with an area and logical ones (tag triggers, timers) are never in one
    // exclusive selection together: the base unselects the other kind.
    CDiagramEditor::SelectObject(entity, select, kind);
    m_selectionChanged = true;
    if (m_selectionHook)
        m_selectionHook();
}

void DDiagramEditor::SetBackgroundTransparency(int32_t transparency)
{
    m_transparency = uint8_t(std::clamp(transparency, 0, 255));
}

void DDiagramEditor::SetBackgroundImage(const std::u16string& path)
{
    m_backgroundImage = path;
    if (GetWindow())
        RedrawWindow();
}
