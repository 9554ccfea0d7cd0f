#pragma once

#include "pluginterfaces/base/funknown.h"

// Offered by the plug-in's editor view next to IPlugView: the panel without a window,
// for snapshots and for driving it with a mouse where no window system is at hand.
// It ships in the bundle because zarg-snapshot and the panel tests load the real bundle,
// whose editor classes are hidden behind the factory.
class IOffscreenView : public Steinberg::FUnknown
{
public:
    enum MouseAction : Steinberg::int32
    {
        kMouseDown = 0,
        kMouseMoved = 1,
        kMouseUp = 2,
    };
    enum MouseButtons : Steinberg::int32
    {
        kLeftButton = 1,
        kRightButton = 2,
        kShiftKey = 4,
        kControlKey = 8,
        kDoubleClickFlag = 16, // the second press of a double click
    };

    // Builds the panel with no window; kResultFalse when it cannot be built or is open.
    virtual Steinberg::tresult PLUGIN_API openOffscreen() = 0;
    virtual Steinberg::tresult PLUGIN_API closeOffscreen() = 0;
    // One tick of the editor timer, as the window system would deliver it.
    virtual Steinberg::tresult PLUGIN_API tick() = 0;
    virtual Steinberg::tresult PLUGIN_API writePNG(const char* path) = 0;
    // x and y in panel pixels.
    virtual Steinberg::tresult PLUGIN_API mouse(Steinberg::int32 action, double x, double y,
                                                Steinberg::int32 buttons) = 0;
    // The open panel's views, one a line, written into buffer (NUL-terminated, cut at
    // size); returns the size the whole text needs. Fields, tab-separated: id, parent id,
    // class, left, top, width, height (panel pixels), control tag, value, state (frame
    // index of a knob, 1 for a button that is on, current entry of a menu), text. A menu's
    // entries follow it as class "entry", with their rectangles while its list is open.
    virtual Steinberg::int32 PLUGIN_API describeViews(char* buffer, Steinberg::int32 size) = 0;

    static inline const Steinberg::FUID iid{0x5A415247, 0x4F666673, 0x63726565, 0x6E566965};
};
