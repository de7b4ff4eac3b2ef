// Small builders the tabs share: a read-only table view, a labelled entry with the place for its
// refusal reason, the method box, a chart view, and the selected cells of a table as tab-separated
// text.
#pragma once

#include <QString>

class QAbstractItemModel;
class QChart;
class QChartView;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableView;
class QWidget;

namespace kemi::lab {

QTableView* makeTableView(QAbstractItemModel* model, const QString& name, QWidget* parent);
QChartView* makeChartView(QChart* chart, const QString& name, QWidget* parent);
// Ctrl+Tab and Ctrl+PageDown to the next tab, Ctrl+Shift+Tab and Ctrl+PageUp to the previous,
// wherever the focus is in `window`; the tab bar reports its current tab as selected.
void addTabSwitchKeys(QTabWidget* tabs, QWidget* window);

struct Entry {
  QLineEdit* edit;
  QLabel* reason;
};
// "caption" with a mnemonic (such as "&x1") on `row` of `grid`, from `column`: the label, the
// entry, then its reason in red.
Entry addEntry(QGridLayout* grid, int row, int column, const QString& caption,
               const QString& objectName, const QString& accessibleName);
QLabel* makeReasonLabel(QWidget* parent);
// "caption" on `row` of `grid`, from `column`: the label and a box of the method ids.
QComboBox* addMethodBox(QGridLayout* grid, int row, int column, const QString& caption,
                        const QString& objectName, const QString& accessibleName);

// The selected cells' bounding rectangle as tab-separated lines of the exported text (CSV
// column names, every digit), the column headers first;
// cells inside it that are not selected are left empty. Empty when nothing is selected.
QString selectionAsTsv(const QTableView* view);

}  // namespace kemi::lab
