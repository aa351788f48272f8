#include "app/DemoAccount.h"

#include "platform/CodePage.h"
#include "platform/DataProtection.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/PrivateFolder.h"
#include "platform/SystemFolders.h"
#include "profile/Base64.h"
#include "profile/ContentCategory.h"
#include "profile/MessengerProfile.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <map>
#include <memory>
#include <numbers>
#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvane {

namespace {

const CodePage& Ansi() {
    return CodePage::Ansi();
}

// ---------------------------------------------------------------------------
// The demo's content. Names are code-page (Windows-1252) bytes, as Messenger
// keeps them; a few carry accents so that the code page shows.

enum class Art {
    // Winks
    CafeDance,
    HeartFireworks,
    SnowballFight,
    BongoDrums,
    RainbowKiss,
    PinataParty,
    // Dynamic Display Pictures
    SleepyCat,
    DancingRobot,
    CremeBrulee,
    RocketLaunch,
    // Dynamic Backgrounds
    UnderwaterReef,
    ChateauGarden,
    StarryNight,
    // Custom Emoticons
    CatFace,
    BeatingHeart,
    Sunshine,
    TwinklingStar,
    RainCloud,
    CoffeeCup,
    BirthdayCake,
    Laughing,
    // Regular Backgrounds
    SunnyBeach,
    MountainLake,
    FeteLights,
    LavenderFields,
    // Regular Display Pictures
    Smiley,
    Sunflower,
    Penguin,
    Puppy,
};

struct DemoObject {
    ContentCategory category;
    const char* name; // code-page bytes
    const char* key;  // custom emoticons: the key sequence; display pictures: the file stem
    Art art;
    bool jpeg = false; // regular backgrounds kept as JPEG
};

constexpr std::array kObjects = {
    DemoObject{ContentCategory::Winks, "Caf\xE9 Dance", "", Art::CafeDance},
    DemoObject{ContentCategory::Winks, "Heart Fireworks", "", Art::HeartFireworks},
    DemoObject{ContentCategory::Winks, "Snowball Fight", "", Art::SnowballFight},
    DemoObject{ContentCategory::Winks, "Bongo Drums", "", Art::BongoDrums},
    DemoObject{ContentCategory::Winks, "Rainbow Kiss", "", Art::RainbowKiss},
    DemoObject{ContentCategory::Winks, "Pi\xF1\x61ta Party", "", Art::PinataParty},
    DemoObject{ContentCategory::DynamicDisplayPictures, "Sleepy Cat", "", Art::SleepyCat},
    DemoObject{ContentCategory::DynamicDisplayPictures, "Dancing Robot", "", Art::DancingRobot},
    DemoObject{ContentCategory::DynamicDisplayPictures, "Cr\xE8me Br\xFBl\xE9\x65", "",
               Art::CremeBrulee},
    DemoObject{ContentCategory::DynamicDisplayPictures, "Rocket Launch", "", Art::RocketLaunch},
    DemoObject{ContentCategory::DynamicBackgrounds, "Underwater Reef", "", Art::UnderwaterReef},
    DemoObject{ContentCategory::DynamicBackgrounds, "Ch\xE2teau Garden", "", Art::ChateauGarden},
    DemoObject{ContentCategory::DynamicBackgrounds, "Starry Night", "", Art::StarryNight},
    DemoObject{ContentCategory::CustomEmoticons, "Cat", ":cat:", Art::CatFace},
    DemoObject{ContentCategory::CustomEmoticons, "Beating heart", ":heart:", Art::BeatingHeart},
    DemoObject{ContentCategory::CustomEmoticons, "Sunshine", ":sun:", Art::Sunshine},
    DemoObject{ContentCategory::CustomEmoticons, "Twinkle", ":star:", Art::TwinklingStar},
    DemoObject{ContentCategory::CustomEmoticons, "Rainy day", ":rain:", Art::RainCloud},
    DemoObject{ContentCategory::CustomEmoticons, "Caf\xE9", ":caf\xE9:", Art::CoffeeCup},
    DemoObject{ContentCategory::CustomEmoticons, "Birthday cake", ":cake:", Art::BirthdayCake},
    DemoObject{ContentCategory::CustomEmoticons, "LOL", ":lol:", Art::Laughing},
    DemoObject{ContentCategory::RegularBackgrounds, "Sunny Beach", "", Art::SunnyBeach, true},
    DemoObject{ContentCategory::RegularBackgrounds, "Mountain Lake", "", Art::MountainLake, true},
    DemoObject{ContentCategory::RegularBackgrounds, "F\xEAte Lights", "", Art::FeteLights},
    DemoObject{ContentCategory::RegularBackgrounds, "Lavender Fields", "", Art::LavenderFields},
    DemoObject{ContentCategory::RegularDisplayPictures, "Smiley", "smiley", Art::Smiley},
    DemoObject{ContentCategory::RegularDisplayPictures, "Sunflower", "sunflower", Art::Sunflower},
    DemoObject{ContentCategory::RegularDisplayPictures, "Penguin", "penguin", Art::Penguin},
    DemoObject{ContentCategory::RegularDisplayPictures, "Puppy", "puppy", Art::Puppy},
};

constexpr int CountOf(ContentCategory category) {
    int count = 0;
    for (const DemoObject& object : kObjects)
        count += object.category == category ? 1 : 0;
    return count;
}

static_assert(CountOf(ContentCategory::Winks) == kDemoObjectCounts[0] &&
                  CountOf(ContentCategory::DynamicDisplayPictures) == kDemoObjectCounts[1] &&
                  CountOf(ContentCategory::DynamicBackgrounds) == kDemoObjectCounts[2] &&
                  CountOf(ContentCategory::CustomEmoticons) == kDemoObjectCounts[3] &&
                  CountOf(ContentCategory::RegularBackgrounds) == kDemoObjectCounts[4] &&
                  CountOf(ContentCategory::RegularDisplayPictures) == kDemoObjectCounts[5],
              "the published counts follow the table");

std::vector<const DemoObject*> ObjectsOf(ContentCategory category) {
    std::vector<const DemoObject*> objects;
    for (const DemoObject& object : kObjects)
        if (object.category == category)
            objects.push_back(&object);
    return objects;
}

// Messenger's file names look random; the demo's are a hash of the name, so
// that every run writes the same catalogue.
std::uint32_t NameHash(ContentCategory category, std::string_view text) {
    std::uint32_t hash = 2166136261u ^ static_cast<std::uint32_t>(category);
    for (char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    hash ^= hash >> 15;
    hash *= 0x2c1b3c6du;
    return hash ^ (hash >> 12);
}

std::string Hex8(std::uint32_t value, bool upper) {
    char text[9];
    std::snprintf(text, sizeof text, upper ? "%08X" : "%08x", static_cast<unsigned>(value));
    return text;
}

std::string Location(const DemoObject& object) {
    const std::uint32_t hash = NameHash(object.category, object.name);
    switch (object.category) {
    case ContentCategory::Winks:
    case ContentCategory::DynamicDisplayPictures:
    case ContentCategory::DynamicBackgrounds:
        return Hex8(hash, false) + ".cab";
    case ContentCategory::CustomEmoticons:
        // Messenger keeps emoticons, GIF or PNG, under a ".dat" name.
        return Hex8(hash, true) + ".dat";
    case ContentCategory::RegularBackgrounds:
        return "Bkg" + Hex8(hash, true) + (object.jpeg ? ".jpg" : ".png");
    case ContentCategory::RegularDisplayPictures:
        return std::string(object.key) + ".png";
    }
    return {};
}

std::string Stem(const std::string& location) {
    return location.substr(0, location.rfind('.'));
}

// A stamp is a long Base64 signature; the demo's are made from the name.
std::string Stamp(const DemoObject& object) {
    QByteArray bytes;
    std::uint32_t state = NameHash(object.category, object.name);
    for (int i = 0; i < 128; ++i) {
        state = state * 1664525u + 1013904223u;
        bytes.append(static_cast<char>(state >> 24));
    }
    return bytes.toBase64().toStdString();
}

// ---------------------------------------------------------------------------
// Pictures, drawn with QPainter: friendly shapes in bright colours.

QColor Rgb(std::uint32_t rgb, int alpha = 255) {
    return QColor(static_cast<int>((rgb >> 16) & 0xff), static_cast<int>((rgb >> 8) & 0xff),
                  static_cast<int>(rgb & 0xff), alpha);
}

void Gradient(QPainter& p, const QRectF& area, std::uint32_t top, std::uint32_t bottom) {
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0, Rgb(top));
    gradient.setColorAt(1, Rgb(bottom));
    p.fillRect(area, gradient);
}

void Solid(QPainter& p, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
}

void Line(QPainter& p, const QColor& colour, qreal width) {
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
}

void Disc(QPainter& p, QPointF centre, qreal radius, const QColor& colour) {
    Solid(p, colour);
    p.drawEllipse(centre, radius, radius);
}

void Oval(QPainter& p, QPointF centre, qreal rx, qreal ry, const QColor& colour) {
    Solid(p, colour);
    p.drawEllipse(centre, rx, ry);
}

QPolygonF StarShape(QPointF centre, qreal outer, qreal inner, int points, qreal turnDegrees) {
    QPolygonF polygon;
    for (int i = 0; i < 2 * points; ++i) {
        const qreal angle = (turnDegrees - 90.0 + 180.0 * i / points) * std::numbers::pi / 180.0;
        const qreal radius = i % 2 == 0 ? outer : inner;
        polygon << QPointF(centre.x() + radius * std::cos(angle),
                           centre.y() + radius * std::sin(angle));
    }
    return polygon;
}

void Star(QPainter& p, QPointF centre, qreal outer, const QColor& colour, qreal turn = 0) {
    Solid(p, colour);
    p.drawPolygon(StarShape(centre, outer, outer * 0.45, 5, turn));
}

QPainterPath HeartShape(QPointF c, qreal s) {
    const qreal x = c.x();
    const qreal y = c.y();
    QPainterPath path;
    path.moveTo(x, y + 0.45 * s);
    path.cubicTo(x - 0.1 * s, y + 0.3 * s, x - 0.55 * s, y + 0.05 * s, x - 0.5 * s, y - 0.2 * s);
    path.cubicTo(x - 0.45 * s, y - 0.5 * s, x - 0.05 * s, y - 0.5 * s, x, y - 0.22 * s);
    path.cubicTo(x + 0.05 * s, y - 0.5 * s, x + 0.45 * s, y - 0.5 * s, x + 0.5 * s, y - 0.2 * s);
    path.cubicTo(x + 0.55 * s, y + 0.05 * s, x + 0.1 * s, y + 0.3 * s, x, y + 0.45 * s);
    return path;
}

void Heart(QPainter& p, QPointF centre, qreal size, const QColor& colour) {
    Solid(p, colour);
    p.drawPath(HeartShape(centre, size));
}

void Cloud(QPainter& p, QPointF c, qreal s, const QColor& colour) {
    Solid(p, colour);
    p.drawEllipse(QPointF(c.x() - 0.28 * s, c.y() + 0.05 * s), 0.24 * s, 0.2 * s);
    p.drawEllipse(QPointF(c.x() + 0.02 * s, c.y() - 0.08 * s), 0.3 * s, 0.28 * s);
    p.drawEllipse(QPointF(c.x() + 0.3 * s, c.y() + 0.05 * s), 0.22 * s, 0.19 * s);
    p.drawRoundedRect(QRectF(c.x() - 0.5 * s, c.y() + 0.02 * s, s, 0.22 * s), 0.1 * s, 0.1 * s);
}

void Sun(QPainter& p, QPointF c, qreal r, std::uint32_t body, std::uint32_t rays, qreal turn) {
    Line(p, Rgb(rays), r * 0.22);
    for (int i = 0; i < 12; ++i) {
        const qreal angle = (turn + 30.0 * i) * std::numbers::pi / 180.0;
        p.drawLine(QPointF(c.x() + 1.3 * r * std::cos(angle), c.y() + 1.3 * r * std::sin(angle)),
                   QPointF(c.x() + 1.65 * r * std::cos(angle), c.y() + 1.65 * r * std::sin(angle)));
    }
    Disc(p, c, r, Rgb(body));
}

// The same scattering of small things in every run.
class Scatter {
public:
    explicit Scatter(std::uint32_t seed) : m_state(seed) {}
    qreal Next() {
        m_state = m_state * 1664525u + 1013904223u;
        return static_cast<qreal>(m_state >> 8) / static_cast<qreal>(1u << 24);
    }
    QPointF In(const QRectF& area) {
        const qreal x = area.left() + Next() * area.width();
        return {x, area.top() + Next() * area.height()};
    }

private:
    std::uint32_t m_state;
};

void Sparkles(QPainter& p, const QRectF& area, int count, std::uint32_t seed,
              std::initializer_list<std::uint32_t> colours, qreal size) {
    Scatter scatter(seed);
    const std::vector<std::uint32_t> palette(colours);
    for (int i = 0; i < count; ++i) {
        const QPointF at = scatter.In(area);
        const qreal s = size * (0.5 + scatter.Next());
        Star(p, at, s, Rgb(palette[static_cast<std::size_t>(i) % palette.size()]), 20.0 * i);
    }
}

enum class Mood { Smile, Grin, Asleep };

void Face(QPainter& p, QPointF c, qreal r, std::uint32_t skin, Mood mood) {
    QRadialGradient shade(QPointF(c.x() - 0.3 * r, c.y() - 0.35 * r), 1.4 * r);
    shade.setColorAt(0, Rgb(skin).lighter(130));
    shade.setColorAt(1, Rgb(skin).darker(110));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawEllipse(c, r, r);
    const QColor ink = Rgb(0x4A2C0F);
    if (mood == Mood::Asleep) {
        Line(p, ink, 0.07 * r);
        p.drawArc(QRectF(c.x() - 0.55 * r, c.y() - 0.3 * r, 0.36 * r, 0.3 * r), 180 * 16, 180 * 16);
        p.drawArc(QRectF(c.x() + 0.19 * r, c.y() - 0.3 * r, 0.36 * r, 0.3 * r), 180 * 16, 180 * 16);
    } else {
        Oval(p, QPointF(c.x() - 0.33 * r, c.y() - 0.22 * r), 0.1 * r, 0.16 * r, ink);
        Oval(p, QPointF(c.x() + 0.33 * r, c.y() - 0.22 * r), 0.1 * r, 0.16 * r, ink);
    }
    Oval(p, QPointF(c.x() - 0.55 * r, c.y() + 0.2 * r), 0.14 * r, 0.09 * r, Rgb(0xFF7F9F, 150));
    Oval(p, QPointF(c.x() + 0.55 * r, c.y() + 0.2 * r), 0.14 * r, 0.09 * r, Rgb(0xFF7F9F, 150));
    if (mood == Mood::Grin) {
        QPainterPath mouth;
        mouth.moveTo(c.x() - 0.5 * r, c.y() + 0.12 * r);
        mouth.cubicTo(c.x() - 0.45 * r, c.y() + 0.8 * r, c.x() + 0.45 * r, c.y() + 0.8 * r,
                      c.x() + 0.5 * r, c.y() + 0.12 * r);
        mouth.closeSubpath();
        Solid(p, Rgb(0x7A1F1F));
        p.drawPath(mouth);
        Oval(p, QPointF(c.x(), c.y() + 0.5 * r), 0.22 * r, 0.1 * r, Rgb(0xFF8A8A));
    } else {
        Line(p, ink, 0.08 * r);
        p.drawArc(QRectF(c.x() - 0.45 * r, c.y() - 0.15 * r, 0.9 * r, 0.75 * r), 200 * 16,
                  140 * 16);
    }
}

void CatHead(QPainter& p, QPointF c, qreal r, bool eyesClosed) {
    const QColor fur = Rgb(0xF4A259);
    Solid(p, fur);
    p.drawPolygon(QPolygonF({QPointF(c.x() - 0.85 * r, c.y() - 0.2 * r),
                             QPointF(c.x() - 0.7 * r, c.y() - 1.05 * r),
                             QPointF(c.x() - 0.15 * r, c.y() - 0.75 * r)}));
    p.drawPolygon(QPolygonF({QPointF(c.x() + 0.85 * r, c.y() - 0.2 * r),
                             QPointF(c.x() + 0.7 * r, c.y() - 1.05 * r),
                             QPointF(c.x() + 0.15 * r, c.y() - 0.75 * r)}));
    Solid(p, Rgb(0xFFC4D6));
    p.drawPolygon(QPolygonF({QPointF(c.x() - 0.7 * r, c.y() - 0.35 * r),
                             QPointF(c.x() - 0.66 * r, c.y() - 0.85 * r),
                             QPointF(c.x() - 0.35 * r, c.y() - 0.65 * r)}));
    p.drawPolygon(QPolygonF({QPointF(c.x() + 0.7 * r, c.y() - 0.35 * r),
                             QPointF(c.x() + 0.66 * r, c.y() - 0.85 * r),
                             QPointF(c.x() + 0.35 * r, c.y() - 0.65 * r)}));
    Oval(p, c, r, 0.85 * r, fur);
    Oval(p, QPointF(c.x(), c.y() + 0.35 * r), 0.45 * r, 0.32 * r, Rgb(0xFFF1E0));
    const QColor ink = Rgb(0x3B2414);
    if (eyesClosed) {
        Line(p, ink, 0.08 * r);
        p.drawArc(QRectF(c.x() - 0.55 * r, c.y() - 0.3 * r, 0.34 * r, 0.26 * r), 180 * 16,
                  180 * 16);
        p.drawArc(QRectF(c.x() + 0.21 * r, c.y() - 0.3 * r, 0.34 * r, 0.26 * r), 180 * 16,
                  180 * 16);
    } else {
        Oval(p, QPointF(c.x() - 0.38 * r, c.y() - 0.15 * r), 0.14 * r, 0.2 * r, Rgb(0x2E7D32));
        Oval(p, QPointF(c.x() + 0.38 * r, c.y() - 0.15 * r), 0.14 * r, 0.2 * r, Rgb(0x2E7D32));
        Oval(p, QPointF(c.x() - 0.38 * r, c.y() - 0.15 * r), 0.05 * r, 0.15 * r, ink);
        Oval(p, QPointF(c.x() + 0.38 * r, c.y() - 0.15 * r), 0.05 * r, 0.15 * r, ink);
    }
    Solid(p, Rgb(0xE75480));
    p.drawPolygon(
        QPolygonF({QPointF(c.x() - 0.1 * r, c.y() + 0.15 * r),
                   QPointF(c.x() + 0.1 * r, c.y() + 0.15 * r), QPointF(c.x(), c.y() + 0.27 * r)}));
    Line(p, ink, 0.04 * r);
    for (int side : {-1, 1})
        for (int k = -1; k <= 1; ++k)
            p.drawLine(QPointF(c.x() + side * 0.3 * r, c.y() + 0.3 * r),
                       QPointF(c.x() + side * 0.95 * r, c.y() + (0.22 + 0.12 * k) * r));
}

void Cup(QPainter& p, QPointF c, qreal s, std::uint32_t colour, int steamPhase) {
    Line(p, Rgb(colour), 0.07 * s);
    p.drawEllipse(QPointF(c.x() + 0.36 * s, c.y() + 0.02 * s), 0.14 * s, 0.14 * s);
    Solid(p, Rgb(colour));
    QPainterPath body;
    body.moveTo(c.x() - 0.38 * s, c.y() - 0.2 * s);
    body.lineTo(c.x() + 0.38 * s, c.y() - 0.2 * s);
    body.cubicTo(c.x() + 0.36 * s, c.y() + 0.3 * s, c.x() + 0.2 * s, c.y() + 0.36 * s, c.x(),
                 c.y() + 0.36 * s);
    body.cubicTo(c.x() - 0.2 * s, c.y() + 0.36 * s, c.x() - 0.36 * s, c.y() + 0.3 * s,
                 c.x() - 0.38 * s, c.y() - 0.2 * s);
    p.drawPath(body);
    Oval(p, QPointF(c.x(), c.y() - 0.2 * s), 0.38 * s, 0.08 * s, Rgb(0x6F3B1E));
    Oval(p, QPointF(c.x(), c.y() + 0.4 * s), 0.5 * s, 0.06 * s, Rgb(colour).darker(115));
    Line(p, Rgb(0xFFFFFF, 210), 0.05 * s);
    for (int i = -1; i <= 1; ++i) {
        const qreal x = c.x() + 0.18 * s * i + (steamPhase % 2 == 0 ? 0 : 0.04 * s);
        QPainterPath steam;
        steam.moveTo(x, c.y() - 0.32 * s);
        steam.cubicTo(x - 0.1 * s, c.y() - 0.42 * s, x + 0.1 * s, c.y() - 0.5 * s, x,
                      c.y() - 0.62 * s);
        p.drawPath(steam);
    }
}

void Note(QPainter& p, QPointF c, qreal s, const QColor& colour) {
    Oval(p, c, 0.13 * s, 0.1 * s, colour);
    Line(p, colour, 0.05 * s);
    p.drawLine(QPointF(c.x() + 0.11 * s, c.y()), QPointF(c.x() + 0.11 * s, c.y() - 0.5 * s));
    p.drawLine(QPointF(c.x() + 0.11 * s, c.y() - 0.5 * s),
               QPointF(c.x() + 0.3 * s, c.y() - 0.38 * s));
}

void Hills(QPainter& p, qreal width, qreal height, qreal baseline, qreal amplitude, qreal phase,
           const QColor& colour) {
    QPainterPath hills;
    hills.moveTo(0, height);
    hills.lineTo(0, baseline);
    const int steps = 4;
    for (int i = 0; i < steps; ++i) {
        const qreal x0 = width * i / steps;
        const qreal x1 = width * (i + 1) / steps;
        const qreal lift = (i + static_cast<int>(phase)) % 2 == 0 ? -amplitude : amplitude * 0.4;
        hills.quadTo((x0 + x1) / 2, baseline + lift, x1, baseline);
    }
    hills.lineTo(width, height);
    hills.closeSubpath();
    Solid(p, colour);
    p.drawPath(hills);
}

void Snowflake(QPainter& p, QPointF c, qreal r, const QColor& colour) {
    Line(p, colour, 0.16 * r);
    for (int i = 0; i < 3; ++i) {
        const qreal angle = (60.0 * i) * std::numbers::pi / 180.0;
        p.drawLine(QPointF(c.x() - r * std::cos(angle), c.y() - r * std::sin(angle)),
                   QPointF(c.x() + r * std::cos(angle), c.y() + r * std::sin(angle)));
    }
}

// Each picture is drawn on a canvas 100 units wide (and as high as the
// picture's shape makes it), so the same drawing serves every size.
void DrawArt(QPainter& p, Art art, qreal h, int frame) {
    const QRectF all(0, 0, 100, h);
    switch (art) {
    case Art::CafeDance:
        Gradient(p, all, 0xFFB347, 0xFF7E5F);
        Cup(p, QPointF(45, 62), 62, 0xFFFFFF, 0);
        Note(p, QPointF(80, 40), 38, Rgb(0x5D2E0C));
        Note(p, QPointF(14, 30), 30, Rgb(0x8E3B46));
        break;
    case Art::HeartFireworks:
        Gradient(p, all, 0x2B1055, 0x7597DE);
        Line(p, Rgb(0xFFD166), 2.5);
        for (int i = 0; i < 16; ++i) {
            const qreal angle = 22.5 * i * std::numbers::pi / 180.0;
            p.drawLine(QPointF(50 + 28 * std::cos(angle), 50 + 28 * std::sin(angle)),
                       QPointF(50 + 44 * std::cos(angle), 50 + 44 * std::sin(angle)));
        }
        Heart(p, QPointF(50, 52), 48, Rgb(0xFF3B6B));
        Heart(p, QPointF(20, 20), 14, Rgb(0xFF9EC7));
        Heart(p, QPointF(82, 80), 12, Rgb(0xFFD1E8));
        break;
    case Art::SnowballFight:
        Gradient(p, all, 0xA1C4FD, 0xC2E9FB);
        Oval(p, QPointF(50, 100), 70, 22, Rgb(0xFFFFFF));
        Disc(p, QPointF(50, 70), 20, Rgb(0xFAFAFA));
        Disc(p, QPointF(50, 40), 14, Rgb(0xFFFFFF));
        Disc(p, QPointF(45, 37), 1.8, Rgb(0x263238));
        Disc(p, QPointF(55, 37), 1.8, Rgb(0x263238));
        Solid(p, Rgb(0xFF8C00));
        p.drawPolygon(QPolygonF({QPointF(50, 41), QPointF(50, 45), QPointF(63, 43)}));
        Solid(p, Rgb(0xE53935));
        p.drawRoundedRect(QRectF(36, 51, 28, 6), 3, 3);
        p.drawRect(QRectF(55, 53, 5, 14));
        Disc(p, QPointF(18, 30), 7, Rgb(0xFFFFFF));
        Disc(p, QPointF(84, 54), 6, Rgb(0xFFFFFF));
        Snowflake(p, QPointF(82, 16), 7, Rgb(0xFFFFFF));
        Snowflake(p, QPointF(14, 62), 5, Rgb(0xFFFFFF));
        break;
    case Art::BongoDrums:
        Gradient(p, all, 0x56AB2F, 0xA8E063);
        for (int i = 0; i < 2; ++i) {
            const qreal x = 32 + 36 * i;
            const qreal r = i == 0 ? 17 : 14;
            Solid(p, Rgb(i == 0 ? 0xC0392B : 0xE67E22));
            p.drawRoundedRect(QRectF(x - r, 48, 2 * r, 38), 6, 6);
            Line(p, Rgb(0xF1C40F), 2.2);
            p.drawLine(QPointF(x - r + 2, 60), QPointF(x + r - 2, 74));
            p.drawLine(QPointF(x - r + 2, 74), QPointF(x + r - 2, 60));
            Oval(p, QPointF(x, 48), r, 6, Rgb(0xF5E6CA));
        }
        Line(p, Rgb(0xFFFFFF), 2.5);
        p.drawArc(QRectF(20, 18, 24, 18), 30 * 16, 120 * 16);
        p.drawArc(QRectF(58, 22, 22, 16), 30 * 16, 120 * 16);
        break;
    case Art::RainbowKiss: {
        Gradient(p, all, 0x74EBD5, 0xACB6E5);
        const std::array<std::uint32_t, 6> bands = {0xE53935, 0xFB8C00, 0xFDD835,
                                                    0x43A047, 0x1E88E5, 0x8E24AA};
        for (std::size_t i = 0; i < bands.size(); ++i) {
            const qreal r = 42 - 4.5 * static_cast<qreal>(i);
            Line(p, Rgb(bands[i]), 4.8);
            p.setPen(QPen(Rgb(bands[i]), 4.8, Qt::SolidLine, Qt::FlatCap));
            p.drawArc(QRectF(50 - r, 78 - r, 2 * r, 2 * r), 0, 180 * 16);
        }
        Cloud(p, QPointF(14, 78), 26, Rgb(0xFFFFFF));
        Cloud(p, QPointF(86, 78), 26, Rgb(0xFFFFFF));
        Heart(p, QPointF(50, 62), 26, Rgb(0xFF4F8B));
        break;
    }
    case Art::PinataParty: {
        Gradient(p, all, 0xF857A6, 0xFF9A8B);
        Scatter confetti(7);
        const std::array<std::uint32_t, 5> colours = {0xFFEB3B, 0x00E5FF, 0x76FF03, 0xFFFFFF,
                                                      0x651FFF};
        for (int i = 0; i < 26; ++i) {
            const QPointF at = confetti.In(all);
            Solid(p, Rgb(colours[static_cast<std::size_t>(i) % colours.size()]));
            p.save();
            p.translate(at);
            p.rotate(37.0 * i);
            p.drawRect(QRectF(-2.5, -1.2, 5, 2.4));
            p.restore();
        }
        Line(p, Rgb(0x5D4037), 1.5);
        p.drawLine(QPointF(50, 0), QPointF(50, 22));
        Solid(p, Rgb(0xFFC107));
        p.drawPolygon(StarShape(QPointF(50, 56), 36, 17, 5, 0));
        Line(p, Rgb(0xE91E63), 3);
        p.drawLine(QPointF(28, 50), QPointF(72, 50));
        Line(p, Rgb(0x00BCD4), 3);
        p.drawLine(QPointF(33, 62), QPointF(67, 62));
        Disc(p, QPointF(44, 42), 2.2, Rgb(0x3E2723));
        Disc(p, QPointF(56, 42), 2.2, Rgb(0x3E2723));
        break;
    }
    case Art::SleepyCat:
        Gradient(p, all, 0xC3B1E1, 0x8E7CC3);
        CatHead(p, QPointF(46, 58), 30, true);
        Line(p, Rgb(0xFFFFFF), 2.4);
        for (int i = 0; i < 2; ++i) {
            const qreal x = 74 + 8 * i;
            const qreal y = 26 - 10 * i;
            const qreal s = 7 - 2 * i;
            p.drawPolyline(QPolygonF(
                {QPointF(x, y), QPointF(x + s, y), QPointF(x, y + s), QPointF(x + s, y + s)}));
        }
        break;
    case Art::DancingRobot:
        Gradient(p, all, 0x43CEA2, 0x185A9D);
        Line(p, Rgb(0xB0BEC5), 3);
        p.drawLine(QPointF(50, 26), QPointF(50, 12));
        Disc(p, QPointF(50, 10), 5, Rgb(0xFF5252));
        Solid(p, Rgb(0xCFD8DC));
        p.drawRoundedRect(QRectF(22, 26, 56, 48), 10, 10);
        Oval(p, QPointF(20, 50), 4, 9, Rgb(0x90A4AE));
        Oval(p, QPointF(80, 50), 4, 9, Rgb(0x90A4AE));
        Solid(p, Rgb(0x263238));
        p.drawRoundedRect(QRectF(30, 36, 14, 12), 3, 3);
        p.drawRoundedRect(QRectF(56, 36, 14, 12), 3, 3);
        Disc(p, QPointF(37, 42), 4, Rgb(0x18FFFF));
        Disc(p, QPointF(63, 42), 4, Rgb(0x18FFFF));
        Solid(p, Rgb(0x37474F));
        p.drawRoundedRect(QRectF(34, 56, 32, 9), 3, 3);
        Line(p, Rgb(0xFFEB3B), 1.6);
        for (int i = 1; i < 4; ++i)
            p.drawLine(QPointF(34 + 8 * i, 56), QPointF(34 + 8 * i, 65));
        Note(p, QPointF(84, 86), 22, Rgb(0xFFFFFF));
        break;
    case Art::CremeBrulee:
        Gradient(p, all, 0xFCE38A, 0xF38181);
        Solid(p, Rgb(0xFFFFFF));
        p.drawRoundedRect(QRectF(16, 54, 68, 24), 8, 8);
        Oval(p, QPointF(50, 54), 34, 10, Rgb(0xF7F7F7));
        Oval(p, QPointF(50, 54), 29, 7.5, Rgb(0xC68B59));
        Oval(p, QPointF(44, 52), 10, 2.5, Rgb(0xE0A96D));
        Disc(p, QPointF(60, 50), 4, Rgb(0xD81B60));
        Disc(p, QPointF(65, 53), 3.5, Rgb(0xC2185B));
        Oval(p, QPointF(58, 47), 3, 1.5, Rgb(0x66BB6A));
        Line(p, Rgb(0x9E9E9E), 3);
        p.drawLine(QPointF(72, 24), QPointF(88, 44));
        Oval(p, QPointF(70, 22), 5, 3, Rgb(0xBDBDBD));
        break;
    case Art::RocketLaunch:
        Gradient(p, all, 0x0F2027, 0x2C5364);
        Sparkles(p, all, 12, 11, {0xFFFFFF, 0xFFF59D}, 2.2);
        Solid(p, Rgb(0xFF9800));
        p.drawPolygon(QPolygonF({QPointF(42, 74), QPointF(58, 74), QPointF(50, 98)}));
        Solid(p, Rgb(0xFFEB3B));
        p.drawPolygon(QPolygonF({QPointF(45, 74), QPointF(55, 74), QPointF(50, 88)}));
        Solid(p, Rgb(0xE53935));
        p.drawPolygon(QPolygonF({QPointF(38, 58), QPointF(30, 78), QPointF(40, 74)}));
        p.drawPolygon(QPolygonF({QPointF(62, 58), QPointF(70, 78), QPointF(60, 74)}));
        {
            QPainterPath body;
            body.moveTo(50, 8);
            body.cubicTo(64, 20, 64, 50, 60, 76);
            body.lineTo(40, 76);
            body.cubicTo(36, 50, 36, 20, 50, 8);
            Solid(p, Rgb(0xECEFF1));
            p.drawPath(body);
        }
        Disc(p, QPointF(50, 38), 7, Rgb(0x90A4AE));
        Disc(p, QPointF(50, 38), 5, Rgb(0x4FC3F7));
        break;
    case Art::UnderwaterReef: {
        Gradient(p, all, 0x6DD5ED, 0x2193B0);
        Oval(p, QPointF(50, 100), 70, 14, Rgb(0xF6D7A7));
        Line(p, Rgb(0x2E7D32), 3.5);
        for (int i = 0; i < 3; ++i) {
            const qreal x = 12 + 12 * i;
            QPainterPath weed;
            weed.moveTo(x, 96);
            weed.cubicTo(x - 6, 80, x + 6, 70, x, 56 + 6 * i);
            p.drawPath(weed);
        }
        Solid(p, Rgb(0xFF7043));
        p.drawRoundedRect(QRectF(70, 80, 14, 12), 4, 4);
        Disc(p, QPointF(77, 78), 6, Rgb(0xFF8A65));
        const std::array<std::pair<QPointF, std::uint32_t>, 2> fish = {
            {{QPointF(58, 40), 0xFFA000}, {QPointF(30, 26), 0xFFEB3B}}};
        for (const auto& [at, colour] : fish) {
            Solid(p, Rgb(colour));
            p.drawPolygon(QPolygonF({QPointF(at.x() + 12, at.y()), QPointF(at.x() + 20, at.y() - 6),
                                     QPointF(at.x() + 20, at.y() + 6)}));
            Oval(p, at, 13, 8, Rgb(colour));
            Line(p, Rgb(0xFFFFFF), 1.6);
            p.drawLine(QPointF(at.x() + 2, at.y() - 7), QPointF(at.x() + 2, at.y() + 7));
            Disc(p, QPointF(at.x() - 7, at.y() - 2), 1.6, Rgb(0x212121));
        }
        Line(p, Rgb(0xFFFFFF, 200), 1.2);
        for (int i = 0; i < 5; ++i)
            p.drawEllipse(QPointF(40 - 2 * i, 34 - 6 * i), 1.2 + 0.4 * i, 1.2 + 0.4 * i);
        break;
    }
    case Art::ChateauGarden:
        Gradient(p, all, 0xFF9966, 0xFF5E62);
        Disc(p, QPointF(74, 30), 12, Rgb(0xFFE082));
        Solid(p, Rgb(0x5E548E));
        p.drawRect(QRectF(30, 40, 40, 34));
        p.drawRect(QRectF(22, 30, 12, 44));
        p.drawRect(QRectF(66, 30, 12, 44));
        Solid(p, Rgb(0x9F86C0));
        p.drawPolygon(QPolygonF({QPointF(20, 31), QPointF(28, 14), QPointF(36, 31)}));
        p.drawPolygon(QPolygonF({QPointF(64, 31), QPointF(72, 14), QPointF(80, 31)}));
        p.drawPolygon(QPolygonF({QPointF(40, 41), QPointF(50, 26), QPointF(60, 41)}));
        Solid(p, Rgb(0xFFD54F));
        for (const QRectF window :
             {QRectF(26, 39, 4, 6), QRectF(70, 39, 4, 6), QRectF(44, 47, 12, 7)})
            p.drawRoundedRect(window, 1.5, 1.5);
        Hills(p, 100, h, 76, 6, 0, Rgb(0x66BB6A));
        Hills(p, 100, h, 86, 5, 1, Rgb(0x388E3C));
        for (int i = 0; i < 6; ++i)
            Disc(p, QPointF(10 + 16 * i, 92 - (i % 2) * 3), 2.2, Rgb(i % 2 ? 0xF48FB1 : 0xFFF176));
        break;
    case Art::StarryNight:
        Gradient(p, all, 0x141E30, 0x243B55);
        Sparkles(p, QRectF(0, 0, 100, 60), 18, 3, {0xFFFFFF, 0xFFF59D, 0xB3E5FC}, 2.0);
        Disc(p, QPointF(72, 26), 13, Rgb(0xFFF3B0));
        Disc(p, QPointF(79, 21), 12, Rgb(0x182845));
        Hills(p, 100, h, 78, 8, 1, Rgb(0x0B132B));
        break;
    case Art::CatFace:
        CatHead(p, QPointF(50, 56), 38, frame % 2 == 1);
        break;
    case Art::BeatingHeart:
        Heart(p, QPointF(50, 54), frame % 2 == 0 ? 74 : 88, Rgb(0xE91E63));
        Oval(p, QPointF(34, 38), 7, 4.5, Rgb(0xFFFFFF, 170));
        break;
    case Art::Sunshine:
        Sun(p, QPointF(50, 50), 26, 0xFFD600, 0xFF9100, frame % 2 == 0 ? 0.0 : 15.0);
        Face(p, QPointF(50, 50), 24, 0xFFD600, Mood::Smile);
        break;
    case Art::TwinklingStar:
        Star(p, QPointF(50, 53), 46, Rgb(0xFFC400));
        Star(p, QPointF(50, 53), 30, Rgb(0xFFE57F));
        Star(p, frame % 2 == 0 ? QPointF(84, 16) : QPointF(16, 20), 10, Rgb(0x40C4FF));
        break;
    case Art::RainCloud:
        Line(p, Rgb(0x29B6F6), 5);
        for (int i = 0; i < 3; ++i) {
            const qreal x = 30 + 20 * i;
            const qreal y = 66 + ((i + frame) % 2) * 10;
            p.drawLine(QPointF(x, y), QPointF(x - 3, y + 10));
        }
        Cloud(p, QPointF(50, 40), 88, Rgb(0x90A4AE));
        break;
    case Art::CoffeeCup:
        Cup(p, QPointF(46, 62), 80, 0xEF5350, frame);
        break;
    case Art::BirthdayCake:
        Solid(p, Rgb(0xF8BBD0));
        p.drawRoundedRect(QRectF(14, 52, 72, 40), 6, 6);
        Solid(p, Rgb(0xFFFFFF));
        p.drawRoundedRect(QRectF(14, 50, 72, 12), 6, 6);
        for (int i = 0; i < 4; ++i)
            Disc(p, QPointF(22 + 19 * i, 74), 3, Rgb(i % 2 ? 0x42A5F5 : 0xFFCA28));
        Solid(p, Rgb(0x7E57C2));
        p.drawRect(QRectF(46, 28, 8, 22));
        Oval(p, QPointF(50, 20), frame % 2 == 0 ? 5 : 4, frame % 2 == 0 ? 9 : 7, Rgb(0xFF9100));
        Oval(p, QPointF(50, 22), 2.5, 4.5, Rgb(0xFFEA00));
        break;
    case Art::Laughing:
        Face(p, QPointF(50, frame % 2 == 0 ? 50 : 53), 44, 0xFFD54F, Mood::Grin);
        Oval(p, QPointF(12, 52), 5, 8, Rgb(0x4FC3F7));
        Oval(p, QPointF(88, 52), 5, 8, Rgb(0x4FC3F7));
        break;
    case Art::SunnyBeach:
        Gradient(p, all, 0x56CCF2, 0xE0F7FA);
        Sun(p, QPointF(80, 16), 8, 0xFFEB3B, 0xFFF59D, 0);
        Cloud(p, QPointF(24, 14), 22, Rgb(0xFFFFFF));
        Gradient(p, QRectF(0, 38, 100, 16), 0x1E88E5, 0x4FC3F7);
        Line(p, Rgb(0xFFFFFF, 180), 0.8);
        for (int i = 0; i < 5; ++i)
            p.drawArc(QRectF(6 + 19 * i, 42 + 2 * (i % 2), 10, 4), 0, 180 * 16);
        Hills(p, 100, h, 56, 3, 0, Rgb(0xF5D68A));
        Line(p, Rgb(0x6D4C41), 1.4);
        p.drawLine(QPointF(30, 66), QPointF(34, 48));
        Solid(p, Rgb(0xE53935));
        p.drawChord(QRectF(20, 42, 28, 16), 0, 180 * 16);
        Solid(p, Rgb(0xFFFFFF));
        p.drawChord(QRectF(29, 42, 10, 16), 0, 180 * 16);
        break;
    case Art::MountainLake:
        Gradient(p, all, 0x83A4D4, 0xB6FBFF);
        Solid(p, Rgb(0x6A5D8C));
        p.drawPolygon(QPolygonF({QPointF(0, 46), QPointF(28, 12), QPointF(56, 46)}));
        Solid(p, Rgb(0x7E6FA8));
        p.drawPolygon(QPolygonF({QPointF(36, 46), QPointF(70, 8), QPointF(104, 46)}));
        Solid(p, Rgb(0xFFFFFF));
        p.drawPolygon(QPolygonF(
            {QPointF(22, 19), QPointF(28, 12), QPointF(34, 19), QPointF(30, 17), QPointF(27, 20)}));
        p.drawPolygon(QPolygonF(
            {QPointF(63, 16), QPointF(70, 8), QPointF(77, 16), QPointF(72, 14), QPointF(68, 17)}));
        Gradient(p, QRectF(0, 46, 100, h - 46), 0x4A90C2, 0x2C5F8A);
        Line(p, Rgb(0xFFFFFF, 120), 0.8);
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(14 + 22 * i, 52 + 5 * (i % 2)),
                       QPointF(24 + 22 * i, 52 + 5 * (i % 2)));
        Solid(p, Rgb(0x1B5E20));
        for (int i = 0; i < 5; ++i) {
            const qreal x = 4 + 7 * i;
            p.drawPolygon(
                QPolygonF({QPointF(x - 4, 48), QPointF(x, 34 + 2 * (i % 2)), QPointF(x + 4, 48)}));
        }
        break;
    case Art::FeteLights: {
        Gradient(p, all, 0x0F0C29, 0x302B63);
        Scatter bokeh(5);
        const std::array<std::uint32_t, 5> colours = {0xFF4081, 0xFFD740, 0x69F0AE, 0x40C4FF,
                                                      0xE040FB};
        for (int i = 0; i < 16; ++i) {
            const QPointF at = bokeh.In(all);
            Disc(p, at, 4 + 6 * bokeh.Next(), Rgb(colours[static_cast<std::size_t>(i) % 5], 90));
        }
        Line(p, Rgb(0x9E9E9E), 0.6);
        QPainterPath wire;
        wire.moveTo(0, 10);
        wire.quadTo(25, 30, 50, 14);
        wire.quadTo(75, 30, 100, 10);
        p.drawPath(wire);
        for (int i = 1; i < 12; ++i) {
            const QPointF at = wire.pointAtPercent(i / 12.0);
            Oval(p, QPointF(at.x(), at.y() + 2.5), 1.6, 2.4,
                 Rgb(colours[static_cast<std::size_t>(i) % 5]));
        }
        break;
    }
    case Art::LavenderFields:
        Gradient(p, all, 0xFBD786, 0xF7797D);
        Disc(p, QPointF(50, 34), 11, Rgb(0xFFF3E0));
        Hills(p, 100, h, 40, 2, 0, Rgb(0x7B5EA7));
        for (int i = 0; i < 7; ++i) {
            Line(p, Rgb(i % 2 == 0 ? 0x9C6ADE : 0x6A3FB0), 3.2 + 0.4 * i);
            p.drawLine(QPointF(50 + (i - 3) * 4, 42), QPointF(50 + (i - 3) * 22, h));
        }
        break;
    case Art::Smiley:
        Gradient(p, all, 0x4FC3F7, 0x0288D1);
        Face(p, QPointF(50, 52), 38, 0xFFEB3B, Mood::Smile);
        break;
    case Art::Sunflower:
        Gradient(p, all, 0xD4FC79, 0x96E6A1);
        Line(p, Rgb(0x2E7D32), 5);
        p.drawLine(QPointF(50, 60), QPointF(50, 100));
        for (int i = 0; i < 14; ++i) {
            p.save();
            p.translate(50, 42);
            p.rotate(360.0 / 14 * i);
            Oval(p, QPointF(0, -24), 6, 13, Rgb(0xFFC107));
            p.restore();
        }
        Disc(p, QPointF(50, 42), 15, Rgb(0x6D4C41));
        Sparkles(p, QRectF(42, 34, 16, 16), 6, 9, {0x4E342E}, 1.5);
        break;
    case Art::Penguin:
        Gradient(p, all, 0xE0F7FA, 0x81D4FA);
        Oval(p, QPointF(50, 58), 28, 36, Rgb(0x263238));
        Oval(p, QPointF(50, 64), 19, 27, Rgb(0xFFFFFF));
        Disc(p, QPointF(50, 32), 19, Rgb(0x263238));
        Oval(p, QPointF(43, 32), 6, 7, Rgb(0xFFFFFF));
        Oval(p, QPointF(57, 32), 6, 7, Rgb(0xFFFFFF));
        Disc(p, QPointF(44, 33), 2.5, Rgb(0x000000));
        Disc(p, QPointF(56, 33), 2.5, Rgb(0x000000));
        Solid(p, Rgb(0xFF9800));
        p.drawPolygon(QPolygonF({QPointF(45, 40), QPointF(55, 40), QPointF(50, 47)}));
        Oval(p, QPointF(40, 94), 8, 3.5, Rgb(0xFF9800));
        Oval(p, QPointF(60, 94), 8, 3.5, Rgb(0xFF9800));
        break;
    case Art::Puppy:
        Gradient(p, all, 0xFFDAB9, 0xFFB07C);
        Oval(p, QPointF(24, 46), 11, 24, Rgb(0x8D6E63));
        Oval(p, QPointF(76, 46), 11, 24, Rgb(0x8D6E63));
        Disc(p, QPointF(50, 52), 30, Rgb(0xD7B58A));
        Oval(p, QPointF(50, 66), 16, 12, Rgb(0xF3E0C7));
        Disc(p, QPointF(39, 46), 4, Rgb(0x3E2723));
        Disc(p, QPointF(61, 46), 4, Rgb(0x3E2723));
        Disc(p, QPointF(40, 45), 1.3, Rgb(0xFFFFFF));
        Disc(p, QPointF(62, 45), 1.3, Rgb(0xFFFFFF));
        Oval(p, QPointF(50, 60), 6, 4.5, Rgb(0x212121));
        Oval(p, QPointF(50, 74), 5, 6, Rgb(0xF06292));
        break;
    }
}

