#pragma once
// A cell's own font, as a logical-font record: what the view turns into its toolkit's
// font and what the text measures are asked about. Zero and empty fields keep the
// grid's font for that field.

#include <string>

struct CGridFont {
    static constexpr int kNormal = 400, kBold = 700;

    std::u16string face;
    int height = 0; // pixels
    int weight = 0; // 100..900
    bool italic = false;
    bool underline = false;

    friend bool operator==(const CGridFont&, const CGridFont&) = default;
};
