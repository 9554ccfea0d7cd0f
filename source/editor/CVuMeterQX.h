#pragma once

#include "editor/EnvelopeDetector.h"

#include "vstgui/lib/CVuMeter.h"

// A meter smoothed by an envelope detector, one step per redraw: LEDs from an on and an
// off bitmap, or an analog needle from a film strip of frames. Inverted, it falls from
// full (a gain-reduction meter).
class CVuMeterQX : public VSTGUI::CVuMeter
{
public:
    CVuMeterQX(const VSTGUI::CRect& size, VSTGUI::CBitmap* onBitmap, VSTGUI::CBitmap* offBitmap,
               int32_t nbLed, bool inverted, bool analog, int32_t style);
    CLASS_METHODS(CVuMeterQX, CVuMeter)

    bool isInverted() const { return inverted; }
    bool isAnalog() const { return analog; }
    // Analog: the frame shown at level 0 when inverted, a frame's height and the frames in
    // the strip.
    void setZeroFrame(double frame) { zeroFrame = frame; }
    double getZeroFrame() const { return zeroFrame; }
    void setFrameHeight(double height) { frameHeight = height; }
    double getFrameHeight() const { return frameHeight; }
    void setFrameCount(double count) { frameCount = count; }
    double getFrameCount() const { return frameCount; }
    EnvelopeDetector& getDetector() { return detector; }

    // The film-strip offset (top of the frame) for a level.
    VSTGUI::CPoint analogOffset(float level) const;

    void draw(VSTGUI::CDrawContext* context) override;

private:
    void drawLedMeter(VSTGUI::CDrawContext* context);
    void drawAnalogMeter(VSTGUI::CDrawContext* context);

    bool inverted;
    bool analog;
    double zeroFrame{52.0};
    double frameHeight{65.0};
    double frameCount{80.0};
    EnvelopeDetector detector;
};
