#pragma once

#include "vstgui/lib/CKickButton.h"

// A kick button that reports its press, its release, or both.
class CKickButtonQX : public VSTGUI::CKickButton
{
public:
    enum KickMode : int32_t
    {
        kPressAndRelease = 0,
        kRelease = 1,
        kPress = 2,
    };

    CKickButtonQX(const VSTGUI::CRect& size, VSTGUI::IControlListener* listener, int32_t tag,
                  VSTGUI::CBitmap* background, const VSTGUI::CPoint& offset);
    CLASS_METHODS(CKickButtonQX, CKickButton)

    void setKickMode(int32_t mode) { kickMode = mode; }
    int32_t getKickMode() const { return kickMode; }

    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where,
                                          const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where,
                                        const VSTGUI::CButtonState& buttons) override;

private:
    int32_t kickMode{kPressAndRelease};
};
