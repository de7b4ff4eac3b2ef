// The About window: what the program does, who made it, when it last changed and where to
// write. It has no input and no behaviour; the main window creates it once and shows it.
#pragma once

#include <QWidget>

namespace kemi {

class Form_About : public QWidget {
  Q_OBJECT

 public:
  // A top-level window with no owner, so either window can be in front and each closes alone.
  Form_About();
};

}  // namespace kemi
