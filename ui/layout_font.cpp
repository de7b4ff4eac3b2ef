#include "ui/layout_font.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace kemi {

void useLayoutFont() {
  QFont font = QApplication::font();
  const QStringList installed = QFontDatabase::families();
  for (const char* family : {"Liberation Sans", "Arial", "Nimbus Sans", "Helvetica"}) {
    if (installed.contains(QLatin1String(family))) {
      font.setFamily(QLatin1String(family));
      break;
    }
  }
  font.setPointSizeF(7.5);
  QApplication::setFont(font);
}

}  // namespace kemi
