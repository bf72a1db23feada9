// Vellumar: starts the main window with every platform service in place.
#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QTimer>
#include <QWidget>

#include <cstring>
#include <memory>

#include "generator/random_source.h"
#include "runtime/clipboard.h"
#include "runtime/desktop.h"
#include "runtime/dialogs.h"
#include "runtime/file_service.h"
#include "runtime/quit_signals.h"
#include "vellumar/version.h"
#include "windows/app_windows.h"
#include "windows/window_instances.h"

int main(int argc, char** argv)
{
    using namespace vellumar;
    if (argc > 1 && std::strcmp(argv[1], kClipboardOwnerSwitch) == 0)
        return runClipboardOwner(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellumar"));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersionText));
    SodiumRandomSource random;
    QtDialogs dialogs(QStringLiteral("Vellumar"));
    const std::unique_ptr<Desktop> desktop = makeSystemDesktop();
    QtFileService files;
    WindowInstances windows;  // after the services: the windows it made end before them
    Runtime runtime{{}, dialogs, *desktop, files, random, windows};
    runtime.app.programFolder = QCoreApplication::applicationDirPath();

    defineAppWindows(runtime);
    windows.show(QStringLiteral("frmPassCreate"));
    // The icon once the main window is on its way: reading its pictures (and
    // loading the image plugins) would hold the window up. The 16-pixel one
    // for title bars, larger drawings where the desktop shows icons bigger
    // (task switcher, dock).
    QTimer::singleShot(0, &app, [] {
        QIcon icon(QStringLiteral(":/vellumar/icon.png"));
        for (const int size : {32, 48, 64, 128, 256})
            icon.addFile(QStringLiteral(":/vellumar/icons/%1.png").arg(size));
        QApplication::setWindowIcon(icon);
    });
    // Whatever the program copies leaves marked as a secret; asked to end by
    // a signal, it closes its main window as Exit does, keeping the clipboard.
    markCopiesAsSecret();
    onQuitSignals(&app, [&windows] {
        if (QWidget* main = windows.find(QStringLiteral("frmPassCreate")))
            main->close();
        else
            QCoreApplication::exit(0);
    });
    return app.exec();
}
