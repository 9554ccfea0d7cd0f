#pragma once

#include "vstgui/lib/IMouseObserver.h"
#include "vstgui/lib/IViewAddedRemovedObserver.h"
#include "vstgui/plugin-bindings/VSTGUIEditor.h"
#include "vstgui/uidescription/IController.h"

#include "pluginterfaces/vst/ivstplugview.h"

#include <map>
#include <string>

namespace VSTGUI
{

class ParameterChangeListener;
class UIDescription;
class VST3EditorDelegate;

// An editor built from a UI description: opening instantiates the template and binds
// every control whose tag is a parameter id of the controller to that parameter.
class VST3Editor : public Steinberg::Vst::VSTGUIEditor,
                   public Steinberg::Vst::IParameterFinder,
                   public IController,
                   public IViewAddedRemovedObserver,
                   public IMouseObserver
{
public:
    // xmlFile is looked up in the resources folder (see ResourcePath) unless absolute.
    VST3Editor(Steinberg::Vst::EditController* controller, UTF8StringPtr templateName,
               UTF8StringPtr xmlFile);
    ~VST3Editor() override;

    // Null when the description is missing or malformed; such an editor never opens.
    UIDescription* getUIDescription() const { return description; }
    VST3EditorDelegate* getDelegate() const { return delegate; }
    const std::string& getTemplateName() const { return templateName; }

    // Asks for the view to be rebuilt from another template on the next timer tick.
    bool exchangeView(UTF8StringPtr templateName);
    bool isRebuildPending() const { return doCreateView; }
    // Renders the open editor (window or offscreen) into a PNG file.
    bool writeSnapshot(const std::string& pngPath);
    ParameterChangeListener* getParameterChangeListener(int32_t tag) const;

    bool PLUGIN_API open(void* parent,
                         const PlatformType& type = PlatformType::kDefaultNative) override;
    void PLUGIN_API close() override;
    void releaseForExit() override;
    CMessageResult notify(CBaseObject* sender, IdStringPtr message) override;
    bool beforeSizeChange(const CRect& newSize, const CRect& oldSize) override;

    Steinberg::tresult PLUGIN_API findParameter(Steinberg::int32 xPos, Steinberg::int32 yPos,
                                                Steinberg::Vst::ParamID& resultTag) override;

    void valueChanged(CControl* control) override;
    void controlBeginEdit(CControl* control) override;
    void controlEndEdit(CControl* control) override;

    CView* createView(const UIAttributes& attributes, const IUIDescription* description) override;
    CView* verifyView(CView* view, const UIAttributes& attributes,
                      const IUIDescription* description) override;
    IController* createSubController(UTF8StringPtr name,
                                     const IUIDescription* description) override;

    void onViewAdded(CFrame* frame, CView* view) override;
    void onViewRemoved(CFrame* frame, CView* view) override;
    CMouseEventResult onMouseDown(CFrame* frame, const CPoint& where,
                                  const CButtonState& buttons) override;

    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
    DELEGATE_REFCOUNT(VSTGUIEditor)

protected:
    // Set by exchangeView; the next timer tick rebuilds the view and clears it.
    bool doCreateView{false};

private:
    // Right-click on a bound control: the host's menu for its parameter, where the
    // host's component handler offers one (automation, MIDI learn and the like).
    bool popupHostContextMenu(CFrame* frame, const CPoint& where);
    bool recreateView();
    void releaseListeners();

    UIDescription* description{nullptr};
    VST3EditorDelegate* delegate{nullptr};
    std::string templateName;
    std::map<int32_t, ParameterChangeListener*> listeners;
    CPoint minSize;
    CPoint maxSize;
};

} // namespace VSTGUI
