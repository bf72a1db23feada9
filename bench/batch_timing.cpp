// Times batches of the batch window offscreen, from the click on "&Generate"
// to the last line shown, next to pwgen making the same passwords.
//
//   batch_timing                 32767 x 7 and 32767 x 64, with pwgen
//   batch_timing --memory L      one batch of 32767 x L and its save; peak memory
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "generator/random_source.h"
#include "runtime/desktop.h"
#include "runtime/dialogs.h"
#include "runtime/file_service.h"
#include "runtime/runtime.h"
#include "windows/window_instances.h"
#include "windows/app_windows.h"
#include "windows/batch/frm_multi.h"
#include "windows/main/frm_pass_create.h"

using namespace vellumar;

namespace {

constexpr int kCount = 32767;
constexpr int kRuns = 5;

class PrintingDialogs final : public Dialogs {
public:
    MessageAnswer message(QWidget*, const QString& prompt, MessageButtons) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(prompt));
        return MessageAnswer::Cancel;
    }
    std::optional<SaveDialogResult> askSaveFile(QWidget*, const SaveDialogSettings&) override { return {}; }
};

double batchMs(frmPassCreate& main, frmMulti& batch, int length)
{
    main.findChild<QLineEdit*>(QStringLiteral("txtNumChar"))->setText(QString::number(length));
    batch.findChild<QLineEdit*>(QStringLiteral("txtNumPass"))->setText(QString::number(kCount));
    QElapsedTimer timer;
    timer.start();
    batch.findChild<QPushButton*>(QStringLiteral("cmdGenerate"))->click();  // returns once the last line has been drawn
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    if (batch.listText().size() != qsizetype{kCount} * (length + 2))
        std::fprintf(stderr, "unexpected list size\n");
    return ms;
}

double pwgenMs(int length)
{
    QProcess pwgen;
    pwgen.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    pwgen.start(QStringLiteral("pwgen"), {QStringLiteral("-s"), QStringLiteral("-A"), QStringLiteral("-1"),
                                          QString::number(length), QString::number(kCount)});
    if (!pwgen.waitForFinished(60000) || pwgen.exitCode() != 0)
        return -1;
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

long peakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    SodiumRandomSource random;
    PrintingDialogs dialogs;
    const std::unique_ptr<Desktop> desktop = makeSystemDesktop();
    QtFileService files;
    WindowInstances windows;
    Runtime runtime{{}, dialogs, *desktop, files, random, windows};
    defineAppWindows(runtime);
    auto* main = qobject_cast<frmPassCreate*>(windows.show(QStringLiteral("frmPassCreate")));
    auto* batch = qobject_cast<frmMulti*>(windows.show(QStringLiteral("frmMulti")));
    QCoreApplication::processEvents();

    if (argc == 3 && std::strcmp(argv[1], "--memory") == 0) {
        const int length = std::atoi(argv[2]);
        const long before = peakKiB();
        const double ms = batchMs(*main, *batch, length);
        const long afterBatch = peakKiB();
        QTemporaryDir folder;
        QElapsedTimer timer;
        timer.start();
        const QString reason = batch->SavePasswords(folder.filePath(QStringLiteral("list.txt")));
        const double saveMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        std::printf("32767 x %d: batch %.0f ms, save %.0f ms%s%s; peak memory: start %ld MiB, "
                    "after batch %ld MiB, after save %ld MiB\n",
                    length, ms, saveMs, reason.isEmpty() ? "" : ", save failed: ", qPrintable(reason),
                    before / 1024, afterBatch / 1024, peakKiB() / 1024);
        return 0;
    }

    for (const int length : {7, 64}) {
        std::vector<double> ours;
        std::vector<double> theirs;
        for (int run = 0; run < kRuns; ++run) {
            ours.push_back(batchMs(*main, *batch, length));
            theirs.push_back(pwgenMs(length));
        }
        const double a = median(ours);
        const double b = median(theirs);
        if (b < 0)
            std::printf("32767 x %d: batch window %.1f ms (median of %d); pwgen not available\n", length, a,
                        kRuns);
        else
            std::printf("32767 x %d: batch window %.1f ms, pwgen %.1f ms (medians of %d): %.1fx faster\n",
                        length, a, b, kRuns, b / a);
    }
    return 0;
}