QImage Picture(Art art, int width, int height, bool transparent, int frame = 0) {
    QImage image(width, height,
                 transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.fill(transparent ? Qt::transparent : Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal scale = width / 100.0;
    p.scale(scale, scale);
    DrawArt(p, art, height / scale, frame);
    p.end();
    return image;
}

// PNG or JPEG bytes of a picture; empty when Qt cannot write the format.
std::string Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // JPEG at a quality that keeps gradients smooth; PNG at Qt's usual
    // compression (its quality number would trade size for speed).
    const bool jpeg = std::string_view(format) == "JPEG";
    if (!image.save(&buffer, format, jpeg ? 90 : -1))
        return {};
    return bytes.toStdString();
}

// ---------------------------------------------------------------------------
// GIF: Qt reads it but cannot write it, and Messenger's emoticons are GIF
// (animated ones too), so the demo has its own small encoder.

class GifBits {
public:
    void Put(unsigned code, int width) {
        m_pending |= static_cast<std::uint32_t>(code) << m_count;
        m_count += width;
        while (m_count >= 8) {
            m_bytes.push_back(static_cast<char>(m_pending & 0xff));
            m_pending >>= 8;
            m_count -= 8;
        }
    }
    std::string Finish() {
        if (m_count > 0)
            m_bytes.push_back(static_cast<char>(m_pending & 0xff));
        m_pending = 0;
        m_count = 0;
        return std::move(m_bytes);
    }

private:
    std::string m_bytes;
    std::uint32_t m_pending = 0;
    int m_count = 0;
};

// LZW with 8-bit pixels, as a GIF decoder expects it: codes grow from 9 to
// 12 bits, and a full table is cleared. The decoder learns each entry one
// code later than the encoder makes it, which is why the width grows when
// the newest entry reaches the next power of two.
std::string LzwCompress(const std::vector<std::uint8_t>& pixels) {
    constexpr unsigned kClear = 256;
    constexpr unsigned kEnd = 257;
    GifBits bits;
    std::unordered_map<std::uint32_t, unsigned> table;
    int width = 9;
    unsigned newest = kEnd; // the last code in the table
    bits.Put(kClear, width);
    unsigned current = pixels.front();
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const std::uint32_t key = current << 8 | pixels[i];
        if (const auto found = table.find(key); found != table.end()) {
            current = found->second;
            continue;
        }
        bits.Put(current, width);
        table.emplace(key, ++newest);
        if (newest >= (1u << width) && width < 12)
            ++width;
        if (newest == 4095) {
            bits.Put(kClear, width);
            table.clear();
            width = 9;
            newest = kEnd;
        }
        current = pixels[i];
    }
    bits.Put(current, width);
    // The decoder adds one more entry on reading that code, and may widen.
    if (newest + 1 >= (1u << width) && width < 12 && newest > kEnd)
        ++width;
    bits.Put(kEnd, width);
    return bits.Finish();
}

