#pragma once

#include <cstdint>
#include <string>

namespace VSTGUI
{

using CCoord = double;
using UTF8String = std::string;
using UTF8StringPtr = const char*;
using IdStringPtr = const char*;

class CBaseObject;
class CBitmap;
class CControl;
class CDrawContext;
class CFontDesc;
class CFrame;
class CGradient;
class CView;
class CViewContainer;
class IControlListener;
class VSTGUIEditorInterface;

using CFontRef = CFontDesc*;

enum CMouseEventResult
{
    kMouseEventNotImplemented = 0,
    kMouseEventHandled,
    kMouseEventNotHandled,
    kMouseDownEventHandledButDontNeedMovedOrUpEvents,
    kMouseMoveEventHandledButDontNeedMoreEvents,
};

enum CMessageResult
{
    kMessageUnknown = 0,
    kMessageNotified = 1,
};

enum CHoriTxtAlign
{
    kLeftText = 0,
    kCenterText,
    kRightText,
};

enum CDrawStyle
{
    kDrawStroked = 0,
    kDrawFilled,
    kDrawFilledAndStroked,
};

// How the host's editors want knobs to follow the mouse.
enum CKnobMode
{
    kCircularMode = 0,
    kRelativCircularMode = 1,
    kLinearMode = 2,
};

enum class PlatformType
{
    kHWND,
    kWindowRef,
    kNSView,
    kUIView,
    kHWNDTopLevel,
    kX11EmbedWindowID,
    kDefaultNative = kX11EmbedWindowID,
};

} // namespace VSTGUI
