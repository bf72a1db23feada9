// The Linux desktop for real: xdg-open with handlers registered in a private
// XDG configuration, the HTML guide for a help file no viewer opens, detached
// program start, file lookup, the system-information tool on PATH and the
// clipboard's secret hint.
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "runtime/desktop.h"
#include "runtime/posix_desktop.h"

using namespace vellumar;

class TstDesktop : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    QString programFolder;  // with a blank in it
    std::unique_ptr<Desktop> desktop;

    QString path(const QString& name) const { return home.filePath(name); }
    void writeScript(const QString& file, const QString& body)
    {
        QFile script(file);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(("#!/bin/sh\n" + body + "\n").toUtf8());
        script.close();
        QVERIFY(script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    }
    // A desktop entry running a script that records its folder and arguments
    // in <name>.log.
    void registerHandler(const QString& mimeType, const QString& name)
    {
        writeScript(path(name + ".sh"), QStringLiteral("printf '%s|%s\\n' \"$PWD\" \"$*\" > '%1'").arg(path(name + ".log")));
        QFile entry(path(QStringLiteral("data/applications/%1.desktop").arg(name)));
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2 %u\n")
                        .arg(name, path(name + ".sh")).toUtf8());
        entry.close();
        QCOMPARE(QProcess::execute(QStringLiteral("xdg-mime"), {QStringLiteral("default"), name + ".desktop", mimeType}), 0);
    }
    // What a started program wrote, once it has.
    static QString waitForFile(const QString& file)
    {
        QString text;
        for (int i = 0; i < 200 && text.isEmpty(); ++i) {
            QFile f(file);
            if (f.open(QIODevice::ReadOnly))
                text = QString::fromUtf8(f.readAll()).trimmed();
            if (text.isEmpty())
                QTest::qWait(50);
        }
        return text;
    }
    bool open(const QString& target)
    {
        ShellOpenRequest request;
        request.operation = "Open";
        request.target = target.toStdString();
        request.directory = programFolder.toStdString();
        return desktop->open(request);
    }

