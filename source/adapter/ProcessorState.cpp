// State persistence, factory presets and the messages the processor relays
// from the editor side to the plug-in object.
#include "adapter/Processor.h"
#include "framework/CPlugIn.h"

namespace Zeri2VST3
{

using namespace Steinberg;
using namespace Steinberg::Vst;

tresult PLUGIN_API Processor::setState(IBStream* /*state*/)
{
    return plugIn ? kNotImplemented : kResultFalse;
}

tresult PLUGIN_API Processor::getState(IBStream* /*state*/)
{
    return plugIn ? kNotImplemented : kResultFalse;
}

tresult PLUGIN_API Processor::setComponentState(IBStream* /*state*/)
{
    return plugIn ? kNotImplemented : kResultFalse;
}

tresult PLUGIN_API Processor::setParamNormalized(ParamID id, ParamValue value)
{
    return EditController::setParamNormalized(id, value);
}

tresult Processor::receiveText(const char* /*text*/)
{
    return kResultOk;
}

} // namespace Zeri2VST3
