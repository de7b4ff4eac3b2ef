// Window geometry is written in twips (1/1440 inch), as the layout tables give it. Qt places
// widgets in device-independent pixels of 1/96 inch, so 15 twips make one pixel; high-DPI
// screens then scale the pixels.
#pragma once

#include <QRect>

namespace kemi {

inline constexpr int kTwipsPerPixel = 15;

// Twips to device-independent pixels, rounded to the nearest pixel.
constexpr int twips(int t) {
  return (t + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// A rectangle given as left, top, width and height in twips.
constexpr QRect twipsRect(int left, int top, int width, int height) {
  return QRect(twips(left), twips(top), twips(width), twips(height));
}

}  // namespace kemi
