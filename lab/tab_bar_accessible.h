// The tab bar as a screen reader should see it: one page tab per tab, named by its text without
// the mnemonic, the current one selected (Qt 6.4's own interface never reports it), pressing a
// tab makes it current.
#pragma once

#include <QAccessibleWidget>
#include <vector>

class QTabBar;

namespace kemi::lab {

class TabBarAccessible : public QAccessibleWidget {
 public:
  explicit TabBarAccessible(QTabBar* bar);
  ~TabBarAccessible() override;
  TabBarAccessible(const TabBarAccessible&) = delete;
  TabBarAccessible& operator=(const TabBarAccessible&) = delete;

  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* focusChild() const override;

 private:
  QTabBar* bar() const;
  mutable std::vector<QAccessible::Id> tabs_;  // made on first use, one per tab
};

}  // namespace kemi::lab
