// The demo account: written by the product code, read back through the real
// listing with the built cabinet tools, its movies read by a parser of our
// own, and the "demo" command run as a child process.

#include "app/DemoAccount.h"

#include "app/QtPictureDecoder.h"
#include "backup/CabinetTools.h"
#include "backup/Listing.h"
#include "platform/CodePage.h"
#include "platform/DataProtection.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"
#include "platform/WineAccount.h"
#include "profile/ObjectList.h"
#include "support/ChildRun.h"
#include "support/FakeClock.h"
#include "support/TempFolder.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QString>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvane {
namespace {

using test::ReadFile;
using test::ScopedVariable;
using test::SnapshotTree;
using test::TempFolder;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

namespace fs = std::filesystem;

constexpr const char* kUser = "Zo\xC3\xAB"; // UTF-8, "e" with diaeresis in the code page

std::string ProgramFolder() {
    return ParentFolder(QUORVANE_CLI);
}

// What a user sees in each category, in UTF-8, in catalogue order.
const std::array<std::vector<std::string>, kCategoryCount> kNames = {{
    {"Caf\xC3\xA9 Dance", "Heart Fireworks", "Snowball Fight", "Bongo Drums", "Rainbow Kiss",
     "Pi\xC3\xB1\x61ta Party"},
    {"Sleepy Cat", "Dancing Robot", "Cr\xC3\xA8me Br\xC3\xBBl\xC3\xA9\x65", "Rocket Launch"},
    {"Underwater Reef", "Ch\xC3\xA2teau Garden", "Starry Night"},
    {"Cat", "Beating heart", "Sunshine", "Twinkle", "Rainy day", "Caf\xC3\xA9", "Birthday cake",
     "LOL"},
    {"Sunny Beach", "Mountain Lake", "F\xC3\xAAte Lights", "Lavender Fields"},
    {"Smiley", "Sunflower", "Penguin", "Puppy"},
}};
const std::vector<std::string> kEmoticonKeys = {
    ":cat:", ":heart:", ":sun:", ":star:", ":rain:", ":caf\xC3\xA9:", ":cake:", ":lol:"};

// A listing of one category of the demo account.
struct Listed {
    std::unique_ptr<ObjectList> list;
    ListingResult result;
};

class DemoAccountTest : public ::testing::Test {
protected:
    DemoAccountTest() : cache("XDG_CACHE_HOME", temp / "cache"), prefix(temp / "demo-wine") {}

    bool Ensure(const std::string& user = kUser) {
        reason.clear();
        return EnsureDemoAccount(prefix, user, tools, demo, reason);
    }

    Listed List(ContentCategory category, const std::string& user = kUser) {
        if (!services || servicesUser != user) {
            protection = std::make_unique<WineDataProtection>(CodePage::Ansi().FromUtf8(user));
            services = std::make_unique<ProfileServices>(
                ProfileServices{*protection, clock, CodePage::Ansi(),
                                WineAccount{prefix, user}.ApplicationDataFolder(),
                                JoinPath(prefix, "drive_c/windows"), temp / "cache/quorvane"});
            servicesUser = user;
        }
        Listed listed;
        const std::string passport = CodePage::Ansi().FromUtf8(kDemoPassport);
        if (IsPackaged(category)) {
            auto list = std::make_unique<PackagedObjectList>(*services, category);
            listed.result = ListPackagedObjects(*list, passport, tools, decoder, CodePage::Ansi());
            listed.list = std::move(list);
        } else {
            auto list = std::make_unique<PictureObjectList>(*services, category);
            listed.result = ListPictureObjects(*list, passport, decoder, pause);
            listed.list = std::move(list);
        }
        return listed;
    }

    std::string AccountFolder(const std::string& user = kUser) const {
        const std::uint32_t id = MessengerProfile::AccountId(kDemoPassport, CodePage::Ansi());
        return JoinPath(WineAccount{prefix, user}.ApplicationDataFolder(),
                        "Microsoft/MSN Messenger/" + std::to_string(id));
    }

    std::string ObjectFolder(ContentCategory category) const {
        return JoinPath(AccountFolder(), CategoryFolderName(category));
    }

