// The program's default font, chosen to fit the window's layout.
#pragma once

namespace kemi {

// The windows' positions and sizes were laid out for an 8-point sans-serif of classic desktop
// width; the usual default here (DejaVu Sans, 9 or 10 points) is wider and cuts captions such as
// "Runge-Kutta 4" short. This makes a narrow sans-serif (the first of Liberation Sans, Arial,
// Nimbus Sans and Helvetica that the system has) at 7.5 points the application's default, before
// any window is created; the layout test checks that every caption then fits its box.
void useLayoutFont();

}  // namespace kemi
