// Captions of the presets and of typed equations, as the study library writes them.
#include "equation_caption.h"

#include "own_equation.h"

namespace kemi::lab {

QString equationCaption(const study::Problem& problem) {
  return QString::fromStdString(study::writtenCaption(problem));
}

}  // namespace kemi::lab
