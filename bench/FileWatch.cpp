// Runs a command (such as an xdotool key press) and prints how many milliseconds pass until a
// complete picture file arrives in a folder: renamed into it, or linked in under its own name
// (the program's safe write does either, after the data is written). What a user sees of a
// capture saved, without calling into the program.
// usage: bench_file_watch FOLDER COMMAND [ARG...]
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string_view>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER COMMAND [ARG...]\n", argv[0]);
        return 2;
    }
    const int watch = inotify_init1(IN_CLOEXEC);
    if (watch < 0 || inotify_add_watch(watch, argv[1], IN_MOVED_TO | IN_CREATE) < 0) {
        std::perror(argv[1]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    if (fork() == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    // A temporary file created to be renamed later carries a suffix after the picture's extension.
    const auto isPicture = [](std::string_view name) {
        for (std::string_view extension : {".png", ".jpg", ".jpeg", ".bmp"})
            if (name.size() > extension.size() && name.substr(name.size() - extension.size()) == extension)
                return true;
        return false;
    };
    alignas(inotify_event) char buffer[4096];
    bool arrived = false;
    while (!arrived) {
        const ssize_t got = read(watch, buffer, sizeof buffer);
        if (got <= 0)
            break;
        for (ssize_t at = 0; at < got;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            arrived = arrived || (event->mask & IN_MOVED_TO) || (event->len && isPicture(event->name));
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    wait(nullptr);
    if (!arrived)
        return 1;
    std::printf("%.1f\n", ms);
    return 0;
}