void PutU16(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xff));
    out.push_back(static_cast<char>((value >> 8) & 0xff));
}

// The frames (same size, drawn on transparency) as one GIF89a. Index 0 is
// transparent; the other 255 hold the frames' colours, rounded until they
// fit.
std::string EncodeGif(const std::vector<QImage>& frames, unsigned delayCentiseconds) {
    const int width = frames.front().width();
    const int height = frames.front().height();
    std::vector<QImage> images;
    for (const QImage& frame : frames)
        images.push_back(frame.convertToFormat(QImage::Format_ARGB32));

    auto opaque = [](QRgb pixel) { return qAlpha(pixel) >= 128; };
    int shift = 0;
    std::map<QRgb, std::uint8_t> index;
    for (;; ++shift) {
        index.clear();
        for (const QImage& image : images)
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    if (const QRgb pixel = image.pixel(x, y); opaque(pixel))
                        index.emplace(qRgb(qRed(pixel) >> shift, qGreen(pixel) >> shift,
                                           qBlue(pixel) >> shift),
                                      0);
        if (index.size() <= 255)
            break;
    }
    std::string palette(3, '\0');
    int next = 1;
    for (auto& [colour, entry] : index) {
        entry = static_cast<std::uint8_t>(next++);
        const int half = shift > 0 ? 1 << (shift - 1) : 0;
        for (int channel : {qRed(colour), qGreen(colour), qBlue(colour)})
            palette.push_back(static_cast<char>(std::min(255, (channel << shift) + half)));
    }
    palette.resize(256 * 3, '\0');

    std::string gif = "GIF89a";
    PutU16(gif, static_cast<unsigned>(width));
    PutU16(gif, static_cast<unsigned>(height));
    gif += std::string("\xF7\x00\x00", 3); // a global table of 256 colours
    gif += palette;
    if (images.size() > 1) // loop for ever
        gif += std::string("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    for (const QImage& image : images) {
        // Graphic control: clear to the background after the frame, index 0
        // transparent.
        gif += std::string("\x21\xF9\x04\x09", 4);
        PutU16(gif, delayCentiseconds);
        gif += std::string("\x00\x00", 2);
        gif += std::string("\x2C\x00\x00\x00\x00", 5);
        PutU16(gif, static_cast<unsigned>(width));
        PutU16(gif, static_cast<unsigned>(height));
        gif.push_back('\0');
        std::vector<std::uint8_t> pixels;
        pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const QRgb pixel = image.pixel(x, y);
                pixels.push_back(opaque(pixel)
                                     ? index.at(qRgb(qRed(pixel) >> shift, qGreen(pixel) >> shift,
                                                     qBlue(pixel) >> shift))
                                     : 0);
            }
        gif.push_back('\x08');
        const std::string data = LzwCompress(pixels);
        for (std::size_t at = 0; at < data.size(); at += 255) {
            const std::size_t length = std::min<std::size_t>(255, data.size() - at);
            gif.push_back(static_cast<char>(length));
            gif += data.substr(at, length);
        }
        gif.push_back('\0');
    }
    gif.push_back('\x3B');
    return gif;
}

