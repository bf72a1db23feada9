// The clipboard owner process: the program started again with an internal
// switch. The text reaches it through a pipe (never the command line or the
// environment, where other users could read it).
#include "runtime/clipboard.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>

#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

extern char** environ;

namespace vellumar {

namespace {

constexpr int kOwnerStartTimeoutMs = 5000;

std::string readAll(int fd)
{
    std::string data;
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n > 0)
            data.append(chunk, static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    return data;
}

bool writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Points a standard descriptor at /dev/null.
void toNull(int fd)
{
    const int devNull = ::open("/dev/null", O_RDWR);
    if (devNull >= 0 && devNull != fd) {
        ::dup2(devNull, fd);
        ::close(devNull);
    }
}

}  // namespace

int runClipboardOwner(int argc, char** argv)
{
    // The owner may outlive the program by hours: it keeps no folder in use
    // (a disk could not be unmounted) and holds no descriptor it was started
    // with beyond its two pipes, which it lets go of once used.
    if (::chdir("/") != 0)
        return 1;
    ::close_range(3, ~0U, 0);
    toNull(STDERR_FILENO);
    const std::string text = readAll(STDIN_FILENO);
    toNull(STDIN_FILENO);
    // On the program's own Qt platform, named after the switch.
    const std::string platform = argc > 2 ? argv[2] : "";
    if (platform.starts_with("wayland"))
        return runWaylandClipboardOwner(text);
    std::vector<char*> args(argv, argv + std::min(argc, 1));
    char platformSwitch[] = "-platform";
    if (!platform.empty())
        args.insert(args.end(), {platformSwitch, argv[2]});
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    QGuiApplication app(count, args.data());
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setMimeData(passwordMimeData(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))),
                           QClipboard::Clipboard);
    if (!clipboard->ownsClipboard())
        return 1;

    // Report success, then let go of the pipe so the caller is not tied to us.
    if (!writeAll(STDOUT_FILENO, "1", 1))
        return 1;
    toNull(STDOUT_FILENO);

    QObject::connect(clipboard, &QClipboard::changed, &app, [clipboard](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard && !clipboard->ownsClipboard())
            QCoreApplication::quit();
    });
    return app.exec();
}

bool handTextToClipboardOwner(const QString& text, const QString& platform)
{
    const QByteArray program = QCoreApplication::applicationFilePath().toLocal8Bit();
    const QByteArray platformName = platform.toLocal8Bit();
    if (program.isEmpty())
        return false;

    int input[2];
    int status[2];
    if (::pipe2(input, O_CLOEXEC) != 0)
        return false;
    if (::pipe2(status, O_CLOEXEC) != 0) {
        ::close(input[0]);
        ::close(input[1]);
        return false;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, status[1], STDOUT_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Its own session: the owner must not go when the terminal that started
    // the program closes.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

    char* args[] = {const_cast<char*>(program.constData()),
                    const_cast<char*>(kClipboardOwnerSwitch), const_cast<char*>(platformName.constData()), nullptr};
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, program.constData(), &actions, &attributes, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(input[0]);
    ::close(status[1]);
    if (spawned != 0) {
        ::close(input[1]);
        ::close(status[0]);
        return false;
    }

    // A helper that dies early must not take this program down with SIGPIPE.
    struct sigaction ignore = {};
    struct sigaction previous = {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ignore, &previous);
    const QByteArray bytes = text.toUtf8();
    writeAll(input[1], bytes.constData(), static_cast<std::size_t>(bytes.size()));
    ::close(input[1]);
    ::sigaction(SIGPIPE, &previous, nullptr);

    char answer = 0;
    pollfd ready = {status[0], POLLIN, 0};
    int polled;
    do {
        polled = ::poll(&ready, 1, kOwnerStartTimeoutMs);
    } while (polled < 0 && errno == EINTR);
    const bool owns = polled > 0 && ::read(status[0], &answer, 1) == 1 && answer == '1';
    ::close(status[0]);

    if (!owns) {
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
    }
    return owns;
}

}  // namespace vellumar
