#pragma once

namespace VSTGUI::X11
{

// Called when the registered descriptor is readable.
class IEventHandler
{
public:
    virtual ~IEventHandler() = default;
    virtual void onEvent() = 0;
};

} // namespace VSTGUI::X11
