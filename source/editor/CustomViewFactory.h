#pragma once

#include "vstgui/lib/VSTGUIFwd.h"

#include <string>

namespace VSTGUI
{
class IUIDescription;
class UIAttributes;
} // namespace VSTGUI

class CPlugIn;
class CVuMeterQX;
class ViewAttributeReader;
struct EditorMessage;

// Builds the framework's extended controls for the custom view names of a description
// (kick buttons, track pad and joystick, units text, LED and analog meters) and hands
// every other name to the plug-in object. Null lets the description build the node's
// own class.
class CustomViewFactory
{
public:
    // message: the record reused for the plug-in object's custom-view request.
    // unitsViews: whether "UnitsEdit" and "UnitsLabel" are built here.
    CustomViewFactory(CPlugIn& plugIn, EditorMessage& message, bool unitsViews);

    VSTGUI::CView* createView(const std::string& name, const VSTGUI::UIAttributes& attributes,
                              const VSTGUI::IUIDescription* description) const;

private:
    VSTGUI::CView* kickButton(const std::string& name, const ViewAttributeReader& node) const;
    VSTGUI::CView* xyPad(const std::string& name, const ViewAttributeReader& node) const;
    VSTGUI::CView* unitsView(const std::string& name, const ViewAttributeReader& node) const;
    VSTGUI::CView* meter(const std::string& name, const ViewAttributeReader& node,
                         bool analog) const;
    // Ballistics from the descriptors named by the node's control tag; the last wins.
    void setBallistics(CVuMeterQX& meter, const ViewAttributeReader& node,
                       bool needsMeterVariable) const;
    VSTGUI::CView* askPlugIn(const std::string& name, const ViewAttributeReader& node) const;

    CPlugIn& plugIn;
    EditorMessage& message;
    bool unitsViews;
};
