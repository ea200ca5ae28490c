// Runs a fuzz target once on each of its seeds, as libFuzzer would, in a
// build without libFuzzer: each argument is a file or a folder of files. A
// target aborts on a failure.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille);

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    for (int i = 1; i < argc; ++i) {
        std::vector<fs::path> graines{argv[i]};
        if (fs::is_directory(argv[i]))
            graines.assign(fs::directory_iterator(argv[i]), fs::directory_iterator());
        for (const fs::path& graine : graines) {
            std::ifstream fichier(graine, std::ios::binary);
            const std::string octets(std::istreambuf_iterator<char>(fichier), {});
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(octets.data()), octets.size());
        }
    }
    return 0;
}
