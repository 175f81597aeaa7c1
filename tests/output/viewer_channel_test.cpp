#include "output/viewer_channel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/workpiece.h"

namespace zivek {
namespace {

struct RequestCase {
    const char* what;
    FollowRequest request;
};

std::string largeWorkpiece() {
    Workpiece workpiece;
    for (int i = 0; i < 2000; ++i)
        workpiece.material.push_back({{-0.1 * i, 12.345678901234}, {-0.1 * i - 0.1, 1e-9}, {0, 3}});
    return workpieceText(workpiece);
}

// Each request is written and read back whole: a reader that cuts the path or the
// workpiece a character short or long, or looks for the end in the wrong place, fails.
const std::vector<RequestCase> requests = {
    {"plain", {"/home/usta/ZIVEK-VUVEV/program.nc", "M:0,0;-5,0;-5,1|P:|T:0,0", {}, {}}},
    {"no workpiece", {"/tmp/program.nc", "", {}, {}}},
    {"one-character path", {"a", "M:0,0", {}, {}}},
    {"one-character workpiece", {"/tmp/p.nc", "M", {}, {}}},
    {"blanks and Turkish letters", {"/home/şule/İş Parçası/ç ğ ı ö ü.nc", "M:1,2", {}, {}}},
    {"Windows path", {"C:\\Users\\Gül\\ZIVEK-VUVEV\\program.nc", "P:-0.5,2.25", {}, {}}},
    {"path ending in a separator", {"/tmp/dir/", "T:0,0", {}, {}}},
    {"large workpiece", {"/tmp/program.nc", largeWorkpiece(), {}, {}}},
    {"dialect and rapid", {"/tmp/p.nc", "M:0,0", "fanuc", "12000"}},
    {"dialect only, no workpiece", {"/tmp/p.nc", "", "linuxcnc", ""}},
    {"rapid only", {"/tmp/p.nc", "M:1,2", "", "8000.5"}},
};

TEST(FollowRequest, ReadsBackWhatItWrote) {
    for (const RequestCase& c : requests) {
        SCOPED_TRACE(c.what);
        const std::string text = followRequestText(c.request);
        const std::optional<FollowRequest> read = readFollowRequest(text);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->programPath, c.request.programPath);
        EXPECT_EQ(read->workpiece, c.request.workpiece);
        EXPECT_EQ(read->dialect, c.request.dialect);
        EXPECT_EQ(read->rapid, c.request.rapid);
    }
}

TEST(FollowRequest, IsWrittenAsHeadPathAndWorkpieceLines) {
    // The other side of the socket may be an older or newer program: the bytes are fixed.
    EXPECT_EQ(followRequestText({"/tmp/p.nc", "M:0,0", {}, {}}),
              "zivek-backplot/1\n/tmp/p.nc\nM:0,0\n");
    EXPECT_EQ(followRequestText({"/tmp/p.nc", "", {}, {}}), "zivek-backplot/1\n/tmp/p.nc\n\n");
    // Reading choices go under a head of their own, which an older viewer refuses rather
    // than reading the program without them.
    EXPECT_EQ(followRequestText({"/tmp/p.nc", "", "fanuc", "9000"}),
              "zivek-backplot/2\n/tmp/p.nc\n\nfanuc\n9000\n");
}

TEST(FollowRequest, WaitsForTheWholeRequestAndRefusesOtherText) {
    for (const FollowRequest& request :
         {FollowRequest{"/tmp/p.nc", "M:0,0;1,1", "", ""},
          FollowRequest{"/tmp/p.nc", "M:0,0;1,1", "fanuc", "12000"}}) {
        const std::string whole = followRequestText(request);
        for (std::size_t length = 0; length < whole.size(); ++length) {
            SCOPED_TRACE(length);
            EXPECT_FALSE(readFollowRequest(std::string_view(whole).substr(0, length)).has_value());
        }
    }
    for (const char* text : {"", "\n\n\n", "zivek-backplot/2\n/tmp/p.nc\n\n",
                             "zivek-backplot/1\n\nM:0,0\n", "ok\n", "/tmp/p.nc\nM:0,0\n"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(readFollowRequest(text).has_value());
    }
}

struct UserCase {
    const char* user;
    const char* inName;  // the user as it stands in the socket's name
};

// A local socket's name becomes a file name (Unix) or a pipe name (Windows): only
// letters, digits, '_' and '-' of the first 32 characters reach it.
const UserCase users[] = {
    {"usta", "usta"},
    {"Ali_Veli-2", "Ali_Veli-2"},
    {"../../etc/passwd", "etcpasswd"},
    {"DOMAIN\\usta", "DOMAINusta"},
    {"a b:c*d?e\"f<g>h|i", "abcdefghi"},
    {"şükrü", "kr"},
    {"usta\nsecond line", "ustasecondline"},
    {"x.y@z", "xyz"},
    {"!@#$%^&()[]{}=+~`';,", "user"},
    {"", "user"},
    {"abcdefghijklmnopqrstuvwxyz0123456789", "abcdefghijklmnopqrstuvwxyz012345"},
    {"..........................................ab", "user"},
};

TEST(ViewerChannelName, KeepsOnlySafeCharactersOfTheUser) {
    for (const UserCase& c : users) {
        SCOPED_TRACE(c.user);
        const std::string name = viewerChannelName(c.user, "/tmp/program.nc");
        const std::string head = std::string("zivek-backplot-") + c.inName + "-";
        ASSERT_EQ(name.substr(0, head.size()), head);
        const std::string digest = name.substr(head.size());
        EXPECT_EQ(digest.size(), 16u);
        EXPECT_EQ(digest.find_first_not_of("0123456789abcdef"), std::string::npos);
    }
}

TEST(ViewerChannelName, TellsUsersAndFilesApartEvenWhenTheirSafeNamesAgree) {
    const std::string name = viewerChannelName("usta", "/tmp/a.nc");
    EXPECT_EQ(viewerChannelName("usta", "/tmp/a.nc"), name);
    EXPECT_NE(viewerChannelName("usta", "/tmp/b.nc"), name);
    // Both are "usta" in the name; the digest of the whole user tells them apart.
    EXPECT_NE(viewerChannelName("us/ta", "/tmp/a.nc"), name);
}

}  // namespace
}  // namespace zivek
