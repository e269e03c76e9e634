// The main of a fuzz target in builds without libFuzzer: runs the target once
// on each file named and on each file in each directory named (in name order),
// so a seed corpus or a finding replays under any compiler. A target that
// finds a fault aborts, after the name of the input has been printed. Exits 1
// when no input ran, so a test over a moved or empty corpus cannot pass.
//
//   fuzz_TARGET FILE-OR-DIRECTORY...
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool Replay(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return false;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    std::printf("%s\n", file.c_str());
    std::fflush(stdout);
    // Never a null pointer, as under libFuzzer.
    static const std::uint8_t kEmpty = 0;
    LLVMFuzzerTestOneInput(bytes.empty() ? &kEmpty
                                         : reinterpret_cast<const std::uint8_t*>(bytes.data()),
                           bytes.size());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::size_t ran = 0;
    for (int k = 1; k < argc; ++k) {
        std::vector<fs::path> files;
        std::error_code error;
        if (fs::is_directory(argv[k], error)) {
            fs::directory_iterator listing(argv[k], error);
            if (error) {
                std::fprintf(stderr, "cannot list %s\n", argv[k]);
                return 1;
            }
            for (const fs::directory_entry& entry : listing)
                if (entry.is_regular_file())
                    files.push_back(entry.path());
            std::sort(files.begin(), files.end());
        } else {
            files.emplace_back(argv[k]);
        }
        for (const fs::path& file : files) {
            if (!Replay(file))
                return 1;
            ++ran;
        }
    }
    std::printf("ran %zu inputs\n", ran);
    return ran == 0 ? 1 : 0;
}
