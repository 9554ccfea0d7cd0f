#include "vstgui/lib/CVSTGUITimer.h"

#include "vstgui/lib/ITimerScheduler.h"

#include <algorithm>
#include <vector>

namespace VSTGUI
{

IdStringPtr CVSTGUITimer::kMsgTimer = "timer message";

namespace
{
constinit ITimerScheduler* gScheduler = nullptr;
// Exists only while a timer runs: a timer may be stopped while the process exits,
// after this library's statics are destroyed.
constinit std::vector<CVSTGUITimer*>* gRunning = nullptr;
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
    if (!gRunning)
        gRunning = new std::vector<CVSTGUITimer*>;
    gRunning->push_back(this);
    if (gScheduler)
        gScheduler->addTimer(this, fireTime);
    return true;
}

bool CVSTGUITimer::stop()
{
    if (!running)
        return false;
    running = false;
    std::erase(*gRunning, this);
    if (gRunning->empty())
    {
        delete gRunning;
        gRunning = nullptr;
    }
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
    if (gScheduler && gRunning)
        for (CVSTGUITimer* t : *gRunning)
            gScheduler->removeTimer(t);
    gScheduler = scheduler;
    if (gScheduler && gRunning)
        for (CVSTGUITimer* t : *gRunning)
            gScheduler->addTimer(t, t->fireTime);
}

ITimerScheduler* CVSTGUITimer::getScheduler()
{
    return gScheduler;
}

int32_t CVSTGUITimer::getRunningCount()
{
    return gRunning ? static_cast<int32_t>(gRunning->size()) : 0;
}

} // namespace VSTGUI