    TempFolder temp;
    ScopedVariable cache;
    std::string prefix;
    SpawnProcessRunner runner;
    CabinetTools tools{runner, ProgramFolder(), temp.Path()};
    QtPictureDecoder decoder;
    test::FakeClock clock;
    test::CountingPause pause;
    std::unique_ptr<WineDataProtection> protection;
    std::unique_ptr<ProfileServices> services;
    std::string servicesUser;
    DemoAccount demo;
    std::string reason;
};

std::string PixelHash(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_ARGB32);
    return QCryptographicHash::hash(
               QByteArray(reinterpret_cast<const char*>(rgb.constBits()), rgb.sizeInBytes()),
               QCryptographicHash::Sha1)
        .toHex()
        .toStdString();
}

int ColourCount(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

TEST_F(DemoAccountTest, EveryCategoryListsEveryObjectUnderItsName) {
    ASSERT_TRUE(Ensure()) << reason;
    EXPECT_EQ(demo.prefix, prefix);
    EXPECT_EQ(demo.user, kUser);
    EXPECT_EQ(demo.passport, "demo@quorvane.example");
    EXPECT_TRUE(IsDirectory(JoinPath(prefix, "drive_c/windows")));
    EXPECT_TRUE(IsDirectory(JoinPath(prefix, std::string("drive_c/users/") + kUser +
                                                 "/AppData/Roaming/Microsoft/MSN Messenger")));

    // Pictures as the list shows them: (width, height) of each category.
    const std::array<std::pair<int, int>, kCategoryCount> sizes = {
        {{96, 96}, {96, 96}, {96, 96}, {40, 40}, {320, 240}, {96, 96}}};
    for (int i = 0; i < kCategoryCount; ++i) {
        const auto category = static_cast<ContentCategory>(i);
        SCOPED_TRACE(CategoryLabel(category));
        const Listed listed = List(category);
        ASSERT_EQ(listed.list->status, ListingStatus::Listed);
        EXPECT_EQ(listed.result.catalogueObjects, static_cast<std::size_t>(kDemoObjectCounts[i]));
        EXPECT_EQ(listed.result.LeftOut(), 0u);
        ASSERT_EQ(listed.result.items.size(), static_cast<std::size_t>(kDemoObjectCounts[i]));

        std::vector<std::string> names;
        std::set<std::string> pictures;
        for (const ListedItem& item : listed.result.items) {
            const InstalledObject& object = listed.list->objects[item.itemData];
            names.push_back(CodePage::Ansi().ToUtf8(object.displayName));
            const QImage picture(QString::fromStdString(item.picturePath));
            ASSERT_FALSE(picture.isNull()) << item.picturePath;
            EXPECT_EQ(picture.size(), QSize(sizes[i].first, sizes[i].second)) << item.picturePath;
            // Drawn, not a blank: shading and several shapes.
            EXPECT_GE(ColourCount(picture), 8) << item.picturePath;
            pictures.insert(PixelHash(picture));
        }
        EXPECT_THAT(names, ElementsAreArray(kNames[i]));
        EXPECT_EQ(pictures.size(), names.size()) << "two objects share a picture";

        if (category == ContentCategory::CustomEmoticons) {
            std::vector<std::string> keys;
            for (const InstalledObject& object : listed.list->objects)
                keys.push_back(CodePage::Ansi().ToUtf8(object.tag));
            EXPECT_THAT(keys, ElementsAreArray(kEmoticonKeys));
        }
    }
}

TEST_F(DemoAccountTest, EmoticonsAreGifsAndSomeOfThemMove) {
    ASSERT_TRUE(Ensure()) << reason;
    const std::string folder = ObjectFolder(ContentCategory::CustomEmoticons);
    int animated = 0;
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name == "map.dat")
            continue;
        SCOPED_TRACE(name);
        ++files;
        EXPECT_TRUE(name.ends_with(".dat"));
        EXPECT_EQ(ReadFile(entry.path().string()).substr(0, 6), "GIF89a");
        // Qt's own decoder reads every frame whole: the LZW codes, their
        // widths and the palette all have to be right for that.
        QImageReader reader(QString::fromStdString(entry.path().string()));
        reader.setDecideFormatFromContent(true);
        EXPECT_EQ(reader.format(), "gif");
        const int frames = reader.imageCount();
        ASSERT_GE(frames, 1);
        std::set<std::string> looks;
        for (int frame = 0; frame < frames; ++frame) {
            const QImage image = reader.read();
            ASSERT_FALSE(image.isNull())
                << "frame " << frame << ": " << reader.errorString().toStdString();
            EXPECT_EQ(image.size(), QSize(40, 40));
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "the corners are transparent";
            int opaque = 0;
            for (int y = 0; y < 40; ++y)
                for (int x = 0; x < 40; ++x)
                    opaque += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
            EXPECT_GE(opaque, 40 * 40 / 4) << "a quarter of it at least is drawn";
            looks.insert(PixelHash(image));
        }
        EXPECT_EQ(looks.size(), static_cast<std::size_t>(frames)) << "every frame differs";
        animated += frames > 1 ? 1 : 0;
    }
    EXPECT_EQ(files, kDemoObjectCounts[static_cast<int>(ContentCategory::CustomEmoticons)]);
    EXPECT_GE(animated, 4);
}

