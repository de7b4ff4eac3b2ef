// The row of check boxes, one per method of the table, with which a tab says which methods it
// runs or draws.
#pragma once

#include <QStringList>
#include <QWidget>
#include <vector>

class QCheckBox;

namespace kemi::lab {

class MethodChoice : public QWidget {
  Q_OBJECT

 public:
  // Each box is named objectPrefix + id and read out as accessiblePrefix + id; the methods in
  // `checked` start checked.
  MethodChoice(const QString& objectPrefix, const QString& accessiblePrefix,
               const std::vector<std::size_t>& checked, QWidget* parent = nullptr);

  std::vector<std::size_t> chosen() const;  // in table order
  void setChosen(const std::vector<std::size_t>& methods);
  QStringList chosenIds() const;
  void setChosenIds(const QStringList& ids);
  QCheckBox* box(std::size_t method) const { return boxes_.at(method); }
  QCheckBox* lastBox() const { return boxes_.back(); }

 signals:
  void changed();  // a box was checked or unchecked

 private:
  std::vector<QCheckBox*> boxes_;
};

// The method's id as its box shows it.
QString methodCaption(std::size_t method);

}  // namespace kemi::lab
