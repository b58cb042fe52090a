#include "app/HandOver.h"
#include "app/PlainCommandLine.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <dlfcn.h>
#include <unistd.h>

// The program's starter. It links nothing of the toolkit: a start that hands its command to the
// running copy (a key bound to a capture) ends after a few milliseconds, where loading the
// toolkit's sixty libraries took tens of them before main() ran. Only a start that is to serve
// loads the program proper (app/ProgramMain.cpp), a module beside the program.

namespace {

using ProgramEntry = int (*)(int argc, char **argv, const char *socketPath);

std::string programFolder()
{
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    const std::string file(path, std::size_t(n));
    return file.substr(0, file.rfind('/'));
}

// The module beside the program (a build), else where an install puts it, else where this build
// made it (the tests, which run copies of the program from folders of their own).
ProgramEntry loadProgram(std::string *problems)
{
    const std::string folder = programFolder();
    for (const std::string &place : {folder + "/tivprogram.so", folder + "/" TIV_PROGRAM_MODULE_FROM_BIN,
                                     std::string(TIV_PROGRAM_MODULE_BUILD_PATH)}) {
        // Global, as the libraries of a program linked with them are: the toolkit's plugins and
        // the other modules find the toolkit's symbols where they always do.
        if (void *module = ::dlopen(place.c_str(), RTLD_LAZY | RTLD_GLOBAL)) {
            if (auto entry = reinterpret_cast<ProgramEntry>(::dlsym(module, "tivRunProgram")))
                return entry;
        }
        *problems += std::string("\n  ") + ::dlerror();
    }
    return nullptr;
}

}  // namespace

int main(int argc, char **argv)
{
    tiv::PlainRequest request = tiv::ParsePlainCommandLine(std::vector<std::string>(argv, argv + argc));
    switch (request.action) {
    case tiv::PlainRequest::Help:
        std::fputs(tiv::UsageLines(), stdout);
        return 0;
    case tiv::PlainRequest::Version:
        std::fputs(tiv::VersionLine().c_str(), stdout);
        return 0;
    case tiv::PlainRequest::Usage:
        std::fprintf(stderr, "TIVrevudu: %s\n%s", request.problem.c_str(), tiv::UsageLines());
        return 2;
    default:
        break;
    }
    const auto unset = [](const char *name) { const char *v = std::getenv(name); return !v || !*v; };
    if (unset("DISPLAY") && unset("WAYLAND_DISPLAY") && unset("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "TIVrevudu needs a desktop, and neither DISPLAY nor WAYLAND_DISPLAY is set.\n"
                             "Start it from a desktop session, or under Xvfb (xvfb-run).\n");
        return 1;
    }
    // A launcher lets the program it starts take the focus with this token; a start that hands
    // over passes it on, and the running copy's window takes the focus instead.
    if (const char *token = std::getenv("XDG_ACTIVATION_TOKEN"))
        request.activationToken = token;
    const std::string socket = tiv::RunningCopySocketPath();
    switch (tiv::HandOverOrClaim(socket, tiv::PlainRequestMessage(request))) {
    case tiv::StartRole::HandedOver:
        return 0;
    case tiv::StartRole::NoAnswer:
        std::fprintf(stderr, "TIVrevudu is starting already and does not answer on %s.\n", socket.c_str());
        return 1;
    case tiv::StartRole::Serve:
        break;
    }
    std::string problems;
    const ProgramEntry run = loadProgram(&problems);
    if (!run) {
        std::fprintf(stderr, "TIVrevudu cannot load its program module tivprogram.so:%s\n", problems.c_str());
        return 1;
    }
    return run(argc, argv, socket.c_str());
}