// ---------------------------------------------------------------------------
// The movies, read with a parser written from the SWF file format, not from
// the generator.

class SwfReader {
public:
    explicit SwfReader(std::string_view bytes) : m_bytes(bytes) {}

    std::uint32_t Bits(int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            if (m_at >= m_bytes.size())
                throw std::runtime_error("read past the end");
            const int bit = (static_cast<unsigned char>(m_bytes[m_at]) >> (7 - m_bit)) & 1;
            value = value << 1 | static_cast<std::uint32_t>(bit);
            if (++m_bit == 8) {
                m_bit = 0;
                ++m_at;
            }
        }
        return value;
    }
    std::int32_t Signed(int count) {
        const std::uint32_t value = Bits(count);
        if (count > 0 && (value >> (count - 1)) != 0)
            return static_cast<std::int32_t>(value | ~((1u << count) - 1u));
        return static_cast<std::int32_t>(value);
    }
    void Align() {
        if (m_bit != 0) {
            m_bit = 0;
            ++m_at;
        }
    }
    unsigned U8() {
        Align();
        return Bits(8);
    }
    unsigned U16() {
        const unsigned low = U8();
        return low | U8() << 8;
    }
    std::uint32_t U32() {
        const std::uint32_t low = U16();
        return low | static_cast<std::uint32_t>(U16()) << 16;
    }
    std::uint32_t Rgb() {
        const std::uint32_t r = U8();
        const std::uint32_t g = U8();
        return r << 16 | g << 8 | U8();
    }
    std::array<std::int32_t, 4> Rect() {
        Align();
        const int bits = static_cast<int>(Bits(5));
        std::array<std::int32_t, 4> rect{};
        for (std::int32_t& value : rect)
            value = Signed(bits);
        Align();
        return rect;
    }
    std::string_view Take(std::size_t count) {
        Align();
        if (count > m_bytes.size() - m_at)
            throw std::runtime_error("a tag runs past the end");
        const std::string_view taken = m_bytes.substr(m_at, count);
        m_at += count;
        return taken;
    }
    bool AtEnd() const { return m_at == m_bytes.size(); }

private:
    std::string_view m_bytes;
    std::size_t m_at = 0;
    int m_bit = 0;
};

struct Shape {
    std::uint32_t colour = 0;
    std::vector<std::pair<double, double>> corners; // twips
};

