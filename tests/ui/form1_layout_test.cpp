// The main window as the student first sees it: every control's name, kind, container, text,
// place in pixels, enabled state and colour; focus, tab order, keys and resizing.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTranslator>
#include <QtTest/QTest>
#include <string_view>

#include "tests/ui/ui_test_support.h"
#include "ui/form1.h"
#include "ui/plot_area.h"

namespace kemi {
namespace {

using test::control;

struct ControlCase {
  const char* name;
  const char* kind;  // Qt class
  const char* container;
  const char* text;
  QRect pixels;  // left, top, width, height at 96 dpi, relative to the container
  bool enabled;
};

// Containers: "client" is the area below the menu bar.
const ControlCase kControls[] = {
    {"Frame1", "QGroupBox", "client", "\u0130nitial conditions", {8, 8, 161, 59}, true},
    {"Label1", "QLabel", "Frame1", "x0 =", {7, 24, 25, 17}, true},
    {"Text_x0", "QLineEdit", "Frame1", "0", {32, 24, 41, 19}, false},
    {"Label4", "QLabel", "Frame1", "y0 =", {80, 24, 25, 17}, true},
    {"Text_y0", "QLineEdit", "Frame1", "-1", {104, 24, 41, 19}, false},
    {"Frame4", "QGroupBox", "client", "Target point", {192, 8, 97, 57}, true},
    {"Label2", "QLabel", "Frame4", "x1 =", {8, 24, 25, 17}, true},
    {"Text_x1", "QLineEdit", "Frame4", "0.4", {37, 24, 41, 19}, true},
    {"Frame3", "QGroupBox", "client", "Step size", {312, 8, 169, 57}, true},
    {"Label5", "QLabel", "Frame3", "N =", {8, 24, 25, 17}, true},
    {"Text_N", "QLineEdit", "Frame3", "1", {32, 24, 41, 19}, true},
    {"Label3", "QLabel", "Frame3", "h =", {80, 24, 17, 17}, true},
    {"Text_h", "QLineEdit", "Frame3", "", {104, 24, 57, 19}, false},
    {"Command1", "QPushButton", "client", "CALCULATE", {8, 80, 149, 46}, true},
    {"Frame2", "QGroupBox", "client", "", {8, 136, 149, 190}, true},
    {"Option_Euler", "QRadioButton", "Frame2", "Euler", {16, 16, 49, 17}, true},
    {"Option_EulerEP", "QRadioButton", "Frame2", "Euler (End points)", {16, 40, 105, 17}, true},
    {"Option_EulerMP", "QRadioButton", "Frame2", "Euler (Mid point)", {16, 64, 105, 17}, true},
    {"Option_RK4", "QRadioButton", "Frame2", "Runge-Kutta 4", {16, 88, 97, 17}, true},
    {"Option_RKF", "QRadioButton", "Frame2", "Runge-Kutta-Fehlberg", {14, 112, 129, 17}, true},
    {"Option_RKM", "QRadioButton", "Frame2", "Runge-Kutta-Merson", {16, 136, 121, 17}, true},
    {"Option_RK4G", "QRadioButton", "Frame2", "Runge-Kutta-Gill", {14, 161, 106, 15}, true},
    {"Picture1", "PlotArea", "client", "", {160, 80, 321, 249}, true},
    {"List1", "QListWidget", "client", "", {490, 7, 260, 316}, true},
};

QString textOf(const QWidget* widget) {
  if (auto* w = qobject_cast<const QGroupBox*>(widget)) return w->title();
  if (auto* w = qobject_cast<const QLabel*>(widget)) return w->text();
  if (auto* w = qobject_cast<const QLineEdit*>(widget)) return w->text();
  if (auto* w = qobject_cast<const QAbstractButton*>(widget)) return w->text();
  return {};
}

TEST(Form1Test, EveryControlHasItsNameKindPlaceTextAndState) {
  Form1 form;
  for (const ControlCase& c : kControls) {
    SCOPED_TRACE(c.name);
    auto* widget = control<QWidget>(form, c.name);
    ASSERT_NE(widget, nullptr);
    if (std::string_view(c.kind) == "PlotArea") {
      EXPECT_NE(dynamic_cast<PlotArea*>(widget), nullptr);
    } else {
      EXPECT_STREQ(widget->metaObject()->className(), c.kind);
    }
    EXPECT_EQ(widget->parentWidget()->objectName(), QLatin1String(c.container));
    EXPECT_EQ(textOf(widget), QString::fromUtf8(c.text));
    EXPECT_EQ(widget->geometry(), c.pixels);
    EXPECT_EQ(widget->isEnabled(), c.enabled);
  }
  EXPECT_TRUE(control<QRadioButton>(form, "Option_Euler")->isChecked());
  EXPECT_EQ(control<QListWidget>(form, "List1")->count(), 0);
  EXPECT_EQ(control<QListWidget>(form, "List1")->selectionMode(),
            QAbstractItemView::SingleSelection);
  EXPECT_FALSE(control<QListWidget>(form, "List1")->isSortingEnabled());
}

// Every caption shows whole in its box in the program's default font: a student must be able to
// tell "Runge-Kutta 4" from "Runge-Kutta-Fehlberg".
TEST(Form1Test, CaptionsFitTheirControls) {
  Form1 form;
  form.show();
  for (const ControlCase& c : kControls) {
    auto* widget = control<QWidget>(form, c.name);
    ASSERT_NE(widget, nullptr) << c.name;
    const QString text = textOf(widget);
    if (text.isEmpty() || qobject_cast<QLineEdit*>(widget) != nullptr) continue;
    int needed = widget->fontMetrics().horizontalAdvance(text);
    if (qobject_cast<QRadioButton*>(widget) != nullptr) {
      needed += widget->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, widget) +
                widget->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, widget);
    }
    EXPECT_LE(needed, widget->width()) << c.name << " \"" << text.toStdString() << "\"";
  }
}

