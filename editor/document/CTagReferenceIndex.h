#pragma once
// The tag references of all rows by original name, numbered as the target wants them:
// the first 255 "storage" rows are system items 144 + n, placed rows memory addresses,
// every other row a local item numbered in row order.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "editor/document/CTagRow.h"
#include "foundation/target/TargetTag.h"

class CTagReferenceIndex {
public:
    static constexpr uint32_t kFirstStorageItem = 144;
    static constexpr uint32_t kStorageItems = 255;

    CTagReferenceIndex(std::span<const CTagRow> rows, uint32_t nativeEncoding);

    // The first row of that original name; "no tag" for none and for "sys" names.
    target::TagReference Find(std::u16string_view originalName) const;
    bool Contains(std::u16string_view originalName) const;

private:
    std::unordered_map<std::u16string, target::TagReference> m_references;
};
