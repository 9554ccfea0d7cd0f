#include "adapter/HostNotifier.h"

#include "public.sdk/source/vst/vsteditcontroller.h"

#include <algorithm>
#include <utility>

namespace Zeri2VST3
{

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{
IPtr<Linux::IRunLoop> runLoopOf(FUnknown* object)
{
    if (!object)
        return nullptr;
    void* loop = nullptr;
    if (object->queryInterface(Linux::IRunLoop::iid, &loop) != kResultOk || !loop)
        return nullptr;
    return owned(static_cast<Linux::IRunLoop*>(loop));
}
} // namespace

HostNotifier::HostNotifier(EditController& owner) : controller(owner) {}

HostNotifier::~HostNotifier()
{
    disconnect();
}

void HostNotifier::connect(FUnknown* hostContext)
{
    if (runLoop)
        return;
    IPtr<Linux::IRunLoop> loop = runLoopOf(controller.getComponentHandler());
    if (!loop)
        loop = runLoopOf(hostContext);
    if (loop && loop->registerTimer(this, kIntervalMs) == kResultOk)
        runLoop = loop;
}

void HostNotifier::disconnect()
{
    if (runLoop)
        runLoop->unregisterTimer(this);
    runLoop = nullptr;
}

void HostNotifier::requestRestart(int32 flags)
{
    restartFlags |= flags;
}

void HostNotifier::requestEdit(ParamID id)
{
    if (std::find(edits.begin(), edits.end(), id) == edits.end())
        edits.push_back(id);
}

void HostNotifier::deliver()
{
    IComponentHandler* handler = controller.getComponentHandler();
    // A host may call into the plug-in from the calls below; what that
    // requests waits for the next delivery.
    if (delivering || !handler || !hasPending())
        return;
    delivering = true;
    const int32 flags = std::exchange(restartFlags, 0);
    const std::vector<ParamID> ids = std::exchange(edits, {});
    if (flags != 0)
        handler->restartComponent(flags);
    for (const ParamID id : ids)
    {
        handler->beginEdit(id);
        handler->performEdit(id, controller.getParamNormalized(id));
        handler->endEdit(id);
    }
    delivering = false;
}

void PLUGIN_API HostNotifier::onTimer()
{
    deliver();
}

} // namespace Zeri2VST3
