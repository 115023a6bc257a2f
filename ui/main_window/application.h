#pragma once

#include "ui/main_window/main_window.h"

#include <chrono>
#include <functional>

class QApplication;
class QWindow;

namespace vintrel::ui {

// Application-wide settings: name, version, bundled fonts, icon.
void setUpApplication(QApplication& app);

// The program's windows: the calculator window and the three it shows.
class Program {
public:
    Program();
    ~Program();

    // Loads the calculator window (its load routine builds the splash
    // window) and shows it, then the splash window in front of it.
    void start();

    AuxForms& forms() { return forms_; }
    FormSlot<FrmVintrel>& main() { return main_; }

private:
    AuxForms forms_;
    FormSlot<FrmVintrel> main_;
};

// Runs the action once: when the window first gets the focus, which a
// Wayland compositor gives only to a window it has placed, or, should the
// compositor never activate it, once the window has been on screen for the
// fallback time. Nothing runs if the window goes first.
void whenFirstActivated(QWindow& window, std::chrono::milliseconds fallback, std::function<void()> action);

// The program from start to end. The start-up benchmark's build passes a
// hook that watches the first paint; it runs once the application is set
// up, before any window exists.
int runProgram(int& argc, char* argv[], void (*beforeWindows)(QApplication&) = nullptr);

}  // namespace vintrel::ui
