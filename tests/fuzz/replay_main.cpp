// Runs a fuzz target once over every file given on the command line, or
// found in the folders given, in name order. Builds without libFuzzer use it
// so that the seeds and the kept reproducers run as an ordinary test (and
// under the sanitizers when the suite is built with them).

#include "fuzzinput.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <vector>

namespace fs = std::filesystem;

static bool runFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << path << "\n";
        return false;
    }
    const std::vector<char> content((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    // A buffer of exactly the input's size, as the fuzzer hands it over.
    std::unique_ptr<uint8_t[]> data(new uint8_t[content.size() ? content.size() : 1]);
    std::copy(content.begin(), content.end(), data.get());
    LLVMFuzzerTestOneInput(data.get(), content.size());
    return true;
}

int main(int argc, char **argv)
{
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        const fs::path arg(argv[i]);
        if (fs::is_directory(arg)) {
            for (const auto &entry : fs::directory_iterator(arg))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
        } else {
            files.push_back(arg);
        }
    }
    std::sort(files.begin(), files.end());
    int replayed = 0;
    for (const fs::path &file : files) {
        if (!runFile(file))
            return 1;
        ++replayed;
    }
    std::cout << "replayed " << replayed << " inputs\n";
    // Nothing to replay means the corpus went missing: that is a failure.
    return replayed > 0 ? 0 : 1;
}
