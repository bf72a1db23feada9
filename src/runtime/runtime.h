#pragma once

#include <QString>

namespace vellumar {

class MessageBox;
class Clipboard;
class MousePointer;
class ProgramEnd;
class WindowInstances;
class RandomSource;
class SaveDialog;
class FileService;
class ShellOpen;
class Registry;
class FileLookup;
class ProgramStart;

// Facts about the running program.
struct AppInfo {
    QString title = QStringLiteral("Vellumar");
    QString programFolder;  // folder of the program file, no trailing separator
    int major = 1;
    int minor = 0;
    int revision = 0;
};

// The services that windows call. The program fills it with the platform
// implementations (see qt_runtime.h); tests fill it with recording fakes.
// A window uses only the services it needs, so tests may leave others null.
struct Runtime {
    AppInfo app;
    MessageBox* messageBox = nullptr;
    Clipboard* clipboard = nullptr;
    MousePointer* pointer = nullptr;
    ProgramEnd* end = nullptr;
    WindowInstances* windows = nullptr;
    RandomSource* random = nullptr;
    SaveDialog* saveDialog = nullptr;
    FileService* files = nullptr;
    ShellOpen* shell = nullptr;
    Registry* registry = nullptr;
    FileLookup* fileLookup = nullptr;
    ProgramStart* programStart = nullptr;
};

}  // namespace vellumar
