// The About window: its labels, fonts and colours, one reused window, and the program's end
// when the last window closes.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include "contact.h"
#include "tests/ui/ui_test_support.h"
#include "ui/form1.h"
#include "ui/form_about.h"

namespace kemi {
namespace {

using test::control;

struct LabelCase {
  const char* name;
  const char* text;
  QRect pixels;
  double points;
  QColor colour;  // invalid: the platform's text colour
};

const LabelCase kLabels[] = {
    {"Label2",
     "Solution of dy/dx=-2*x-y by numerical methods",
     {40, 24, 161, 57},
     9.75,
     QColor(0, 128, 0)},
    {"Label7", "Developed by the Kemi team", {40, 96, 169, 17}, 8.25, QColor()},
    {"Label8", "Last modified : 10.02 2010", {32, 128, 161, 17}, 8.25, QColor()},
    {"Label4", "For comments and questions e-mail to", {16, 160, 225, 17}, 8.25, QColor()},
    {"Label5", kContactEmail, {64, 176, 129, 17}, 8.25, QColor(0, 0, 255)},
};

void chooseAbout(Form1& form) {
  form.menuBar()->actions().at(0)->trigger();
}

TEST(FormAboutTest, LabelsHaveTheirTextPlaceFontAndColours) {
  Form_About about;
  const QColor yellow(255, 255, 192);
  EXPECT_EQ(about.objectName(), QLatin1String("Form_About"));
  EXPECT_EQ(about.windowTitle(), QLatin1String("About"));
  EXPECT_EQ(about.size(), QSize(240, 202));
  EXPECT_EQ(about.palette().color(QPalette::Window), yellow);
  EXPECT_EQ(about.findChildren<QWidget*>().size(), 5);
  for (const LabelCase& c : kLabels) {
    SCOPED_TRACE(c.name);
    auto* label = control<QLabel>(about, c.name);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QString::fromUtf8(c.text));
    EXPECT_EQ(label->geometry(), c.pixels);
    EXPECT_EQ(label->font().family(), QLatin1String("Verdana"));
    EXPECT_EQ(label->font().pointSizeF(), c.points);
    EXPECT_EQ(label->font().weight(), QFont::Normal);
    EXPECT_FALSE(label->font().italic() || label->font().underline() || label->font().strikeOut());
    EXPECT_EQ(label->palette().color(QPalette::Window), yellow);
    EXPECT_TRUE(label->autoFillBackground());
    const QColor expected =
        c.colour.isValid() ? c.colour : QApplication::palette().windowText().color();
    EXPECT_EQ(label->palette().color(QPalette::WindowText), expected);
  }
  // The one-line labels show their whole text in the font the system picked for Verdana.
  for (const char* name : {"Label7", "Label8", "Label5"}) {
    auto* label = control<QLabel>(about, name);
    EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width()) << name;
  }
  EXPECT_TRUE(control<QLabel>(about, "Label2")->wordWrap());
}

TEST(FormAboutTest, AboutTwiceGivesOneModelessWindowWithoutOwnerThatComesBack) {
  Form1 form;
  form.show();
  EXPECT_EQ(form.aboutWindow(), nullptr);
  chooseAbout(form);
  Form_About* about = form.aboutWindow();
  ASSERT_NE(about, nullptr);
  chooseAbout(form);
  EXPECT_EQ(form.aboutWindow(), about);
  int abouts = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    abouts += w->objectName() == QLatin1String("Form_About") && w->isVisible() ? 1 : 0;
  }
  EXPECT_EQ(abouts, 1);
  EXPECT_TRUE(about->isVisible());
  EXPECT_EQ(about->parentWidget(), nullptr);
  EXPECT_FALSE(about->isModal());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  // The main window still works with About open.
  form.setStopReporter([](const QString&) { ADD_FAILURE() << "run stopped"; });
  QTest::mouseClick(control<QPushButton>(form, "Command1"), Qt::LeftButton);
  EXPECT_EQ(control<QListWidget>(form, "List1")->count(), 4);

  about->close();
  EXPECT_FALSE(about->isVisible());
  chooseAbout(form);
  EXPECT_EQ(form.aboutWindow(), about);
  EXPECT_TRUE(about->isVisible());
  EXPECT_EQ(control<QLabel>(*about, "Label5")->text(), QString::fromUtf8(kContactEmail));
}

// Runs the event loop as the program does: closing the main window first must leave About open
// and the loop running; closing About then ends it.
TEST(FormAboutTest, ProgramEndsOnlyWhenTheLastWindowCloses) {
  ASSERT_TRUE(QApplication::quitOnLastWindowClosed());
  Form1 form;
  form.show();
  chooseAbout(form);
  Form_About* about = form.aboutWindow();
  bool aboutOpenAfterMainClosed = false;
  bool loopRanAfterMainClosed = false;
  QTimer::singleShot(0, &form, [&] {
    form.close();
    QTimer::singleShot(0, about, [&] {
      loopRanAfterMainClosed = true;
      aboutOpenAfterMainClosed = about->isVisible();
      about->close();
    });
  });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] { QApplication::exit(2); });
  watchdog.start(10000);
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_TRUE(loopRanAfterMainClosed);
  EXPECT_TRUE(aboutOpenAfterMainClosed);
  EXPECT_FALSE(about->isVisible());
}

}  // namespace
}  // namespace kemi
