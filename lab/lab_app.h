// Kemi Lab's window as a program: what `kemi-lab` without a command runs once its QApplication
// exists. The window's size and inputs are kept under ~/.config/kemi/kemi-lab.conf; kemi itself
// saves nothing.
#pragma once

namespace kemi::lab {

// Shows the window and runs the event loop; the exit status.
int runLabWindow();

}  // namespace kemi::lab
