#pragma once

#include "vstgui/lib/VSTGUIFwd.h"

namespace VSTGUI
{

class IViewAddedRemovedObserver
{
public:
    virtual ~IViewAddedRemovedObserver() = default;
    virtual void onViewAdded(CFrame* frame, CView* view) = 0;
    virtual void onViewRemoved(CFrame* frame, CView* view) = 0;
};

} // namespace VSTGUI
