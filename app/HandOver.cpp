#include "app/HandOver.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace tiv {

namespace {

constexpr int AnswerTimeoutMs = 3000;
// How long a start waits for a copy that holds the lock to open its socket (a loaded machine
// may take a few seconds to start the toolkit).
constexpr auto StartingCopyTimeout = std::chrono::seconds(30);

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

bool isFolder(const std::string &path)
{
    struct stat info;
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string homeFolder()
{
    std::string home = environment("HOME");
    if (home.empty())
        if (const passwd *user = ::getpwuid(::getuid()))
            home = user->pw_dir;
    return home;
}

void makePath(const std::string &folder)
{
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1))
        ::mkdir(folder.substr(0, slash).c_str(), 0700);
    ::mkdir(folder.c_str(), 0700);
}

// The descriptor is left open on purpose, and not handed to programs started from here.
bool takeLock(const std::string &socketPath)
{
    MakeSocketFolder(socketPath);
    const int fd = ::open((socketPath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return true;
    ::close(fd);
    return false;
}

bool writeAll(int fd, const std::string &bytes)
{
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += std::size_t(n);
    }
    return true;
}

// The running copy closes once it has read the request.
void waitForClose(int fd)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(AnswerTimeoutMs);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, int(std::max<long long>(0, left.count())));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return;
        char scrap[64];
        const ssize_t n = ::read(fd, scrap, sizeof scrap);
        if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN))
            return;
    }
}

}  // namespace

std::string RunningCopySocketPath()
{
    std::string display = environment("WAYLAND_DISPLAY");
    if (display.empty())
        display = environment("DISPLAY");
    for (char &c : display)
        if (c == '/')
            c = '_';
    std::string base = environment("XDG_RUNTIME_DIR");
    if (!isFolder(base))
        base = homeFolder() + "/.cache";
    return base + "/TIVrevudu/copy-" + display + ".socket";
}

void MakeSocketFolder(const std::string &socketPath)
{
    const std::string folder = socketPath.substr(0, socketPath.rfind('/'));
    makePath(folder);
    ::chmod(folder.c_str(), 0700);
}

bool HandOverToRunningCopy(const std::string &socketPath, const std::string &message)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // A copy too busy to accept keeps a connect waiting; this bounds it, and the send.
    const timeval timeout{AnswerTimeoutMs / 1000, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    int rc;
    do
        rc = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address);
    while (rc < 0 && errno == EINTR);
    const bool taken = rc == 0 && writeAll(fd, message + '\n');
    // This process ends after the request has been read. A copy busy for longer still finds the
    // request in the socket: trying again, or starting another copy, would serve it twice.
    if (taken)
        waitForClose(fd);
    ::close(fd);
    return taken;
}

StartRole HandOverOrClaim(const std::string &socketPath, const std::string &message)
{
    const auto deadline = std::chrono::steady_clock::now() + StartingCopyTimeout;
    for (;;) {
        if (HandOverToRunningCopy(socketPath, message))
            return StartRole::HandedOver;
        if (takeLock(socketPath))
            return StartRole::Serve;
        if (std::chrono::steady_clock::now() > deadline)
            return StartRole::NoAnswer;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace tiv
