#include "vstgui/platform/x11/RunLoop.h"

#include "vstgui/lib/CVSTGUITimer.h"

namespace VSTGUI::X11
{

class RunLoop::TimerEntry : public ITimerHandler
{
public:
    explicit TimerEntry(CVSTGUITimer* t) : timer(t) {}
    void onTimer() override { timer->fire(); }

private:
    CVSTGUITimer* timer;
};

namespace
{
RunLoop& instance()
{
    static RunLoop loop;
    return loop;
}
} // namespace

void RunLoop::init(IRunLoop* loop)
{
    RunLoop& self = instance();
    if (self.useCount++ == 0)
    {
        self.runLoop = loop;
        CVSTGUITimer::setScheduler(&self);
    }
}

void RunLoop::exit()
{
    RunLoop& self = instance();
    if (self.useCount == 0)
        return;
    if (--self.useCount == 0)
    {
        CVSTGUITimer::setScheduler(nullptr);
        self.timers.clear();
        self.runLoop = nullptr;
    }
}

IRunLoop* RunLoop::get()
{
    return instance().runLoop;
}

void RunLoop::addTimer(CVSTGUITimer* timer, uint32_t periodMs)
{
    if (!runLoop || timers.count(timer))
        return;
    auto entry = std::make_unique<TimerEntry>(timer);
    if (runLoop->registerTimer(periodMs, entry.get()))
        timers.emplace(timer, std::move(entry));
}

void RunLoop::removeTimer(CVSTGUITimer* timer)
{
    auto it = timers.find(timer);
    if (it == timers.end())
        return;
    if (runLoop)
        runLoop->unregisterTimer(it->second.get());
    timers.erase(it);
}

} // namespace VSTGUI::X11
