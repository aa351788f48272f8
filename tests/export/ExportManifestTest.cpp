#include "export/ExportManifest.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

std::vector<ExportedItem> SampleItems() {
    ExportedItem wink;
    wink.type = "winks";
    wink.displayName = "Ol\xc3\xa1 \"x\"\\\n\x01 \xff";
    wink.location = "Wink 1.cab";
    wink.files.original = "winks/Ol\xc3\xa1.swf";
    wink.files.video = "winks/Ol\xc3\xa1.webm";
    wink.files.still = "winks/Ol\xc3\xa1.png";
    wink.frames = 25;
    wink.frameRate = 12.5;
    wink.sound = true;
    wink.sha256 = {{"winks/Ol\xc3\xa1.swf", std::string(64, 'a')},
                   {"winks/Ol\xc3\xa1.png", std::string(64, '0')}};
    ExportedItem emoticon;
    emoticon.type = "custom-emoticons";
    emoticon.displayName = "Smile";
    emoticon.location = "E1.gif";
    emoticon.shortcut = "<:-)";
    emoticon.failure = Failure{0, "E1.gif could not be read."};
    return {wink, emoticon};
}

TEST(ExportManifest, IsWrittenInItsFixedFormAndReadBack) {
    const std::string json = ExportManifestJson("tom@example.com", SampleItems());
    // Two spaces a level, keys in the order the format gives, non-ASCII as it
    // is, a bad byte as U+FFFD.
    const std::string expected = R"json({
  "format": "quorvane-export",
  "version": 1,
  "passport": "tom@example.com",
  "items": [
    {
      "type": "winks",
      "displayName": "Olá \"x\"\\\n\u0001 �",
      "location": "Wink 1.cab",
      "files": {
        "original": "winks/Olá.swf",
        "video": "winks/Olá.webm",
        "still": "winks/Olá.png"
      },
      "frames": 25,
      "frameRate": 12.5,
      "sound": true,
      "sha256": {
        "winks/Olá.png": "0000000000000000000000000000000000000000000000000000000000000000",
        "winks/Olá.swf": "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
      }
    },
    {
      "type": "custom-emoticons",
      "displayName": "Smile",
      "location": "E1.gif",
      "shortcut": "<:-)",
      "files": {},
      "sha256": {},
      "failure": "E1.gif could not be read."
    }
  ]
}
)json";
    EXPECT_EQ(json, expected);

    const auto read = ReadExportManifest(json);
    ASSERT_TRUE(read) << read.error().sentence;
    EXPECT_EQ(read->first, "tom@example.com");
    ASSERT_EQ(read->second.size(), 2u);
    const ExportedItem& wink = read->second[0];
    EXPECT_EQ(wink.displayName, "Ol\xc3\xa1 \"x\"\\\n\x01 \xef\xbf\xbd");
    EXPECT_EQ(wink.files.video, "winks/Ol\xc3\xa1.webm");
    EXPECT_EQ(wink.files.animation, "");
    EXPECT_EQ(wink.frames, 25);
    EXPECT_EQ(wink.frameRate, 12.5);
    EXPECT_TRUE(wink.sound);
    EXPECT_EQ(wink.sha256, SampleItems()[0].sha256);
    EXPECT_FALSE(wink.failure);
    const ExportedItem& emoticon = read->second[1];
    EXPECT_EQ(emoticon.shortcut, "<:-)");
    ASSERT_TRUE(emoticon.failure);
    EXPECT_EQ(emoticon.failure->sentence, "E1.gif could not be read.");

    const auto empty = ReadExportManifest(ExportManifestJson("a@b.c", {}));
    ASSERT_TRUE(empty) << empty.error().sentence;
    EXPECT_TRUE(empty->second.empty());
}

TEST(ExportManifest, RefusesWhatItDidNotWrite) {
    const std::string good = ExportManifestJson("tom@example.com", SampleItems());
    const auto replaced = [&](std::string_view from, std::string_view to) {
        std::string text = good;
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    const std::vector<std::string> damaged{
        "",
        "[]",
        "{\"format\": \"something-else\", \"version\": 1}",
        replaced("winks/Ol\xc3\xa1.webm", "../Ol\xc3\xa1.webm"),
        replaced("winks/Ol\xc3\xa1.webm", "/etc/passwd"),
        replaced("winks/Ol\xc3\xa1.webm", "winks//x.webm"),
        replaced("\"video\"", "\"script\""),
        replaced("\"type\": \"winks\"", "\"type\": \"0\""),
        replaced("aaaa", "AAAA"),
        good.substr(0, good.size() / 2),
    };
    for (const std::string& text : damaged) {
        const auto read = ReadExportManifest(text);
        ASSERT_FALSE(read) << text;
        EXPECT_EQ(read.error().code, FailureCode::Damaged) << text;
    }
    const auto newer = ReadExportManifest(replaced("\"version\": 1", "\"version\": 2"));
    ASSERT_FALSE(newer);
    EXPECT_EQ(newer.error().code, FailureCode::Unsupported);
}

} // namespace
} // namespace quorvane
