#pragma once

#include "editor/CVSTParameterConnector.h"

#include "vstgui/plugin-bindings/VSTGUIEditor.h"

class CPlugIn;

// The editor of a plug-in object that draws its own panel: an empty frame in the host's
// window, the object told of the window and of every parameter, and the object's own
// edits passed on to the host.
class CZolvCustomView : public CVSTParameterConnector, public Steinberg::Vst::VSTGUIEditor
{
public:
    CZolvCustomView(Steinberg::Vst::EditController* controller, Steinberg::ViewRect* size);
    ~CZolvCustomView() override;

    void setPlugIn(CPlugIn* object) { plugIn = object; }
    CPlugIn* getPlugIn() const { return plugIn; }

    void beginParameterEdit(uint32_t id) override;
    void endParameterEdit(uint32_t id) override;
    void setParameterFromGUI(uint32_t id, float normalized) override;

    bool PLUGIN_API open(void* parent, const VSTGUI::PlatformType& type =
                                           VSTGUI::PlatformType::kDefaultNative) override;
    void PLUGIN_API close() override;

private:
    void releaseFrame();

    CPlugIn* plugIn{nullptr};
    void* parentWindow{nullptr};
};
