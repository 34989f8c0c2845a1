// The fuzz targets' entry point in the ordinary native build (gcc, sanitizers): it replays the
// seed files named on the command line, then a fixed series of pseudo-random inputs, through the
// target's LLVMFuzzerTestOneInput. The seeds and the series are the same on every run, so a
// fault found once stays found; clang's libFuzzer (build-fuzz/) explores beyond them.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void RunFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

int RunPath(const std::filesystem::path& path)
{
    int count = 0;
    if (std::filesystem::is_directory(path)) {
        for (const auto& entry : std::filesystem::directory_iterator(path)) {
            if (entry.is_regular_file()) {
                RunFile(entry.path());
                ++count;
            }
        }
    } else if (std::filesystem::is_regular_file(path)) {
        RunFile(path);
        ++count;
    }
    return count;
}

// Random bytes mixed with mutations of the seeds' own bytes, so that inputs reach past the
// first check of a format.
int RunRandomSeries(const std::vector<std::uint8_t>& pool, int rounds)
{
    std::mt19937 random(20261209);
    for (int round = 0; round < rounds; ++round) {
        std::size_t size = random() % 2048;
        std::vector<std::uint8_t> input(size);
        std::size_t start = pool.empty() ? 0 : random() % pool.size();
        for (std::size_t i = 0; i < size; ++i) {
            bool fromPool = !pool.empty() && random() % 4 != 0;
            input[i] = fromPool ? pool[(start + i) % pool.size()] : static_cast<std::uint8_t>(random());
        }
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    return rounds;
}

std::vector<std::uint8_t> SeedPool(int argc, char** argv)
{
    std::vector<std::uint8_t> pool;
    for (int i = 1; i < argc; ++i) {
        std::filesystem::path path(argv[i]);
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::directory_iterator(path)) files.push_back(entry.path());
        } else if (std::filesystem::is_regular_file(path)) {
            files.push_back(path);
        }
        for (const auto& file : files) {
            std::ifstream in(file, std::ios::binary);
            pool.insert(pool.end(), std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    return pool;
}

} // namespace

int main(int argc, char** argv)
{
    int seeds = 0;
    for (int i = 1; i < argc; ++i) seeds += RunPath(argv[i]);
    int random = RunRandomSeries(SeedPool(argc, argv), 20000);
    std::printf("replayed %d seed inputs and %d generated inputs\n", seeds, random);
    return 0;
}
