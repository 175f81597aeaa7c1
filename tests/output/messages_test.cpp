#include "output/messages.h"

#include <gtest/gtest.h>

#include "support/message_texts.h"

namespace zivek {
namespace {

// Every key gives the text a user must see, the keys no input can reach included.
TEST(Messages, EveryKeyShowsItsOwnText) {
    for (const auto& [key, text] : testing::expectedMessages)
        EXPECT_EQ(messageText(key), text) << static_cast<int>(key);
}

TEST(Messages, AFileFaultNamesTheFile) {
    EXPECT_EQ(fileFaultText("/home/usta/A.BAT"), "DOSYA YAZILAMADI: /home/usta/A.BAT");
}

}  // namespace
}  // namespace zivek
