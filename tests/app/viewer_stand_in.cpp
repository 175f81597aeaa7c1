// Stands in for zivek-backplot in the viewer launch tests: writes the arguments it was
// given, one per line, to "arguments.txt" beside itself, and ends.
#include <cstdio>
#include <filesystem>
#include <fstream>

int main(int argc, char* argv[]) {
    const std::filesystem::path folder = std::filesystem::path(argv[0]).parent_path();
    // Written under another name first, so the test never reads half a record.
    const std::filesystem::path record = folder / "arguments.txt";
    const std::filesystem::path partial = folder / "arguments.partial";
    {
        std::ofstream out(partial, std::ios::binary);
        for (int i = 1; i < argc; ++i) out << argv[i] << '\n';
    }
    std::filesystem::rename(partial, record);
    return 0;
}
