// The Linux desktop over real programs, with a script in place of xdg-open
// (the install test drives the real one and the help file's guide).
#include <QtGui>
#include <QtTest>

#include "runtime/desktop.h"
#include "runtime/posix_desktop.h"

using namespace vellumar;

class TstDesktop : public QObject {
    Q_OBJECT

    QTemporaryDir home;

    QString path(const QString& name) const { return home.filePath(name); }
    void write(const QString& file, const QString& text, bool script = false)
    {
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write((script ? "#!/bin/sh\n" + text : text).toUtf8()) >= 0);
        f.close();
        QVERIFY(!script || f.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    static QString readText(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
    }

private slots:
    // The opener gets the target in the given folder; it succeeds by its exit
    // status, or by still running at the end of the wait (it is reaped later).
    void openerRunsInTheFolderAndCountsItsStatus()
    {
        const QString folder = path(QStringLiteral("program folder")), log = path(QStringLiteral("opener.log"));
        write(folder + QStringLiteral("/help.chm"), QString());
        QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {path(QStringLiteral("gate"))}), 0);
        // Exits with the status its target names, or waits for the gate.
        write(path(QStringLiteral("opener")), QStringLiteral("printf '%s|%s\\n' \"$PWD\" \"$1\" >> '%1'\n"
              "case \"$1\" in *fails) exit 3 ;; *waits) read line < '%2' ;; esac\n").arg(log, path(QStringLiteral("gate"))), true);
        XdgShellOpen opener(500, path(QStringLiteral("opener")).toStdString());
        const auto open = [&](const char* target) {
            return opener.open({.operation = "Open", .target = target, .directory = folder.toStdString()});
        };
        QVERIFY(open("https://vellumar.example/") && open("help.chm") && !open("https://vellumar.example/fails"));
        QVERIFY(!open("missing.chm") && !open(""));  // not started
        QVERIFY(open("https://vellumar.example/waits"));
        QCOMPARE(opener.runningOpeners(), 1);
        write(path(QStringLiteral("gate")), QStringLiteral("go\n"));
        QTRY_COMPARE(opener.runningOpeners(), 0);  // ended and reaped
        QCOMPARE(readText(log), QStringLiteral("%1|https://vellumar.example/\n%1|help.chm\n"
                 "%1|https://vellumar.example/fails\n%1|https://vellumar.example/waits").arg(folder));
        QVERIFY(!XdgShellOpen(500, path(QStringLiteral("no-such-opener")).toStdString()).open({.operation = "Open",
                .target = "https://vellumar.example/", .directory = "/"}));
        QCOMPARE(htmlGuideFor("/a/B.CHM"), std::string("/a/help/index.html"));
        QCOMPARE(htmlGuideFor("/a/b.html"), std::string());
    }

    void startsProgramsAndFindsFiles()
    {
        const QString tool = path(QStringLiteral("system tools/info tool"));
        write(tool, QStringLiteral("printf '%s\\n' \"$0\" > '%1.log'").arg(tool), true);
        // A program named by the path's first word must not be the one started.
        write(path(QStringLiteral("system")), QStringLiteral("touch '%1.wrong'").arg(tool), true);
        QVERIFY(startDetached(tool.toStdString()));
        QTRY_COMPARE_WITH_TIMEOUT(readText(tool + QStringLiteral(".log")), tool, 10000);
        QVERIFY(!QFile::exists(tool + QStringLiteral(".wrong")));
        QVERIFY(!startDetached(path(QStringLiteral("missing")).toStdString()) && !startDetached(""));

        const QString folder = path(QStringLiteral("lookup"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/FOLDER.EXE")));
        for (const char* name : {".HIDDEN.EXE", "B.EXE", "A.EXE", "notes.txt"})
            write(folder + QLatin1Char('/') + QLatin1String(name), QString());
        const std::string base = folder.toStdString() + "/";
        for (const char* found : {"A.EXE", "*.EXE", "?.EXE"})
            QCOMPARE(findFileInFolder(base + found), std::string("A.EXE"));
        for (const char* missing : {".HIDDEN.EXE", "FOLDER.EXE", "MISSING.EXE", "missing/A.EXE", ""})
            QCOMPARE(findFileInFolder(base + missing), std::string());
    }

    // The first tool of the list in the first folder of PATH that has it runnable.
    void systemInfoToolIsTheFirstOfTheListOnPath()
    {
        const QString first = path(QStringLiteral("path1")), second = path(QStringLiteral("path2"));
        write(second + QStringLiteral("/cpu-x"), QString(), true);
        write(first + QStringLiteral("/hardinfo"), QString());  // not runnable
        const std::string list = first.toStdString() + ":relative:" + second.toStdString();
        QCOMPARE(QString::fromStdString(findSystemInfoTool(list)), second + QStringLiteral("/cpu-x"));
        write(second + QStringLiteral("/hardinfo"), QString(), true);
        QCOMPARE(QString::fromStdString(findSystemInfoTool(list)), second + QStringLiteral("/hardinfo"));
        QCOMPARE(findSystemInfoTool(first.toStdString()), std::string());
    }

    void clipboardMarksThePasswordSecret()
    {
        const std::unique_ptr<Desktop> desktop = makeSystemDesktop();
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
