#include "runtime/linux/desktop_services.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <QProcess>
#include <QUrl>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <vector>

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vellumar {

namespace {

// The local file a target names, or empty text for a web address.
QString localFileOf(const QString& target, const QString& directory)
{
    const QUrl url(target);
    QString path;
    if (url.scheme().isEmpty())
        path = target;
    else if (url.isLocalFile())
        path = url.toLocalFile();
    else
        return {};
    return QDir(directory).absoluteFilePath(path);
}

bool isRegularFile(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

XdgShellOpen::XdgShellOpen(std::string opener, std::string mimeQuery)
    : opener_(std::move(opener)), mimeQuery_(std::move(mimeQuery))
{
}

XdgShellOpen::~XdgShellOpen()
{
    for (QProcess* process : processes_.findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        process->disconnect();
        process->kill();
        process->waitForFinished(1000);
    }
}

int XdgShellOpen::runningOpeners() const
{
    return static_cast<int>(processes_.findChildren<QProcess*>(Qt::FindDirectChildrenOnly).size());
}

void XdgShellOpen::open(const ShellOpenRequest& request, std::function<void(bool)> done)
{
    const QString target = QString::fromStdString(request.target);
    const QString folder = QString::fromStdString(request.directory);
    if (htmlGuideFor(request.target).empty()) {
        openFile(target, folder, std::move(done));
        return;
    }
    // A help file goes to xdg-open only when a viewer is registered for it:
    // xdg-open would hand it to the browser, which offers it as a download.
    if (!QFileInfo::exists(localFileOf(target, folder))) {
        openGuide(target, folder, std::move(done));
        return;
    }
    run(mimeQuery_, {QStringLiteral("query"), QStringLiteral("default"), QLatin1String(kHelpFileType)}, folder, true,
        [this, target, folder, done](bool answered, const QByteArray& viewer) {
            if (!answered || viewer.trimmed().isEmpty()) {
                openGuide(target, folder, done);
                return;
            }
            openFile(target, folder, [this, target, folder, done](bool opened) {
                if (opened)
                    done(true);
                else
                    openGuide(target, folder, done);
            });
        });
}

void XdgShellOpen::openGuide(const QString& helpFile, const QString& folder, std::function<void(bool)> done)
{
    openFile(QString::fromStdString(htmlGuideFor(helpFile.toStdString())), folder, std::move(done));
}

void XdgShellOpen::openFile(const QString& target, const QString& folder, std::function<void(bool)> done)
{
    const QString localFile = target.isEmpty() ? QString() : localFileOf(target, folder);
    if (target.isEmpty() || (!localFile.isEmpty() && !QFileInfo::exists(localFile))) {
        done(false);
        return;
    }
    run(opener_, {target}, folder, false, [done](bool opened, const QByteArray&) { done(opened); });
}

void XdgShellOpen::run(const std::string& program, const QStringList& arguments, const QString& folder,
                       bool readOutput, Finished finished)
{
    // Owned by the service, not by a window: an opener must not be stopped
    // when a window goes away.
    auto* process = new QProcess(&processes_);
    process->setProgram(QString::fromStdString(program));
    process->setArguments(arguments);
    process->setWorkingDirectory(folder);
    process->setStandardInputFile(QProcess::nullDevice());
    // What the opener starts inherits its output: never a pipe that nobody reads.
    if (!readOutput)
        process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::errorOccurred, process, [process, finished](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;  // an end of any kind comes with finished
        process->deleteLater();
        finished(false, {});
    });
    QObject::connect(process, &QProcess::finished, process,
                     [process, readOutput, finished](int code, QProcess::ExitStatus status) {
                         process->deleteLater();
                         finished(status == QProcess::NormalExit && code == 0,
                                  readOutput ? process->readAllStandardOutput() : QByteArray());
                     });
    process->start();
}

bool startDetached(const std::string& programPath)
{
    if (programPath.empty())
        return false;
    return QProcess::startDetached(QString::fromStdString(programPath), {});
}

std::string findFileInFolder(const std::string& path)
{
    const auto cut = path.find_last_of('/');
    const std::string folder = cut == std::string::npos ? "." : cut == 0 ? "/" : path.substr(0, cut);
    const std::string pattern = cut == std::string::npos ? path : path.substr(cut + 1);
    if (pattern.empty())
        return {};

    std::vector<std::string> matches;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.empty() || name[0] == '.')
                continue;
            if (::fnmatch(pattern.c_str(), name.c_str(), FNM_NOESCAPE) != 0)
                continue;
            if (isRegularFile(folder + "/" + name))
                matches.push_back(name);
        }
        ::closedir(dir);
    }
    if (matches.empty())
        return {};
    return *std::min_element(matches.begin(), matches.end());
}

std::string findSystemInfoTool(const std::string& pathVariable)
{
    static constexpr std::array<const char*, 4> kTools{"hardinfo", "hardinfo2", "kinfocenter", "cpu-x"};
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= pathVariable.size()) {
        const auto end = std::min(pathVariable.find(':', start), pathVariable.size());
        if (end > start)
            folders.push_back(pathVariable.substr(start, end - start));
        start = end + 1;
    }
    for (const char* tool : kTools) {
        for (const std::string& folder : folders) {
            const std::string candidate = folder + "/" + tool;
            if (folder[0] == '/' && isRegularFile(candidate) && ::access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
    }
    return {};
}

std::string htmlGuideFor(const std::string& target)
{
    static constexpr std::string_view kSuffix = ".chm";
    if (target.size() <= kSuffix.size())
        return {};
    const bool isHelpFile =
        std::equal(kSuffix.begin(), kSuffix.end(), target.end() - static_cast<std::ptrdiff_t>(kSuffix.size()),
                   [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
    if (!isHelpFile)
        return {};
    return (std::filesystem::path(target).parent_path() / "help" / "index.html").string();
}

}  // namespace vellumar
