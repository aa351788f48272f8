// Windows data protection read offline: checked against master keys and
// blobs real Windows made, and the tests' own encryptor checked against the
// same files.

#include "support/TempFolder.h"
#include "support/WindowsDpapiWriter.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "protection/WindowsBlob.h"
#include "protection/WindowsDataProtection.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace quorvane::test {
namespace {

using namespace quorvane::dpapi;

std::string DataPath(const std::string& name) {
    return std::string(QUORVANE_TEST_DATA) + "/windows-dpapi/" + name;
}

Bytes ReadData(const std::string& name) {
    std::ifstream in(DataPath(name), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::span<const std::uint8_t> AsSpan(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// One line of john-masterkeys.txt.
struct PublicMasterKey {
    bool domain = false;
    std::string sid;
    std::string password;
    MasterKeyFile file;
};

std::vector<PublicMasterKey> PublicMasterKeys() {
    std::vector<PublicMasterKey> keys;
    std::ifstream in(DataPath("john-masterkeys.txt"));
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t space = line.find(' ');
        std::vector<std::string> fields;
        std::stringstream parts(
            line.substr(std::string("$DPAPImk$").size(), space - std::string("$DPAPImk$").size()));
        for (std::string field; std::getline(parts, field, '*');)
            fields.push_back(field);
        PublicMasterKey key;
        key.domain = fields[1] == "2";
        key.sid = fields[2];
        key.password = line.substr(space + 1);
        key.file.cipherId = fields[3] == "des3" ? kCalg3Des : kCalgAes256;
        key.file.hashId = fields[4] == "sha1" ? kCalgHmac : kCalgSha512;
        key.file.rounds = static_cast<std::uint32_t>(std::stoul(fields[5]));
        const Bytes salt = FromHex(fields[6]);
        std::copy(salt.begin(), salt.end(), key.file.salt.begin());
        key.file.cipherText = FromHex(fields[8]);
        keys.push_back(std::move(key));
    }
    return keys;
}

// The code a call failed with, or nothing when it did what it should.
template <typename T> std::optional<FailureCode> CodeOf(const Result<T>& result) {
    return result ? std::nullopt : std::optional(result.error().code);
}

Result<SecretBytes> UnlockWithPassword(const PublicMasterKey& key, const std::string& password) {
    const UserCredentials credentials = UserCredentials::FromPassword(password);
    // The SHA-1 form for local accounts, the NT hash for domain ones.
    const SecretBytes& hash = credentials.Hashes()[key.domain ? 1 : 0];
    const Result<SecretBytes> userKey = UserKey(hash.span(), key.sid);
    EXPECT_TRUE(userKey);
    return UnlockMasterKey(key.file, userKey->span());
}

TEST(WindowsMasterKey, PublicKeysOpenWithTheirPasswordsOnly) {
    const auto keys = PublicMasterKeys();
    ASSERT_EQ(keys.size(), 5u);
    for (const PublicMasterKey& key : keys) {
        SCOPED_TRACE(key.password);
        const Result<SecretBytes> opened = UnlockWithPassword(key, key.password);
        ASSERT_TRUE(opened);
        EXPECT_EQ(opened->size(), 64u);
        EXPECT_EQ(CodeOf(UnlockWithPassword(key, key.password + "x")), FailureCode::WrongPassword);
    }
}

TEST(WindowsMasterKey, AWholeFileOpensToTheKnownKey) {
    const Bytes bytes = ReadData("impacket-system.masterkey");
    const Result<MasterKeyFile> file = ParseMasterKeyFile(bytes);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->rounds, 17400u);
    const Result<SecretBytes> key =
        UnlockMasterKey(*file, FromHex("458dc597034d8801fc6fe3b342817caabb81a0cb"));
    ASSERT_TRUE(key);
    EXPECT_EQ(ToHex(key->span()),
              "682a9b8923ff4ca7ce0ef7e4cee061f0ff942cd31c7703ec60792740b2e7d0b1b5115d1ff77e10b77e1"
              "89e0d6e99d5b668190ecd44fa84e82e049f406e2c2a59");
}

TEST(WindowsMasterKey, TheTestEncryptorMakesWhatWindowsMade) {
    for (const PublicMasterKey& key : PublicMasterKeys()) {
        SCOPED_TRACE(key.password);
        const Result<SecretBytes> opened = UnlockWithPassword(key, key.password);
        ASSERT_TRUE(opened);
        // The salt and the filler are what Windows chose; the encryptor
        // must then give Windows' bytes.
        const UserCredentials credentials = UserCredentials::FromPassword(key.password);
        const Result<SecretBytes> userKey =
            UserKey(credentials.Hashes()[key.domain ? 1 : 0].span(), key.sid);
        ASSERT_TRUE(userKey);
        const CipherAlgorithm& cipher = *CipherById(key.file.cipherId);
        Bytes derived(cipher.keySize + cipher.ivSize);
        ASSERT_TRUE(WindowsPbkdf2(*HashById(key.file.hashId), userKey->span(), key.file.salt,
                                  key.file.rounds, derived));
        Bytes plain(key.file.cipherText.size());
        ASSERT_TRUE(CbcCrypt(cipher, std::span(derived).first(cipher.keySize),
                             std::span(derived).subspan(cipher.keySize), false, key.file.cipherText,
                             plain.data()));
        MasterKeyRecipe recipe;
        recipe.salt = key.file.salt;
        recipe.rounds = key.file.rounds;
        recipe.hashId = key.file.hashId;
        recipe.cipherId = key.file.cipherId;
        std::copy_n(plain.begin(), 16, recipe.hmacSalt.begin());
        const std::size_t hmacEnd = 16 + HashById(key.file.hashId)->digestSize;
        recipe.filler.assign(plain.begin() + static_cast<std::ptrdiff_t>(hmacEnd),
                             plain.end() - 64);
        recipe.key.assign(plain.end() - 64, plain.end());
        EXPECT_EQ(MasterKeyCipherText(recipe, userKey->span()), key.file.cipherText);
    }
}

const char kImpacketBlobKey[] =
    "9828d9873735439e823dbd216205ff88266d28ad685a413970c640d5ee943154bbade31fada673d542c72d707a1"
    "63bb3d1bceb0c50465b359ae06998481b0ce3";

TEST(WindowsBlob, RealBlobsOpenWithTheirEntropyOnly) {
    const Bytes key = FromHex(kImpacketBlobKey);
    for (const auto& [file, entropy] :
         {std::pair<std::string, std::string>{"impacket-no-entropy.blob", ""},
          {"impacket-some-entropy.blob", "Some entropy"}}) {
        SCOPED_TRACE(file);
        const Bytes bytes = ReadData(file);
        const Result<WindowsBlob> blob = ParseWindowsBlob(bytes);
        ASSERT_TRUE(blob);
        const Result<Bytes> plain = DecryptWindowsBlob(*blob, key, AsSpan(entropy));
        ASSERT_TRUE(plain);
        EXPECT_EQ(std::string(plain->begin(), plain->end()), "Some test string");
        EXPECT_EQ(CodeOf(DecryptWindowsBlob(*blob, key, AsSpan(entropy + "!"))),
                  FailureCode::WrongPassword);
    }
    // A 3DES and SHA-1 blob from a credential file.
    const Bytes credential = ReadData("impacket-credential.blob");
    const Result<WindowsBlob> blob = ParseWindowsBlob(credential);
    ASSERT_TRUE(blob);
    const Result<Bytes> plain =
        DecryptWindowsBlob(*blob,
                           FromHex("4c4a398169cc9ecc6eae0e1a70ba1dc58bfec785c4b35bd1afdf2aeb06"
                                   "753bca0ea3491989cb626990973f8370fd576a46c0ce2a85d995a01af"
                                   "6d727ff41969c"),
                           {});
    ASSERT_TRUE(plain);
    const std::string user("d\0a\0v\0i\0d\0.\0b\0o\0w\0i\0e\0", 22);
    EXPECT_NE(std::string(plain->begin(), plain->end()).find(user), std::string::npos);
}

TEST(WindowsBlob, TheTestEncryptorMakesWhatWindowsMade) {
    // Same key, salt and signing salt as the real blob: the same bytes.
    const Bytes real = ReadData("impacket-some-entropy.blob");
    const Result<WindowsBlob> parsed = ParseWindowsBlob(real);
    ASSERT_TRUE(parsed);
    BlobRecipe recipe;
    recipe.masterKey = parsed->masterKey;
    recipe.salt.assign(parsed->salt.begin(), parsed->salt.end());
    recipe.signKey.assign(parsed->signKey.begin(), parsed->signKey.end());
    recipe.flags = parsed->flags;
    EXPECT_EQ(BlobBytes(recipe, FromHex(kImpacketBlobKey), AsSpan("Some test string"),
                        AsSpan("Some entropy")),
              real);
}

TEST(WindowsBlob, XpBlobsTakeTheEntropyAfterTheHmac) {
    const Bytes key(64, 0x42);
    BlobRecipe recipe;
    recipe.xpStyle = true;
    recipe.cipherId = kCalg3Des;
    recipe.hashId = kCalgSha1;
    const Bytes bytes =
        BlobBytes(recipe, key, AsSpan("catalogue text"), AsSpan("user@example.com"));
    const Result<WindowsBlob> blob = ParseWindowsBlob(bytes);
    ASSERT_TRUE(blob);
    const Result<Bytes> plain = DecryptWindowsBlob(*blob, key, AsSpan("user@example.com"));
    ASSERT_TRUE(plain);
    EXPECT_EQ(std::string(plain->begin(), plain->end()), "catalogue text");
    EXPECT_EQ(CodeOf(DecryptWindowsBlob(*blob, key, AsSpan("User@example.com"))),
              FailureCode::WrongPassword);
}

// A user's keys on disk, read through the keyring as the program does.
class WindowsKeyringTest : public ::testing::Test {
protected:
    std::string AppData() const { return JoinPath(m_temp.Path(), "AppData/Roaming"); }
    WindowsKeyring Keyring(const std::string& password) const {
        return WindowsKeyring(m_user.ProtectFolder(AppData()), m_user.sid,
                              UserCredentials::FromPassword(password),
                              JoinPath(AppData(), "Microsoft/Protect/CREDHIST"));
    }

    TempFolder m_temp;
    WindowsUserKeys m_user;
};

TEST_F(WindowsKeyringTest, WrongPasswordMissingKeyAndChangedBlobEachSayWhat) {
    m_user.Write(AppData());
    const WindowsKeyring right = Keyring(m_user.password);
    const WindowsTestProtection protection(m_user, right);
    const Bytes blob = protection.Protect(AsSpan("plain"), AsSpan("entropy"));
    ASSERT_TRUE(protection.Unprotect(blob, AsSpan("entropy")));

    // A key the password does not open, and one that is not there, are both
    // missing to the blob; only the latter's file is not there.
    const WindowsKeyring wrong = Keyring("not the password");
    const Result<Bytes> locked = WindowsDataProtection(wrong).Unprotect(blob, AsSpan("entropy"));
    ASSERT_FALSE(locked);
    EXPECT_EQ(locked.error().code, FailureCode::Missing);
    EXPECT_EQ(locked.error().osError, 0);

    WindowsUserKeys other = m_user;
    other.guid[0] ^= 1;
    const Bytes orphan = WindowsTestProtection(other, right).Protect(AsSpan("plain"), {});
    const Result<Bytes> missing = WindowsDataProtection(right).Unprotect(orphan, {});
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().code, FailureCode::Missing);
    EXPECT_EQ(missing.error().osError, ENOENT);

    Bytes changed = blob;
    changed[changed.size() - 30] ^= 1; // inside the cipher text
    EXPECT_EQ(CodeOf(WindowsDataProtection(right).Unprotect(changed, AsSpan("entropy"))),
              FailureCode::WrongPassword);
    changed.resize(changed.size() - 5);
    EXPECT_EQ(CodeOf(WindowsDataProtection(right).Unprotect(changed, AsSpan("entropy"))),
              FailureCode::Damaged);
}

TEST_F(WindowsKeyringTest, ADomainAccountsKeyOpensWithItsNtHash) {
    m_user.domain = true;
    m_user.password = "password";
    m_user.Write(AppData());
    // The NT hash of "password", as published wherever NT hashes are.
    auto hash = UserCredentials::FromNtHash("8846F7EAEE8FB117AD06BDD830B7586C");
    ASSERT_TRUE(hash);
    EXPECT_TRUE(WindowsKeyring(m_user.ProtectFolder(AppData()), m_user.sid, std::move(*hash))
                    .Key(m_user.guid));
    EXPECT_FALSE(UserCredentials::FromNtHash("8846f7eaee8fb117ad06bdd830b7586"));
}

TEST_F(WindowsKeyringTest, KeysMadeBeforeAPasswordChangeOpenThroughCredHist) {
    // The key was made under the first password; the user changed it twice.
    m_user.password = "first";
    m_user.Write(AppData());
    const Bytes history = CredHistBytes({"first", "second", "third"}, m_user.sid);
    ASSERT_TRUE(WriteFileAtomically(JoinPath(AppData(), "Microsoft/Protect/CREDHIST"),
                                    std::string(history.begin(), history.end())));

    const WindowsKeyring keyring = Keyring("third");
    EXPECT_TRUE(keyring.Key(m_user.guid));
    EXPECT_EQ(CodeOf(Keyring("fourth").Key(m_user.guid)), FailureCode::WrongPassword);
}

// Gives the key file of the user as many rounds as given, leaving the rest
// as it was (so no password opens it any more).
void SetKeyRounds(const WindowsUserKeys& user, const std::string& appData, std::uint32_t rounds) {
    const std::string path = JoinPath(user.ProtectFolder(appData), GuidText(user.guid));
    Result<std::string> bytes = ReadRegularFile(path);
    ASSERT_TRUE(bytes);
    for (std::size_t i = 0; i < 4; ++i)
        (*bytes)[148 + i] = static_cast<char>(rounds >> (8 * i));
    ASSERT_TRUE(WriteFileAtomically(path, *bytes));
}

TEST_F(WindowsKeyringTest, ALongCheckStopsWhenCancelledAndAHostileHistoryAtOnce) {
    m_user.Write(AppData());
    // Ten million rounds for each hash tried: seconds of work, unless it
    // stops at the cancel.
    SetKeyRounds(m_user, AppData(), 10'000'000);
    CancelFlag cancel;
    cancel.Request();
    EXPECT_EQ(CodeOf(Keyring("not the password").Key(m_user.guid, &cancel)),
              FailureCode::Cancelled);

    // 256 earlier passwords of 200,000 rounds each: over fifty million
    // rounds before a wrong password could be called one.
    SetKeyRounds(m_user, AppData(), 4000);
    std::vector<std::string> passwords;
    for (int i = 0; i < 256; ++i)
        passwords.push_back("old " + std::to_string(i));
    passwords.push_back(m_user.password);
    Bytes history = CredHistBytes(passwords, m_user.sid);
    const std::size_t entrySize = (history.size() - 24) / 256;
    for (std::size_t entry = 24; entry < history.size(); entry += entrySize)
        for (std::size_t i = 0; i < 4; ++i)
            history[entry + 8 + i] = static_cast<std::uint8_t>(200'000u >> (8 * i));
    ASSERT_TRUE(WriteFileAtomically(JoinPath(AppData(), "Microsoft/Protect/CREDHIST"),
                                    std::string(history.begin(), history.end())));
    EXPECT_EQ(CodeOf(Keyring("not the password").Key(m_user.guid)), FailureCode::TooMuchWork);
    // The current password is tried before the history, and still opens.
    EXPECT_TRUE(Keyring(m_user.password).Key(m_user.guid));
}

TEST_F(WindowsKeyringTest, ADomainKeyOfWindows10OpensWithTheNtHashStretched) {
    // The NT hash of "password" and its stretched form for this SID, as
    // Python's hashlib.pbkdf2_hmac and hmac compute them.
    const Bytes nt = FromHex("8846f7eaee8fb117ad06bdd830b7586c");
    const Result<SecretBytes> stretched = StretchedNtHash(nt, m_user.sid);
    ASSERT_TRUE(stretched);
    EXPECT_EQ(ToHex(stretched->span()), "1fc5a15dfa85e09cce11eb77fada1ff3");

    MasterKeyRecipe recipe;
    recipe.guid = m_user.guid;
    recipe.key = m_user.masterKey;
    const Bytes file =
        MasterKeyFileBytes(recipe, FromHex("b33ee6b0f4d1af2f620f45f4ae3ceece30bbe21e"));
    const std::string folder = m_user.ProtectFolder(AppData());
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(WriteFileAtomically(JoinPath(folder, GuidText(m_user.guid)),
                                    std::string(file.begin(), file.end())));
    for (bool fromPassword : {true, false}) {
        const WindowsKeyring keyring(
            folder, m_user.sid,
            fromPassword ? UserCredentials::FromPassword("password")
                         : *UserCredentials::FromNtHash("8846F7EAEE8FB117AD06BDD830B7586C"));
        const Result<const SecretBytes*> key = keyring.Key(m_user.guid);
        ASSERT_TRUE(key);
        EXPECT_EQ(ToHex((*key)->span()), ToHex(m_user.masterKey));
    }
}

TEST_F(WindowsKeyringTest, HostileKeyFilesEndWithAReason) {
    m_user.Write(AppData());
    const std::string path = JoinPath(m_user.ProtectFolder(AppData()), GuidText(m_user.guid));
    const Result<std::string> bytes = ReadRegularFile(path);
    ASSERT_TRUE(bytes);

    const auto keyWith = [&](const std::string& content) {
        EXPECT_TRUE(WriteFileAtomically(path, content));
        return Keyring(m_user.password).Key(m_user.guid);
    };
    EXPECT_EQ(CodeOf(keyWith(bytes->substr(0, 140))), FailureCode::Damaged);
    // The master key section claims more than the file holds.
    std::string lying = *bytes;
    lying[100] = '\x7f';
    EXPECT_EQ(CodeOf(keyWith(lying)), FailureCode::Damaged);
    // Four billion rounds: refused before any is run, as a damaged file
    // that says why.
    std::string rounds = *bytes;
    for (int i = 0; i < 4; ++i)
        rounds[128 + 20 + static_cast<std::size_t>(i)] = '\xff';
    const Result<const SecretBytes*> tooMany = keyWith(rounds);
    ASSERT_FALSE(tooMany);
    EXPECT_EQ(tooMany.error().code, FailureCode::Damaged);
    EXPECT_EQ(tooMany.error().sentence,
              path + " is damaged (it asks for more than 10000000 rounds of hashing)");
    EXPECT_TRUE(keyWith(*bytes));
    // Named in another case, as an NTFS disk mounted by Linux may show it.
    std::string upper = GuidText(m_user.guid);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    ASSERT_EQ(std::rename(path.c_str(), JoinPath(m_user.ProtectFolder(AppData()), upper).c_str()),
              0);
    EXPECT_TRUE(Keyring(m_user.password).Key(m_user.guid));
}

} // namespace
} // namespace quorvane::test
