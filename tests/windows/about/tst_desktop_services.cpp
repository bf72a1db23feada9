// The Linux desktop services for real: xdg-open with handlers registered in
// a private XDG configuration, detached program start, file lookup and the
// search for a system-information tool.
#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "fakes.h"
#include "runtime/desktop_services.h"
#include "runtime/memory_registry.h"
#include "windows/about/core/sys_info.h"
#include "windows/about/frm_about.h"
#include "windows/main/frm_pass_create.h"
#include "windows/main/website.h"

using namespace vellumar;
using namespace vellumar::testing;

namespace {

const QString kNoBrowser = QStringLiteral("It looks like you don't have a default browser set.\r\n"
                                          "To find what you were looking for, please go to: \r\n");

void writeScript(const QString& path, const QString& body)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(("#!/bin/sh\n" + body + "\n").toUtf8());
    file.close();
    QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
}

// Waits for a file that a started program writes, and reads it.
QString waitForFile(const QString& path)
{
    QString text;
    for (int i = 0; i < 100 && text.isEmpty(); ++i) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            text = QString::fromUtf8(file.readAll());
        if (text.isEmpty())
            QTest::qWait(50);
    }
    return text.trimmed();
}

}  // namespace

class TstDesktopServices : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    QString programFolder;  // with a blank in it
    std::unique_ptr<FakeRuntime> fake;
    XdgShellOpen shell;
    frmPassCreate* window = nullptr;

    // A desktop entry running a script that records its folder and arguments.
    void registerFake(const QString& mimeType, const QString& name)
    {
        const QString script = home.filePath(name + ".sh");
        writeScript(script, QStringLiteral("printf '%s|%s\\n' \"$PWD\" \"$*\" > '%1'")
                                .arg(home.filePath(name + ".log")));
        QFile entry(home.filePath(QStringLiteral("data/applications/%1.desktop").arg(name)));
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2 %u\n")
                        .arg(name, script)
                        .toUtf8());
        entry.close();
        QCOMPARE(QProcess::execute(QStringLiteral("xdg-mime"),
                                   {QStringLiteral("default"), name + ".desktop", mimeType}),
                 0);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        // Only this test's handlers count: no desktop, no system entries, no
        // browser fallback. xdg-open looks for handlers only with a display.
        QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("data/applications"))));
        QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("config"))));
        QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("xdg-system"))));
        qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
        qputenv("XDG_DATA_DIRS", home.filePath(QStringLiteral("xdg-system")).toUtf8());
        qputenv("DISPLAY", ":99");
        qputenv("BROWSER", "");
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "XDG_SESSION_DESKTOP", "WAYLAND_DISPLAY"})
            qunsetenv(name);
        programFolder = home.filePath(QStringLiteral("program folder"));
        QVERIFY(QDir().mkpath(programFolder));
    }

    void init()
    {
        fake = std::make_unique<FakeRuntime>();
        fake->runtime.app.programFolder = programFolder;
        fake->runtime.shell = &shell;
        window = new frmPassCreate(fake->runtime);
    }
    void cleanup()
    {
        delete window;
        fake.reset();
        QFile::remove(home.filePath(QStringLiteral("config/mimeapps.list")));
    }

    void websiteOpensInTheRegisteredBrowserInTheProgramFolder()
    {
        registerFake(QStringLiteral("x-scheme-handler/https"), QStringLiteral("browser"));
        window->mnuWebsite->trigger();
        QCOMPARE(waitForFile(home.filePath(QStringLiteral("browser.log"))),
                 programFolder + QLatin1Char('|') + QLatin1String(kWebsiteAddress));
        QVERIFY(fake->messageBox.prompts.isEmpty());
    }

    void helpFileOpensInTheRegisteredViewer()
    {
        QFile help(programFolder + QStringLiteral("/vellumar100.chm"));
        QVERIFY(help.open(QIODevice::WriteOnly));
        // The start of a compiled help file: enough for its type to be recognised.
        help.write(QByteArray("ITSF\x03\0\0\0\x60\0\0\0\x01\0\0\0", 16));
        help.close();
        registerFake(QStringLiteral("application/vnd.ms-htmlhelp"), QStringLiteral("viewer"));
        window->mnuHowTo->trigger();
        QCOMPARE(waitForFile(home.filePath(QStringLiteral("viewer.log"))),
                 programFolder + QLatin1Char('|') + help.fileName());
        QVERIFY(fake->messageBox.prompts.isEmpty());
        QVERIFY(help.remove());
    }

    void withoutHandlerTheMessageComesWithinTheBound()
    {
        QElapsedTimer clock;
        clock.start();
        window->mnuWebsite->trigger();
        const qint64 elapsed = clock.elapsed();
        qInfo("no handler: message after %lld ms", elapsed);
        QVERIFY(elapsed < XdgShellOpen::kDefaultWaitMs + 250);
        QCOMPARE(fake->messageBox.prompts, QStringList{kNoBrowser + QLatin1String(kWebsiteAddress)});
    }

    void missingHelpFileGivesItsFullPath()
    {
        registerFake(QStringLiteral("application/vnd.ms-htmlhelp"), QStringLiteral("viewer"));
        QFile::remove(home.filePath(QStringLiteral("viewer.log")));
        window->mnuHowTo->trigger();
        QCOMPARE(fake->messageBox.prompts, QStringList{kNoBrowser + programFolder + QStringLiteral("/vellumar100.chm")});
        QTest::qWait(200);
        QVERIFY(!QFile::exists(home.filePath(QStringLiteral("viewer.log"))));
    }

    void aStillRunningOpenerCountsAsOpenedAndIsReaped()
    {
        // The opener waits until the test lets it go (a named pipe), so its
        // ending does not race the test.
        const QString gate = home.filePath(QStringLiteral("gate"));
        QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {gate}), 0);
        const QString slow = home.filePath(QStringLiteral("slow-opener.sh"));
        writeScript(slow, QStringLiteral("read line < '%1'; echo $$ > '%1.done'").arg(gate));
        ShellOpenRequest request;
        request.operation = "Open";
        request.target = kWebsiteAddress;
        request.directory = programFolder.toStdString();
        {
            XdgShellOpen slowShell(300, slow.toStdString());
            QVERIFY(slowShell.open(request));
            QCOMPARE(slowShell.runningOpeners(), 1);
            QFile release(gate);
            QVERIFY(release.open(QIODevice::WriteOnly));
            release.write("go\n");
            release.close();
            QTRY_COMPARE(slowShell.runningOpeners(), 0);  // ended and reaped
            QVERIFY(QFile::exists(gate + QStringLiteral(".done")));

            // One still running when the service goes is stopped with it.
            QVERIFY(slowShell.open(request));
            QCOMPARE(slowShell.runningOpeners(), 1);
        }
        QFile::remove(gate);

        XdgShellOpen missingOpener(300, home.filePath(QStringLiteral("no-such-opener")).toStdString());
        QVERIFY(!missingOpener.open(request));
        QCOMPARE(missingOpener.runningOpeners(), 0);
    }

    void sysInfoToolStartsFromAPathWithBlanks()
    {
        const QString folder = home.filePath(QStringLiteral("system tools"));
        QVERIFY(QDir().mkpath(folder));
        const QString tool = folder + QStringLiteral("/info tool");
        const QString log = home.filePath(QStringLiteral("tool.log"));
        writeScript(tool, QStringLiteral("printf '%s\\n' \"$0\" > '%1'").arg(log));
        // A program named by the path's first word must not be the one started.
        writeScript(home.filePath(QStringLiteral("system")), QStringLiteral("touch '%1.wrong'").arg(log));

        MemoryRegistry registry;
        registry.setText(kHkeyLocalMachine, kSysInfoKey, kSysInfoValue, tool.toStdString());
        PosixFileLookup files;
        DetachedProgramStart programs;
        fake->runtime.registry = &registry;
        fake->runtime.fileLookup = &files;
        fake->runtime.programStart = &programs;
        frmAbout about(fake->runtime);
        about.cmdSysInfo->click();
        QCOMPARE(waitForFile(log), tool);
        QVERIFY(fake->messageBox.prompts.isEmpty());
        QVERIFY(!QFile::exists(log + QStringLiteral(".wrong")));

        registry.setText(kHkeyLocalMachine, kSysInfoKey, kSysInfoValue, (folder + "/missing").toStdString());
        about.cmdSysInfo->click();
        QCOMPARE(fake->messageBox.prompts, QStringList{QStringLiteral("System Information Is Unavailable At This Time")});
    }

    void fileLookupFindsOnlyOrdinaryFiles()
    {
        const QString folder = home.filePath(QStringLiteral("lookup"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/FOLDER.EXE")));
        for (const char* name : {".HIDDEN.EXE", "B.EXE", "A.EXE", "notes.txt"}) {
            QFile file(folder + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        PosixFileLookup files;
        const std::string base = folder.toStdString() + "/";
        QCOMPARE(files.findFile(base + "A.EXE"), std::string("A.EXE"));
        QCOMPARE(files.findFile(base + "*.EXE"), std::string("A.EXE"));
        QCOMPARE(files.findFile(base + "?.EXE"), std::string("A.EXE"));
        QCOMPARE(files.findFile(base + ".HIDDEN.EXE"), std::string());
        QCOMPARE(files.findFile(base + "FOLDER.EXE"), std::string());
        QCOMPARE(files.findFile(base + "MISSING.EXE"), std::string());
        QCOMPARE(files.findFile(base + "missing/A.EXE"), std::string());
        QCOMPARE(files.findFile(base), std::string());
    }

    void systemInfoToolIsTheFirstOfTheListOnPath()
    {
        const QString first = home.filePath(QStringLiteral("path1"));
        const QString second = home.filePath(QStringLiteral("path2"));
        QVERIFY(QDir().mkpath(first) && QDir().mkpath(second));
        writeScript(second + QStringLiteral("/kinfocenter"), QStringLiteral("exit 0"));
        QFile notRunnable(first + QStringLiteral("/hardinfo"));
        QVERIFY(notRunnable.open(QIODevice::WriteOnly));
        notRunnable.close();
        const std::string path = first.toStdString() + ":relative:" + second.toStdString();
        QCOMPARE(QString::fromStdString(findSystemInfoTool(path)), second + QStringLiteral("/kinfocenter"));
        writeScript(second + QStringLiteral("/hardinfo"), QStringLiteral("exit 0"));
        QCOMPARE(QString::fromStdString(findSystemInfoTool(path)), second + QStringLiteral("/hardinfo"));
        QCOMPARE(findSystemInfoTool(first.toStdString()), std::string());
    }
};

QTEST_MAIN(TstDesktopServices)
#include "tst_desktop_services.moc"