Shape ReadShape(std::string_view body) {
    SwfReader in(body);
    in.U16(); // id
    const auto bounds = in.Rect();
    EXPECT_EQ(in.U8(), 1u) << "one fill style";
    EXPECT_EQ(in.U8(), 0u) << "a solid fill";
    Shape shape;
    shape.colour = in.Rgb();
    EXPECT_EQ(in.U8(), 0u) << "no line styles";
    const int fillBits = static_cast<int>(in.Bits(4));
    const int lineBits = static_cast<int>(in.Bits(4));
    double x = 0, y = 0;
    bool filled = false;
    for (;;) {
        if (in.Bits(1) == 0) {
            const std::uint32_t flags = in.Bits(5);
            if (flags == 0)
                break;
            EXPECT_EQ(flags & 0x10, 0u) << "no new styles";
            if (flags & 0x01) {
                const int bits = static_cast<int>(in.Bits(5));
                x = in.Signed(bits);
                y = in.Signed(bits);
                shape.corners.clear();
                shape.corners.emplace_back(x, y);
            }
            if (flags & 0x02)
                in.Bits(fillBits);
            if (flags & 0x04)
                filled = in.Bits(fillBits) == 1 || filled;
            if (flags & 0x08)
                in.Bits(lineBits);
            continue;
        }
        EXPECT_EQ(in.Bits(1), 1u) << "straight edges only";
        const int bits = static_cast<int>(in.Bits(4)) + 2;
        if (in.Bits(1) == 1) {
            x += in.Signed(bits);
            y += in.Signed(bits);
        } else if (in.Bits(1) == 1) {
            y += in.Signed(bits);
        } else {
            x += in.Signed(bits);
        }
        shape.corners.emplace_back(x, y);
        EXPECT_TRUE(x >= bounds[0] && x <= bounds[1] && y >= bounds[2] && y <= bounds[3])
            << "a corner outside the shape's bounds";
    }
    EXPECT_TRUE(filled) << "the edges carry the fill";
    EXPECT_GE(shape.corners.size(), 4u);
    EXPECT_EQ(shape.corners.front(), shape.corners.back()) << "the outline is closed";
    in.Align();
    EXPECT_TRUE(in.AtEnd()) << "bytes after the shape records";
    return shape;
}

// Where a PlaceObject2 puts its character: the matrix as six numbers, and
// the colour a colour transform paints it in (0 keeps the shape's own).
struct Place {
    unsigned depth = 0;
    unsigned character = 0;
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
    std::uint32_t paint = 0;
};

Place ReadPlace(std::string_view body) {
    SwfReader in(body);
    Place place;
    const unsigned flags = in.U8();
    EXPECT_EQ(flags & 0xF0, 0u) << "no name, ratio, clip depth or clip actions";
    place.depth = in.U16();
    if (flags & 0x02)
        place.character = in.U16();
    if (flags & 0x04) {
        in.Align();
        if (in.Bits(1)) {
            const int bits = static_cast<int>(in.Bits(5));
            place.a = in.Signed(bits) / 65536.0;
            place.d = in.Signed(bits) / 65536.0;
        }
        if (in.Bits(1)) {
            const int bits = static_cast<int>(in.Bits(5));
            place.b = in.Signed(bits) / 65536.0;
            place.c = in.Signed(bits) / 65536.0;
        }
        const int bits = static_cast<int>(in.Bits(5));
        place.tx = in.Signed(bits);
        place.ty = in.Signed(bits);
    }
    if (flags & 0x08) {
        in.Align();
        const bool add = in.Bits(1) == 1;
        const bool multiply = in.Bits(1) == 1;
        const int bits = static_cast<int>(in.Bits(4));
        std::array<std::int32_t, 4> times{256, 256, 256, 256};
        std::array<std::int32_t, 4> plus{};
        if (multiply)
            for (std::int32_t& value : times)
                value = in.Signed(bits);
        if (add)
            for (std::int32_t& value : plus)
                value = in.Signed(bits);
        EXPECT_EQ(times[0] | times[1] | times[2], 0) << "the transform paints a colour";
        place.paint = static_cast<std::uint32_t>(plus[0] << 16 | plus[1] << 8 | plus[2]);
    }
    in.Align();
    EXPECT_TRUE(in.AtEnd()) << "bytes after the placement";
    return place;
}

