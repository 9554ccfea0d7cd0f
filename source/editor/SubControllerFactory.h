#pragma once

#include "pluginterfaces/vst/vsttypes.h"

#include <string>

namespace VSTGUI
{
class IController;
}

namespace Steinberg::Vst
{
class EditController;
}

// Pad controllers for view containers, by their sub-controller name: "VectorJoystick"
// binds the vector joystick's two parameters, "Joystick_X<id>_Y<id>" and
// "TrackPad_X<id>_Y<id>" the two parameters they name.
class SubControllerFactory
{
public:
    SubControllerFactory(Steinberg::Vst::EditController& controller,
                         Steinberg::Vst::ParamID vectorX, Steinberg::Vst::ParamID vectorY);

    // Null for other names and for ids without a parameter.
    VSTGUI::IController* create(const std::string& name, VSTGUI::IController* parent) const;

    // The ids a joystick or track pad name binds; false when it binds none.
    static bool padIds(const std::string& name, Steinberg::Vst::ParamID& x,
                       Steinberg::Vst::ParamID& y);

private:
    Steinberg::Vst::EditController& controller;
    Steinberg::Vst::ParamID vectorX;
    Steinberg::Vst::ParamID vectorY;
};
