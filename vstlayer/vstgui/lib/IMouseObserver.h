#pragma once

#include "vstgui/lib/CButtonState.h"
#include "vstgui/lib/CPoint.h"

namespace VSTGUI
{

// Sees the frame's mouse-downs before any view does.
class IMouseObserver
{
public:
    virtual ~IMouseObserver() = default;
    // Return kMouseEventHandled to keep the event from the views.
    virtual CMouseEventResult onMouseDown(CFrame* frame, const CPoint& where,
                                          const CButtonState& buttons) = 0;
};

} // namespace VSTGUI