// Reads a whole movie and checks what a player needs and what the preview
// relies on: the stage colour, the big amber shape on the stage and clear of
// its corners in every frame, and something that changes from frame to frame.
void CheckMovie(const std::string& swf) {
    ASSERT_GE(swf.size(), 21u);
    ASSERT_EQ(swf.substr(0, 3), "FWS");
    SwfReader in(swf);
    in.Take(3);
    EXPECT_GE(in.U8(), 8u) << "version";
    EXPECT_EQ(in.U32(), swf.size()) << "the length field";
    const auto stage = in.Rect();
    EXPECT_EQ(stage[0], 0);
    EXPECT_EQ(stage[2], 0);
    const double width = stage[1];
    const double height = stage[3];
    EXPECT_GT(width, 0);
    EXPECT_GT(height, 0);
    EXPECT_EQ(in.U16(), static_cast<unsigned>(kDemoMovieFrameRate) << 8);
    const unsigned frameCount = in.U16();
    EXPECT_EQ(frameCount, static_cast<unsigned>(kDemoMovieFrames));

    std::map<unsigned, Shape> shapes;
    std::map<unsigned, Place> onStage; // by depth
    std::optional<std::uint32_t> background;
    std::set<std::string> bigPlaces;
    std::set<std::uint32_t> smallColours;
    unsigned frames = 0;
    unsigned seen = 0; // tags
    bool ended = false;
    while (!ended) {
        ASSERT_FALSE(in.AtEnd()) << "no End tag";
        const unsigned header = in.U16();
        std::uint32_t length = header & 0x3f;
        if (length == 0x3f)
            length = in.U32();
        const std::string_view body = in.Take(length);
        const unsigned tags = seen++;
        switch (header >> 6) {
        case 0: // End
            ended = true;
            break;
        case 1: { // ShowFrame
            ++frames;
            ASSERT_EQ(onStage.size(), 2u) << "two shapes on the stage in frame " << frames;
            for (const auto& [depth, place] : onStage) {
                const Shape& shape = shapes.at(place.character);
                const bool big = shape.colour == kDemoMovieShapeColour;
                for (const auto& [x, y] : shape.corners) {
                    const double sx = place.a * x + place.c * y + place.tx;
                    const double sy = place.b * x + place.d * y + place.ty;
                    EXPECT_TRUE(sx >= 0 && sx <= width && sy >= 0 && sy <= height)
                        << "depth " << depth << " leaves the stage in frame " << frames;
                    if (big) {
                        // Clear of a corner square of a fifth of the stage.
                        const bool nearX = sx < width / 5 || sx > width * 4 / 5;
                        const bool nearY = sy < height / 5 || sy > height * 4 / 5;
                        EXPECT_FALSE(nearX && nearY) << "the big shape covers a corner";
                    }
                }
                std::ostringstream where;
                where << place.a << ' ' << place.b << ' ' << place.tx << ' ' << place.ty;
                if (big)
                    bigPlaces.insert(where.str());
                else
                    smallColours.insert(place.paint);
            }
            break;
        }
        case 2: { // DefineShape
            SwfReader id(body);
            shapes[id.U16()] = ReadShape(body);
            break;
        }
        case 9: // SetBackgroundColor
            ASSERT_EQ(body.size(), 3u);
            background = SwfReader(body).Rgb();
            break;
        case 26: { // PlaceObject2
            Place place = ReadPlace(body);
            if (place.character == 0) { // a move of what is there
                ASSERT_TRUE(onStage.contains(place.depth));
                place.character = onStage[place.depth].character;
            }
            ASSERT_TRUE(shapes.contains(place.character)) << "placed before it is defined";
            onStage[place.depth] = place;
            break;
        }
        case 69: // FileAttributes: first of all, as version 8 wants
            EXPECT_EQ(tags, 0u);
            EXPECT_EQ(body.size(), 4u);
            break;
        default:
            ADD_FAILURE() << "unexpected tag " << (header >> 6);
        }
    }
    EXPECT_TRUE(in.AtEnd()) << "bytes after the End tag";
    EXPECT_EQ(frames, frameCount);
    EXPECT_EQ(background, kDemoMovieStageColour);
    EXPECT_NE(kDemoMovieStageColour, kDemoMovieShapeColour);
    EXPECT_EQ(shapes.size(), 2u);
    EXPECT_GT(bigPlaces.size(), 1u) << "the big shape moves";
    EXPECT_GT(smallColours.size(), 1u) << "the small shape changes colour";
}

