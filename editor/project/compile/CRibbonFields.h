#pragma once
// The ribbon's edit fields the build reads before it saves: the layer's horizontal and
// vertical position as the user typed them. Tests and the command-line compiler give
// their own.

#include <string>

class CRibbonFields {
public:
    virtual ~CRibbonFields() = default;
    virtual std::u16string LayerHorzPositionText() const = 0;
    virtual std::u16string LayerVertPositionText() const = 0;
};
