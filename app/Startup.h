#pragma once

class QApplication;

namespace app {

struct InstanceFactories;

// Puts the program's identity on the application object: product name
// "wMorv", version 1.0.0.0, the icon and the desktop entry's name; derives
// the application name from the running executable.
void configureApplication(QApplication& application);

// Creates the six instances, shows the main window and runs the message loop
// until the main window is closed, then releases the instances in reverse
// order. Returns the exit code: 0 after a normal end, 1 after an error that
// escaped start-up, which is shown in an "Application Error" box first.
int runStartup(const InstanceFactories& factories);

} // namespace app