TEST(Form1Test, WindowHasCaptionClientAreaAndOneMenuItem) {
  Form1 form;
  form.show();
  EXPECT_EQ(form.objectName(), QLatin1String("Form1"));
  EXPECT_EQ(form.windowTitle(), QLatin1String("Kemi - Numerical integration of dy/dx=-2*x-y"));
  EXPECT_EQ(control<QWidget>(form, "client")->geometry().size(), QSize(790, 343));
  EXPECT_EQ(control<QWidget>(form, "client")->y(), form.menuBar()->height());
  const QList<QAction*> items = form.menuBar()->actions();
  ASSERT_EQ(items.size(), 1);
  EXPECT_EQ(items[0]->objectName(), QLatin1String("Mn_About"));
  EXPECT_EQ(items[0]->text(), QLatin1String("About"));
  EXPECT_EQ(items[0]->menu(), nullptr);
  EXPECT_FALSE(control<QPushButton>(form, "Command1")->isDefault());
  EXPECT_FALSE(control<QPushButton>(form, "Command1")->autoDefault());
}

// The initial point and the step size can be neither typed nor set by assistive technology.
TEST(Form1Test, ShownOnlyEntriesAreGreyReadOnlyAndRefuseText) {
  Form1 form;
  form.show();
  for (const char* name : {"Text_x0", "Text_y0", "Text_h"}) {
    SCOPED_TRACE(name);
    auto* entry = control<QLineEdit>(form, name);
    const QString before = entry->text();
    EXPECT_TRUE(entry->isReadOnly());
    EXPECT_EQ(entry->palette().color(QPalette::Disabled, QPalette::Base), QColor(224, 224, 224));
    QTest::mouseClick(entry, Qt::LeftButton);
    QTest::keyClicks(entry, "7");
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(entry);
    ASSERT_NE(access, nullptr);
    access->setText(QAccessible::Value, QStringLiteral("5"));
    if (QAccessibleEditableTextInterface* editable = access->editableTextInterface()) {
      editable->insertText(0, QStringLiteral("9"));
      editable->replaceText(0, 1, QStringLiteral("8"));
      editable->deleteText(0, 1);
    }
    EXPECT_EQ(entry->text(), before);
    EXPECT_FALSE(entry->hasFocus());
  }
  // The editable entries keep the platform's colours.
  EXPECT_EQ(control<QLineEdit>(form, "Text_x1")->palette().color(QPalette::Base),
            QApplication::palette(control<QLineEdit>(form, "Text_x1")).color(QPalette::Base));
}

