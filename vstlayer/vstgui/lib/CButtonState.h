#pragma once

#include <cstdint>

namespace VSTGUI
{

enum CButton : int32_t
{
    kLButton = 1 << 1,
    kMButton = 1 << 2,
    kRButton = 1 << 3,
    kShift = 1 << 4,
    kControl = 1 << 5,
    kAlt = 1 << 6,
    kApple = 1 << 7,
    kDoubleClick = 1 << 10,
};

struct CButtonState
{
    int32_t state{0};

    constexpr CButtonState() = default;
    constexpr CButtonState(int32_t s) : state(s) {}

    constexpr bool isLeftButton() const { return (state & kLButton) != 0; }
    constexpr bool isRightButton() const { return (state & kRButton) != 0; }
    constexpr bool isDoubleClick() const { return (state & kDoubleClick) != 0; }
    constexpr int32_t getButtonState() const { return state & (kLButton | kMButton | kRButton); }
    constexpr int32_t getModifierState() const
    {
        return state & (kShift | kControl | kAlt | kApple);
    }
    constexpr int32_t operator&(int32_t mask) const { return state & mask; }
    constexpr bool operator==(const CButtonState& o) const { return state == o.state; }
};

} // namespace VSTGUI
