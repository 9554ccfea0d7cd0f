#pragma once

#include "vstgui/lib/CColor.h"
#include "vstgui/lib/CView.h"

#include <functional>
#include <vector>

namespace VSTGUI
{

// Children's sizes are in this container's own coordinates (its top-left is 0, 0).
class CViewContainer : public CView
{
public:
    explicit CViewContainer(const CRect& size);
    // Children are owned once: a container does not copy.
    CViewContainer(const CViewContainer&) = delete;
    ~CViewContainer() override;
    CLASS_METHODS_NOCOPY(CViewContainer, CView)

    // Takes over the caller's reference.
    virtual bool addView(CView* view);
    virtual bool removeView(CView* view, bool withForget = true);
    virtual bool removeAll(bool withForget = true);
    bool isChild(const CView* view) const;
    int32_t getNbViews() const { return static_cast<int32_t>(children.size()); }
    CView* getView(int32_t index) const;
    // Topmost visible child under where (parent coordinates); deep descends into containers.
    CView* getViewAt(const CPoint& where, bool deep = false) const;
    // Visits every descendant, depth first.
    void forEachChild(const std::function<void(CView*)>& visit, bool deep = true) const;

    void setBackgroundColor(const CColor& color);
    const CColor& getBackgroundColor() const { return backgroundColor; }
    void setBackgroundColorDrawStyle(CDrawStyle style) { backgroundColorDrawStyle = style; }
    CDrawStyle getBackgroundColorDrawStyle() const { return backgroundColorDrawStyle; }
    void setBackgroundOffset(const CPoint& p) { backgroundOffset = p; }

    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    virtual void drawBackgroundRect(CDrawContext* context, const CRect& rect);

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

    bool attached(CView* parent) override;
    bool removed(CView* parent) override;

    void invalid() override;
    void invalidRect(const CRect& rect) override;

protected:
    std::vector<CView*> children;
    CView* mouseDownView{nullptr};
    CColor backgroundColor{kBlackCColor};
    CDrawStyle backgroundColorDrawStyle{kDrawFilledAndStroked};
    CPoint backgroundOffset;
};

} // namespace VSTGUI