private slots:
    void initTestCase()
    {
        // Only this test's handlers count: no desktop, no system entries, no
        // browser fallback. xdg-open looks for handlers only with a display.
        for (const char* folder : {"data/applications", "config", "xdg-system", "program folder", "bin"})
            QVERIFY(QDir().mkpath(path(QLatin1String(folder))));
        qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toUtf8());
        qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toUtf8());
        qputenv("XDG_DATA_DIRS", path(QStringLiteral("xdg-system")).toUtf8());
        qputenv("DISPLAY", ":99");
        qputenv("BROWSER", "");
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "XDG_SESSION_DESKTOP", "WAYLAND_DISPLAY"})
            qunsetenv(name);
        programFolder = path(QStringLiteral("program folder"));
        // The first system-information tool of the list on PATH is published
        // in the registry where the About window looks.
        writeScript(path(QStringLiteral("bin/kinfocenter")), QStringLiteral("exit 0"));
        qputenv("PATH", path(QStringLiteral("bin")).toUtf8() + ":relative:" + qgetenv("PATH"));
        desktop = makeSystemDesktop();
    }
    void cleanup() { QFile::remove(path(QStringLiteral("config/mimeapps.list"))); }

    void opensWithTheRegisteredHandlerInTheProgramFolder()
    {
        registerHandler(QStringLiteral("x-scheme-handler/https"), QStringLiteral("browser"));
        QVERIFY(open(QStringLiteral("https://vellumar.example/")));
        QCOMPARE(waitForFile(path(QStringLiteral("browser.log"))), programFolder + QStringLiteral("|https://vellumar.example/"));

        QFile help(programFolder + QStringLiteral("/vellumar100.chm"));
        QVERIFY(help.open(QIODevice::WriteOnly));
        // The start of a compiled help file: enough for its type to be recognised.
        help.write(QByteArray("ITSF\x03\0\0\0\x60\0\0\0\x01\0\0\0", 16));
        help.close();
        registerHandler(QStringLiteral("application/vnd.ms-htmlhelp"), QStringLiteral("viewer"));
        QVERIFY(open(help.fileName()));
        QCOMPARE(waitForFile(path(QStringLiteral("viewer.log"))), programFolder + QLatin1Char('|') + help.fileName());
        QVERIFY(help.remove());
    }

    void withoutHandlerHelpFallsBackToItsGuide()
    {
        const QString help = programFolder + QStringLiteral("/vellumar100.chm");
        QFile(help).open(QIODevice::WriteOnly);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!open(QStringLiteral("https://vellumar.example/")));
        QVERIFY(clock.elapsed() < XdgShellOpen::kDefaultWaitMs + 250);
        QVERIFY(!open(help));  // no guide beside it
        QVERIFY(QDir(programFolder).mkpath(QStringLiteral("help")));
        QFile guide(programFolder + QStringLiteral("/help/index.html"));
        QVERIFY(guide.open(QIODevice::WriteOnly));
        guide.write("<!DOCTYPE html>\n<html><body>Help</body></html>\n");
        guide.close();
        registerHandler(QStringLiteral("text/html"), QStringLiteral("browser"));
        QVERIFY(open(help));
        QCOMPARE(waitForFile(path(QStringLiteral("browser.log"))),
                 programFolder + QLatin1Char('|') + programFolder + QStringLiteral("/help/index.html"));
        QVERIFY(!open(path(QStringLiteral("missing.chm"))));
        QVERIFY(!open(QStringLiteral("notes.txt")));  // relative to the program folder, missing
        QCOMPARE(htmlGuideFor("/a/B.CHM"), std::string("/a/help/index.html"));
        QCOMPARE(htmlGuideFor("/a/b.html"), std::string());
    }

    void aStillRunningOpenerCountsAsOpenedAndIsReaped()
    {
        // The opener waits until the test lets it go (a named pipe), so its
        // ending does not race the test.
        const QString gate = path(QStringLiteral("gate"));
        QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {gate}), 0);
        writeScript(path(QStringLiteral("slow.sh")), QStringLiteral("read line < '%1'; echo $$ > '%1.done'").arg(gate));
        ShellOpenRequest request;
        request.target = "https://vellumar.example/";
        {
            XdgShellOpen slow(300, path(QStringLiteral("slow.sh")).toStdString());
            QVERIFY(slow.open(request));
            QCOMPARE(slow.runningOpeners(), 1);
            QFile release(gate);
            QVERIFY(release.open(QIODevice::WriteOnly));
            release.write("go\n");
            release.close();
            QTRY_COMPARE(slow.runningOpeners(), 0);  // ended and reaped
            QVERIFY(QFile::exists(gate + QStringLiteral(".done")));
            // One still running when the service goes is stopped with it.
            QVERIFY(slow.open(request));
            QCOMPARE(slow.runningOpeners(), 1);
        }
        XdgShellOpen missing(300, path(QStringLiteral("no-such-opener")).toStdString());
        QVERIFY(!missing.open(request));
        QCOMPARE(missing.runningOpeners(), 0);
    }

    void startsProgramsAndFindsFiles()
    {
        const QString tool = path(QStringLiteral("system tools/info tool"));
        QVERIFY(QDir().mkpath(path(QStringLiteral("system tools"))));
        writeScript(tool, QStringLiteral("printf '%s\\n' \"$0\" > '%1.log'").arg(tool));
        // A program named by the path's first word must not be the one started.
        writeScript(path(QStringLiteral("system")), QStringLiteral("touch '%1.wrong'").arg(tool));
        QVERIFY(desktop->startProgram(tool.toStdString()));
        QCOMPARE(waitForFile(tool + QStringLiteral(".log")), tool);
        QVERIFY(!QFile::exists(tool + QStringLiteral(".wrong")));
        QVERIFY(!desktop->startProgram(path(QStringLiteral("missing")).toStdString()));
        QVERIFY(!desktop->startProgram(""));

        const QString folder = path(QStringLiteral("lookup"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/FOLDER.EXE")));
        for (const char* name : {".HIDDEN.EXE", "B.EXE", "A.EXE", "notes.txt"})
            QFile(folder + QLatin1Char('/') + QLatin1String(name)).open(QIODevice::WriteOnly);
        const std::string base = folder.toStdString() + "/";
        for (const char* found : {"A.EXE", "*.EXE", "?.EXE"})
            QCOMPARE(desktop->findFile(base + found), std::string("A.EXE"));
        for (const char* missing : {".HIDDEN.EXE", "FOLDER.EXE", "MISSING.EXE", "missing/A.EXE", ""})
            QCOMPARE(desktop->findFile(base + missing), std::string());
    }

    void systemInfoToolIsTheFirstOfTheListOnPath()
    {
        std::uint32_t size = 256;
        std::array<unsigned char, 256> data{};
        RegistryKey key = 0;
        Registry& registry = desktop->registry();
        QCOMPARE(registry.openKey(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", 0, kKeyRead, &key), 0);
        QCOMPARE(registry.queryValue(key, "PATH", nullptr, data.data(), &size), 0);
        registry.closeKey(key);
        const QByteArray tool = path(QStringLiteral("bin/kinfocenter")).toUtf8() + '\0';  // text with its zero
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(data.data()), qsizetype(size)), tool);

        const QString first = path(QStringLiteral("path1"));
        const QString second = path(QStringLiteral("path2"));
        QVERIFY(QDir().mkpath(first) && QDir().mkpath(second));
        writeScript(second + QStringLiteral("/cpu-x"), QStringLiteral("exit 0"));
        QFile(first + QStringLiteral("/hardinfo")).open(QIODevice::WriteOnly);  // not runnable
        const std::string list = first.toStdString() + ":relative:" + second.toStdString();
        QCOMPARE(QString::fromStdString(findSystemInfoTool(list)), second + QStringLiteral("/cpu-x"));
        writeScript(second + QStringLiteral("/hardinfo"), QStringLiteral("exit 0"));
        QCOMPARE(QString::fromStdString(findSystemInfoTool(list)), second + QStringLiteral("/hardinfo"));
        QCOMPARE(findSystemInfoTool(first.toStdString()), std::string());
    }

    void clipboardMarksThePasswordSecret()
    {
        desktop->setClipboardText("Pa55 word");
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(data->text(), QStringLiteral("Pa55 word"));
        QCOMPARE(data->data(QStringLiteral("x-kde-passwordManagerHint")), QByteArray("secret"));
        desktop->keepClipboardAfterExit();  // offscreen: the system keeps it
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Pa55 word"));
    }
};

QTEST_MAIN(TstDesktop)
#include "tst_desktop.moc"
