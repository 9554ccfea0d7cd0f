#pragma once

#include "vstgui/lib/CMenuItem.h"
#include "vstgui/lib/CParamDisplay.h"

#include <vector>

namespace VSTGUI
{

// A list of entries; the value is the index of the chosen one. The list pops up as an
// overlay inside the frame.
class COptionMenu : public CParamDisplay
{
public:
    enum MenuStyle : int32_t
    {
        kPopupStyle = 1 << 5,
        kCheckStyle = 1 << 6,
    };

    COptionMenu(const CRect& size, IControlListener* listener, int32_t tag,
                CBitmap* background = nullptr, int32_t style = 0);
    // The entries are owned once: a menu does not copy.
    COptionMenu(const COptionMenu&) = delete;
    ~COptionMenu() override;
    CLASS_METHODS_NOCOPY(COptionMenu, CParamDisplay)

    CMenuItem* addEntry(const UTF8String& title, int32_t index = -1);
    bool removeEntry(int32_t index);
    void removeAllEntry();
    int32_t getNbEntries() const { return static_cast<int32_t>(entries.size()); }
    CMenuItem* getEntry(int32_t index) const;
    int32_t getCurrentIndex() const { return currentIndex; }
    CMenuItem* getCurrent() const { return getEntry(currentIndex); }
    bool setCurrent(int32_t index);
    int32_t getLastResult() const { return lastResult; }

    void setValue(float val) override;
    std::string getDisplayText() const override;

    // Opens the list over the frame; popup(frame, where) also works for a menu not in the tree.
    bool popup();
    bool popup(CFrame* frame, const CPoint& frameLocation);
    bool isPopupOpen() const { return popupOpen; }
    // The user picked entry index: sets the value and tells the listener.
    void selectEntry(int32_t index);
    void popupClosed() { popupOpen = false; }

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;

private:
    std::vector<CMenuItem*> entries;
    int32_t currentIndex{-1};
    int32_t lastResult{-1};
    bool popupOpen{false};
};

} // namespace VSTGUI
