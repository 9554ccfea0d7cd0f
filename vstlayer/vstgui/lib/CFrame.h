#pragma once

#include "vstgui/lib/CViewContainer.h"

#include <memory>
#include <string>
#include <vector>

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace VSTGUI
{

class IMouseObserver;
class IPlatformFrame;
class IPlatformFrameConfig;
class IViewAddedRemovedObserver;

// The root container. Without a parent window it renders only offscreen.
class CFrame : public CViewContainer
{
public:
    CFrame(const CRect& size, VSTGUIEditorInterface* editor);
    ~CFrame() override;

    // parent null: no native window (offscreen). False when the window cannot be made.
    bool open(void* parent, PlatformType type = PlatformType::kDefaultNative,
              IPlatformFrameConfig* config = nullptr);
    // Removes all views and drops the creator's reference.
    void close();
    bool isOpen() const { return openFlag; }
    IPlatformFrame* getPlatformFrame() const { return platformFrame.get(); }

    VSTGUIEditorInterface* getEditor() const { return editor; }
    CFrame* getFrame() const override { return const_cast<CFrame*>(this); }

    // Asks the editor first; false when it refuses. Sizes and every view coordinate
    // stay unzoomed; only the window and the rendered images grow with the zoom.
    bool setSize(CCoord width, CCoord height);
    // Device pixels per frame unit (HiDPI content scale); false for a zoom <= 0.
    bool setZoom(double zoom);
    double getZoom() const { return zoom; }
    // The frame's size in device pixels at its zoom.
    CRect getZoomedSize() const;
    void setViewSize(const CRect& rect, bool invalidate = true) override;

    void invalidRect(const CRect& rect) override;
    void invalid() override { invalidRect(CRect(0, 0, getWidth(), getHeight())); }
    const CRect& getDirtyRect() const { return dirtyRect; }
    void clearDirtyRect() { dirtyRect = CRect(); }
    void idle();

    // Renders deviceRect (in device pixels) of the frame into a cairo context whose
    // origin is the frame's, at the frame's zoom.
    void render(cairo_t* cr, const CRect& deviceRect);
    // A new ARGB image of the whole frame at its zoom; the caller destroys it.
    cairo_surface_t* renderToImage();
    bool writePNG(const std::string& path);

    // Mouse entry points, in frame coordinates.
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;

    bool removeView(CView* view, bool withForget = true) override;

    // A modal view gets every mouse event (popups); the frame keeps a reference.
    bool setModalView(CView* view);
    CView* getModalView() const { return modalView; }
    void setFocusView(CView* view);
    CView* getFocusView() const { return focusView; }

    void registerMouseObserver(IMouseObserver* observer);
    void unregisterMouseObserver(IMouseObserver* observer);
    void registerViewAddedRemovedObserver(IViewAddedRemovedObserver* observer);
    void unregisterViewAddedRemovedObserver(IViewAddedRemovedObserver* observer);

    // Called by views as they join or leave the tree.
    void onViewAdded(CView* view);
    void onViewRemoved(CView* view);

private:
    VSTGUIEditorInterface* editor;
    std::unique_ptr<IPlatformFrame> platformFrame;
    CRect dirtyRect;
    CView* modalView{nullptr};
    CView* focusView{nullptr};
    std::vector<IMouseObserver*> mouseObservers;
    std::vector<IViewAddedRemovedObserver*> viewObservers;
    double zoom{1};
    bool openFlag{false};
};

} // namespace VSTGUI
