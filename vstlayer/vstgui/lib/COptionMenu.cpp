#include "vstgui/lib/COptionMenu.h"

#include "vstgui/lib/CFrame.h"
#include "vstgui/lib/COptionMenuPopup.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI
{

COptionMenu::COptionMenu(const CRect& r, IControlListener* l, int32_t t, CBitmap* bg, int32_t s)
    : CParamDisplay(r, bg, s)
{
    listener = l;
    tag = t;
    defaultValue = 0.f;
}

COptionMenu::~COptionMenu()
{
    removeAllEntry();
}

CMenuItem* COptionMenu::addEntry(const UTF8String& title, int32_t index)
{
    auto* item = new CMenuItem(title);
    if (index < 0 || index >= getNbEntries())
        entries.push_back(item);
    else
        entries.insert(entries.begin() + index, item);
    setMax(static_cast<float>(std::max(0, getNbEntries() - 1)));
    if (currentIndex < 0)
        setCurrent(0);
    return item;
}

bool COptionMenu::removeEntry(int32_t index)
{
    if (index < 0 || index >= getNbEntries())
        return false;
    entries[static_cast<size_t>(index)]->forget();
    entries.erase(entries.begin() + index);
    setMax(static_cast<float>(std::max(0, getNbEntries() - 1)));
    if (currentIndex >= getNbEntries())
        currentIndex = getNbEntries() - 1;
    return true;
}

void COptionMenu::removeAllEntry()
{
    for (CMenuItem* item : entries)
        item->forget();
    entries.clear();
    currentIndex = -1;
}

CMenuItem* COptionMenu::getEntry(int32_t index) const
{
    if (index < 0 || index >= getNbEntries())
        return nullptr;
    return entries[static_cast<size_t>(index)];
}

bool COptionMenu::setCurrent(int32_t index)
{
    if (index < 0 || index >= getNbEntries())
        return false;
    currentIndex = index;
    CControl::setValue(static_cast<float>(index));
    for (int32_t i = 0; i < getNbEntries(); ++i)
        entries[static_cast<size_t>(i)]->setChecked(i == index);
    invalid();
    return true;
}

void COptionMenu::setValue(float val)
{
    if (std::isnan(val))
        return;
    CControl::setValue(val);
    const int32_t index = static_cast<int32_t>(std::lround(val));
    if (index >= 0 && index < getNbEntries() && index != currentIndex)
        setCurrent(index);
}

std::string COptionMenu::getDisplayText() const
{
    const CMenuItem* item = getCurrent();
    return item ? item->getTitle() : std::string();
}

bool COptionMenu::popup()
{
    CFrame* frame = getFrame();
    if (!frame)
        return false;
    CPoint where(size.left, size.bottom);
    localToFrame(where);
    return popup(frame, where);
}

bool COptionMenu::popup(CFrame* frame, const CPoint& frameLocation)
{
    if (!frame || popupOpen || entries.empty())
        return false;
    auto* view = new COptionMenuPopup(this, frame, frameLocation);
    if (!frame->setModalView(view))
    {
        view->forget();
        return false;
    }
    popupOpen = true;
    return true;
}

void COptionMenu::selectEntry(int32_t index)
{
    const CMenuItem* item = getEntry(index);
    if (!item || !item->isEnabled())
        return;
    lastResult = index;
    beginEdit();
    setValue(static_cast<float>(index));
    invalid();
    valueChanged();
    endEdit();
}

CMouseEventResult COptionMenu::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    popup();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

int32_t COptionMenu::onKeyDown(VstKeyCode& keyCode)
{
    if (keyCode.virt == VKEY_RETURN && keyCode.modifier == 0)
        return popup() ? 1 : -1;
    return -1;
}

} // namespace VSTGUI