// Most emoticons move a little (a blink, a beat, a flicker); the cup and the
// laugh stand still, as many of Messenger's do.
bool IsAnimated(Art art) {
    return art != Art::CoffeeCup && art != Art::Laughing;
}

std::string EmoticonGif(Art art) {
    constexpr int kSize = 40;
    std::vector<QImage> frames;
    const int count = IsAnimated(art) ? 2 : 1;
    for (int frame = 0; frame < count; ++frame)
        frames.push_back(Picture(art, kSize, kSize, true, frame));
    return EncodeGif(frames, 45);
}

// ---------------------------------------------------------------------------
// SWF: the movie of a packaged object, uncompressed ("FWS"), version 8. A
// stage colour, two shapes of straight edges, and a loop of frames that
// turns and moves them and recolours the small one.

class SwfWriter {
public:
    void Bits(std::uint32_t value, int count) {
        for (int i = count - 1; i >= 0; --i) {
            if (m_used == 0)
                m_bytes.push_back('\0');
            if ((value >> i) & 1u)
                m_bytes.back() = static_cast<char>(m_bytes.back() | (0x80 >> m_used));
            m_used = (m_used + 1) % 8;
        }
    }
    void Signed(std::int32_t value, int count) {
        Bits(static_cast<std::uint32_t>(value) & (count >= 32 ? ~0u : (1u << count) - 1u), count);
    }
    void Align() { m_used = 0; }
    void U8(unsigned value) {
        Align();
        m_bytes.push_back(static_cast<char>(value & 0xff));
    }
    void U16(unsigned value) {
        U8(value);
        U8(value >> 8);
    }
    void Rgb(std::uint32_t rgb) {
        U8(rgb >> 16);
        U8(rgb >> 8);
        U8(rgb);
    }
    void Append(const std::string& bytes) {
        Align();
        m_bytes += bytes;
    }
    std::string Take() {
        Align();
        return std::move(m_bytes);
    }

private:
    std::string m_bytes;
    int m_used = 0; // bits used in the last byte
};

