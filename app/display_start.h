// Starting a window where no display can be opened: Qt's X11 (xcb) and Wayland platforms end the
// program with an abort and a core dump there, so the programs check first and say in one line
// what is missing and how to run them instead, ending with status 1.
#pragma once

namespace kemi {

// Made just before the QApplication, released by started() once it exists.
class DisplayStart {
 public:
  // Ends the program with status 1 and "PROGRAM: <what is missing>; HOW_TO_RUN" on standard
  // error when the platform Qt would start on (-platform NAME, else QT_QPA_PLATFORM, else the
  // desktop's X11 or Wayland) needs a display and the environment names none. Otherwise keeps
  // Qt's messages back until started(): should the platform still fail (a display that is named
  // but cannot be reached), the program ends the same way instead of aborting.
  DisplayStart(int argc, char** argv, const char* program, const char* howToRun);
  DisplayStart(const DisplayStart&) = delete;
  DisplayStart& operator=(const DisplayStart&) = delete;
  ~DisplayStart();

  // The application is made: Qt's messages kept back are passed on, and go straight on from now.
  void started();
};

// True when the platform named by `platform` (Qt's list "name[:options];name..."; empty for the
// default) can only start on a display and neither DISPLAY nor WAYLAND_DISPLAY names one.
bool displayMissing(const char* platform, const char* display, const char* waylandDisplay);

}  // namespace kemi
