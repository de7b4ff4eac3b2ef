// What a screen reader finds in both windows: the names of the plot, the list and the method
// frame, the plot's description after each run, and the About window's address as a mail link.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QtTest/QTest>
#include <vector>

#include "contact.h"
#include "tests/ui/ui_test_support.h"
#include "ui/form1.h"
#include "ui/form_about.h"
#include "ui/plot_area.h"

// Takes the URLs the desktop would open, so that no mail program starts.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("mailto"), this, "take"); }
  ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("mailto")); }
  std::vector<QUrl> urls;

 public slots:
  void take(const QUrl& url) { urls.push_back(url); }
};

namespace kemi {
namespace {

using test::control;

QAccessibleInterface* accessible(QWidget* widget) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
  EXPECT_NE(iface, nullptr);
  return iface;
}

QString description(const Form1& form) {
  return accessible(control<PlotArea>(form, "Picture1"))->text(QAccessible::Description);
}

TEST(AccessibilityTest, MainWindowControlsHaveTheirNamesAndRoles) {
  Form1 form;
  const struct {
    const char* control;
    const char* name;
    QAccessible::Role role;
  } cases[] = {
      {"Picture1", "Solution plot", QAccessible::Client},
      {"List1", "Results", QAccessible::List},
      {"Frame2", "Method", QAccessible::Grouping},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control);
    QAccessibleInterface* iface = accessible(control<QWidget>(form, c.control));
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->text(QAccessible::Name), QLatin1String(c.name));
    EXPECT_EQ(iface->role(), c.role);
  }
  EXPECT_TRUE(control<QGroupBox>(form, "Frame2")->title().isEmpty());  // nothing new on screen
  EXPECT_EQ(description(form), QLatin1String("Empty"));
}

struct DescriptionCase {
  const char* option;
  const char* x1;
  const char* N;
  const char* expected;  // null: the cause the window reported
};

// The ranges are those of the values drawn: exact table 0..npt, numerical table 0..N.
const DescriptionCase kDescriptions[] = {
    {"Option_Euler", "0.4", "1",
     "Exact solution in black and Euler Method in red, x from 0.0000 to 0.4000, y from -1.0000 "
     "to -0.6000."},
    // Backward: Euler's one step reaches -1.5, the exact solution 3 - 3e^0.5 = -1.94616...
    {"Option_Euler", "-0.5", "1",
     "Exact solution in black and Euler Method in red, x from -0.5000 to 0.0000, y from -1.9462 "
     "to -1.0000."},
    // Fehlberg's one step ends at -0.810949..., just above the exact -0.810960...
    {"Option_RKF", "0.4", "1",
     "Exact solution in black and Runge-Kutta-Fehlberg Method in red, x from 0.0000 to 0.4000, "
     "y from -1.0000 to -0.8109."},
    // N below 1: no step, so no red line.
    {"Option_RK4G", "0.4", "0.5",
     "Exact solution in black, x from 0.0000 to 0.4000, y from -1.0000 to -0.8110."},
    // Abscissae a float cannot tell from 0: the plot is refused with a cause.
    {"Option_Euler", "1e-300", "1", nullptr},
};

TEST(AccessibilityTest, EachRunDescribesWhatThePlotDrewOrWhyItDidNot) {
  for (const DescriptionCase& c : kDescriptions) {
    SCOPED_TRACE(c.x1);
    Form1 form;
    QStringList stops;
    form.setStopReporter([&](const QString& cause) { stops << cause; });
    form.show();
    control<QRadioButton>(form, c.option)->setChecked(true);
    control<QLineEdit>(form, "Text_x1")->setText(QString::fromLatin1(c.x1));
    control<QLineEdit>(form, "Text_N")->setText(QString::fromLatin1(c.N));
    QTest::mouseClick(control<QPushButton>(form, "Command1"), Qt::LeftButton);
    if (c.expected != nullptr) {
      EXPECT_TRUE(stops.isEmpty());
      EXPECT_EQ(description(form), QLatin1String(c.expected));
    } else {
      ASSERT_EQ(stops.size(), 1);
      EXPECT_EQ(description(form), stops[0]);
    }
  }
}

TEST(AccessibilityTest, AboutIsADialogNamedByItsCaptionWithAMailLink) {
  Form_About about;
  QAccessibleInterface* window = accessible(&about);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->role(), QAccessible::Dialog);
  EXPECT_EQ(window->text(QAccessible::Name), QLatin1String("About"));

  auto* label = control<QLabel>(about, "Label5");
  ASSERT_NE(label, nullptr);
  QAccessibleInterface* link = accessible(label);
  ASSERT_NE(link, nullptr);
  const QUrl mailto(QStringLiteral("mailto:") + QString::fromUtf8(kContactEmail));
  EXPECT_EQ(link->role(), QAccessible::Link);
  EXPECT_EQ(link->text(QAccessible::Name), QString::fromUtf8(kContactEmail));
  EXPECT_EQ(link->text(QAccessible::Value), mailto.toString());

  // A click, Enter with the focus (which the only focusable control gets when the window is
  // activated), and a screen reader's press each open a new mail to the address.
  UrlCatcher catcher;
  about.show();
  QApplication::setActiveWindow(&about);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
  EXPECT_EQ(QApplication::focusWidget(), label);
  EXPECT_TRUE(label->font().underline());
  QTest::keyClick(label, Qt::Key_Return);
  QTest::mouseClick(label, Qt::LeftButton);
  ASSERT_NE(link->actionInterface(), nullptr);
  link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(catcher.urls, std::vector<QUrl>(3, mailto));

  label->clearFocus();
  EXPECT_FALSE(label->font().underline());
  EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

}  // namespace
}  // namespace kemi

#include "accessibility_test.moc"
