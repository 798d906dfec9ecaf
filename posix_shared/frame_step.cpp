#include "frame_step.h"

#include "frame_rate_text.h"
#include "renderer.h"
#include "stop_signal.h"

bool DrawFrameUnlessStopped(bool showFps, FrameRateCounter& frameRate, long long now) {
  DrawScene();
  if (showFps) {
    CountFrame(frameRate, now);
    DrawFrameRateText(frameRate.text);
  }
  // A software renderer does most of the drawing only when the frame is
  // flushed, which would otherwise be in the swap: finished here, a stop
  // that came meanwhile is still seen before the frame is shown.
  glFinish();
  stopSignal = PendingStopSignal();
  return !stopSignal;
}
