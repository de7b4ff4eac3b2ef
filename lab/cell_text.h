// How the window's tables show their cells: column names in words, numbers with six significant
// digits. The exact text (the command line's CSV text) stays in the model under kFullTextRole
// and in the tooltip, and is what copying and exporting use.
#pragma once

#include <QString>
#include <QVariant>
#include <Qt>
#include <string>
#include <vector>

namespace kemi::lab {

// The role under which every lab model gives a cell's exact text.
inline constexpr int kFullTextRole = Qt::UserRole + 1;
inline constexpr int kShownDigits = 6;

// "smallest_error" -> "Smallest error"; names without a word of their own are capitalised with
// their underscores made spaces.
QString columnTitle(const std::string& csvName);
// A number with a fraction or an exponent at kShownDigits significant digits; whole numbers,
// words and empty cells as they are.
QString shownCell(const std::string& text);
// A table model's header: the column's title in words (its CSV name under kFullTextRole) and the
// rows numbered from 1.
QVariant headerCell(const std::vector<std::string>& header, int section,
                    Qt::Orientation orientation, int role);

}  // namespace kemi::lab
