// The wrapper's editor side: the plug-in's view in the host's X11 window, the idle
// call that serves its run loop, and the calls back into the host.
#include "public.sdk/source/vst/vst2wrapper/vst2wrapper.h"

#include <utility>

namespace Steinberg::Vst
{

bool Vst2Wrapper::editorRect(ERect** out)
{
    if (!out)
        return false;
    if (!view)
        view = owned(controller->createView(ViewType::kEditor));
    ViewRect size{};
    if (!view || view->getSize(&size) != kResultOk)
        return false;
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<short>(size.getHeight());
    rect.right = static_cast<short>(size.getWidth());
    *out = &rect;
    return true;
}

bool Vst2Wrapper::openEditor(void* parent)
{
    if (!parent || editorOpen)
        return false;
    if (!view)
        view = owned(controller->createView(ViewType::kEditor));
    if (!view || view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID) != kResultTrue)
        return false;
    // The editor opens on the values the host set last.
    syncController();
    view->setFrame(this);
    editorOpen = view->attached(parent, kPlatformTypeX11EmbedWindowID) == kResultOk;
    if (!editorOpen)
        closeEditor();
    return editorOpen;
}

// The view goes with the window; the next opening makes a new one.
void Vst2Wrapper::closeEditor()
{
    if (!view)
        return;
    if (editorOpen)
        view->removed();
    editorOpen = false;
    view->setFrame(nullptr);
    view = nullptr;
}

void Vst2Wrapper::idle()
{
    if (idling)
        return;
    idling = true;
    syncController();
    for (const HostCall& call : std::exchange(deferredCalls, {}))
        host(&effect, call.opcode, call.index, call.value, nullptr, call.opt);
    runLoop->idle();
    idling = false;
}

void Vst2Wrapper::callHost(int32 opcode, int32 index, VstIntPtr value, float opt)
{
    if (idling)
        host(&effect, opcode, index, value, nullptr, opt);
    else
        deferredCalls.push_back({opcode, index, value, opt});
}

tresult PLUGIN_API Vst2Wrapper::resizeView(IPlugView* resized, ViewRect* newSize)
{
    if (!resized || resized != view || !newSize)
        return kInvalidArgument;
    callHost(audioMasterSizeWindow, newSize->getWidth(), newSize->getHeight());
    return view->onSize(newSize);
}

} // namespace Steinberg::Vst
