#pragma once

#include "editor/IOffscreenView.h"
#include "editor/KnobReadout.h"
#include "framework/CControlList.h"

#include "vstgui/plugin-bindings/VST3Editor.h"

#include <string>

class CPlugIn;

// The plug-in's editor: the library's VST3Editor with a 50 ms timer that pings the
// plug-in object and redraws the whole panel, the plug-in object's knob mode, and the
// linked control updates the object may ask for when a control moves.
class VST3EditorQX : public VSTGUI::VST3Editor, public IOffscreenView
{
public:
    VST3EditorQX(Steinberg::Vst::EditController* controller, VSTGUI::UTF8StringPtr name,
                 VSTGUI::UTF8StringPtr xmlFile);
    ~VST3EditorQX() override = default;

    // Not owned. The descriptors are copied here to map a linked control's id to its
    // parameter; valueChanged reads the moved control's own entry from the object's list.
    void setPlugIn(CPlugIn* object);
    CPlugIn* getPlugIn() const { return plugIn; }
    const CControlList& getDescriptorCopies() const { return descriptorCopies; }
    // 0 circular, 1 relative circular, 2 linear, 3 the host's choice.
    void setKnobMode(int32_t mode) { knobMode = mode; }

    int32_t getKnobMode() const override;
    bool beforeSizeChange(const VSTGUI::CRect& newSize, const VSTGUI::CRect& oldSize) override;
    VSTGUI::CMessageResult notify(VSTGUI::CBaseObject* sender,
                                  VSTGUI::IdStringPtr message) override;
    void valueChanged(VSTGUI::CControl* control) override;
    // A knob's gesture shows its value next to it until the gesture ends.
    void controlBeginEdit(VSTGUI::CControl* control) override;
    void controlEndEdit(VSTGUI::CControl* control) override;

    // IOffscreenView
    Steinberg::tresult PLUGIN_API openOffscreen() override;
    Steinberg::tresult PLUGIN_API closeOffscreen() override;
    Steinberg::tresult PLUGIN_API tick() override;
    Steinberg::tresult PLUGIN_API writePNG(const char* path) override;
    Steinberg::tresult PLUGIN_API mouse(Steinberg::int32 action, double x, double y,
                                        Steinberg::int32 buttons) override;
    Steinberg::int32 PLUGIN_API describeViews(char* buffer, Steinberg::int32 size) override;

    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
    DELEGATE_REFCOUNT(VSTGUIEditor)

private:
    // The parameter's display text with its units; empty for an unbound control.
    std::string displayText(VSTGUI::CControl* control) const;

    CControlList descriptorCopies;
    int32_t knobMode{3};
    CPlugIn* plugIn{nullptr};
    KnobReadout readout;
};
