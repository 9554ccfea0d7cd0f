#pragma once

#include <cstdint>

namespace VSTGUI
{

class CVSTGUITimer;

// Whatever drives timers on this platform (the host's run loop, a test).
class ITimerScheduler
{
public:
    virtual ~ITimerScheduler() = default;
    virtual void addTimer(CVSTGUITimer* timer, uint32_t periodMs) = 0;
    virtual void removeTimer(CVSTGUITimer* timer) = 0;
};

} // namespace VSTGUI
