#pragma once

#include <QApplication>

namespace vellora {

// The program's QApplication, as the window runs in it: its name (the title of message boxes and the name
// of the user's data folder), the desktop file it belongs to, the system's language, the help screen's
// typeface, and the desktop's style with a menu bar that starts without picture plugins.
class Application : public QApplication
{
public:
    Application(int &argc, char **argv);
};

} // namespace vellora
