// The program's default font, chosen to fit the window's layout.
#pragma once

namespace kemi {

// The windows' positions and sizes were laid out for an 8-point sans-serif of classic desktop
// width; the usual default here (DejaVu Sans, 9 or 10 points) is wider and cuts captions such as
// "Runge-Kutta 4" short. This makes an 8-point narrow sans-serif the application's default,
// where the system has one, before any window is created.
void useLayoutFont();

}  // namespace kemi
