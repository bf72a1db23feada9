// Times batches of the batch window offscreen, from the click on "&Generate"
// to the last line shown, against the floor: what Qt alone needs to show the
// same text in a plain text field (undo off, no wrapping, the text already
// made), inserted at once or in frame-sized chunks with a repaint after each.
// Both run in the same process, alternately, with pwgen making the same
// passwords where it is installed. Prints medians and ratios, the memory the
// list holds against the floor's document, and the peak memory after the
// largest batch and after its save.
//
//   batch_timing              32767 x 7, x 64 and x 2046, 5 runs each
//   batch_timing L...         only these lengths
//   batch_timing --no-pwgen [L...]  the same without pwgen (it takes minutes)
//   batch_timing --memory L   one batch of 32767 x L and its save, alone
//                             (for peak memory in a fresh process, or a profile)
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

#include "generator/password_generator.h"
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
constexpr qint64 kFrameMs = 16;

class PrintingDialogs final : public Dialogs {
public:
    MessageAnswer message(QWidget*, const QString& prompt, MessageButtons) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(prompt));
        return MessageAnswer::Cancel;
    }
    std::optional<SaveDialogResult> askSaveFile(QWidget*, const SaveDialogSettings&) override { return {}; }
};

double msSince(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

long peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// Resident memory now, after handing freed memory back to the system.
double residentMiB()
{
    malloc_trim(0);
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

struct BatchRun {
    double ms = 0;
    long peakMiB = 0;    // right after the batch
    double listMiB = 0;  // what the list holds once made
};

BatchRun runBatch(frmPassCreate& main, frmMulti& batch, int length)
{
    main.findChild<QLineEdit*>(QStringLiteral("txtNumChar"))->setText(QString::number(length));
    batch.findChild<QLineEdit*>(QStringLiteral("txtNumPass"))->setText(QString::number(kCount));
    batch.findChild<QPlainTextEdit*>(QStringLiteral("txtPasswords"))->clear();
    const double before = residentMiB();
    QElapsedTimer timer;
    timer.start();
    batch.findChild<QPushButton*>(QStringLiteral("cmdGenerate"))->click();  // returns once the last line has been drawn
    BatchRun run{msSince(timer), peakMiB(), 0};
    run.listMiB = residentMiB() - before;
    // The list's size from its pieces, which are never the whole list at once.
    qsizetype size = 0;
    batch.forEachListPiece([&size](QStringView piece) { size += piece.size(); });
    if (size != qsizetype{kCount} * (length + 2))
        std::fprintf(stderr, "unexpected list size\n");
    return run;
}

// The same number of lines of the same length, made before the clock starts.
QString madeText(int length)
{
    SodiumRandomSource random;
    PasswordOptions options;
    options.lengthText = std::to_string(length);
    QString text;
    text.reserve(qsizetype{kCount} * (length + 1));
    for (int i = 0; i < kCount; ++i) {
        const std::optional<std::string> password = generatePassword(options, random, [](std::string_view) {});
        text += QLatin1StringView(password->data(), static_cast<qsizetype>(password->size()));
        text += QChar(u'\n');
    }
    text.chop(1);  // the field's last line ends without a break
    return text;
}

struct FloorRun {
    double onceMs = 0;
    double chunksMs = 0;
    double documentMiB = 0;  // what the field holds after the single insert
};

// Inserts the text into a fresh field like the list's, at its end, and shows it.
FloorRun runFloor(const QString& text, QSize size)
{
    FloorRun run;
    for (const bool chunked : {false, true}) {
        const double before = residentMiB();
        QPlainTextEdit edit;
        edit.setUndoRedoEnabled(false);
        edit.setLineWrapMode(QPlainTextEdit::NoWrap);
        edit.resize(size);
        edit.show();
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        QTextCursor cursor(edit.document());
        if (!chunked) {
            cursor.insertText(text);
            edit.setTextCursor(cursor);
            edit.repaint();
            run.onceMs = msSince(timer);
            run.documentMiB = residentMiB() - before;
            continue;
        }
        // About one frame's share at a time: what the floor makes of a chunk
        // in 16 ms, measured on the way.
        QElapsedTimer frame;
        frame.start();
        qsizetype from = 0;
        qsizetype step = 4096;
        while (from < text.size()) {
            const qsizetype end = std::min(text.size(), from + step);
            cursor.insertText(QStringView(text).mid(from, end - from).toString());
            from = end;
            if (frame.elapsed() < kFrameMs && from < text.size()) {
                step *= 2;
                continue;
            }
            edit.setTextCursor(cursor);
            edit.repaint();
            frame.restart();
        }
        run.chunksMs = msSince(timer);
    }
    return run;
}

// pwgen reads the system's random device once per character: for a long
// list it would take minutes, so it makes a 32nd of the passwords and its
// time is scaled up.
constexpr qint64 kPwgenWholeUpTo = 4 * 1024 * 1024;  // characters

double pwgenMs(int length)
{
    const bool part = qint64{kCount} * length > kPwgenWholeUpTo;
    const int count = part ? kCount / 32 : kCount;
    QProcess pwgen;
    pwgen.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    pwgen.start(QStringLiteral("pwgen"), {QStringLiteral("-s"), QStringLiteral("-A"), QStringLiteral("-1"),
                                          QString::number(length), QString::number(count)});
    if (!pwgen.waitForFinished(300000) || pwgen.exitCode() != 0) {
        pwgen.kill();
        pwgen.waitForFinished();
        return -1;
    }
    return msSince(timer) * kCount / count;
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
    const QSize listSize = batch->findChild<QPlainTextEdit*>(QStringLiteral("txtPasswords"))->size();
    bool havePwgen = !QStandardPaths::findExecutable(QStringLiteral("pwgen")).isEmpty();
    if (argc > 1 && std::strcmp(argv[1], "--no-pwgen") == 0) {
        havePwgen = false;
        --argc;
        ++argv;
    }

    if (argc == 3 && std::strcmp(argv[1], "--memory") == 0) {
        const int length = std::atoi(argv[2]);
        const long before = peakMiB();
        const BatchRun run = runBatch(*main, *batch, length);
        QTemporaryDir folder;
        QElapsedTimer timer;
        timer.start();
        const QString reason = batch->SavePasswords(folder.filePath(QStringLiteral("list.txt")));
        std::printf("32767 x %d: batch %.0f ms, save %.0f ms%s%s; list %.1f MiB; peak memory: start %ld MiB, "
                    "after batch %ld MiB, after save %ld MiB\n",
                    length, run.ms, msSince(timer), reason.isEmpty() ? "" : ", save failed: ", qPrintable(reason),
                    run.listMiB, before, run.peakMiB, peakMiB());
        return 0;
    }

    std::vector<int> lengths;
    for (int i = 1; i < argc; ++i)
        lengths.push_back(std::atoi(argv[i]));
    if (lengths.empty())
        lengths = {7, 64, 2046};

    std::printf("%-13s %9s %9s %9s %7s %7s %9s %9s %8s %8s %6s %8s %8s\n", "list", "batch ms", "floor ms",
                "chunks ms", "ratio", "ratio c", "pwgen ms", "list MiB", "doc MiB", "ratio", "peak", "p.batch",
                "p.save");
    for (const int length : lengths) {
        // The first batch and its save give the peaks; then batches and floors alternate.
        std::vector<double> batchMs;
        std::vector<double> listMiB;
        const long peakBefore = peakMiB();
        const BatchRun first = runBatch(*main, *batch, length);
        const long peakBatch = first.peakMiB;
        {
            QTemporaryDir folder;
            const QString reason = batch->SavePasswords(folder.filePath(QStringLiteral("list.txt")));
            if (!reason.isEmpty())
                std::fprintf(stderr, "save failed: %s\n", qPrintable(reason));
        }
        const long peakSave = peakMiB();
        const QString text = madeText(length);
        batchMs.push_back(first.ms);
        listMiB.push_back(first.listMiB);
        std::vector<double> onceMs;
        std::vector<double> chunksMs;
        std::vector<double> documentMiB;
        std::vector<double> pwgen;
        for (int run = 0; run < kRuns; ++run) {
            const FloorRun floor = runFloor(text, listSize);
            onceMs.push_back(floor.onceMs);
            chunksMs.push_back(floor.chunksMs);
            documentMiB.push_back(floor.documentMiB);
            if (run > 0) {  // the first batch above counts as one of the runs
                const BatchRun b = runBatch(*main, *batch, length);
                batchMs.push_back(b.ms);
                listMiB.push_back(b.listMiB);
            }
            if (havePwgen)
                pwgen.push_back(pwgenMs(length));
        }
        const double b = median(batchMs);
        const double once = median(onceMs);
        const double chunks = median(chunksMs);
        const double list = median(listMiB);
        const double doc = median(documentMiB);
        char pwgenText[32] = "-";
        if (havePwgen)
            std::snprintf(pwgenText, sizeof pwgenText, "%s%.1f", qint64{kCount} * length > kPwgenWholeUpTo ? "~" : "",
                          median(pwgen));
        std::printf("32767 x %-5d %9.1f %9.1f %9.1f %6.2fx %6.2fx %9s %9.1f %8.1f %7.2fx %6ld %8ld %8ld\n", length, b,
                    once, chunks, b / once, b / chunks, pwgenText, list, doc, list / doc, peakBefore, peakBatch,
                    peakSave);
        std::fflush(stdout);
    }
    std::printf("medians of %d; ratio: batch / floor (one insert), ratio c: batch / floor (frame chunks);\n"
                "list MiB: resident memory the batch's list holds, doc MiB: the floor's document, same text;\n"
                "pwgen -s -A -1 (~: scaled from a 32nd of the passwords);\n"
                "peak, p.batch, p.save: peak resident MiB before, after the first batch, after its save\n",
                kRuns);
    return 0;
}
