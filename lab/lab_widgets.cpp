// The shared widget builders.
#include "lab/lab_widgets.h"

#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>
#include <utility>

#include "core/method_table.h"
#include "lab/cell_text.h"
#include "lab/lab_accessible.h"

namespace kemi::lab {

QTableView* makeTableView(QAbstractItemModel* model, const QString& name, QWidget* parent) {
  auto* view = new QTableView(parent);
  view->setObjectName(name);
  view->setAccessibleName(name);
  view->setModel(model);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view->setTabKeyNavigation(false);  // Tab leaves the table for the next control
  view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  // Wide enough for the longest number the tables show, six significant digits with a
  // three-digit exponent, so that no digit is elided.
  const int longest = view->fontMetrics().horizontalAdvance(QStringLiteral("-1.23457e-123"));
  view->horizontalHeader()->setDefaultSectionSize(longest + 16);
  view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
  view->setAlternatingRowColors(true);
  return view;
}

QChartView* makeChartView(QChart* chart, const QString& name, QWidget* parent) {
  auto* view = new QChartView(chart, parent);
  view->setObjectName(name);
  view->setAccessibleName(name);
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumSize(420, 300);
  // The view takes focus so that a screen reader reads its name and description; the drawing
  // area inside it is named the same and never takes focus itself.
  view->setFocusPolicy(Qt::StrongFocus);
  view->viewport()->setFocusPolicy(Qt::NoFocus);
  view->viewport()->setAccessibleName(name);
  return view;
}

void addTabSwitchKeys(QTabWidget* tabs, QWidget* window) {
  makeReadableTabBar(tabs->tabBar());
  tabs->tabBar()->setAccessibleName(tabs->accessibleName());
  const auto step = [tabs](int by) {
    const int count = tabs->count();
    if (count > 0) tabs->setCurrentIndex((tabs->currentIndex() + by + count) % count);
  };
  const std::pair<QKeySequence, int> keys[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
      {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
      {QKeySequence(Qt::CTRL | Qt::Key_Backtab), -1},
      {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
  };
  for (const auto& [key, by] : keys) {
    auto* shortcut = new QShortcut(key, window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, tabs, [step, by = by] { step(by); });
  }
}

QLabel* makeReasonLabel(QWidget* parent) {
  auto* label = new QLabel(parent);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor(0xB0, 0x00, 0x00));
  label->setPalette(palette);
  return label;
}

QComboBox* addMethodBox(QGridLayout* grid, int row, int column, const QString& caption,
                        const QString& objectName, const QString& accessibleName) {
  QWidget* parent = grid->parentWidget();
  auto* label = new QLabel(caption, parent);
  auto* box = new QComboBox(parent);
  box->setObjectName(objectName);
  box->setAccessibleName(accessibleName);
  for (const MethodInfo& info : kMethods)
    box->addItem(QString::fromLatin1(info.id.data(), static_cast<qsizetype>(info.id.size())));
  label->setBuddy(box);
  grid->addWidget(label, row, column);
  grid->addWidget(box, row, column + 1);
  return box;
}

Entry addEntry(QGridLayout* grid, int row, int column, const QString& caption,
               const QString& objectName, const QString& accessibleName) {
  QWidget* parent = grid->parentWidget();
  auto* label = new QLabel(caption, parent);
  auto* edit = new QLineEdit(parent);
  makeCheckedEntry(edit);  // before the first accessibility event caches Qt's own interface
  edit->setObjectName(objectName);
  edit->setAccessibleName(accessibleName);
  label->setBuddy(edit);
  QLabel* reason = makeReasonLabel(parent);
  reason->setObjectName(objectName + QStringLiteral("Reason"));
  grid->addWidget(label, row, column);
  grid->addWidget(edit, row, column + 1);
  grid->addWidget(reason, row, column + 2);
  return {edit, reason};
}

QString selectionAsTsv(const QTableView* view) {
  const QModelIndexList selected = view->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return {};
  int top = selected.front().row(), bottom = top;
  int left = selected.front().column(), right = left;
  for (const QModelIndex& index : selected) {
    top = std::min(top, index.row()), bottom = std::max(bottom, index.row());
    left = std::min(left, index.column()), right = std::max(right, index.column());
  }
  const QAbstractItemModel* model = view->model();
  QStringList lines;
  QStringList header;
  for (int c = left; c <= right; ++c)
    header << model->headerData(c, Qt::Horizontal, kFullTextRole).toString();
  lines << header.join(QLatin1Char('\t'));
  for (int r = top; r <= bottom; ++r) {
    QStringList cells;
    for (int c = left; c <= right; ++c) {
      const QModelIndex index = model->index(r, c);
      const bool chosen = view->selectionModel()->isSelected(index);
      cells << (chosen ? model->data(index, kFullTextRole).toString() : QString());
    }
    lines << cells.join(QLatin1Char('\t'));
  }
  return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

}  // namespace kemi::lab
