#pragma once
// Engine statuses: 0 is success.

namespace DStatus {
constexpr int Ok = 0;
constexpr int Failed = 1;
constexpr int BeyondLimit = 3; // a read would cross the current read limit
} // namespace DStatus
