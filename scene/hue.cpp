#include <cmath>

#include "scene.h"

void HueToRgba(const HsvColor& hsv, Rgba& out) {
  if (hsv.saturation == 0.0f) {
    out.red = hsv.value;
    out.green = hsv.value;
    out.blue = hsv.value;
    return;
  }

  // Whole degrees and whole steps of 1/255, truncated: the central colour
  // changes in visible steps, and the exact channel values are relied on.
  const int h = static_cast<int>(std::floor(hsv.hue * 360.0)) % 360;
  const int s = static_cast<int>(std::floor(hsv.saturation * 255.0)) % 256;
  const int v = static_cast<int>(std::floor(hsv.value * 255.0)) % 256;
  const int spread = s * v / 255;
  const int low = v - spread;

  int r, g, b;
  if (h < 60) {
    r = v, g = low + spread * h / 60, b = low;
  } else if (h < 120) {
    r = low + spread * (120 - h) / 60, g = v, b = low;
  } else if (h < 180) {
    r = low, g = v, b = low + spread * (h - 120) / 60;
  } else if (h < 240) {
    r = low, g = low + spread * (240 - h) / 60, b = v;
  } else if (h < 300) {
    r = low + spread * (h - 240) / 60, g = low, b = v;
  } else {
    r = v, g = low, b = low + spread * (360 - h) / 60;
  }

  const double step = 0.00392156862745098;  // the double nearest 1/255
  out.red = static_cast<float>(r * step);
  out.green = static_cast<float>(g * step);
  out.blue = static_cast<float>(b * step);
  out.alpha = 1.0f;
}
