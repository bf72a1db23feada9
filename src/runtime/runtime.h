#pragma once

#include <QString>

namespace vellumar {

class Desktop;
class Dialogs;
class FileService;
class RandomSource;
class WindowInstances;

// Facts about the running program.
struct AppInfo {
    QString title = QStringLiteral("Vellumar");
    QString programFolder;  // folder of the program file, no trailing separator
};

// What the windows work with: the program passes the real services, tests
// pass recording fakes. Every service is always there.
struct Runtime {
    AppInfo app;
    Dialogs& dialogs;
    Desktop& desktop;
    FileService& files;
    RandomSource& random;
    WindowInstances& windows;
};

}  // namespace vellumar
