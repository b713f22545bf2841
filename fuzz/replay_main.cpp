// The fuzz targets without libFuzzer: every file of the folders (or every file) named on the
// command line is one input, fed through the target once, so that the kept corpus and the
// regression inputs run in every build with tests. A broken property or contract stops the
// run, with the file's name written first.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "fuzz/fuzz_check.h"

namespace {

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& path)
{
    std::vector<std::filesystem::path> inputs;
    if (!std::filesystem::is_directory(path)) {
        inputs.push_back(path);
        return inputs;
    }
    for (const auto& entry : std::filesystem::directory_iterator(path)) {
        // A dot file only keeps an empty folder in the repository.
        if (entry.is_regular_file() && entry.path().filename().string().front() != '.') {
            inputs.push_back(entry.path());
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

}  // namespace

int main(int argc, char** argv)
{
    std::size_t count = 0;
    for (int i = 1; i < argc; ++i) {
        std::error_code missing;
        if (!std::filesystem::exists(argv[i], missing)) {
            std::fprintf(stderr, "%s: no such file or folder\n", argv[i]);
            return 1;
        }
        for (const std::filesystem::path& input : InputsOf(argv[i])) {
            std::ifstream file(input, std::ios::binary);
            std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            if (!file.eof() && file.fail()) {
                std::fprintf(stderr, "%s: cannot be read\n", input.c_str());
                return 1;
            }
            std::fprintf(stderr, "%s\n", input.c_str());
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            ++count;
        }
    }
    std::printf("%zu inputs replayed\n", count);
    return count == 0 ? 1 : 0;
}
