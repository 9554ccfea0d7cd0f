#pragma once

#include "vstgui/lib/CBaseObject.h"

#include <functional>

namespace VSTGUI
{

class ITimerScheduler;

// A periodic timer: calls its callback, or notify(this, kMsgTimer) on its target.
// Running timers are handed to the current scheduler; without one they wait.
class CVSTGUITimer : public CBaseObject
{
public:
    using CallbackFunc = std::function<void(CVSTGUITimer*)>;

    CVSTGUITimer(CBaseObject* timerObject, uint32_t fireTime = 100, bool doStart = false);
    CVSTGUITimer(CallbackFunc callback, uint32_t fireTime = 100, bool doStart = true);
    ~CVSTGUITimer() override;

    bool start();
    bool stop();
    bool isRunning() const { return running; }
    bool setFireTime(uint32_t newFireTime);
    uint32_t getFireTime() const { return fireTime; }
    // One tick, as the scheduler calls it.
    void fire();

    static IdStringPtr kMsgTimer;

    static void setScheduler(ITimerScheduler* scheduler);
    static ITimerScheduler* getScheduler();
    static int32_t getRunningCount();

private:
    CBaseObject* timerObject{nullptr};
    CallbackFunc callback;
    uint32_t fireTime;
    bool running{false};
};

} // namespace VSTGUI
