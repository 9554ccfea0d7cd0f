#pragma once

#include "vstgui/lib/ITimerScheduler.h"
#include "vstgui/platform/x11/IRunLoop.h"

#include <map>
#include <memory>

namespace VSTGUI::X11
{

// Drives CVSTGUITimer through the host's run loop while at least one window is open.
class RunLoop : public ITimerScheduler
{
public:
    // Counted: the first init installs the run loop, the last exit removes every timer.
    static void init(IRunLoop* runLoop);
    static void exit();
    static IRunLoop* get();

    void addTimer(CVSTGUITimer* timer, uint32_t periodMs) override;
    void removeTimer(CVSTGUITimer* timer) override;

private:
    class TimerEntry;
    IRunLoop* runLoop{nullptr};
    int useCount{0};
    std::map<CVSTGUITimer*, std::unique_ptr<TimerEntry>> timers;
};

} // namespace VSTGUI::X11
