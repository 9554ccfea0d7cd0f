#pragma once

#include "vstgui/lib/CView.h"

namespace VSTGUI
{

class COptionMenu;

// The open list of a COptionMenu, shown as the frame's modal view.
class COptionMenuPopup : public CView
{
public:
    COptionMenuPopup(COptionMenu* menu, CFrame* frame, const CPoint& where);
    // Open once, for one menu: a popup does not copy.
    COptionMenuPopup(const COptionMenuPopup&) = delete;
    ~COptionMenuPopup() override;
    CLASS_METHODS_NOCOPY(COptionMenuPopup, CView)

    static constexpr CCoord kItemHeight = 16;

    // The entry under a frame point, or -1.
    int32_t entryAt(const CPoint& where) const;
    CRect entryRect(int32_t index) const;
    int32_t getHoverIndex() const { return hoverIndex; }

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;

private:
    void close(int32_t chosen);

    COptionMenu* menu;
    int32_t hoverIndex{-1};
    int32_t firstVisible{0};
    int32_t visibleCount{0};
};

} // namespace VSTGUI
