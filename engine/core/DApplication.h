#pragma once
// The one engine application: owns the three tag controllers, the project, the display
// and the platform and runs one frame per pass of the loop. Single-threaded, no timers: everything that happens
// over time compares the platform's millisecond clock with due times.

#include <cstdint>
#include <memory>

#include "engine/tags/DController_Local.h"
#include "engine/tags/DController_Mem.h"
#include "engine/tags/DController_System.h"
#include "engine/render/DDisplay.h"
#include "engine/core/DEngineServices.h"
#include "engine/core/DObject.h"
#include "engine/core/DPlatform.h"
#include "engine/core/DProject.h"
#include "engine/tags/DSystemTagSource.h"
#include "foundation/DString.h"

// Values the command line sets for the whole run.
struct DEngineOptions {
    uint32_t memoryImageSize = DController_Mem::kDefaultImageSize;
    bool memoryImageSizeFixed = false;
    DString tagsFilePath; // empty: no tags file
};

// Makes the platform-specific parts, so tests can run the engine headless.
class DEngineParts {
public:
    virtual ~DEngineParts() = default;
    // Null when there is no memory for it.
    [[nodiscard]] virtual std::unique_ptr<DPlatform> createPlatform() = 0;
    [[nodiscard]] virtual std::unique_ptr<DDisplay> createDisplay() = 0;
};

// The engine lends itself to its actions and platform as their services.
class DApplication : public DEngineServices, public DSystemTagSource {
public:
    DECLARE_ENGINE_ALLOCATION()

    DApplication(DEngineParts& parts, DEngineOptions options);
    ~DApplication() override;
    DApplication(const DApplication&) = delete;
    DApplication& operator=(const DApplication&) = delete;

    // Creates the platform, the controllers, the project with its controller list and the
    // display (width by height, 640 by 480 for 0), attaches the project and starts the
    // platform; 0 on success.
    [[nodiscard]] int init(int width, int height);
    // Runs frames while the display has messages to process; returns 0.
    virtual int run();
    // One frame.
    void tick();

    // Action 6 asks for another project file at the end of the frame.
    void requestReload(uint32_t number) override
    {
        m_reloadRequested = 1;
        m_reloadArgument = number;
    }

    DProject* project() const { return m_project.get(); }
    DDisplay* display() const override { return m_display.get(); }
    DPlatform* platform() const override { return m_platform.get(); }
    DInputSink* input() const override { return m_project.get(); }
    DController_System* systemController() const { return m_systemController.get(); }
    DController_Local* localController() const { return m_localController.get(); }
    // Its image is the tag memory that the tags dialog shows and edits.
    DController_Mem* memoryController() const { return m_memoryController.get(); }
    const DEngineOptions& options() const { return m_options; }
    uint32_t optionFlags() const override { return m_optionFlags; }
    DController_Mem* tagMemory() const override { return m_memoryController.get(); }
    const DString* tagsFilePath() const override { return &m_options.tagsFilePath; }
    void setOptionFlags(uint32_t flags) { m_optionFlags = flags; }
    uint32_t frameCount() const { return m_frames; }

    int32_t currentPageIndex() const override;
    uint32_t clockSeconds() const override;

private:
    DEngineParts& m_parts;
    DEngineOptions m_options;
    uint32_t m_reloadRequested = 0;
    uint32_t m_reloadArgument = 0;
    uint32_t m_optionFlags = 0;
    uint32_t m_frames = 0;
    DString::NarrowConversion m_previousNarrowConversion;
    // Destroyed in reverse: the display, the project (which releases the controllers'
    // items), the controllers, the platform.
    std::unique_ptr<DPlatform> m_platform;
    std::unique_ptr<DController_System> m_systemController;
    std::unique_ptr<DController_Local> m_localController;
    std::unique_ptr<DController_Mem> m_memoryController;
    std::unique_ptr<DProject> m_project;
    std::unique_ptr<DDisplay> m_display;
};
