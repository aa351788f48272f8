// Writes a test account for tests/data/wine-account/make-account.sh, which
// has every protected file of it protected again by real Wine.
//
//   quorvane_account_exporter APPDATA PASSPORT WINE_USER OUTPUT
//
// APPDATA stands for the Wine user's AppData/Roaming folder; PASSPORT and
// WINE_USER are UTF-8 (they are used in the code page, as Messenger and
// Wine use them). The account gets objects of all six categories. OUTPUT
// receives:
//
//   account.txt           the account folder, relative to APPDATA
//   protected.tsv         per protected file: the name of its plain-text
//                         file in OUTPUT, a tab, its path relative to APPDATA
//   plain-NN.txt          the plain text of each protected file (what goes
//                         into the blob: Base64 of UTF-16LE text)
//   expected-objects.tsv  the objects the account lists, in UTF-8
//
// The plain texts are read back from the files the account builder wrote,
// through this program's own unprotect, so what Wine protects is exactly
// what the builder made and the tests later expect.

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "profile/ContentCategory.h"
#include "protection/DataProtection.h"
#include "protection/WineDataProtection.h"
#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <iostream>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using quorvane::CodePage;
using quorvane::ContentCategory;
using quorvane::JoinPath;
using quorvane::WineDataProtection;
using quorvane::test::AccountObject;
using quorvane::test::MessengerAccountBuilder;
using quorvane::test::ReadFile;
using quorvane::test::WriteFile;

// The sample numbers per category: two or three objects each, every
// category with at least one name outside ASCII (Windows-1252 letters), so a
// wrong code page anywhere shows.
const std::vector<std::pair<ContentCategory, std::vector<int>>> kObjects = {
    {ContentCategory::Winks, {1, 2, 3}},
    {ContentCategory::DynamicDisplayPictures, {2, 3}},
    {ContentCategory::DynamicBackgrounds, {1, 4}},
    {ContentCategory::CustomEmoticons, {1, 2, 3}},
    {ContentCategory::RegularBackgrounds, {2, 3}},
    {ContentCategory::RegularDisplayPictures, {1, 4}},
};

std::span<const std::uint8_t> AsBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// A field of the listing, which the tests split at tabs and lines.
std::string TsvField(const std::string& codePageText) {
    const std::string utf8 = CodePage::Ansi().ToUtf8(codePageText);
    if (utf8.find_first_of("\t\r\n") != std::string::npos)
        throw std::runtime_error("a listed field holds a tab or line break: " + utf8);
    return utf8;
}

std::string RelativeTo(const std::string& folder, const std::string& path) {
    const std::string prefix = folder + "/";
    if (path.compare(0, prefix.size(), prefix) != 0)
        throw std::runtime_error(path + " does not lie in " + folder);
    return path.substr(prefix.size());
}

int Export(const std::string& appData, const std::string& passportUtf8, const std::string& userUtf8,
           const std::string& output) {
    const CodePage& codePage = CodePage::Ansi();
    const std::string passport = codePage.FromUtf8(passportUtf8);
    const std::string user = codePage.FromUtf8(userUtf8);
    if (codePage.ToUtf8(passport) != passportUtf8 || codePage.ToUtf8(user) != userUtf8)
        throw std::runtime_error("the passport and the Wine user must be Windows-1252 text");
    const WineDataProtection protection(user);

    MessengerAccountBuilder builder(appData, passport, protection);
    for (const auto& [category, numbers] : kObjects)
        for (int n : numbers)
            builder.Add(category, MessengerAccountBuilder::SampleObject(category, n));
    builder.Write();

    if (!quorvane::MakeFolders(output))
        throw std::runtime_error("cannot create " + output);
    WriteFile(JoinPath(output, "account.txt"), RelativeTo(appData, builder.AccountFolder()) + "\n");

    // Every protected file the builder wrote: each category's pointer file
    // and its catalogue.
    std::vector<std::string> protectedFiles;
    for (const auto& [category, numbers] : kObjects) {
        protectedFiles.push_back(JoinPath(builder.ObjectFolder(category), "map.dat"));
        protectedFiles.push_back(JoinPath(builder.MapFileFolder(),
                                          codePage.ToUtf8(builder.CatalogueFileName(category))));
    }
    std::string list;
    int number = 0;
    for (const std::string& path : protectedFiles) {
        const std::string file = ReadFile(path);
        if (file.size() < 2)
            throw std::runtime_error(path + " is too short for a protected file");
        // The two bytes before the blob are Messenger's, not part of it.
        const auto plain = protection.Unprotect(AsBytes(file).subspan(2), AsBytes(passport));
        if (!plain)
            throw std::runtime_error("cannot unprotect " + path);
        char name[32];
        std::snprintf(name, sizeof name, "plain-%02d.txt", ++number);
        WriteFile(JoinPath(output, name), std::string(plain->begin(), plain->end()));
        list += std::string(name) + "\t" + RelativeTo(appData, path) + "\n";
    }
    WriteFile(JoinPath(output, "protected.tsv"), list);

    std::string expected =
        "# The objects of the account under Microsoft/, in catalogue order (UTF-8).\n"
        "# Tags of packaged objects are made when they are listed; the stamp is what\n"
        "# the listing writes into a packaged object's stamp file.\n"
        "# category\tlocation\tdisplay name\tkey sequence\tstamp\n";
    for (const auto& [category, numbers] : kObjects) {
        for (int n : numbers) {
            const AccountObject object = MessengerAccountBuilder::SampleObject(category, n);
            expected += std::string(quorvane::CategoryKeyword(category)) + "\t" +
                        TsvField(object.location) + "\t" + TsvField(object.displayName) + "\t" +
                        TsvField(object.keySequence) + "\t" + TsvField(object.stamp) + "\n";
        }
    }
    WriteFile(JoinPath(output, "expected-objects.tsv"), expected);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: quorvane_account_exporter APPDATA PASSPORT WINE_USER OUTPUT\n";
        return 2;
    }
    std::string appData = argv[1];
    while (appData.size() > 1 && appData.back() == '/')
        appData.pop_back();
    try {
        return Export(appData, argv[2], argv[3], argv[4]);
    } catch (const std::exception& error) {
        std::cerr << "quorvane_account_exporter: " << error.what() << "\n";
        return 1;
    }
}
