// Helpers shared by the widget tests: finding a control by its name and counting plot pixels.
#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>
#include <ostream>

// Lets GoogleTest print texts and lists of texts in its failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace kemi::test {

// The named control of `window`; fails the test (and returns null) when it is missing.
template <class Widget>
Widget* control(const QWidget& window, const char* name) {
  auto* widget = window.findChild<Widget*>(QLatin1String(name));
  EXPECT_NE(widget, nullptr) << "no control " << name;
  return widget;
}

inline int countPixels(const QImage& image, const QColor& colour) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  const QRgb wanted = colour.rgb();
  int count = 0;
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) count += (line[x] | 0xff000000u) == wanted ? 1 : 0;
  }
  return count;
}

}  // namespace kemi::test
