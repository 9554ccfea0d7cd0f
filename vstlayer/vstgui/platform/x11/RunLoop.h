#pragma once

#include "vstgui/lib/ITimerScheduler.h"
#include "vstgui/platform/x11/IRunLoop.h"

#include <map>
#include <memory>
#include <vector>

namespace VSTGUI::X11
{

// Drives CVSTGUITimer through the host's run loop while at least one window is open.
class RunLoop : public ITimerScheduler
{
public:
    // Every open window registers its loop; timers run on the oldest one still there.
    static void init(IRunLoop* runLoop);
    static void exit(IRunLoop* runLoop);
    static IRunLoop* get();

    void addTimer(CVSTGUITimer* timer, uint32_t periodMs) override;
    void removeTimer(CVSTGUITimer* timer) override;

private:
    class TimerEntry;
    IRunLoop* runLoop{nullptr};
    std::vector<IRunLoop*> loops;
    std::map<CVSTGUITimer*, std::unique_ptr<TimerEntry>> timers;
};

} // namespace VSTGUI::X11
