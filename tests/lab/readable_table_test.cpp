// What the window's tables and dialogs show: titles in words, six significant digits with the
// exact text kept for tooltips and copying, the step model against the command line's table,
// methods told apart without colour, and export names judged without reading any file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <set>
#include <tuple>

#include "core/method_table.h"
#include "lab/cell_text.h"
#include "lab/convergence_model.h"
#include "lab/export_dialog.h"
#include "lab/method_style.h"
#include "lab/step_table_model.h"
#include "study/step_table.h"

namespace kemi::lab {
namespace {

TEST(CellTextTest, NumbersAreShortenedAndTitlesAreWords) {
  const std::pair<const char*, const char*> cells[] = {
      {"0.123456789", "0.123457"},
      {"-1.2345678901234567e-123", "-1.23457e-123"},
      {"2.5", "2.5"},
      {"16777216", "16777216"},
      {"-3", "-3"},
      {"RK4G", "RK4G"},
      {"", ""},
      {"inf", "inf"},
  };
  for (const auto& [text, shown] : cells) EXPECT_EQ(shownCell(text), shown) << text;
  const std::pair<const char*, const char*> titles[] = {
      {"observed_order", "Observed order"},
      {"smallest_error", "Smallest error"},
      {"smallest_at_N", "Reached at N"},
      {"method", "Method"},
      {"x", "x"},
      {"k1", "k1"},
  };
  for (const auto& [name, title] : titles) EXPECT_EQ(columnTitle(name), title) << name;
}

TEST(CellTextTest, StepModelShowsTheCommandLinesTableInFull) {
  for (std::size_t method = 0; method < kMethods.size(); ++method) {
    const study::StepTable steps =
        study::buildStepTable({study::Classroom{}, 0.0, -1.0, 0.7}, method, 9);
    const study::TextTable text = study::stepText(steps);
    StepTableModel model;
    model.setTable(steps);
    ASSERT_EQ(model.rowCount(), static_cast<int>(text.rows.size()));
    ASSERT_EQ(model.columnCount(), static_cast<int>(text.header.size()));
    for (int r = 0; r < model.rowCount(); ++r) {
      for (int c = 0; c < model.columnCount(); ++c) {
        const std::string& exact = text.rows[r][c];
        const QModelIndex index = model.index(r, c);
        ASSERT_EQ(index.data(kFullTextRole).toString().toStdString(), exact) << r << "," << c;
        EXPECT_EQ(index.data(Qt::ToolTipRole).toString().toStdString(), exact);
        EXPECT_EQ(index.data(Qt::DisplayRole).toString(), shownCell(exact));
      }
    }
    EXPECT_EQ(model.table().rows, text.rows);
  }
}

// Unstable and unresolved rows are coloured and say why in every cell's tooltip; others are not.
TEST(CellTextTest, UnstableAndUnresolvedRowsStandOutWithTheirReason) {
  struct Case {
    bool stable;
    bool resolved;
    const char* says;
  };
  const Case cases[] = {
      {true, true, nullptr}, {false, true, "Unstable"}, {true, false, "Not resolved"}};
  ConvergenceModel model;
  for (const Case& c : cases) {
    study::ConvergenceRow row;
    row.N = model.rowCount() + 1;
    row.h = 1.0 / static_cast<double>(row.N);
    row.stable = c.stable;
    row.resolved = c.resolved;
    row.accuracy = 1e-12;
    model.addRow(row);
  }
  for (int r = 0; r < model.rowCount(); ++r)
    for (int col = 0; col < model.columnCount(); ++col) {
      const QModelIndex at = model.index(r, col);
      const QString tip = model.data(at, Qt::ToolTipRole).toString();
      EXPECT_EQ(model.data(at, Qt::BackgroundRole).isValid(), cases[r].says != nullptr) << r;
      if (cases[r].says != nullptr)
        EXPECT_TRUE(tip.contains(QLatin1String(cases[r].says))) << r;
      else
        EXPECT_EQ(tip, model.data(at, kFullTextRole).toString()) << r;
    }
}

// A batch of rows from two methods, in any order, goes in as one block per place.
TEST(CellTextTest, ConvergenceModelInsertsABatchInBlocks) {
  const auto row = [](std::size_t method, std::int64_t n) {
    study::ConvergenceRow r;
    r.method = method;
    r.N = n;
    r.error = 1.0 / static_cast<double>(n);
    return r;
  };
  ConvergenceModel model;
  model.addRow(row(1, 1));
  model.addRow(row(0, 1));
  QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
  model.addRows({row(1, 4), row(0, 2), row(1, 2), row(0, 4)});
  EXPECT_EQ(inserted.count(), 2);
  const std::vector<study::ConvergenceRow> sorted{row(0, 1), row(0, 2), row(0, 4),
                                                  row(1, 1), row(1, 2), row(1, 4)};
  ASSERT_EQ(model.rows().size(), sorted.size());
  for (std::size_t i = 0; i < sorted.size(); ++i) {
    EXPECT_EQ(model.rows()[i].method, sorted[i].method);
    EXPECT_EQ(model.rows()[i].N, sorted[i].N);
  }
  EXPECT_EQ(model.textTable().rows, study::convergenceText(sorted).rows);
  for (int r = 0; r < model.rowCount(); ++r)
    EXPECT_EQ(model.data(model.index(r, 1), kFullTextRole).toString().toStdString(),
              std::to_string(sorted[static_cast<std::size_t>(r)].N));
}

TEST(CellTextTest, NoTwoMethodsShareMarkerAndDash) {
  std::set<std::tuple<int, bool, QList<qreal>>> looks;
  for (const MethodStyle& style : methodStyles())
    looks.emplace(static_cast<int>(style.shape), style.hollow, style.dashes);
  EXPECT_EQ(looks.size(), methodStyles().size());
}

TEST(ExportDialogTest, NamesAreJudgedWithoutReadingFiles) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
  // PNG bytes under a name without a suffix: a provider that sniffed would call it an image.
  QFile picture(dir.filePath(QStringLiteral("picture")));
  ASSERT_TRUE(picture.open(QIODevice::WriteOnly) && picture.write("\x89PNG\r\n\x1a\n", 8) == 8);
  picture.close();
  NameOnlyIconProvider icons;
  EXPECT_EQ(icons.type(QFileInfo(picture.fileName())), QStringLiteral("File"));
  EXPECT_EQ(icons.type(QFileInfo(dir.filePath(QStringLiteral("folder")))),
            QStringLiteral("Folder"));

  const std::pair<QString, const char*> names[] = {
      {dir.filePath(QStringLiteral("folder")), "is a folder"},
      {dir.filePath(QString(300, QLatin1Char('a')) + QStringLiteral(".csv")), "at most 255"},
      {dir.filePath(QStringLiteral("table.csv")), ""},
  };
  for (const auto& [path, problem] : names) {
    const QString said = exportNameProblem(path);
    EXPECT_EQ(said.isEmpty(), *problem == '\0') << said.toStdString();
    EXPECT_TRUE(said.contains(QString::fromLatin1(problem))) << said.toStdString();
  }
}

}  // namespace
}  // namespace kemi::lab
