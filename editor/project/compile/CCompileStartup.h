#pragma once
// What compiling a project needs, brought up once and taken down in order: the theme
// plug-ins, the image library and the font catalogue (the system tags are tables built
// into the program). The editor, vx-compile, the benchmarks and the tests that compile
// all start through it, so none of them writes a panel without its themes or its text.

#include <filesystem>
#include <functional>
#include <memory>

namespace foundation {
class DRendererBitmap;
}

class CCompileStartup {
public:
    // Later: the editor shows its frame before it enumerates the fonts (EnumerateFonts).
    enum class Fonts { Now, Later };
    // What the shut-down released, in the order it released it.
    enum class Released { ImageLibrary, CompressionMemory, Fonts };

    // stylesFolder: where the theme libraries lie (the program's "Styles" by default).
    explicit CCompileStartup(const std::filesystem::path& stylesFolder = {}, Fonts fonts = Fonts::Now);
    ~CCompileStartup();
    CCompileStartup(const CCompileStartup&) = delete;
    CCompileStartup& operator=(const CCompileStartup&) = delete;

    // Enumerates the installed fonts and lets the objects use them; once.
    void EnumerateFonts();
    // Told of each step while the start-up is taken down.
    void SetReleaseObserver(std::function<void(Released)> observer) { m_observer = std::move(observer); }

private:
    std::unique_ptr<foundation::DRendererBitmap> m_renderer;
    std::function<void(Released)> m_observer;
};
