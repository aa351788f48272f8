#include "export/Gallery.h"

#include "app/GalleryText.h"
#include "app/Translations.h"

#include "support/ChildRun.h"
#include "support/TempFolder.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include <unistd.h>

namespace quorvane {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

const std::string kData = QUORVANE_TEST_DATA;
const std::string kPictures = kData + "/wine-account/Microsoft/MSN Messenger/4249955585/UserTile/";
const std::string kHostile = "<b>&\"x'";
const std::string kEmoticon =
    "custom-emoticons/Sorriso a\xc3\xa7\xc3\xa3o \xe6\x97\xa5\xe6\x9c\xac.gif";

// An export folder as the export writes it: real pictures and renders
// (made by FFmpeg, see data/export/README.md) under names a stranger chose.
std::vector<ExportedItem> WriteSampleExport(const TempFolder& folder) {
    const auto copy = [&](const std::string& from, const std::string& to) {
        WriteFile(folder / to, ReadFile(from));
    };
    ExportedItem wink;
    wink.type = "winks";
    wink.displayName = kHostile;
    wink.location = "Wink1.cab";
    wink.files = {"winks/" + kHostile + ".swf",  "winks/" + kHostile + " thumbnail.jpg",
                  "winks/" + kHostile + ".webm", "winks/" + kHostile + ".webp",
                  "winks/" + kHostile + ".gif",  "winks/" + kHostile + ".png"};
    WriteFile(folder / wink.files.original, "FWS\x06 not played here");
    copy(kData + "/export/picture.jpg", wink.files.picture);
    copy(kData + "/export/wink.webm", wink.files.video);
    copy(kData + "/export/wink.webp", wink.files.animation);
    copy(kData + "/export/wink.gif", wink.files.gif);
    copy(kData + "/export/wink.png", wink.files.still);
    wink.frames = 4;
    wink.frameRate = 4;
    wink.sound = true;

    ExportedItem stopped;
    stopped.type = "winks";
    stopped.displayName = "<script>alert(1)</script>";
    stopped.location = "Wink2.cab";
    stopped.files.original = "winks/#?%.swf";
    stopped.files.picture = "winks/#?%.jpg";
    WriteFile(folder / stopped.files.original, "CWS\x06 not played here");
    copy(kData + "/export/picture.jpg", stopped.files.picture);
    stopped.failure = Failure{0, "Wink2.cab could not be rendered: the player <stopped>."};

    ExportedItem emoticon;
    emoticon.type = "custom-emoticons";
    emoticon.displayName = "Sorriso a\xc3\xa7\xc3\xa3o \xe6\x97\xa5\xe6\x9c\xac";
    emoticon.location = "E1.gif";
    emoticon.shortcut = "<:-)&";
    emoticon.files.original = kEmoticon;
    copy(kData + "/export/emoticon.gif", emoticon.files.original);

    ExportedItem picture;
    picture.type = "display-pictures";
    picture.displayName = "caf\xc3\xa9";
    picture.location = "caf\xc3\xa9"
                       "1.png";
    picture.files.original = "display-pictures/caf\xc3\xa9"
                             "1.png";
    copy(kPictures + "caf\xc3\xa9"
                     "1.png",
         picture.files.original);

    ExportedItem damaged;
    damaged.type = "backgrounds";
    // One long word, which must wrap rather than push the page sideways.
    damaged.displayName = "P\xc3\xb4r-do-sol_na_praia_de_Copacabana_em_dezembro_de_2006";
    damaged.location = "Bkg1.png";
    damaged.failure = Failure{0, "Bkg1.png is damaged."};
    return {picture, wink, emoticon, stopped, damaged};
}

GalleryWords SampleWords() {
    GalleryWords words = EnglishGalleryWords("tom&jerry@example.com");
    words.language = "pt-BR";
    return words;
}

bool Contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

TEST(Gallery, EscapesEveryTextAndLinksOnlyInsideTheFolder) {
    TempFolder folder;
    std::vector<ExportedItem> items = WriteSampleExport(folder);
    ExportedItem outside;
    outside.type = "backgrounds";
    outside.displayName = "Outside";
    outside.files = {"../escape.gif", "/etc/hostname", "javascript:alert(1)", "", "", ""};
    items.push_back(outside);
    const std::string html = GalleryHtml("tom&jerry@example.com", items, SampleWords());

    EXPECT_TRUE(Contains(html, "<html lang=\"pt-BR\">"));
    EXPECT_TRUE(Contains(html, "<title>Messenger content of tom&amp;jerry@example.com</title>"));
    EXPECT_TRUE(Contains(html, "alt=\"&lt;b&gt;&amp;&quot;x&#39;\""));
    EXPECT_TRUE(Contains(html, "&lt;script&gt;alert(1)&lt;/script&gt;"));
    EXPECT_TRUE(Contains(html, "the player &lt;stopped&gt;."));
    EXPECT_TRUE(Contains(html, "<kbd>&lt;:-)&amp;</kbd>"));
    EXPECT_FALSE(Contains(html, "<script") || Contains(html, "<b>") || Contains(html, "<stopped"));
    EXPECT_TRUE(Contains(html, "href=\"winks/%23%3F%25.swf\""));
    EXPECT_TRUE(Contains(html, "src=\"winks/%3Cb%3E%26%22x%27.webm\""));
    EXPECT_TRUE(Contains(
        html, "src=\"custom-emoticons/Sorriso%20a%C3%A7%C3%A3o%20%E6%97%A5%E6%9C%AC.gif\""));
    EXPECT_FALSE(Contains(html, "escape.gif") || Contains(html, "hostname"));
    EXPECT_TRUE(Contains(html, "href=\"javascript%3Aalert%281%29\""));
    EXPECT_FALSE(Contains(html, "Dynamic"));
    EXPECT_TRUE(Contains(html, "Winks <span class=\"count\">(2)</span>"));

    const std::string empty =
        GalleryHtml("tom@example.com", {}, EnglishGalleryWords("tom@example.com"));
    EXPECT_TRUE(Contains(empty, "<p>Nothing was exported.</p>"));
    EXPECT_FALSE(Contains(empty, "<section"));
}

// The page's lang attribute comes from the translation itself, so a
// Portuguese gallery says it is Portuguese.
TEST(Gallery, SpeaksTheUsersLanguage) {
    int argc = 1;
    char name[] = "quorvane_export_tests";
    char* argv[] = {name, nullptr};
    std::optional<QCoreApplication> application;
    if (!QCoreApplication::instance())
        application.emplace(argc, argv);
    const std::filesystem::path program = QUORVANE_CLI;
    Translations translations;
    translations.Install(QLocale(QStringLiteral("pt_BR")),
                         Translations::Folder(QString::fromStdString(
                             (program.parent_path().parent_path() / "share/quorvane").string())));
    const GalleryWords words = TranslatedGalleryWords("tom@example.com");
    EXPECT_EQ(words.language, "pt-BR");
    EXPECT_EQ(words.title, "Conte\xc3\xba"
                           "do do Messenger de tom@example.com");
    EXPECT_EQ(words.typeHeadings.at("winks"), "Piscadelas");
}

std::string OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "";
    for (std::size_t start = 0; start <= folders.size();) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string candidate = folders.substr(start, end - start) + "/" + program;
        if (end > start && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return {};
}

// Chromium opens the gallery from disk, as a user would, and looks at every
// picture, video and link, at three zooms, with the keyboard.
TEST(Gallery, WorksInABrowserFromDisk) {
    if (OnPath("chromium").empty() || OnPath("chromedriver").empty())
        GTEST_SKIP() << "chromium and chromium-driver are not installed";
    TempFolder folder;
    const std::vector<ExportedItem> items = WriteSampleExport(folder);
    const GalleryWords words = SampleWords();
    WriteFile(folder / "index.html", GalleryHtml("tom&jerry@example.com", items, words));

    // Debian's python3 is the one with python3-selenium.
    const std::string python =
        std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    std::vector<std::string> command{"/usr/bin/timeout",
                                     "-k",
                                     "10",
                                     "150",
                                     python,
                                     kData + "/../export/gallery_check.py",
                                     folder.Path(),
                                     "--lang",
                                     "pt-BR",
                                     "--title",
                                     "Messenger content of tom&jerry@example.com",
                                     "--images",
                                     "4",
                                     "--videos",
                                     "1",
                                     "--timeout",
                                     "120"};
    // To look at the page: the screenshots, and a copy of the folder, go
    // where this names.
    const char* look = std::getenv("QUORVANE_GALLERY_SCREENSHOTS");
    if (look) {
        command.push_back("--screenshots");
        command.push_back(look);
    }
    test::ChildOptions options;
    options.timeLimit = std::chrono::minutes(3);
    const test::ChildResult run = test::RunChild(command, options);
    if (look) {
        std::filesystem::remove_all(std::string(look) + "/export");
        std::filesystem::copy(folder.Path(), std::string(look) + "/export",
                              std::filesystem::copy_options::recursive);
    }
    EXPECT_TRUE(run.ExitedWith(0)) << run.Describe();
}

} // namespace
} // namespace quorvane
