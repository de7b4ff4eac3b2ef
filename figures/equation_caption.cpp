// Captions of the presets and of typed equations, as the study library writes them.
#include "figures/equation_caption.h"

#include "study/own_equation.h"

namespace kemi::lab {

QString equationCaption(const study::Problem& problem) {
  return QString::fromStdString(study::writtenCaption(problem));
}

}  // namespace kemi::lab
