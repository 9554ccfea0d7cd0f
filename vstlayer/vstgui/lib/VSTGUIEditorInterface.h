#pragma once

#include "vstgui/lib/CRect.h"

namespace VSTGUI
{

// What a frame asks of the editor that owns it.
class VSTGUIEditorInterface
{
public:
    virtual ~VSTGUIEditorInterface() = default;

    virtual CFrame* getFrame() const { return frame; }
    // One of CKnobMode.
    virtual int32_t getKnobMode() const { return kCircularMode; }
    virtual bool beforeSizeChange(const CRect& /*newSize*/, const CRect& /*oldSize*/)
    {
        return true;
    }
    virtual void beginEdit(int32_t /*index*/) {}
    virtual void endEdit(int32_t /*index*/) {}
    virtual void doIdleStuff() {}

protected:
    CFrame* frame{nullptr};
};

} // namespace VSTGUI
