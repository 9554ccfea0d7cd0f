#pragma once

#include <cstdint>

namespace VSTGUI
{

// VSTGUI's numbering, shared with the VST key codes hosts send.
enum VirtualKey : unsigned char
{
    VKEY_NONE = 0,
    VKEY_BACK = 1,
    VKEY_TAB = 2,
    VKEY_RETURN = 4,
    VKEY_ESCAPE = 6,
    VKEY_LEFT = 11,
    VKEY_RIGHT = 13,
    VKEY_DELETE = 22,
    VKEY_ENTER = 19,
};

enum KeyModifier : unsigned char
{
    MODIFIER_SHIFT = 1 << 0,
    MODIFIER_ALTERNATE = 1 << 1,
    MODIFIER_COMMAND = 1 << 2,
    MODIFIER_CONTROL = 1 << 3,
};

// character: the typed character (ASCII), 0 for virtual keys.
struct VstKeyCode
{
    int32_t character{0};
    unsigned char virt{0};
    unsigned char modifier{0};
};

} // namespace VSTGUI
