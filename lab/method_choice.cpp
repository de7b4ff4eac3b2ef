// The method boxes: built from the method table, so a method added to it appears in every tab.
#include "lab/method_choice.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <algorithm>

#include "core/method_table.h"

namespace kemi::lab {

QString methodCaption(std::size_t method) {
  const std::string_view id = kMethods.at(method).id;
  return QString::fromLatin1(id.data(), static_cast<qsizetype>(id.size()));
}

MethodChoice::MethodChoice(const QString& objectPrefix, const QString& accessiblePrefix,
                           const std::vector<std::size_t>& checked, QWidget* parent)
    : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  for (std::size_t m = 0; m < kMethods.size(); ++m) {
    auto* box = new QCheckBox(methodCaption(m), this);
    box->setObjectName(objectPrefix + methodCaption(m));
    box->setAccessibleName(accessiblePrefix + methodCaption(m));
    box->setChecked(std::find(checked.begin(), checked.end(), m) != checked.end());
    row->addWidget(box);
    boxes_.push_back(box);
    connect(box, &QCheckBox::toggled, this, &MethodChoice::changed);
  }
}

std::vector<std::size_t> MethodChoice::chosen() const {
  std::vector<std::size_t> methods;
  for (std::size_t m = 0; m < boxes_.size(); ++m)
    if (boxes_[m]->isChecked()) methods.push_back(m);
  return methods;
}

void MethodChoice::setChosen(const std::vector<std::size_t>& methods) {
  for (std::size_t m = 0; m < boxes_.size(); ++m)
    boxes_[m]->setChecked(std::find(methods.begin(), methods.end(), m) != methods.end());
}

QStringList MethodChoice::chosenIds() const {
  QStringList ids;
  for (const std::size_t m : chosen()) ids << methodCaption(m);
  return ids;
}

void MethodChoice::setChosenIds(const QStringList& ids) {
  for (std::size_t m = 0; m < boxes_.size(); ++m)
    boxes_[m]->setChecked(ids.contains(methodCaption(m)));
}

}  // namespace kemi::lab
