#include "vstgui/platform/x11/RunLoop.h"

#include "vstgui/lib/CVSTGUITimer.h"

#include <algorithm>

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
// Lives from the first window's opening to the last one's closing, not to the end of
// static destruction: a host may release an open editor while its process exits, after
// this library's statics are gone.
constinit RunLoop* current = nullptr;
} // namespace

void RunLoop::init(IRunLoop* loop)
{
    if (!current)
        current = new RunLoop;
    RunLoop& self = *current;
    self.loops.push_back(loop);
    if (self.loops.size() == 1)
    {
        self.runLoop = loop;
        CVSTGUITimer::setScheduler(&self);
    }
}

void RunLoop::exit(IRunLoop* loop)
{
    if (!current)
        return;
    RunLoop& self = *current;
    auto it = std::find(self.loops.begin(), self.loops.end(), loop);
    if (it == self.loops.end())
        return;
    self.loops.erase(it);
    if (loop != self.runLoop)
        return;
    // Move the timers to a loop that is still there, or stop them.
    CVSTGUITimer::setScheduler(nullptr);
    self.timers.clear();
    self.runLoop = nullptr;
    if (!self.loops.empty())
    {
        self.runLoop = self.loops.front();
        CVSTGUITimer::setScheduler(&self);
        return;
    }
    delete current;
    current = nullptr;
}

IRunLoop* RunLoop::get()
{
    return current ? current->runLoop : nullptr;
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
