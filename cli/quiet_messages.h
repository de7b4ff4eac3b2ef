// The command line's handler for Qt's own messages: drawing a chart without a display makes Qt
// warn about things a user cannot act on (no XDG_RUNTIME_DIR, the offscreen platform's missing
// features), so only critical and fatal messages reach standard error.
#pragma once

namespace kemi::cli {

// Installs the handler; call before the application object is made.
void quietQtMessages();

}  // namespace kemi::cli
