// A host that ends its process with the plug-in's editor open, as hosts do when the
// user quits: the view, its run loop and window, kept at namespace scope, are released
// while the process exits; the plug-in itself is never terminated (the process just
// ends). Argument: "release-at-exit" (exit from main) or "exit-inside-timer" (exit
// called from the run loop, in the middle of serving the plug-in's timers).
#include "HostRunLoop.h"
#include "HostWindow.h"

#include "offscreen/OffscreenPanel.h"

#include "pluginterfaces/gui/iplugview.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace Steinberg;
using namespace std::chrono_literals;

namespace
{

// Released in reverse order: the view, then its run loop and the window.
struct Host
{
    std::unique_ptr<HostWindow> window;
    OffscreenPanel* plugin{nullptr};
    IPtr<HostRunLoop> loop;
    IPtr<IPlugView> view;
} host;

class ExitingTimer : public FObject, public Linux::ITimerHandler
{
public:
    void PLUGIN_API onTimer() override { std::exit(0); }

    OBJ_METHODS(ExitingTimer, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(Linux::ITimerHandler)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)
};

int fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    const bool insideTimer = argc > 1 && std::strcmp(argv[1], "exit-inside-timer") == 0;
    host.window = std::make_unique<HostWindow>();
    if (!host.window->ok())
        return fail("no X server");
    host.plugin = new OffscreenPanel(ZARG_BUNDLE, false);
    if (!host.plugin->ok())
        return fail(host.plugin->error().c_str());
    host.loop = owned(new HostRunLoop);
    host.view = owned(host.plugin->controller().createView(Vst::ViewType::kEditor));
    if (!host.view)
        return fail("no view");
    host.view->setFrame(host.loop);
    if (host.view->attached(host.window->parent(), kPlatformTypeX11EmbedWindowID) != kResultTrue)
        return fail("not attached");
    if (insideTimer)
        host.loop->registerTimer(owned(new ExitingTimer), 120);
    host.loop->runFor(200ms);
    std::exit(0);
}
