#include <QMimeData>

#include "runtime/clipboard.h"

namespace vellumar {

// Windows' clipboard history (Win+V) and its cloud clipboard skip what
// carries these registered formats; the two "Can..." ones hold a DWORD 0.
// Qt registers a MIME type it has no converter for as a clipboard format of
// the same name.
void addPlatformSecretMarks(QMimeData& data)
{
    const QByteArray dwordZero(4, '\0');
    for (const char* format : {"ExcludeClipboardContentFromMonitorProcessing",
                               "CanIncludeInClipboardHistory", "CanUploadToCloudClipboard"})
        data.setData(QLatin1StringView(format), dwordZero);
}

}  // namespace vellumar
