// Runs a fuzz target once over every file of the folders (or files) given on the command line,
// so that the ordinary build replays the committed corpus without clang or libFuzzer. A property
// that does not hold aborts, which fails the test; the last name printed is the input at fault.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> InputFiles(const std::filesystem::path& root)
{
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_regular_file(root)) {
        files.push_back(root);
        return files;
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: " << argv[0] << " CORPUS_FOLDER_OR_FILE...\n";
        return 2;
    }
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const std::filesystem::path& file : InputFiles(argv[i])) {
            std::cout << "replaying " << file.string() << std::endl;
            const std::vector<std::uint8_t> bytes = ReadBytes(file);
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++replayed;
        }
    }
    std::cout << replayed << " inputs replayed, every property held\n";
    // An empty corpus would make the test pass without checking anything.
    return replayed > 0 ? 0 : 1;
}
