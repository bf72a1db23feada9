// The Linux desktop over real programs, with scripts in place of xdg-open and
// xdg-mime (the install test drives the real ones and the help file's guide;
// the clipboard is checked on a real X server by the real-window tests).
#include <QtGui>
#include <QtTest>

#include "runtime/desktop.h"
#include "runtime/linux/desktop_services.h"

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
    // The opener gets the target in the given folder and answers by its exit
    // status once it ends, however long that takes; a help file goes to it
    // only with a viewer registered for its type, else (or when that fails)
    // its HTML guide.
    void openerAnswersByItsExitStatus()
    {
        const QString folder = path(QStringLiteral("program folder")), log = path(QStringLiteral("opener.log"));
        for (const char* file : {"/help.chm", "/broken.chm", "/help/index.html"})
            write(folder + QLatin1String(file), QString());
        QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {path(QStringLiteral("gate"))}), 0);
        // Fails outside the folder and for targets so named; "waits" waits for the gate, then fails.
        write(path(QStringLiteral("opener")), QStringLiteral("[ \"$PWD\" = '%3' ] || exit 9\necho \"$1\" >> '%1'\n"
              "case \"$1\" in *fails|broken.chm) exit 3 ;; *waits) read line < '%2'; exit 3 ;; esac\n")
              .arg(log, path(QStringLiteral("gate")), folder), true);
        write(path(QStringLiteral("xdg-mime")), QStringLiteral("[ \"$*\" = 'query default application/vnd.ms-htmlhelp' ] && "
              "cat '%1'\nexit 0").arg(path(QStringLiteral("viewer"))), true);
        XdgShellOpen opener(path(QStringLiteral("opener")).toStdString(), path(QStringLiteral("xdg-mime")).toStdString());
        const auto open = [&](XdgShellOpen& by, const char* target) {
            int answer = -1;
            by.open({.operation = "Open", .target = target, .directory = folder.toStdString()},
                    [&answer](bool opened) { answer = opened; });
            static_cast<void>(QTest::qWaitFor([&answer] { return answer != -1; }, 60000));  // -1: no answer
            return answer;
        };
        const struct { const char* viewer; const char* target; int opened; QStringList received; } cases[] = {
            {"", "https://vellumar.example/", 1, {"https://vellumar.example/"}},
            {"", "https://vellumar.example/fails", 0, {"https://vellumar.example/fails"}},
            {"", "nowhere/help.chm", 0, {}},  // neither the file nor its guide is there
            {"", "help.chm", 1, {"help/index.html"}},
            {"", "missing.chm", 1, {"help/index.html"}},
            {"viewer.desktop\n", "help.chm", 1, {"help.chm"}},
            {"viewer.desktop\n", "broken.chm", 1, {"broken.chm", "help/index.html"}},
        };
        for (const auto& c : cases) {
            write(path(QStringLiteral("viewer")), QLatin1String(c.viewer));
            QFile::remove(log);
            QCOMPARE(open(opener, c.target), c.opened);
            QCOMPARE(readText(log), c.received.join(u'\n'));
        }
        XdgShellOpen missing(path(QStringLiteral("no-such-opener")).toStdString());
        QCOMPARE(open(missing, "https://vellumar.example/"), 0);

        // Still running is no answer: this one fails once the gate opens.
        int answer = -1;
        opener.open({.operation = "Open", .target = "https://vellumar.example/waits", .directory = folder.toStdString()},
                    [&answer](bool opened) { answer = opened; });
        QCOMPARE(opener.runningOpeners(), 1);
        QCOMPARE(answer, -1);
        write(path(QStringLiteral("gate")), QStringLiteral("go\n"));
        QTRY_COMPARE_WITH_TIMEOUT(answer, 0, 60000);
        QTRY_COMPARE(opener.runningOpeners(), 0);  // ended and reaped
        QCOMPARE(htmlGuideFor("/a/B.CHM"), std::string("/a/help/index.html"));
        QCOMPARE(htmlGuideFor("/a/b.html"), std::string());
    }

    void startsProgramsAndFindsFiles()
    {
        const QString tool = path(QStringLiteral("system tools/info tool"));
        write(tool, QStringLiteral("printf '%s\\n' \"$0\" > '%1.log'").arg(tool), true);
        QVERIFY(startDetached(tool.toStdString()));  // the whole path, not its first word
        QTRY_COMPARE_WITH_TIMEOUT(readText(tool + QStringLiteral(".log")), tool, 60000);
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
        const std::string list = first.toStdString() + ":relative:" + second.toStdString() + ":/nowhere";
        QCOMPARE(QString::fromStdString(findSystemInfoTool(list)), second + QStringLiteral("/cpu-x"));
        write(second + QStringLiteral("/hardinfo"), QString(), true);
        QCOMPARE(QString::fromStdString(findSystemInfoTool(list)), second + QStringLiteral("/hardinfo"));
        QCOMPARE(findSystemInfoTool(first.toStdString()), std::string());
    }
};

QTEST_MAIN(TstDesktop)
#include "tst_desktop.moc"