// Bits a signed field needs for value.
int SignedBits(std::int32_t value) {
    int bits = 1;
    while (value < -(std::int64_t{1} << (bits - 1)) || value >= (std::int64_t{1} << (bits - 1)))
        ++bits;
    return bits;
}

int SignedBits(std::initializer_list<std::int32_t> values) {
    int bits = 1;
    for (std::int32_t value : values)
        bits = std::max(bits, SignedBits(value));
    return bits;
}

void Rect(SwfWriter& out, std::int32_t xMin, std::int32_t xMax, std::int32_t yMin,
          std::int32_t yMax) {
    const int bits = SignedBits({xMin, xMax, yMin, yMax});
    out.Align();
    out.Bits(static_cast<std::uint32_t>(bits), 5);
    for (std::int32_t value : {xMin, xMax, yMin, yMax})
        out.Signed(value, bits);
    out.Align();
}

std::string Tag(unsigned code, const std::string& body) {
    SwfWriter out;
    if (body.size() < 0x3f) {
        out.U16(code << 6 | static_cast<unsigned>(body.size()));
    } else {
        out.U16(code << 6 | 0x3f);
        out.U16(static_cast<unsigned>(body.size()));
        out.U16(static_cast<unsigned>(body.size() >> 16));
    }
    out.Append(body);
    return out.Take();
}

