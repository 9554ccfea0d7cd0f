#pragma once

#include "vstgui/plugin-bindings/PadController.h"

// The pad controller the factory makes for "Joystick_X<id>_Y<id>" and "TrackPad_..."
// containers; the library's behaviour as it is.
class CPadControllerQX : public VSTGUI::PadController
{
public:
    using PadController::PadController;
};
