// The system step table: the study's table as the command line's text, so that the view, the
// CSV export and `kemi-lab steps` agree.
#include "lab/system_steps_view.h"

#include <QCoreApplication>
#include <stdexcept>

#include "core/step_loop.h"
#include "lab/text_table_model.h"
#include "study/system_methods.h"
#include "study/system_steps.h"
#include "study/system_text.h"

namespace kemi::lab {
namespace {

struct SystemStepsText {
  Q_DECLARE_TR_FUNCTIONS(SystemStepsText)
};

}  // namespace

QString showSystemSteps(TextTableModel& model, const study::SystemProblem& problem,
                        std::size_t method, std::int64_t n) {
  const std::string_view id = study::systemMethodId(method);
  const QString name = QString::fromLatin1(id.data(), static_cast<qsizetype>(id.size()));
  try {
    const study::SystemStepTable table = study::buildSystemStepTable(problem, method, n);
    model.setTable(study::systemStepText(table));
    if (!table.cause.empty())
      return SystemStepsText::tr("%1 stops after step %2: %3")
          .arg(name)
          .arg(table.rows.back().i)
          .arg(QString::fromStdString(table.cause));
    const double h = stepSize(problem.x0, problem.x1, static_cast<double>(n));
    return SystemStepsText::tr("%1 steps of h = %2 with %3 on %4.")
        .arg(n)
        .arg(QString::fromStdString(study::shortestText(h)))
        .arg(name, QString::fromStdString(study::systemId(problem.system)));
  } catch (const std::invalid_argument& e) {
    model.setTable(study::systemStepText({}));
    return QString::fromStdString(e.what());
  }
}

}  // namespace kemi::lab
