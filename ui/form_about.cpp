// The About window's five labels at their fixed places, given in twips, on a light yellow
// background, in Verdana or the closest sans-serif the system has.
#include "form_about.h"

#include <QLabel>

#include "contact.h"
#include "twips.h"

namespace kemi {
namespace {

const QColor kLightYellow(255, 255, 192);
const QColor kDarkGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);

QFont verdana(double points) {
  QFont font(QStringLiteral("Verdana"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

// A label on the window's yellow, so that it does not stand out from it. Without a colour it
// keeps the platform's text colour.
QLabel* label(QWidget* window, const char* name, const QString& text, const QRect& geometry,
              double points, const QColor& colour = QColor()) {
  auto* label = new QLabel(text, window);
  label->setObjectName(QLatin1String(name));
  label->setGeometry(geometry);
  label->setFont(verdana(points));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, kLightYellow);
  if (colour.isValid()) palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  label->setAutoFillBackground(true);
  return label;
}

}  // namespace

Form_About::Form_About() : QWidget(nullptr, Qt::Window) {
  setObjectName(QStringLiteral("Form_About"));
  setWindowTitle(QStringLiteral("About"));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kLightYellow);
  setPalette(palette);
  setAutoFillBackground(true);

  label(this, "Label2", QStringLiteral("Solution of dy/dx=-2*x-y by numerical methods"),
        twipsRect(600, 360, 2415, 855), 9.75, kDarkGreen)
      ->setWordWrap(true);
  label(this, "Label7", QStringLiteral("Developed by the Kemi team"),
        twipsRect(600, 1440, 2535, 255), 8.25);
  label(this, "Label8", QStringLiteral("Last modified : 10.02 2010"),
        twipsRect(480, 1920, 2415, 255), 8.25);
  label(this, "Label4", QStringLiteral("For comments and questions e-mail to"),
        twipsRect(240, 2400, 3375, 255), 8.25);
  label(this, "Label5", QString::fromUtf8(kContactEmail), twipsRect(960, 2640, 1935, 255), 8.25,
        kBlue);

  setFixedSize(twips(3600), twips(3030));
}

}  // namespace kemi
