// One frame of either POSIX host, up to its swap: the scene, the frame rate
// when asked, and the stop check once the drawing is done.
#pragma once

#include "frame_clock.h"

// Draws the scene on the current context at the renderer's client size and,
// with showFps, the rate counted in frameRate at `now`, then waits for the
// drawing to finish. False when a stop signal came meanwhile: that frame is
// not to be shown, and the signal stays pending in stopSignal.
bool DrawFrameUnlessStopped(bool showFps, FrameRateCounter& frameRate, long long now);
