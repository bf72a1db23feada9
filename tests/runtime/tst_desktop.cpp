// The Linux desktop for real: xdg-open with handlers registered in a private
// XDG configuration, the HTML guide for a help file no viewer opens, detached
// program start, file lookup, the system-information tool on PATH and the
// clipboard's secret hint.
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>
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
    void write(const QString& file, const QByteArray& text, bool runnable = false)
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(text) == text.size());
        f.close();
        QVERIFY(!runnable || f.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    void writeScript(const QString& file, const QString& body) { write(file, ("#!/bin/sh\n" + body + "\n").toUtf8(), true); }
    // A desktop entry for mimeType running a script that records its folder
    // and arguments in <name>.log.
    void registerHandler(const QString& mimeType, const QString& name)
    {
        writeScript(path(name + ".sh"), QStringLiteral("printf '%s|%s\\n' \"$PWD\" \"$*\" > '%1'").arg(path(name + ".log")));
        write(path(QStringLiteral("data/applications/%1.desktop").arg(name)),
              QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2 %u\n").arg(name, path(name + ".sh")).toUtf8());
        QCOMPARE(QProcess::execute(QStringLiteral("xdg-mime"), {QStringLiteral("default"), name + ".desktop", mimeType}), 0);
    }
    // What a started program wrote, once it has.
    static QString waitForFile(const QString& file)
    {
        QString text;
        for (int i = 0; i < 200 && text.isEmpty(); ++i) {
            QFile f(file);
            text = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
            if (text.isEmpty())
                QTest::qWait(50);
        }
        return text;
    }
    bool open(const QString& target)
    {
        return desktop->open({.operation = "Open", .target = target.toStdString(), .directory = programFolder.toStdString()});
    }

private slots:
    void initTestCase()
    {
        // Only this test's handlers count: no desktop, no system entries, no
        // browser fallback. xdg-open looks for handlers only with a display.
        for (const char* folder : {"data/applications", "config", "xdg-system", "program folder/help", "bin"})
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

    void opensWithTheHandlerOrTheHelpFileWithItsGuide()
    {
        // No handler: a failure, within the bounded wait.
        const QString help = programFolder + QStringLiteral("/vellumar100.chm");
        // The start of a compiled help file: enough for its type to be recognised.
        write(help, QByteArray("ITSF\x03\0\0\0\x60\0\0\0\x01\0\0\0", 16));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!open(QStringLiteral("https://vellumar.example/")));
        QVERIFY(clock.elapsed() < XdgShellOpen::kDefaultWaitMs + 250);
        QVERIFY(!open(help));  // no guide beside it yet

        // The handler runs in the program folder; the help file without a
        // viewer falls back to its HTML guide.
        registerHandler(QStringLiteral("x-scheme-handler/https"), QStringLiteral("browser"));
        QVERIFY(open(QStringLiteral("https://vellumar.example/")));
        QCOMPARE(waitForFile(path(QStringLiteral("browser.log"))), programFolder + QStringLiteral("|https://vellumar.example/"));
        write(programFolder + QStringLiteral("/help/index.html"), "<!DOCTYPE html>\n<html><body>Help</body></html>\n");
        registerHandler(QStringLiteral("text/html"), QStringLiteral("html"));
        QVERIFY(open(help));
        QCOMPARE(waitForFile(path(QStringLiteral("html.log"))), programFolder + QStringLiteral("|%1/help/index.html").arg(programFolder));
        registerHandler(QStringLiteral("application/vnd.ms-htmlhelp"), QStringLiteral("viewer"));
        QVERIFY(open(help));
        QCOMPARE(waitForFile(path(QStringLiteral("viewer.log"))), programFolder + QLatin1Char('|') + help);

        QVERIFY(!open(path(QStringLiteral("missing.chm"))));
        QVERIFY(!open(QStringLiteral("notes.txt")));  // relative to the program folder, missing
        QCOMPARE(htmlGuideFor("/a/B.CHM"), std::string("/a/help/index.html"));
        QCOMPARE(htmlGuideFor("/a/b.html"), std::string());
    }

    void aStillRunningOpenerCountsAsOpenedAndIsReaped()
    {
        // The opener waits on a named pipe until the test lets it go.
        const QString gate = path(QStringLiteral("gate"));
        QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {gate}), 0);
        writeScript(path(QStringLiteral("slow.sh")), QStringLiteral("read line < '%1'").arg(gate));
        const ShellOpenRequest web{.operation = "Open", .target = "https://vellumar.example/", .directory = "/"};
        XdgShellOpen slow(300, path(QStringLiteral("slow.sh")).toStdString());
        QVERIFY(slow.open(web));
        QCOMPARE(slow.runningOpeners(), 1);
        write(gate, "go\n");
        QTRY_COMPARE(slow.runningOpeners(), 0);  // ended and reaped
        XdgShellOpen missing(300, path(QStringLiteral("no-such-opener")).toStdString());
        QVERIFY(!missing.open(web));
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
            write(folder + QLatin1Char('/') + QLatin1String(name), "");
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

        const QString first = path(QStringLiteral("path1")), second = path(QStringLiteral("path2"));
        QVERIFY(QDir().mkpath(first) && QDir().mkpath(second));
        writeScript(second + QStringLiteral("/cpu-x"), QStringLiteral("exit 0"));
        write(first + QStringLiteral("/hardinfo"), "");  // not runnable
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
