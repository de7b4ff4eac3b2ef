// The figure layer's drawing commands replayed on a QPainter, one painter call per command.
#pragma once

#include "plot/figure/commands.h"

class QPainter;

namespace kemi::figures {

// The painter's font places the texts and sizes the titles.
void replay(QPainter& painter, const figure::Commands& commands);

// The painter's font as the layer's layouts need it.
figure::TextMetrics textMetrics(const QPainter& painter);

}  // namespace kemi::figures
