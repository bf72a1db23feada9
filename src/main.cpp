// Vellumar: starts the main window with every platform service in place.
#include <QApplication>
#include <QCoreApplication>
#include <QIcon>

#include <cstring>
#include <memory>

#include "generator/random_source.h"
#include "runtime/clipboard.h"
#include "runtime/message_box.h"
#include "runtime/platform_services.h"
#include "runtime/pointer.h"
#include "runtime/program_end.h"
#include "runtime/window_instances.h"
#include "windows/app_windows.h"
#include "windows/main/frm_pass_create.h"

int main(int argc, char** argv)
{
    using namespace vellumar;
    if (argc > 1 && std::strcmp(argv[1], kClipboardOwnerSwitch) == 0)
        return runClipboardOwner(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellumar"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    // The 16-pixel icon for title bars, larger drawings of it where the
    // desktop shows icons bigger (task switcher, dock).
    QIcon icon(QStringLiteral(":/vellumar/icon.png"));
    for (const int size : {32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/vellumar/icons/%1.png").arg(size));
    QApplication::setWindowIcon(icon);

    SodiumRandomSource random;
    QtMessageBox messageBox(QStringLiteral("Vellumar"));
    QtClipboard clipboard;
    QtMousePointer pointer;
    QtProgramEnd end;
    WindowInstances windows;
    PlatformServices platform;

    Runtime runtime;
    runtime.app.programFolder = QCoreApplication::applicationDirPath();
    runtime.messageBox = &messageBox;
    runtime.clipboard = &clipboard;
    runtime.pointer = &pointer;
    runtime.end = &end;
    runtime.windows = &windows;
    runtime.random = &random;
    platform.fill(runtime);

    defineAppWindows(runtime);
    windows.show(QStringLiteral("frmPassCreate"));
    return app.exec();
}
