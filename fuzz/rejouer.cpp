// Runs a fuzz target once on each file of the folders it is given, as
// libFuzzer would on its seeds, in a build without libFuzzer. A target aborts
// on a failure.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille);

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        for (const auto& graine : std::filesystem::directory_iterator(argv[i])) {
            std::ifstream fichier(graine.path(), std::ios::binary);
            const std::string octets(std::istreambuf_iterator<char>(fichier), {});
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(octets.data()), octets.size());
        }
    }
}