constexpr unsigned kEndTag = 0;
constexpr unsigned kShowFrameTag = 1;
constexpr unsigned kDefineShapeTag = 2;
constexpr unsigned kSetBackgroundColorTag = 9;
constexpr unsigned kPlaceObject2Tag = 26;
constexpr unsigned kFileAttributesTag = 69;
constexpr int kTwips = 20;

// A star (or, with inner equal to outer, a polygon) around the origin, in
// twips, corners going clockwise on the screen so the fill lies on the
// right of each edge (fill style 1).
std::vector<std::pair<std::int32_t, std::int32_t>> StarCorners(int points, double outer,
                                                               double inner) {
    std::vector<std::pair<std::int32_t, std::int32_t>> corners;
    const int count = inner < outer ? 2 * points : points;
    for (int i = 0; i < count; ++i) {
        const double angle = -std::numbers::pi / 2 + 2 * std::numbers::pi * i / count;
        const double radius = inner < outer && i % 2 == 1 ? inner : outer;
        corners.emplace_back(static_cast<std::int32_t>(std::lround(radius * std::cos(angle))),
                             static_cast<std::int32_t>(std::lround(radius * std::sin(angle))));
    }
    return corners;
}

std::string DefineShape(unsigned id, std::uint32_t colour,
                        const std::vector<std::pair<std::int32_t, std::int32_t>>& corners) {
    std::int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    for (const auto& [x, y] : corners) {
        xMin = std::min(xMin, x);
        xMax = std::max(xMax, x);
        yMin = std::min(yMin, y);
        yMax = std::max(yMax, y);
    }
    SwfWriter out;
    out.U16(id);
    Rect(out, xMin, xMax, yMin, yMax);
    out.U8(1);    // one fill style
    out.U8(0x00); // solid
    out.Rgb(colour);
    out.U8(0);      // no line styles
    out.Bits(1, 4); // fill index bits
    out.Bits(0, 4); // line index bits
    // Move to the first corner with fill style 1.
    const auto [x0, y0] = corners.front();
    out.Bits(0, 1);       // a style change
    out.Bits(0b00101, 5); // new styles no, line no, fill 1 yes, fill 0 no, move yes
    const int moveBits = SignedBits({x0, y0});
    out.Bits(static_cast<std::uint32_t>(moveBits), 5);
    out.Signed(x0, moveBits);
    out.Signed(y0, moveBits);
    out.Bits(1, 1); // fill style 1
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const auto [fromX, fromY] = corners[i];
        const auto [toX, toY] = corners[(i + 1) % corners.size()];
        const std::int32_t dx = toX - fromX;
        const std::int32_t dy = toY - fromY;
        const int bits = std::max(2, SignedBits({dx, dy}));
        out.Bits(0b11, 2); // an edge, straight
        out.Bits(static_cast<std::uint32_t>(bits - 2), 4);
        out.Bits(1, 1); // both deltas
        out.Signed(dx, bits);
        out.Signed(dy, bits);
    }
    out.Bits(0, 6); // end of shape
    return Tag(kDefineShapeTag, out.Take());
}

struct Placement {
    double x = 0, y = 0; // pixels
    double scale = 1;
    double turnDegrees = 0;
};

