#pragma once
// The images that cells name by index, all of one size: what the model needs to size a
// cell that shows one. The view draws them.

class CGridImageList {
public:
    virtual ~CGridImageList() = default;
    [[nodiscard]] virtual int imageCount() const = 0;
    [[nodiscard]] virtual int imageWidth() const = 0;
    [[nodiscard]] virtual int imageHeight() const = 0;
    [[nodiscard]] bool holds(int index) const { return index >= 0 && index < imageCount(); }
};
