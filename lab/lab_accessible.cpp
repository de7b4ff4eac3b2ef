// The entry, status-line and tab-bar interfaces and the factory that hands them out. Qt's line-edit
// interface is private, so the entry's text interface is written here on QLineEdit's public API.
#include "lab/lab_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>

#include "lab/tab_bar_accessible.h"

namespace kemi::lab {
namespace {

const char* const kCheckedEntry = "kemiCheckedEntry";
const char* const kStatusLine = "kemiStatusLine";
const char* const kTabBar = "kemiTabBar";

class EntryAccessible : public QAccessibleWidget,
                        public QAccessibleTextInterface,
                        public QAccessibleEditableTextInterface {
 public:
  explicit EntryAccessible(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}
  QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
      return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return edit()->text();
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = !edit()->isReadOnly();
    s.readOnly = edit()->isReadOnly();
    s.selectableText = true;
    s.invalid = !edit()->accessibleDescription().isEmpty();
    return s;
  }

  // Text: selection, caret and characters, straight from the line edit.
  void selection(int index, int* start, int* end) const override {
    const bool any = index == 0 && edit()->hasSelectedText();
    *start = any ? edit()->selectionStart() : 0;
    *end = any ? edit()->selectionEnd() : 0;
  }
  int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
  void addSelection(int start, int end) override { edit()->setSelection(start, end - start); }
  void removeSelection(int /*index*/) override { edit()->deselect(); }
  void setSelection(int /*index*/, int start, int end) override { addSelection(start, end); }
  int cursorPosition() const override { return edit()->cursorPosition(); }
  void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
  QString text(int start, int end) const override { return edit()->text().mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(edit()->text().size()); }
  QRect characterRect(int offset) const override {
    const QFontMetrics metrics = edit()->fontMetrics();
    const QString text = edit()->text();
    const QRect area = edit()->contentsRect();
    const int x = area.x() + metrics.horizontalAdvance(text.left(offset));
    const int width = offset < text.size() ? metrics.horizontalAdvance(text.at(offset)) : 1;
    return QRect(edit()->mapToGlobal(QPoint(x, area.y())), QSize(width, area.height()));
  }
  int offsetAtPoint(const QPoint& point) const override {
    return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
  }
  void scrollToSubstring(int /*start*/, int end) override { edit()->setCursorPosition(end); }
  QString attributes(int /*offset*/, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return {};
  }

  // Editable text.
  void deleteText(int start, int end) override { replaceText(start, end, {}); }
  void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
  void replaceText(int start, int end, const QString& text) override {
    edit()->setText(edit()->text().replace(start, end - start, text));
  }
};

class StatusAccessible : public QAccessibleWidget {
 public:
  explicit StatusAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StatusBar) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name || t == QAccessible::Value)
      return static_cast<QLabel*>(widget())->text();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* labAccessible(const QString& className, QObject* object) {
  if (className == QLatin1String("QLineEdit") && object->property(kCheckedEntry).toBool())
    return new EntryAccessible(static_cast<QLineEdit*>(object));
  if (className == QLatin1String("QLabel") && object->property(kStatusLine).toBool())
    return new StatusAccessible(static_cast<QLabel*>(object));
  if (className == QLatin1String("QTabBar") && object->property(kTabBar).toBool())
    return new TabBarAccessible(static_cast<QTabBar*>(object));
  return nullptr;
}

void installFactoryOnce() {
  static const bool installed = [] {
    QAccessible::installFactory(labAccessible);
    return true;
  }();
  (void)installed;
}

}  // namespace

void makeCheckedEntry(QLineEdit* edit) {
  installFactoryOnce();
  edit->setProperty(kCheckedEntry, true);
}

void setEntryProblem(QLineEdit* edit, QLabel* reason, const QString& problem) {
  reason->setText(problem);
  if (edit->accessibleDescription() == problem) return;
  const bool wasInvalid = !edit->accessibleDescription().isEmpty();
  edit->setAccessibleDescription(problem);  // sends DescriptionChanged
  if (wasInvalid != !problem.isEmpty()) {
    QAccessible::State changed;
    changed.invalid = true;
    QAccessibleStateChangeEvent event(edit, changed);
    QAccessible::updateAccessibility(&event);
  }
}

void makeStatusLine(QLabel* label) {
  installFactoryOnce();
  label->setProperty(kStatusLine, true);
}

void makeReadableTabBar(QTabBar* bar) {
  installFactoryOnce();
  bar->setProperty(kTabBar, true);
}

void setStatus(QLabel* label, const QString& text) {
  if (label->text() == text) return;
  label->setText(text);
  QAccessibleEvent event(label, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&event);
}

}  // namespace kemi::lab
