#pragma once

#include "profile/ContentCategory.h"
#include "protection/DataProtection.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace quorvane::test {

// The passport of the test accounts, wherever a test needs no other.
inline constexpr const char* kTestPassport = "someone@example.com";

// Every content type, in the order of the backup-type list.
inline const std::vector<ContentCategory> kAllCategories = {
    ContentCategory::Winks,
    ContentCategory::DynamicDisplayPictures,
    ContentCategory::DynamicBackgrounds,
    ContentCategory::CustomEmoticons,
    ContentCategory::RegularBackgrounds,
    ContentCategory::RegularDisplayPictures,
};

// One object of a test account. Text fields are code-page bytes.
struct AccountObject {
    std::string displayName;
    std::string location;    // file name in the object folder
    std::string stamp;       // packaged categories
    std::string keySequence; // custom emoticons
    // The object's own file. Packaged categories: the files inside its
    // cabinet (name, bytes); the others: one entry whose bytes are the file.
    std::vector<std::pair<std::string, std::string>> files;
    bool writeFile = true;
};

// Writes a complete Messenger account for one passport into an
// application-data folder, as Messenger 7.5 leaves it: per category an
// object folder with the protected pointer file "map.dat", the protected
// catalogue in the account's MapFile folder, and the objects' files.
class MessengerAccountBuilder {
public:
    // applicationDataFolder: the Wine prefix's AppData/Roaming (or any
    // folder standing for it); passport in code-page bytes.
    MessengerAccountBuilder(std::string applicationDataFolder, std::string passport,
                            const DataProtector& protection);

    std::string AccountFolder() const;
    std::string ObjectFolder(ContentCategory category) const;
    std::string MapFileFolder() const;
    std::string CatalogueFileName(ContentCategory category) const;

    // Adds an object; defaults fill in the file (a picture and a ".swf" in
    // a cabinet, or a picture) when files is empty.
    MessengerAccountBuilder& Add(ContentCategory category, AccountObject object);
    // A typical object of the category, numbered n.
    static AccountObject SampleObject(ContentCategory category, int n);

    // Writes the categories that have objects, or all six when
    // includeEmpty is set (an empty catalogue for those without).
    void Write(bool includeEmpty = true) const;
    void WriteCategory(ContentCategory category) const;
    // Writes the category's pointer file and a catalogue holding the given
    // code-page text (after a byte-order mark where the layout has one), for
    // catalogues no well-behaved Messenger would write.
    void WriteCatalogue(ContentCategory category, const std::string& text) const;

    // The catalogue text Messenger writes for these objects.
    static std::string CatalogueText(ContentCategory category,
                                     const std::vector<AccountObject>& objects);
    static std::string PointerText(const std::string& catalogueFileName);
    // A protected file: two leading bytes, then the blob of Base64 of the
    // UTF-16LE text, with the passport as entropy.
    static std::string ProtectedFile(const std::string& text, const std::string& passport,
                                     const DataProtector& protection);
    static std::string EncodeBase64(std::string_view bytes);

    // Small real pictures for objects.
    static std::string PngPicture();
    static std::string GifPicture();
    static std::string SwfMovie();

private:
    std::string m_applicationDataFolder;
    std::string m_passport;
    const DataProtector& m_protection;
    std::map<ContentCategory, std::vector<AccountObject>> m_objects;
};

} // namespace quorvane::test
