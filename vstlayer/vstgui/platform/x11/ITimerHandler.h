#pragma once

namespace VSTGUI::X11
{

class ITimerHandler
{
public:
    virtual ~ITimerHandler() = default;
    virtual void onTimer() = 0;
};

} // namespace VSTGUI::X11
