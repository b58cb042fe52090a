// Runs a command (such as an xdotool key press) and prints how many milliseconds pass until a
// complete file arrives in a folder: renamed into it, as the program's safe write puts every
// picture in place. What a user sees of a capture saved, without calling into the program.
// usage: bench_file_watch FOLDER COMMAND [ARG...]
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER COMMAND [ARG...]\n", argv[0]);
        return 2;
    }
    const int watch = inotify_init1(IN_CLOEXEC);
    if (watch < 0 || inotify_add_watch(watch, argv[1], IN_MOVED_TO) < 0) {
        std::perror(argv[1]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    if (fork() == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    alignas(inotify_event) char buffer[4096];
    const bool arrived = read(watch, buffer, sizeof buffer) > 0;
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    wait(nullptr);
    if (!arrived)
        return 1;
    std::printf("%.1f\n", ms);
    return 0;
}