TEST_F(DemoAccountTest, EveryMovieIsAWholeSwfThatPlays) {
    ASSERT_TRUE(Ensure()) << reason;
    std::set<std::string> movies;
    for (ContentCategory category :
         {ContentCategory::Winks, ContentCategory::DynamicDisplayPictures,
          ContentCategory::DynamicBackgrounds}) {
        const Listed listed = List(category);
        ASSERT_FALSE(listed.result.items.empty());
        const auto& list = static_cast<const PackagedObjectList&>(*listed.list);
        for (const InstalledObject& object : list.objects) {
            // The movie as the cabinet tool unpacked it beside the thumbnail.
            const std::string stem = object.location.substr(0, object.location.rfind('.'));
            const std::string path = JoinPath(list.ThumbnailFolder(object), stem + ".swf");
            SCOPED_TRACE(path);
            const std::string swf = ReadFile(path);
            CheckMovie(swf);
            movies.insert(swf);
        }
    }
    EXPECT_EQ(movies.size(), static_cast<std::size_t>(kDemoObjectCounts[0] + kDemoObjectCounts[1] +
                                                      kDemoObjectCounts[2]))
        << "no two movies alike";
}

// ---------------------------------------------------------------------------
// Writing again

TEST_F(DemoAccountTest, ACompleteAccountIsLeftAsItIs) {
    ASSERT_TRUE(Ensure()) << reason;
    const auto before = SnapshotTree(prefix);
    ASSERT_TRUE(Ensure()) << reason;
    // The protected files are salted afresh whenever they are written, so
    // equal bytes mean nothing was written.
    EXPECT_EQ(SnapshotTree(prefix), before);
}

TEST_F(DemoAccountTest, WhatIsMissingOrDamagedIsWrittenAgainAndTheRestKept) {
    ASSERT_TRUE(Ensure()) << reason;
    const std::string winks = ObjectFolder(ContentCategory::Winks);
    const std::string emoticons = ObjectFolder(ContentCategory::CustomEmoticons);
    const std::string pictures = ObjectFolder(ContentCategory::RegularDisplayPictures);
    const auto untouched = SnapshotTree(pictures);

    std::string cabinet;
    for (const auto& entry : fs::directory_iterator(winks))
        if (entry.path().extension() == ".cab")
            cabinet = entry.path().string();
    ASSERT_FALSE(cabinet.empty());
    fs::remove(cabinet);
    std::string emoticon;
    for (const auto& entry : fs::directory_iterator(emoticons))
        if (entry.path().filename() != "map.dat")
            emoticon = entry.path().string();
    const std::string gif = ReadFile(emoticon);
    WriteWholeFile(emoticon, gif.substr(0, 10)); // cut short
    // A pointer file for another Wine user does not open for this one.
    const WineDataProtection stranger("someone else");
    const std::string plain = "a pointer of someone else's";
    const Bytes blob = stranger.Protect(
        {reinterpret_cast<const std::uint8_t*>(plain.data()), plain.size()},
        {reinterpret_cast<const std::uint8_t*>(kDemoPassport), std::strlen(kDemoPassport)});
    WriteWholeFile(JoinPath(ObjectFolder(ContentCategory::RegularBackgrounds), "map.dat"),
                   std::string("\x02\x00", 2) + std::string(blob.begin(), blob.end()));

    ASSERT_TRUE(Ensure()) << reason;
    EXPECT_TRUE(fs::is_regular_file(cabinet));
    EXPECT_EQ(ReadFile(emoticon), gif);
    for (int i = 0; i < kCategoryCount; ++i) {
        SCOPED_TRACE(i);
        const Listed listed = List(static_cast<ContentCategory>(i));
        EXPECT_EQ(listed.result.items.size(), static_cast<std::size_t>(kDemoObjectCounts[i]));
    }
    EXPECT_EQ(SnapshotTree(pictures), untouched);
}

