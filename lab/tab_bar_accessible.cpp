// The tab bar's interface and its page tabs.
#include "lab/tab_bar_accessible.h"

#include <QPointer>
#include <QRegularExpression>
#include <QTabBar>
#include <QWidget>
#include <QWindow>

namespace kemi::lab {
namespace {

class TabAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  TabAccessible(QTabBar* bar, int index) : bar_(bar), index_(index) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }
  bool isValid() const override { return !bar_.isNull() && index_ < bar_->count(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return bar_->window()->windowHandle(); }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(bar_.data());
  }
  QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
  QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) {
      QString name = bar_->tabText(index_);
      return name.remove(QRegularExpression(QStringLiteral("&(?=[^&])"))).replace("&&", "&");
    }
    if (t == QAccessible::Description) return bar_->tabToolTip(index_);
    return {};
  }
  void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}
  QRect rect() const override {
    const QRect tab = bar_->tabRect(index_);
    return {bar_->mapToGlobal(tab.topLeft()), tab.size()};
  }
  QAccessible::Role role() const override { return QAccessible::PageTab; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.focusable = true;
    s.selectable = true;
    s.selected = index_ == bar_->currentIndex();
    s.focused = s.selected && bar_->hasFocus();
    s.disabled = !bar_->isTabEnabled(index_);
    s.invisible = !bar_->isVisible() || !bar_->isTabVisible(index_);
    return s;
  }

  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (name == pressAction()) bar_->setCurrentIndex(index_);
  }
  QStringList keyBindingsForAction(const QString& /*name*/) const override { return {}; }

 private:
  QPointer<QTabBar> bar_;
  int index_;
};

}  // namespace

TabBarAccessible::TabBarAccessible(QTabBar* bar)
    : QAccessibleWidget(bar, QAccessible::PageTabList) {
  // The old and the new current tab change their selected state.
  QObject::connect(bar, &QTabBar::currentChanged, bar,
                   [bar, previous = bar->currentIndex()](int index) mutable {
                     QAccessible::State selected;
                     selected.selected = true;
                     for (const int tab : {previous, index}) {
                       if (tab < 0) continue;
                       QAccessibleStateChangeEvent event(bar, selected);
                       event.setChild(tab);
                       QAccessible::updateAccessibility(&event);
                     }
                     previous = index;
                   });
}

TabBarAccessible::~TabBarAccessible() {
  for (const QAccessible::Id id : tabs_) QAccessible::deleteAccessibleInterface(id);
}

QTabBar* TabBarAccessible::bar() const {
  return static_cast<QTabBar*>(widget());
}

int TabBarAccessible::childCount() const {
  return bar()->count();
}

QAccessibleInterface* TabBarAccessible::child(int index) const {
  if (index < 0 || index >= bar()->count()) return nullptr;
  while (tabs_.size() <= static_cast<std::size_t>(index))
    tabs_.push_back(QAccessible::registerAccessibleInterface(
        new TabAccessible(bar(), static_cast<int>(tabs_.size()))));
  return QAccessible::accessibleInterface(tabs_[static_cast<std::size_t>(index)]);
}

int TabBarAccessible::indexOfChild(const QAccessibleInterface* child) const {
  for (std::size_t i = 0; i < tabs_.size(); ++i)
    if (QAccessible::accessibleInterface(tabs_[i]) == child) return static_cast<int>(i);
  return -1;
}

QAccessibleInterface* TabBarAccessible::focusChild() const {
  return bar()->hasFocus() ? child(bar()->currentIndex()) : nullptr;
}

}  // namespace kemi::lab
