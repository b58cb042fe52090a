// Without libFuzzer, a harness is this program: it runs every file of the folders (or the files)
// named on the command line once, so the suite replays the seeds and every input that once failed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

void RunFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char **argv)
{
    int runs = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path place(argv[i]);
        if (std::filesystem::is_regular_file(place)) {
            RunFile(place), ++runs;
            continue;
        }
        if (!std::filesystem::is_directory(place))
            continue;
        std::vector<std::filesystem::path> files;
        for (const auto &entry : std::filesystem::directory_iterator(place)) {
            if (entry.is_regular_file())
                files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
        for (const auto &file : files)
            RunFile(file), ++runs;
    }
    std::printf("%d inputs run\n", runs);
    return runs > 0 ? 0 : 1;
}
