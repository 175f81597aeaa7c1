// Stands in for zivek-backplot in the viewer launch tests: writes the arguments it was
// given, one per line in UTF-8, to "arguments.txt" beside itself, and ends.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#endif

namespace {

// The arguments as the program was given them. Windows hands main() the ANSI code page's
// version, which has no "ğ" or "ş" there; the wide command line has every letter.
std::vector<std::filesystem::path> arguments(int argc, char* argv[]) {
    std::vector<std::filesystem::path> all;
#ifdef _WIN32
    (void)argc;
    (void)argv;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 0; i < count; ++i) all.emplace_back(wide[i]);
    LocalFree(wide);
#else
    for (int i = 0; i < argc; ++i) all.emplace_back(argv[i]);
#endif
    return all;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::filesystem::path> given = arguments(argc, argv);
    const std::filesystem::path folder = given.front().parent_path();
    // Written under another name first, so the test never reads half a record.
    const std::filesystem::path record = folder / "arguments.txt";
    const std::filesystem::path partial = folder / "arguments.partial";
    {
        std::ofstream out(partial, std::ios::binary);
        for (std::size_t i = 1; i < given.size(); ++i) {
            const std::u8string text = given[i].u8string();
            out << std::string(text.begin(), text.end()) << '\n';
        }
    }
    std::filesystem::rename(partial, record);
    return 0;
}