TEST_F(DemoAccountTest, EachWineUserHasAnAccountOfItsOwn) {
    EXPECT_FALSE(HasMessengerData(WineAccount{prefix, kUser}));
    ASSERT_TRUE(Ensure()) << reason;
    EXPECT_TRUE(HasMessengerData(WineAccount{prefix, kUser}));
    EXPECT_FALSE(HasMessengerData(WineAccount{prefix, "quorvane"}));
    const auto first = SnapshotTree(AccountFolder());

    ASSERT_TRUE(Ensure("quorvane")) << reason;
    EXPECT_EQ(demo.user, "quorvane");
    EXPECT_TRUE(HasMessengerData(WineAccount{prefix, "quorvane"}));
    // Only the owner's name opens the catalogues.
    EXPECT_EQ(List(ContentCategory::Winks, "quorvane").result.items.size(), 6u);
    EXPECT_EQ(List(ContentCategory::Winks, kUser).result.items.size(), 6u);
    EXPECT_EQ(SnapshotTree(AccountFolder()), first);

    // Messenger on older Windows kept its data in "Application Data".
    const std::string older = temp / "older";
    MakeFolders(JoinPath(older, "drive_c/users/quorvane/Application Data/Microsoft/MSN Messenger"));
    EXPECT_TRUE(HasMessengerData(WineAccount{older, "quorvane"}));
}

TEST_F(DemoAccountTest, WhatCannotBeWrittenIsRefusedWithTheReason) {
    EXPECT_FALSE(Ensure("../escape"));
    EXPECT_THAT(reason, HasSubstr("../escape"));
    EXPECT_FALSE(Ensure(""));
    EXPECT_FALSE(fs::exists(prefix)) << "nothing written for a user that names no folder";

    // A file where the prefix's folders would go.
    WriteWholeFile(prefix, "not a folder");
    EXPECT_FALSE(Ensure());
    EXPECT_THAT(reason, HasSubstr(prefix));
}

TEST(DemoPrefix, FollowsXdgDataHomeElseTheHomeFolder) {
    const ScopedVariable home("HOME", "/home/someone");
    {
        const ScopedVariable data("XDG_DATA_HOME", "/data/share/");
        EXPECT_EQ(DemoPrefixPath(), "/data/share/quorvane/demo-wine");
    }
    {
        // A relative XDG folder is ignored, as the XDG rules say.
        const ScopedVariable data("XDG_DATA_HOME", "share");
        EXPECT_EQ(DemoPrefixPath(), "/home/someone/.local/share/quorvane/demo-wine");
    }
    const ScopedVariable data("XDG_DATA_HOME", std::nullopt);
    EXPECT_EQ(DemoPrefixPath(), "/home/someone/.local/share/quorvane/demo-wine");
}

// ---------------------------------------------------------------------------
// quorvane-cli demo, run as a child process with nothing of the real user's.

class CliDemoTest : public ::testing::Test {
protected:
    CliDemoTest()
        : environment(test::IsolatedEnvironment(root.Path(), root / "unused-wine", "testuser")) {}

    test::ChildResult Run(std::vector<std::string> args) const {
        args.insert(args.begin(), QUORVANE_CLI);
        test::ChildOptions options{&environment, "", ""};
        options.timeLimit = std::chrono::seconds(60);
        return test::RunChild(args, options);
    }

    // The printed example, pasted into a shell that finds the program built
    // here as "quorvane-cli".
    test::ChildResult RunExample(const std::string& line) const {
        std::map<std::string, std::string> shell = environment;
        shell["PATH"] = ProgramFolder() + ":/usr/bin:/bin";
        test::ChildOptions options{&shell, "", ""};
        options.timeLimit = std::chrono::seconds(60);
        return test::RunChild({"/bin/sh", "-c", line}, options);
    }

    TempFolder root;
    std::map<std::string, std::string> environment;
};

TEST_F(CliDemoTest, PrintsTheAccountAndAListCommandThatWorks) {
    const test::ChildResult first = Run({"demo"});
    ASSERT_TRUE(first.ExitedWith(0)) << first.Describe();
    EXPECT_EQ(first.err, "");
    const std::vector<std::string> lines = test::Lines(first.out);
    ASSERT_EQ(lines.size(), 4u) << first.out;
    const std::string prefix = root / "home/.local/share/quorvane/demo-wine";
    EXPECT_EQ(lines[0], prefix);
    EXPECT_EQ(lines[1], "testuser");
    EXPECT_EQ(lines[2], kDemoPassport);
    EXPECT_EQ(lines[3], "quorvane-cli list --type winks --passport demo@quorvane.example "
                        "--wine-prefix " +
                            prefix);

    const test::ChildResult list = RunExample(lines[3]);
    ASSERT_TRUE(list.ExitedWith(0)) << list.Describe();
    std::vector<std::string> names;
    for (const std::string& line : test::Lines(list.out))
        names.push_back(test::Fields(line).at(1));
    EXPECT_THAT(names, ElementsAreArray(kNames[0]));

    // Again: the account is found complete and the same lines come out.
    const auto before = SnapshotTree(prefix);
    const test::ChildResult second = Run({"demo"});
    ASSERT_TRUE(second.ExitedWith(0)) << second.Describe();
    EXPECT_EQ(second.out, first.out);
    EXPECT_EQ(SnapshotTree(prefix), before);
}

