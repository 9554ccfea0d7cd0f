#pragma once

#include "vstgui/lib/CBaseObject.h"

namespace VSTGUI
{

class CMenuItem : public CBaseObject
{
public:
    explicit CMenuItem(const UTF8String& itemTitle, int32_t itemTag = -1)
        : title(itemTitle), tag(itemTag)
    {
    }

    const UTF8String& getTitle() const { return title; }
    void setTitle(const UTF8String& t) { title = t; }
    int32_t getTag() const { return tag; }
    bool isEnabled() const { return enabled; }
    void setEnabled(bool state) { enabled = state; }
    bool isChecked() const { return checked; }
    void setChecked(bool state) { checked = state; }

private:
    UTF8String title;
    int32_t tag;
    bool enabled{true};
    bool checked{false};
};

} // namespace VSTGUI