TEST(Form1Test, EntriesAreNamedByTheirLabels) {
  Form1 form;
  const std::pair<const char*, const char*> pairs[] = {{"Text_x0", "x0 ="},
                                                       {"Text_y0", "y0 ="},
                                                       {"Text_x1", "x1 ="},
                                                       {"Text_N", "N ="},
                                                       {"Text_h", "h ="}};
  for (const auto& [entry, label] : pairs) {
    EXPECT_EQ(control<QLineEdit>(form, entry)->accessibleName(), QLatin1String(label)) << entry;
  }
}

// Tab enters the group of options at the one last chosen (arrow keys move inside the group), so
// that option takes the group's place in the tab-index order: Option_RK4G, whose index follows
// List1's, comes after the list.
struct TabCase {
  const char* selected;
  QStringList visited;
};

const TabCase kTabCases[] = {
    {"Option_Euler", {"Picture1", "Option_Euler", "List1", "Text_x1", "Text_N", "Command1"}},
    {"Option_RKM", {"Picture1", "Option_RKM", "List1", "Text_x1", "Text_N", "Command1"}},
    {"Option_RK4G", {"Picture1", "List1", "Option_RK4G", "Text_x1", "Text_N", "Command1"}},
};

TEST(Form1Test, FocusStartsOnCalculateAndTabFollowsTheTabIndexes) {
  for (const TabCase& c : kTabCases) {
    SCOPED_TRACE(c.selected);
    Form1 form;
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String("Command1"));
    QTest::mouseClick(control<QRadioButton>(form, c.selected), Qt::LeftButton);
    EXPECT_TRUE(control<QRadioButton>(form, c.selected)->isChecked());
    control<QPushButton>(form, "Command1")->setFocus(Qt::OtherFocusReason);

    QStringList visited;
    for (qsizetype i = 0; i < c.visited.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, c.visited);
  }
}

TEST(Form1Test, ResizingMovesAndResizesNoControl) {
  Form1 form;
  form.show();
  const auto places = [&form] {
    QList<QRect> rects;
    for (const ControlCase& c : kControls) rects << control<QWidget>(form, c.name)->geometry();
    return rects;
  };
  const QList<QRect> before = places();
  for (const QSize size : {QSize(300, 200), QSize(1200, 800)}) {
    form.resize(size);
    QApplication::processEvents();
    EXPECT_EQ(places(), before) << size.width() << "x" << size.height();
  }
}

// Marks every text it is asked for, so that a caption that skips tr() stays unmarked.
class MarkingTranslator : public QTranslator {
 public:
  QString translate(const char*, const char* source, const char*, int) const override {
    return QStringLiteral("[") + QString::fromUtf8(source) + QStringLiteral("]");
  }
  bool isEmpty() const override { return false; }
};

TEST(Form1Test, EveryCaptionGoesThroughTheTranslator) {
  MarkingTranslator marking;
  ASSERT_TRUE(QCoreApplication::installTranslator(&marking));
  Form1 form;
  QCoreApplication::removeTranslator(&marking);
  const auto marked = [](const QString& text) {
    return text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']'));
  };
  for (const ControlCase& c : kControls) {
    SCOPED_TRACE(c.name);
    const std::string_view kind(c.kind);
    // Entries hold numbers; the method captions come from the core's method table.
    if (*c.text == '\0' || kind == "QLineEdit" || kind == "QRadioButton") continue;
    EXPECT_EQ(textOf(control<QWidget>(form, c.name)),
              QStringLiteral("[%1]").arg(QString::fromUtf8(c.text)));
  }
  EXPECT_EQ(form.windowTitle(), QStringLiteral("[Kemi - Numerical integration of dy/dx=-2*x-y]"));
  EXPECT_TRUE(marked(form.menuBar()->actions().value(0)->text()));
  for (const char* name : {"Frame2", "Picture1", "List1"})
    EXPECT_TRUE(marked(control<QWidget>(form, name)->accessibleName())) << name;
}

}  // namespace
}  // namespace kemi
