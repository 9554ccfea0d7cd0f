#include "vstgui/lib/CVSTGUITimer.h"

#include "vstgui/lib/ITimerScheduler.h"

#include <algorithm>
#include <vector>

namespace VSTGUI
{

IdStringPtr CVSTGUITimer::kMsgTimer = "timer message";

namespace
{
ITimerScheduler* gScheduler = nullptr;
std::vector<CVSTGUITimer*>& runningTimers()
{
    static std::vector<CVSTGUITimer*> list;
    return list;
}
} // namespace

CVSTGUITimer::CVSTGUITimer(CBaseObject* object, uint32_t ft, bool doStart)
    : timerObject(object), fireTime(ft == 0 ? 1 : ft)
{
    if (doStart)
        start();
}

CVSTGUITimer::CVSTGUITimer(CallbackFunc cb, uint32_t ft, bool doStart)
    : callback(std::move(cb)), fireTime(ft == 0 ? 1 : ft)
{
    if (doStart)
        start();
}

CVSTGUITimer::~CVSTGUITimer()
{
    stop();
}

bool CVSTGUITimer::start()
{
    if (running)
        return false;
    running = true;
    runningTimers().push_back(this);
    if (gScheduler)
        gScheduler->addTimer(this, fireTime);
    return true;
}

bool CVSTGUITimer::stop()
{
    if (!running)
        return false;
    running = false;
    std::erase(runningTimers(), this);
    if (gScheduler)
        gScheduler->removeTimer(this);
    return true;
}

bool CVSTGUITimer::setFireTime(uint32_t newFireTime)
{
    if (newFireTime == 0)
        newFireTime = 1;
    if (newFireTime == fireTime)
        return true;
    fireTime = newFireTime;
    if (running && gScheduler)
    {
        gScheduler->removeTimer(this);
        gScheduler->addTimer(this, fireTime);
    }
    return true;
}

void CVSTGUITimer::fire()
{
    if (!running)
        return;
    // The callback may stop or release this timer.
    remember();
    if (callback)
        callback(this);
    else if (timerObject)
        timerObject->notify(this, kMsgTimer);
    forget();
}

void CVSTGUITimer::setScheduler(ITimerScheduler* scheduler)
{
    if (scheduler == gScheduler)
        return;
    if (gScheduler)
        for (CVSTGUITimer* t : runningTimers())
            gScheduler->removeTimer(t);
    gScheduler = scheduler;
    if (gScheduler)
        for (CVSTGUITimer* t : runningTimers())
            gScheduler->addTimer(t, t->fireTime);
}

ITimerScheduler* CVSTGUITimer::getScheduler()
{
    return gScheduler;
}

int32_t CVSTGUITimer::getRunningCount()
{
    return static_cast<int32_t>(runningTimers().size());
}

} // namespace VSTGUI