void Matrix(SwfWriter& out, const Placement& at) {
    const double radians = at.turnDegrees * std::numbers::pi / 180.0;
    auto fixed = [](double value) { return static_cast<std::int32_t>(std::lround(value * 65536)); };
    const std::int32_t scale = fixed(at.scale * std::cos(radians));
    const std::int32_t rotate0 = fixed(at.scale * std::sin(radians));
    const std::int32_t rotate1 = -rotate0;
    const auto tx = static_cast<std::int32_t>(std::lround(at.x * kTwips));
    const auto ty = static_cast<std::int32_t>(std::lround(at.y * kTwips));
    out.Align();
    out.Bits(1, 1);
    const int scaleBits = SignedBits({scale});
    out.Bits(static_cast<std::uint32_t>(scaleBits), 5);
    out.Signed(scale, scaleBits);
    out.Signed(scale, scaleBits);
    out.Bits(1, 1);
    const int rotateBits = SignedBits({rotate0, rotate1});
    out.Bits(static_cast<std::uint32_t>(rotateBits), 5);
    out.Signed(rotate0, rotateBits);
    out.Signed(rotate1, rotateBits);
    const int translateBits = SignedBits({tx, ty});
    out.Bits(static_cast<std::uint32_t>(translateBits), 5);
    out.Signed(tx, translateBits);
    out.Signed(ty, translateBits);
    out.Align();
}

// A colour transform that paints the shape in colour whatever its own:
// the colour channels multiplied by 0 and the colour added, alpha kept.
void Recolour(SwfWriter& out, std::uint32_t colour) {
    constexpr int kBits = 10; // 256 (alpha times 1.0) needs 10 signed bits
    out.Align();
    out.Bits(1, 1); // add terms
    out.Bits(1, 1); // multiply terms
    out.Bits(kBits, 4);
    for (std::int32_t multiply : {0, 0, 0, 256})
        out.Signed(multiply, kBits);
    for (std::int32_t add : {static_cast<std::int32_t>((colour >> 16) & 0xff),
                             static_cast<std::int32_t>((colour >> 8) & 0xff),
                             static_cast<std::int32_t>(colour & 0xff), 0})
        out.Signed(add, kBits);
    out.Align();
}

std::string PlaceObject(unsigned depth, unsigned character, const Placement& at,
                        const std::uint32_t* colour) {
    SwfWriter out;
    unsigned flags = 0x04;                 // a matrix
    flags |= character != 0 ? 0x02 : 0x01; // a new character, or move the one there
    if (colour != nullptr)
        flags |= 0x08;
    out.U8(flags);
    out.U16(depth);
    if (character != 0)
        out.U16(character);
    Matrix(out, at);
    if (colour != nullptr)
        Recolour(out, *colour);
    return Tag(kPlaceObject2Tag, out.Take());
}

struct MovieLook {
    int width = 320; // pixels
    int height = 240;
    int points = 5;       // of the big shape
    bool star = true;     // a star, or a polygon of that many corners
    int accentPoints = 4; // of the small shape
    std::array<std::uint32_t, 3> accents{};
};

std::string Movie(const MovieLook& look) {
    const double side = std::min(look.width, look.height);
    const double bigRadius = 0.30 * side;
    const double smallRadius = 0.09 * side;
    const double cx = look.width / 2.0;
    const double cy = look.height / 2.0;

    std::string tags;
    tags += Tag(kFileAttributesTag, std::string(4, '\0'));
    {
        SwfWriter background;
        background.Rgb(kDemoMovieStageColour);
        tags += Tag(kSetBackgroundColorTag, background.Take());
    }
    tags += DefineShape(
        1, kDemoMovieShapeColour,
        StarCorners(look.points, bigRadius * kTwips, (look.star ? 0.5 : 1.0) * bigRadius * kTwips));
    tags += DefineShape(
        2, look.accents[0],
        StarCorners(look.accentPoints, smallRadius * kTwips, 0.45 * smallRadius * kTwips));
    for (int frame = 0; frame < kDemoMovieFrames; ++frame) {
        const double phase = 2 * std::numbers::pi * frame / kDemoMovieFrames;
        // A turn by one point's angle over the loop looks seamless.
        const Placement big{cx, cy + 0.06 * look.height * std::sin(phase),
                            1.0 + 0.08 * std::sin(2 * phase),
                            360.0 / look.points * frame / kDemoMovieFrames};
        const Placement small{cx + 0.38 * look.width * std::cos(phase),
                              cy + 0.36 * look.height * std::sin(phase), 1.0,
                              -360.0 * frame / kDemoMovieFrames};
        const std::uint32_t colour = look.accents[static_cast<std::size_t>(frame / 4) % 3];
        // The first frame places the two shapes; the others move them.
        tags += PlaceObject(1, frame == 0 ? 1 : 0, big, nullptr);
        tags += PlaceObject(2, frame == 0 ? 2 : 0, small, &colour);
        tags += Tag(kShowFrameTag, {});
    }
    tags += Tag(kEndTag, {});

    SwfWriter header;
    Rect(header, 0, look.width * kTwips, 0, look.height * kTwips);
    header.U16(static_cast<unsigned>(kDemoMovieFrameRate) << 8); // 8.8 frames a second
    header.U16(kDemoMovieFrames);
    const std::string frame = header.Take();
    const std::size_t length = 8 + frame.size() + tags.size();
    std::string swf = "FWS";
    swf.push_back('\x08');
    for (int i = 0; i < 4; ++i)
        swf.push_back(static_cast<char>((length >> (8 * i)) & 0xff));
    return swf + frame + tags;
}

MovieLook LookOf(const DemoObject& object, std::size_t number) {
    static constexpr std::array<std::array<std::uint32_t, 3>, 6> kAccents = {{
        {0xFF006E, 0x8338EC, 0x3A86FF},
        {0x06D6A0, 0xEF476F, 0xFFFFFF},
        {0xF72585, 0x4CC9F0, 0x7209B7},
        {0xFB5607, 0xFFFFFF, 0x80ED99},
        {0xE63946, 0xA8DADC, 0xF1FAEE},
        {0x9B5DE5, 0x00F5D4, 0xF15BB5},
    }};
    MovieLook look;
    if (object.category == ContentCategory::DynamicDisplayPictures)
        look.width = look.height = 96;
    look.points = 4 + static_cast<int>(number % 5);
    look.star = number % 3 != 2;
    look.accentPoints = 3 + static_cast<int>(number % 3);
    look.accents = kAccents[number % kAccents.size()];
    return look;
}

// ---------------------------------------------------------------------------
// The account's files.

std::string Utf16(std::string_view codePageText) {
    const std::vector<std::uint8_t> units = Ansi().ToUtf16Le(codePageText);
    return {units.begin(), units.end()};
}

std::string Friendly(const char* name) {
    return QByteArray::fromStdString(Utf16(name)).toBase64().toStdString();
}

// The catalogue text of a category, as Messenger writes it, in UTF-16LE
// (after a byte-order mark for the tab-separated layouts).
std::string CatalogueUtf16(ContentCategory category) {
    std::string text;
    const std::vector<const DemoObject*> objects = ObjectsOf(category);
    switch (category) {
    case ContentCategory::Winks:
    case ContentCategory::DynamicDisplayPictures:
    case ContentCategory::DynamicBackgrounds:
        text = "<Items Version=\"1\">\r\n";
        for (const DemoObject* object : objects)
            text += "<Item Friendly=\"" + Friendly(object->name) + "\" Location=\"" +
                    Location(*object) + "\" stamp=\"" + Stamp(*object) + "\" />\r\n";
        text += "</Items>\r\n";
        return Utf16(text);
    case ContentCategory::RegularBackgrounds:
        text = "<Backgrounds>\r\n";
        for (const DemoObject* object : objects)
            text += "<Item Friendly=\"" + Friendly(object->name) + "\" Location=\"" +
                    Location(*object) + "\" />\r\n";
        text += "</Backgrounds>\r\n";
        return Utf16(text);
    case ContentCategory::RegularDisplayPictures:
        for (std::size_t i = 0; i < objects.size(); ++i)
            text += (i == 0 ? "" : "\t") + std::string(objects[i]->name) + "\t<Tile Location=\"" +
                    Location(*objects[i]) + "\" />";
        break;
    case ContentCategory::CustomEmoticons:
        for (std::size_t i = 0; i < objects.size(); ++i)
            text += (i == 0 ? "" : "\t") + std::string(objects[i]->key) + "\t" + objects[i]->name +
                    "\t<Emoticon Location=\"" + Location(*objects[i]) + "\" />";
        break;
    }
    return "\xFF\xFE" + Utf16(text);
}

// Each category's catalogue has a name of 16 hexadecimal digits in the
// account's MapFile folder.
std::string CatalogueName(ContentCategory category) {
    const std::uint32_t low = NameHash(category, kDemoPassport);
    const std::uint32_t high = NameHash(category, std::to_string(low));
    return Hex8(low, true) + Hex8(high, true) + ".dat";
}

std::string PointerUtf16(ContentCategory category) {
    return Utf16("<MapFile><Item Location=\"" + CatalogueName(category) + "\" /></MapFile>");
}

std::span<const std::uint8_t> AsBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// A protected file: two leading bytes, then the blob of the text's Base64
// in lines of 76 characters, with the passport as entropy.
std::string ProtectedFile(const std::string& utf16, const DataProtection& protection) {
    const std::string base64 = QByteArray::fromStdString(utf16).toBase64().toStdString();
    std::string wrapped;
    for (std::size_t at = 0; at < base64.size(); at += 76)
        wrapped += base64.substr(at, 76) + "\r\n";
    const Bytes blob = protection.Protect(AsBytes(wrapped), AsBytes(kDemoPassport));
    if (blob.empty())
        return {};
    return std::string("\x02\x00", 2) + std::string(blob.begin(), blob.end());
}

// True when the file unprotects, for this Wine user and the demo passport,
// to exactly the text.
bool OpensTo(const std::string& path, const std::string& utf16, const DataProtection& protection) {
    const FileRead file = ReadRegularFile(path, 1u << 20);
    if (!file.bytes || file.bytes->size() < 2)
        return false;
    const auto plain =
        protection.Unprotect(AsBytes(*file.bytes).subspan(2), AsBytes(kDemoPassport));
    if (!plain)
        return false;
    const std::vector<std::uint8_t> decoded =
        DecodeBase64(std::string_view(reinterpret_cast<const char*>(plain->data()), plain->size()));
    return std::string(decoded.begin(), decoded.end()) == utf16;
}

