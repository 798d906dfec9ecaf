#include "measures.h"

#include <cmath>

// Fractional scales come in 120ths.
static const double kScaleDenominator = 120.0;

BufferSize BufferSizeFor(int32_t width, int32_t height, int32_t integerScale, uint32_t preferredScale120) {
  if (preferredScale120) {
    return {static_cast<int32_t>(std::lround(width * preferredScale120 / kScaleDenominator)),
            static_cast<int32_t>(std::lround(height * preferredScale120 / kScaleDenominator)), 1};
  }
  return {width * integerScale, height * integerScale, integerScale};
}

bool TravelEndsSaver(double startX, double startY, double x, double y) {
  return std::fabs(x - startX) + std::fabs(y - startY) > kPointerTravelThreshold;
}
