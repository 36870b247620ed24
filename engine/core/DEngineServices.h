#pragma once
// What the running engine lends to the parts that act on it from inside a frame (the
// actions, the platform's polling): the display, the reload at the end of the frame, the
// platform's clocks and where polled input goes. The application implements it; a project
// run on its own has none.

#include <cstdint>

class DController_Mem;
class DDisplay;
class DInputSink;
class DPlatform;
class DString;

class DEngineServices {
public:
    // Option bit: the platform's tick polls the long-press keys.
    static constexpr uint32_t kPollLongPressKeys = 2;

    virtual ~DEngineServices() = default;
    // The display the layer actions move; null when there is none.
    [[nodiscard]] virtual DDisplay* display() const = 0;
    // Loads project file number in place of this one at the end of the frame.
    virtual void requestReload(uint32_t number) = 0;
    // The clocks, sleeping and the input origin; null before the engine has a platform.
    [[nodiscard]] virtual DPlatform* platform() const = 0;
    // Where polled keys go: the project, or null before there is one.
    [[nodiscard]] virtual DInputSink* input() const = 0;
    [[nodiscard]] virtual uint32_t optionFlags() const = 0;
    // The tag memory and the tags file that the tags dialog shows; none by default.
    [[nodiscard]] virtual DController_Mem* tagMemory() const { return nullptr; }
    [[nodiscard]] virtual const DString* tagsFilePath() const { return nullptr; }
};