std::uint32_t LittleEndian(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// A cabinet of the demo's two members, whole: its header's length is the
// file's.
bool IsWholeCabinet(const std::string& path) {
    const FileRead file = ReadRegularFile(path, 16u << 20);
    if (!file.bytes || file.bytes->size() < 36 || file.bytes->compare(0, 4, "MSCF") != 0)
        return false;
    return LittleEndian(*file.bytes, 8, 4) == file.bytes->size() &&
           LittleEndian(*file.bytes, 28, 2) == 2;
}

bool IsWholePicture(const std::string& path) {
    const FileRead file = ReadRegularFile(path, 16u << 20);
    QImage image;
    return file.bytes && image.loadFromData(QByteArray::fromStdString(*file.bytes));
}

struct Folders {
    std::string accountFolder;
    std::string mapFileFolder;

    std::string ObjectFolder(ContentCategory category) const {
        return JoinPath(accountFolder, CategoryFolderName(category));
    }
};

bool IsComplete(const Folders& folders, ContentCategory category,
                const DataProtection& protection) {
    const std::string objectFolder = folders.ObjectFolder(category);
    if (!OpensTo(JoinPath(objectFolder, "map.dat"), PointerUtf16(category), protection) ||
        !OpensTo(JoinPath(folders.mapFileFolder, CatalogueName(category)), CatalogueUtf16(category),
                 protection))
        return false;
    for (const DemoObject* object : ObjectsOf(category)) {
        const std::string path = JoinPath(objectFolder, Location(*object));
        if (!(IsPackaged(category) ? IsWholeCabinet(path) : IsWholePicture(path)))
            return false;
    }
    return true;
}

// Writes one category: the objects first, the catalogue, and the pointer
// file last, so a category interrupted half-way is found incomplete and
// written again next time.
class CategoryWriter {
public:
    CategoryWriter(const Folders& folders, const DataProtection& protection, CabinetTools& tools)
        : m_folders(folders), m_protection(protection), m_tools(tools) {}

    bool Write(ContentCategory category, std::string& reason) {
        const std::string objectFolder = m_folders.ObjectFolder(category);
        if (!Folder(objectFolder, reason) || !Folder(m_folders.mapFileFolder, reason))
            return false;
        for (const DemoObject* object : ObjectsOf(category)) {
            const std::string path = JoinPath(objectFolder, Location(*object));
            // Numbered across the whole demo, so no two movies look alike.
            const auto number = static_cast<std::size_t>(object - kObjects.data());
            if (!(IsPackaged(category) ? WriteCabinet(*object, number, path, reason)
                                       : WritePicture(*object, path, reason)))
                return false;
        }
        return WriteProtected(JoinPath(m_folders.mapFileFolder, CatalogueName(category)),
                              CatalogueUtf16(category), reason) &&
               WriteProtected(JoinPath(objectFolder, "map.dat"), PointerUtf16(category), reason);
    }

private:
    static bool Folder(const std::string& path, std::string& reason) {
        if (MakeFolders(path))
            return true;
        reason = "the folder " + path + " cannot be made: " + ErrorText(errno);
        return false;
    }

    static bool WriteBytes(const std::string& path, const std::string& bytes, std::string& reason) {
        if (WriteFileAtomically(path, bytes))
            return true;
        reason = path + " cannot be written: " + ErrorText(errno);
        return false;
    }

    bool WriteProtected(const std::string& path, const std::string& utf16, std::string& reason) {
        const std::string bytes = ProtectedFile(utf16, m_protection);
        if (bytes.empty()) {
            reason = "the data protection of " + path + " failed";
            return false;
        }
        return WriteBytes(path, bytes, reason);
    }

    bool WritePicture(const DemoObject& object, const std::string& path, std::string& reason) {
        std::string bytes;
        switch (object.category) {
        case ContentCategory::CustomEmoticons:
            bytes = EmoticonGif(object.art);
            break;
        case ContentCategory::RegularBackgrounds:
            bytes = Encoded(Picture(object.art, 320, 240, false), object.jpeg ? "JPEG" : "PNG");
            break;
        default:
            bytes = Encoded(Picture(object.art, 96, 96, false), "PNG");
            break;
        }
        if (bytes.empty()) {
            reason = std::string("Qt cannot write ") + (object.jpeg ? "JPEG" : "PNG") +
                     " pictures here (its image format plugins are missing)";
            return false;
        }
        return WriteBytes(path, bytes, reason);
    }

    // The members are drawn into a folder of Quorvane's scratch and packed
    // from there by cabarc, which writes the cabinet beside itself and puts
    // it in place whole.
    bool WriteCabinet(const DemoObject& object, std::size_t number, const std::string& path,
                      std::string& reason) {
        if (!m_scratch && !MakeScratch(reason))
            return false;
        const std::string stem = Stem(Location(object));
        const std::string folder = JoinPath(m_scratch->Path(), stem);
        const std::string thumbnail = Encoded(Picture(object.art, 96, 96, false), "PNG");
        if (thumbnail.empty()) {
            reason = "Qt cannot write PNG pictures here";
            return false;
        }
        if (!Folder(folder, reason) ||
            !WriteBytes(JoinPath(folder, stem + ".png"), thumbnail, reason) ||
            !WriteBytes(JoinPath(folder, stem + ".swf"), Movie(LookOf(object, number)), reason))
            return false;
        const ToolRun run = m_tools.PackFolder(folder, {stem + ".png", stem + ".swf"}, path);
        if (!run.succeeded || !IsWholeCabinet(path)) {
            std::string why = run.reason.empty() ? "the cabinet is not whole" : run.reason;
            while (!why.empty() && (why.back() == '\n' || why.back() == '.'))
                why.pop_back();
            reason = path + " cannot be made: " + why;
            return false;
        }
        return true;
    }

    bool MakeScratch(std::string& reason) {
        const std::string root = PrivateFolderPath();
        if (!EnsurePrivateFolder(root, reason))
            return false;
        SweepStaleScratch(root, "demo-");
        m_scratch = ScratchFolder::Make(root, "demo-", reason);
        return m_scratch != nullptr;
    }

    const Folders& m_folders;
    const DataProtection& m_protection;
    CabinetTools& m_tools;
    std::unique_ptr<ScratchFolder> m_scratch;
};

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

std::string DemoPrefixPath() {
    std::string data;
    if (const char* env = std::getenv("XDG_DATA_HOME"); env != nullptr && *env == '/') {
        data = WithoutTrailingSlashes(env);
    } else {
        const std::string home = HomeFolder();
        data = JoinPath(home.empty() ? std::string("/") : home, ".local/share");
    }
    return JoinPath(JoinPath(data, "quorvane"), "demo-wine");
}

bool EnsureDemoAccount(const std::string& prefix, const std::string& wineUser, CabinetTools& tools,
                       DemoAccount& demo, std::string& reason) {
    if (prefix.empty()) {
        reason = "no folder is given for the demo's Wine prefix";
        return false;
    }
    // The user's folder is named by the user; a name that is no folder name
    // would put the account somewhere else.
    if (!IsBareFileName(wineUser)) {
        reason = "the Wine user name \"" + wineUser + "\" cannot be a folder's name";
        return false;
    }
    demo.prefix = WithoutTrailingSlashes(AbsolutePath(prefix));
    demo.user = wineUser;
    demo.passport = kDemoPassport;

    // The prefix is made and checked as the private folder is: a link or a
    // folder of another user there is refused rather than written through,
    // and the folders are the user's alone, so nobody else can plant a link
    // inside.
    if (!EnsurePrivateFolder(demo.prefix, reason))
        return false;
    const std::string windows = EnsurePrivateSubfolder(demo.prefix, "drive_c/windows", reason);
    if (windows.empty())
        return false;
    const std::string appData = EnsurePrivateSubfolder(
        demo.prefix, "drive_c/users/" + demo.user + "/AppData/Roaming", reason);
    if (appData.empty())
        return false;
    const std::uint32_t accountId = MessengerProfile::AccountId(kDemoPassport, Ansi());
    Folders folders;
    folders.accountFolder =
        JoinPath(JoinPath(appData, "Microsoft/MSN Messenger"), std::to_string(accountId));
    folders.mapFileFolder = JoinPath(folders.accountFolder, "MapFile");
    // Wine hands its programs the user name in the code page, and the key of
    // the protected files is made of those bytes.
    const WineDataProtection protection(Ansi().FromUtf8(demo.user));

    std::vector<ContentCategory> missing;
    for (int i = 0; i < kCategoryCount; ++i)
        if (!IsComplete(folders, static_cast<ContentCategory>(i), protection))
            missing.push_back(static_cast<ContentCategory>(i));
    if (missing.empty())
        return true;

    // A listing or backup of the demo account must not read it while it is
    // rewritten: the account's lock is the one they take.
    std::string lockFolder;
    const std::string root = PrivateFolderPath();
    if (EnsurePrivateFolder(root, reason))
        lockFolder = EnsurePrivateSubfolder(root, std::to_string(accountId), reason);
    if (lockFolder.empty())
        return false;
    FileLock::Outcome outcome = FileLock::Outcome::Failed;
    const auto lock = FileLock::Acquire(JoinPath(lockFolder, "lock"), 5000, outcome, reason);
    if (!lock) {
        if (outcome == FileLock::Outcome::Busy)
            reason = "another Quorvane is working on the demo account; try again when it has "
                     "finished";
        return false;
    }
    CategoryWriter writer(folders, protection, tools);
    for (ContentCategory category : missing) {
        // Another run may have written it while this one waited for the lock.
        if (IsComplete(folders, category, protection))
            continue;
        if (!writer.Write(category, reason)) {
            reason = std::string(CategoryLabel(category)) + ": " + reason;
            return false;
        }
    }
    return true;
}

bool HasMessengerData(const WineAccount& wine) {
    return IsDirectory(JoinPath(wine.ApplicationDataFolder(), "Microsoft/MSN Messenger"));
}

} // namespace quorvane
