#include "vstgui/plugin-bindings/RunLoopAdapter.h"

#include "base/source/fobject.h"

namespace VSTGUI
{

using namespace Steinberg;

// The host holds these by reference count; the handler pointer is cleared on
// unregistration so a late call from the host does nothing.
class RunLoopAdapter::EventProxy : public FObject, public Linux::IEventHandler
{
public:
    explicit EventProxy(X11::IEventHandler* h) : handler(h) {}
    void PLUGIN_API onFDIsSet(Linux::FileDescriptor) override
    {
        IPtr<EventProxy> keep(this);
        if (handler)
            handler->onEvent();
    }
    X11::IEventHandler* handler;

    OBJ_METHODS(EventProxy, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(Linux::IEventHandler)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)
};

class RunLoopAdapter::TimerProxy : public FObject, public Linux::ITimerHandler
{
public:
    explicit TimerProxy(X11::ITimerHandler* h) : handler(h) {}
    void PLUGIN_API onTimer() override
    {
        IPtr<TimerProxy> keep(this);
        if (handler)
            handler->onTimer();
    }
    X11::ITimerHandler* handler;

    OBJ_METHODS(TimerProxy, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(Linux::ITimerHandler)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)
};

RunLoopAdapter::RunLoopAdapter(Linux::IRunLoop* loop) : hostRunLoop(loop)
{
    hostRunLoop->addRef();
}

RunLoopAdapter::~RunLoopAdapter()
{
    while (!events.empty())
        unregisterEventHandler(events.begin()->first);
    while (!timers.empty())
        unregisterTimer(timers.begin()->first);
    hostRunLoop->release();
}

bool RunLoopAdapter::registerEventHandler(int fd, X11::IEventHandler* handler)
{
    if (!handler || events.count(handler))
        return false;
    auto* proxy = new EventProxy(handler);
    if (hostRunLoop->registerEventHandler(proxy, fd) != kResultTrue)
    {
        proxy->release();
        return false;
    }
    events.emplace(handler, proxy);
    return true;
}

bool RunLoopAdapter::unregisterEventHandler(X11::IEventHandler* handler)
{
    auto it = events.find(handler);
    if (it == events.end())
        return false;
    EventProxy* proxy = it->second;
    events.erase(it);
    proxy->handler = nullptr;
    hostRunLoop->unregisterEventHandler(proxy);
    proxy->release();
    return true;
}

bool RunLoopAdapter::registerTimer(uint64_t intervalMs, X11::ITimerHandler* handler)
{
    if (!handler || timers.count(handler))
        return false;
    auto* proxy = new TimerProxy(handler);
    if (hostRunLoop->registerTimer(proxy, intervalMs) != kResultTrue)
    {
        proxy->release();
        return false;
    }
    timers.emplace(handler, proxy);
    return true;
}

bool RunLoopAdapter::unregisterTimer(X11::ITimerHandler* handler)
{
    auto it = timers.find(handler);
    if (it == timers.end())
        return false;
    TimerProxy* proxy = it->second;
    timers.erase(it);
    proxy->handler = nullptr;
    hostRunLoop->unregisterTimer(proxy);
    proxy->release();
    return true;
}

} // namespace VSTGUI
