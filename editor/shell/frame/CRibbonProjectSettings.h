#pragma once
// The ribbon's controls show the open project's settings: zoom, page size, hold times,
// screen-saver start, layer position, and the target's text smoothing, encoding and tag
// memory size.

class CProjectSettings;
class CRibbonBar;

class CRibbonProjectSettings {
public:
    static void Show(CRibbonBar& bar, const CProjectSettings& settings);
};
