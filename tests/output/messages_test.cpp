#include "output/messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/message_texts.h"

namespace zivek {
namespace {

// Every key gives the text a user must see, the keys no input can reach included.
TEST(Messages, EveryKeyShowsItsOwnText) {
    for (const auto& [key, text] : testing::expectedMessages)
        EXPECT_EQ(messageText(key), text) << static_cast<int>(key);
}

// The path in UTF-8, Turkish letters of a user's folder included, with the system's own
// separators.
TEST(Messages, AFileFaultNamesTheFile) {
    const struct {
        std::filesystem::path file;
        std::string text;
    } cases[] = {
#ifdef _WIN32
        {"C:/Users/usta/A.BAT", "DOSYA YAZILAMADI: C:\\Users\\usta\\A.BAT"},
        {u8"C:\\Users\\Gülşen\\ALANTEMIZLEME.TXT",
         "DOSYA YAZILAMADI: C:\\Users\\Gülşen\\ALANTEMIZLEME.TXT"},
#else
        {"/home/usta/A.BAT", "DOSYA YAZILAMADI: /home/usta/A.BAT"},
        {u8"/home/gülşen/ALANTEMIZLEME.TXT", "DOSYA YAZILAMADI: /home/gülşen/ALANTEMIZLEME.TXT"},
#endif
    };
    for (const auto& [file, text] : cases) EXPECT_EQ(fileFaultText(file), text);
}

}  // namespace
}  // namespace zivek
