#pragma once

#include "vstgui/lib/CView.h"

namespace VSTGUI
{

// Orientation bits of the controls that have one, VSTGUI's values.
enum CControlStyle : int32_t
{
    kHorizontal = 1 << 0,
    kVertical = 1 << 1,
};

// A view with a value in [min, max], a tag and a listener told about user changes.
class CControl : public CView
{
public:
    CControl(const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
             CBitmap* background = nullptr);
    // The copy tells the same listener, under the same tag, and is not in a gesture.
    CControl(const CControl& control);
    CLASS_METHODS(CControl, CView)

    virtual void setValue(float val);
    float getValue() const { return value; }
    virtual void setValueNormalized(float val);
    float getValueNormalized() const;
    virtual void setMin(float val) { vmin = val; }
    float getMin() const { return vmin; }
    virtual void setMax(float val) { vmax = val; }
    float getMax() const { return vmax; }
    float getRange() const { return vmax - vmin; }
    virtual void setDefaultValue(float val) { defaultValue = val; }
    float getDefaultValue() const { return defaultValue; }
    // Clamps the value into [min, max].
    virtual void bounceValue();

    virtual void setTag(int32_t val) { tag = val; }
    int32_t getTag() const { return tag; }
    void setListener(IControlListener* l) { listener = l; }
    IControlListener* getListener() const { return listener; }

    // Gesture bracket around user changes; nested calls count.
    virtual void beginEdit();
    virtual void endEdit();
    bool isEditing() const { return editing > 0; }
    // Tells the listener the value was changed by the user.
    virtual void valueChanged();

    void setWheelInc(float val) { wheelInc = val; }
    float getWheelInc() const { return wheelInc; }
    void setBackOffset(const CPoint& p) { backOffset = p; }
    const CPoint& getBackOffset() const { return backOffset; }

    // Control-click and double-click reset to the default; true when they did.
    bool checkDefaultValue(const CButtonState& buttons);

protected:
    IControlListener* listener;
    int32_t tag;
    float value{0.f};
    float vmin{0.f};
    float vmax{1.f};
    float defaultValue{0.5f};
    float wheelInc{0.1f};
    CPoint backOffset;
    int32_t editing{0};
};

} // namespace VSTGUI
