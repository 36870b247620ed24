#pragma once
// The page canvas: the diagram editor for panel pages. It paints the page's paper (a
// checkerboard backdrop, the page colour with its transparency, the background image)
// and a dotted grid, and tells the panes when the selection changed.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "diagram/editor/CDiagramEditor.h"
#include "platform/gfx/Surface.h"

class DDiagramEditor : public CDiagramEditor {
public:
    enum class GridStyle : int32_t { Dots = 0, Lines = 1 };
    // The checkerboard's two greys (0xBBGGRR).
    static constexpr uint32_t kCheckerDark = 0x808080;
    static constexpr uint32_t kCheckerLight = 0xC0C0C0;

    void EraseBackground(gfx::DeviceContext& dc, const CDiagramRect& rect) override;
    void DrawBackground(gfx::DeviceContext& dc, const CDiagramRect& rect, double zoom) override;
    void DrawGrid(gfx::DeviceContext& dc, const CDiagramRect& rect, double zoom) override;
    void SelectObject(CDiagramEntity& entity, bool select, SelectKind kind = SelectKind::Any) override;

    // 0 dots, 1 the editor's lines, any other value no grid.
    void SetGridStyleCode(int32_t style) { m_gridStyleCode = style; }
    int32_t GetGridStyleCode() const { return m_gridStyleCode; }
    // 0 opaque to 255 fully transparent.
    void SetBackgroundTransparency(int32_t transparency);
    uint8_t GetBackgroundTransparency() const { return m_transparency; }
    // Relative to the project folder; redraws at once.
    void SetBackgroundImage(const std::u16string& path);
    const std::u16string& GetBackgroundImage() const { return m_backgroundImage; }
    void SetProjectFolder(const std::filesystem::path& folder) { m_projectFolder = folder; }

    // Set by every selection; the panes clear it once they followed.
    bool SelectionChanged() const { return m_selectionChanged; }
    void ClearSelectionChanged() { m_selectionChanged = false; }
    // Called after each selection (the project tree follows the page).
    void SetSelectionHook(std::function<void()> hook) { m_selectionHook = std::move(hook); }

private:
    // The background picture as the paint draws it; none when there is none or it does
    // not load.
    const gfx::Surface* BackgroundImage();

    int32_t m_gridStyleCode = int32_t(GridStyle::Dots);
    bool m_selectionChanged = false;
    uint8_t m_transparency = 0;
    std::u16string m_backgroundImage;
    std::filesystem::path m_projectFolder;
    std::function<void()> m_selectionHook;
    std::filesystem::path m_cachedFile;
    std::filesystem::file_time_type m_cachedWritten;
    gfx::Surface m_cachedImage;
};
