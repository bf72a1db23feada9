#include "runtime/platform.h"

#include <QMimeData>
#include <QSaveFile>
#include <QStringEncoder>

#include "runtime/clipboard.h"
#include "runtime/quit_signals.h"

namespace vellumar::platform {

// Windows' clipboard history (Win+V) and its cloud clipboard skip what
// carries these registered formats; the two "Can..." ones hold a DWORD 0.
// Qt registers a MIME type it has no converter for as a clipboard format of
// the same name.
void addSecretMarks(QMimeData& data)
{
    const QByteArray dwordZero(4, '\0');
    for (const char* format : {"ExcludeClipboardContentFromMonitorProcessing",
                               "CanIncludeInClipboardHistory", "CanUploadToCloudClipboard"})
        data.setData(QLatin1StringView(format), dwordZero);
}

// Windows keeps no separate user database path to fall back on.
QString userDatabaseHome()
{
    return {};
}

QString writeTextFile(const QString& path, const TextPieces& text)
{
    QStringEncoder encoder(QStringConverter::System);
    QByteArray bytes;
    text([&](QStringView piece) { bytes += encoder.encode(piece); });
    // No writing in place: where no new file can be made beside the old one, a
    // failure midway would leave neither the old list nor the new.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    // A write can stop short (the disk just filled up); the next one then
    // fails and tells why.
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 step = file.write(bytes.constData() + written, bytes.size() - written);
        if (step <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return reason;
        }
        written += step;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

bool nativeFileDialog()
{
    return true;
}

}  // namespace vellumar::platform

namespace vellumar {

// Windows keeps the clipboard's text itself once the program has gone (Qt
// flushes it at the end), so no owner process is started; and a program is
// not asked to end by signals there.
int runClipboardOwner(int, char**)
{
    return 1;
}

bool handTextToClipboardOwner(const QString&, const QString&)
{
    return false;
}

void onQuitSignals(QObject*, std::function<void()>) {}

}  // namespace vellumar