TEST_F(CliDemoTest, AnotherWineUserIsNamedInTheExample) {
    const test::ChildResult result = Run({"demo", "--wine-user", kUser});
    ASSERT_TRUE(result.ExitedWith(0)) << result.Describe();
    const std::vector<std::string> lines = test::Lines(result.out);
    ASSERT_EQ(lines.size(), 4u) << result.out;
    EXPECT_EQ(lines[1], kUser);
    EXPECT_THAT(lines[3], HasSubstr(std::string(" --wine-user ") + kUser));
    const test::ChildResult list = RunExample(lines[3]);
    ASSERT_TRUE(list.ExitedWith(0)) << list.Describe();
    EXPECT_EQ(test::Lines(list.out).size(), 6u);

    const test::ChildResult empty = Run({"demo", "--wine-user", ""});
    EXPECT_TRUE(empty.ExitedWith(2)) << empty.Describe();
}

TEST_F(CliDemoTest, APrefixWithBlanksAndQuotesIsQuotedForTheShell) {
    const std::string data = root / "Tom's data $HOME";
    environment["XDG_DATA_HOME"] = data;
    const test::ChildResult result = Run({"demo"});
    ASSERT_TRUE(result.ExitedWith(0)) << result.Describe();
    const std::vector<std::string> lines = test::Lines(result.out);
    ASSERT_EQ(lines.size(), 4u) << result.out;
    EXPECT_EQ(lines[0], data + "/quorvane/demo-wine");
    const test::ChildResult list = RunExample(lines[3]);
    ASSERT_TRUE(list.ExitedWith(0)) << lines[3] << "\n" << list.Describe();
    EXPECT_EQ(test::Lines(list.out).size(), 6u);
}

TEST_F(CliDemoTest, WithoutTheCabinetToolNothingIsClaimed) {
    // A copy of the program away from the built tools, with none on PATH.
    const std::string lonely = root / "lonely/quorvane-cli";
    fs::create_directories(root / "lonely");
    fs::copy_file(QUORVANE_CLI, lonely);
    const test::ChildResult result = test::RunChild({lonely, "demo"}, {&environment, "", ""});
    EXPECT_TRUE(result.ExitedWith(1)) << result.Describe();
    EXPECT_EQ(result.out, "");
    EXPECT_THAT(result.err, HasSubstr("\"cabarc\" is not installed"));
    // The Winks come first and stop there: no pointer file, so no listing
    // takes the half-written category for a whole one.
    const std::string winks = root / "home/.local/share/quorvane/demo-wine/drive_c/users/testuser/"
                                     "AppData/Roaming/Microsoft/MSN Messenger";
    EXPECT_TRUE(fs::exists(winks));
    for (const auto& entry : fs::recursive_directory_iterator(winks))
        EXPECT_NE(entry.path().filename(), "map.dat") << entry.path();
}

TEST_F(CliDemoTest, DescribesItselfWithinEightyColumns) {
    const test::ChildResult help = Run({"--help"});
    EXPECT_THAT(help.out, HasSubstr("\n  demo "));
    const test::ChildResult result = Run({"demo", "--help"});
    ASSERT_TRUE(result.ExitedWith(0)) << result.Describe();
    EXPECT_THAT(result.out, HasSubstr("--wine-user"));
    EXPECT_THAT(result.out, HasSubstr(kDemoPassport));
    for (const std::string& line : test::Lines(result.out))
        EXPECT_LE(line.size(), 80u) << line;
}

} // namespace
} // namespace quorvane
