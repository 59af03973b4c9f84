#include "background/BackgroundWire.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseRequest, SoundRequestsAndWhyOthersAreRefused) {
  struct Row {
    const char* packet;
    std::size_t files;
    bool sound;
    const char* error;  // a part of the reason for a refused one
  };
  const Row rows[] = {
      {"outputs\n", 0, true, ""},
      {"status\n", 0, true, ""},
      {"outputs", 0, true, ""},
      {"show 500\npicture HEADLESS-1 320 240 1280\n", 1, true, ""},
      {"show 0\npicture A 1 1 4\npicture B%20C 2 2 8\n", 2, true, ""},
      {"show 0\npicture A 16384 16384 65536\n", 1, true, ""},
      {"show 0\npicture A 3 1 16\n", 1, true, ""},
      {"", 0, false, "empty"},
      {"outputs\n", 1, false, "came with pictures"},
      {"paint\n", 0, false, "unknown request"},
      {"show\npicture A 1 1 4\n", 1, false, "unknown request"},
      {"show -1\npicture A 1 1 4\n", 1, false, "milliseconds"},
      {"show 60001\npicture A 1 1 4\n", 1, false, "milliseconds"},
      {"show 5x\npicture A 1 1 4\n", 1, false, "milliseconds"},
      {"show 0\n", 0, false, "1 to 16 pictures"},
      {"show 0\npicture A 1 1 4\n", 0, false, "1 pictures came with 0 files"},
      {"show 0\npicture A 1 1 4\n", 2, false, "came with 2 files"},
      {"show 0\npicture A 0 1 4\n", 1, false, "name or size"},
      {"show 0\npicture A 16385 1 65540\n", 1, false, "name or size"},
      {"show 0\npicture A 10 10 39\n", 1, false, "stride"},
      {"show 0\npicture A 10 10 42\n", 1, false, "stride"},
      {"show 0\npicture A 10 10\n", 1, false, "picture line"},
      {"show 0\npicture A 10 10 40 7\n", 1, false, "picture line"},
      {"show 0\nimage A 10 10 40\n", 1, false, "picture line"},
      {"show 0\npicture A%2 10 10 40\n", 1, false, "name or size"},
      {"show 0\npicture A\xff 10 10 40\n", 1, false, "name or size"},
  };
  for (const Row& row : rows) {
    std::string error;
    const std::optional<Request> request = ParseRequest(row.packet, row.files, error);
    EXPECT_EQ(request.has_value(), row.sound) << row.packet;
    if (!row.sound) {
      EXPECT_NE(error.find(row.error), std::string::npos) << row.packet << ": " << error;
    }
  }
}

TEST(ParseRequest, AShowRequestKeepsItsPicturesInOrder) {
  std::string error;
  const std::optional<Request> request =
      ParseRequest("show 750\npicture DP-1 1920 1080 7680\npicture HDMI%2DA-1 1280 1024 5120\n", 2, error);
  ASSERT_TRUE(request) << error;
  const ShowRequest expected{750, {{"DP-1", 1920, 1080, 7680}, {"HDMI-A-1", 1280, 1024, 5120}}};
  EXPECT_EQ(std::get<ShowRequest>(*request), expected);
}

TEST(OutputNames, EveryByteSurvivesTheWayThereAndBack) {
  const std::string names[] = {"HEADLESS-1", "eDP-1", "a b", "100%", "\xe9\n\t", std::string("nul\0x", 5), ""};
  for (const std::string& name : names) {
    const std::string text = EncodeName(name);
    EXPECT_EQ(text.find_first_of(" \n%"), text.find('%')) << "a blank or line break travelled as it is";
    EXPECT_EQ(DecodeName(text), name);
  }
  EXPECT_EQ(EncodeName("a b"), "a%20b");
  EXPECT_EQ(DecodeName("%4"), std::nullopt);
  EXPECT_EQ(DecodeName("%zz"), std::nullopt);
  EXPECT_EQ(DecodeName("a~b"), std::nullopt);
}

TEST(OutputsAnswer, OneLinePerOutput) {
  EXPECT_EQ(OutputsAnswer({}), "outputs\n");
  EXPECT_EQ(OutputsAnswer({{"DP-1", 1920, 1080}, {"my screen", 800, 600}}),
            "outputs\nDP-1 1920 1080\nmy%20screen 800 600\n");
}

TEST(SocketPath, OnePerDisplayInTheRuntimeFolder) {
  EXPECT_EQ(SocketPath("/run/user/1000", "wayland-1"), "/run/user/1000/tesserine-background-wayland-1");
  EXPECT_EQ(SocketPath("/run/user/1000", "/tmp/sock/wl"), "/run/user/1000/tesserine-background-_tmp_sock_wl");
}

}  // namespace
