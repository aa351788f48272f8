#include "export/ExportOperation.h"

#include "backup/Rescue.h"
#include "export/MovieRenderer.h"
#include "export/MovieSound.h"
#include "export/RenderWriter.h"
#include "export/SwfMovie.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/TranslatedSentence.h"

#include <QCryptographicHash>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <map>
#include <memory>
#include <set>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

namespace {

// A movie or picture larger than this is no Messenger object.
constexpr std::size_t kMostObjectBytes = 64u * 1024 * 1024;
constexpr std::size_t kMostManifestBytes = 64u * 1024 * 1024;
constexpr int kMostNumbers = 1000;
constexpr const char* kGalleryName = "index.html";
constexpr const char* kManifestName = "quorvane-export.json";

// A file of an item under its temporary name, and the name it is meant for.
struct PlannedFile {
    std::string ExportedFiles::*role;
    std::string temporary;
    std::string name;
    std::string sha256{}; // known when the bytes were in hand; else read back
};

// One item on its way: its files so far, and for a movie what its render
// needs.
struct ItemWork {
    const ExportSource* source = nullptr;
    ExportedItem item;
    const OpenFolder* folder = nullptr;
    std::string subfolder;
    std::vector<PlannedFile> files;
    bool done = false;
    // Movies.
    std::string movieBytes;
    SwfMovie facts;
    int renderWidth = 0;
    int renderHeight = 0;
    std::unique_ptr<RenderWriter> writer;
    std::vector<PlannedFile> renders;
};

std::string Sha256Hex(std::string_view bytes) {
    return QCryptographicHash::hash(QByteArrayView(bytes.data(), qsizetype(bytes.size())),
                                    QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

// The SHA-256 of a file in the folder, read without following a link.
Result<std::string> Sha256Of(const OpenFolder& folder, const std::string& name) {
    int fd;
    do {
        fd = ::openat(folder.Descriptor(), name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return Fail(SystemFailure(errno));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            return Fail(SystemFailure(error));
        }
        if (got == 0)
            break;
        hash.addData(QByteArrayView(buffer, got));
    }
    ::close(fd);
    return hash.result().toHex().toStdString();
}

std::string PictureExtension(std::string_view bytes, std::string_view location) {
    const std::optional<RescuedKind> kind = SniffKind(bytes);
    if (kind && *kind != RescuedKind::Cabinet)
        return std::string(KindExtension(*kind));
    // Bytes of a kind not known here keep the extension they were stored
    // under, when they had one of letters and digits.
    const std::size_t dot = location.rfind('.');
    if (dot != std::string_view::npos && location.size() - dot <= 5 && dot + 1 < location.size() &&
        std::all_of(location.begin() + long(dot) + 1, location.end(),
                    [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }))
        return std::string(location.substr(dot));
    return ".bin";
}

class Exporter {
public:
    Exporter(const std::string& folder, const ExportServices& services)
        : m_folderPath(folder), m_services(services) {}

    ExportOutcome Run(const std::vector<ExportSource>& sources);

private:
    Result<const OpenFolder*> Subfolder(const std::string& type);
    void Prepare(ItemWork& work);
    Result<> KeepCopy(ItemWork& work, std::string_view bytes, std::string ExportedFiles::*role,
                      std::string name);
    void RenderAll();
    Result<> StartRender(ItemWork& work);
    void EndRender(ItemWork& work, std::optional<Failure> failure);
    void Place(ItemWork& work);
    void Finish(ItemWork& work);
    void WriteIndex(ExportOutcome& outcome);
    void Progress();
    bool Cancelled() const { return IsCancelled(m_services.cancel); }

    std::string m_folderPath;
    const ExportServices& m_services;
    OpenFolder m_folder;
    std::map<std::string, std::unique_ptr<OpenFolder>> m_subfolders;
    std::set<std::string> m_taken; // "<type>/<name>" placed by this run
    std::vector<ItemWork> m_work;
    std::size_t m_done = 0;
};

Result<const OpenFolder*> Exporter::Subfolder(const std::string& type) {
    auto found = m_subfolders.find(type);
    if (found != m_subfolders.end())
        return found->second.get();
    const std::string path = JoinPath(m_folderPath, type);
    auto folder = std::make_unique<OpenFolder>();
    if (::mkdirat(m_folder.Descriptor(), type.c_str(), 0777) != 0 && errno != EEXIST) {
        const int error = errno;
        return Fail(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "the folder %1 could not be created: %2"),
                             path, ErrorText(error)),
                    error);
    }
    if (Result<> opened = folder->Open(path); !opened)
        return Fail(Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes", "the folder %1 cannot be written into: %2"),
                             path, opened.error().sentence));
    SweepTemporaryFiles(*folder);
    return m_subfolders.emplace(type, std::move(folder)).first->second.get();
}

Result<> Exporter::KeepCopy(ItemWork& work, std::string_view bytes,
                            std::string ExportedFiles::*role, std::string name) {
    Result<std::string> temporary = work.folder->WriteTemporaryFile(bytes);
    if (!temporary)
        return Fail(Sentence(
            QCoreApplication::translate("quorvane::Outcomes", "%1 could not be written: %2"),
            work.folder->PathOf(name), temporary.error().sentence));
    work.files.push_back({role, *temporary, std::move(name), Sha256Hex(bytes)});
    return {};
}

void Exporter::Prepare(ItemWork& work) {
    const ExportSource& source = *work.source;
    if (source.originalPath.empty()) {
        work.item.failure = Failure{
            0,
            QCoreApplication::translate("quorvane::Outcomes", "its cabinet holds no Flash movie")
                .toStdString(),
            FailureCode::Damaged};
        return;
    }
    const Result<std::string> original = ReadRegularFile(source.originalPath, kMostObjectBytes);
    if (!original) {
        work.item.failure =
            Failure{original.error().osError,
                    Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "its file %1 cannot be read: %2"),
                             source.originalPath, original.error().sentence),
                    original.error().code};
        return;
    }
    const std::string& stem = source.fileStem;
    if (!source.movie) {
        if (Result<> kept = KeepCopy(work, *original, &ExportedFiles::original,
                                     stem + PictureExtension(*original, source.locationUtf8));
            !kept)
            work.item.failure = kept.error();
        return;
    }
    Result<> kept = KeepCopy(work, *original, &ExportedFiles::original, stem + ".swf");
    if (kept && !source.picturePath.empty()) {
        if (const Result<std::string> picture =
                ReadRegularFile(source.picturePath, kMostObjectBytes)) {
            kept = KeepCopy(work, *picture, &ExportedFiles::picture,
                            stem + "-thumbnail" + PictureExtension(*picture, source.picturePath));
        }
    }
    if (!kept) {
        work.item.failure = kept.error();
        return;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(original->data());
    Result<SwfMovie> facts = ReadSwfMovie(std::span(bytes, original->size()));
    if (!facts) {
        work.item.failure =
            Failure{0,
                    Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "its movie cannot be rendered: %1"),
                             facts.error().sentence),
                    facts.error().code};
        return;
    }
    work.facts = *facts;
    work.movieBytes = *original;
    std::tie(work.renderWidth, work.renderHeight) = RenderSize(facts->width, facts->height);
    work.item.frames = facts->playFrames;
    work.item.frameRate = facts->frameRate256 / 256.0;
}

Result<> Exporter::StartRender(ItemWork& work) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(work.movieBytes.data());
    const std::span movie(bytes, work.movieBytes.size());
    SoundTrack sound;
    if (work.facts.hasSound) {
        Result<SoundTrack> track =
            MovieSoundTrack(movie, work.facts, work.facts.playFrames, m_services.cancel);
        if (track)
            sound = std::move(*track);
        else if (track.error().code == FailureCode::Cancelled)
            return Fail(track.error());
        else
            // The pictures are still worth having; the item says why it is
            // silent.
            work.item.failure =
                Failure{0,
                        Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                             "its sound cannot be read: %1"),
                                 track.error().sentence),
                        track.error().code};
    }
    const std::string& stem = work.source->fileStem;
    work.renders = {{&ExportedFiles::video, TemporaryFileName(), stem + ".webm"},
                    {&ExportedFiles::animation, TemporaryFileName(), stem + ".webp"},
                    {&ExportedFiles::gif, TemporaryFileName(), stem + ".gif"},
                    {&ExportedFiles::still, TemporaryFileName(), stem + ".png"}};
    RenderFiles files;
    files.video = work.folder->PathOf(work.renders[0].temporary);
    files.animation = work.folder->PathOf(work.renders[1].temporary);
    files.gif = work.folder->PathOf(work.renders[2].temporary);
    files.still = work.folder->PathOf(work.renders[3].temporary);
    RenderFormat format;
    format.width = work.renderWidth;
    format.height = work.renderHeight;
    format.frameRateNumerator = work.facts.frameRate256;
    format.frameRateDenominator = 256;
    format.sound = !sound.samples.empty();
    format.sampleRate = sound.sampleRate;
    Result<std::unique_ptr<RenderWriter>> writer =
        RenderWriter::Open(files, format, m_services.cancel);
    if (!writer) {
        work.renders.clear();
        return Fail(writer.error());
    }
    work.writer = std::move(*writer);
    work.item.sound = format.sound;
    if (format.sound) {
        if (Result<> added = work.writer->AddSound(sound.samples); !added)
            return added;
    }
    return {};
}

void Exporter::EndRender(ItemWork& work, std::optional<Failure> failure) {
    if (!failure && work.writer) {
        if (Result<> finished = work.writer->Finish(); !finished)
            failure = finished.error();
    } else if (!failure) {
        failure = Failure{
            0,
            QCoreApplication::translate("quorvane::Outcomes", "the Flash player drew nothing of it")
                .toStdString(),
            FailureCode::Damaged};
    }
    if (failure) {
        // An unfinished writer takes its files with it.
        work.writer.reset();
        work.renders.clear();
        if (failure->code != FailureCode::Cancelled)
            failure->sentence =
                Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                     "its movie cannot be rendered: %1"),
                         failure->sentence);
        work.item.failure = std::move(failure);
        work.item.frames = 0;
        work.item.sound = false;
    } else {
        work.writer.reset();
        for (PlannedFile& render : work.renders)
            work.files.push_back(std::move(render));
        work.renders.clear();
    }
    Finish(work);
}

void Exporter::RenderAll() {
    std::vector<MovieRenderRequest> requests;
    std::vector<ItemWork*> movies;
    for (ItemWork& work : m_work) {
        if (work.done || work.movieBytes.empty())
            continue;
        MovieRenderRequest request;
        request.path = work.source->originalPath;
        request.frames = work.facts.playFrames;
        request.frameRate256 = work.facts.frameRate256;
        request.width = work.renderWidth;
        request.height = work.renderHeight;
        requests.push_back(std::move(request));
        movies.push_back(&work);
    }
    if (requests.empty())
        return;
    MovieFrameSink sink;
    sink.frame = [&](std::size_t movie, const QImage& frame) -> Result<> {
        ItemWork& work = *movies[movie];
        if (Cancelled())
            return Fail(CancelledFailure());
        if (!work.writer)
            if (Result<> started = StartRender(work); !started)
                return started;
        return work.writer->AddFrame(frame);
    };
    sink.end = [&](std::size_t movie, std::optional<Failure> failure) {
        EndRender(*movies[movie], std::move(failure));
    };
    // A failure of the run itself has already ended each movie it left.
    (void)RenderMovies(m_services.rendererTool, requests, sink, m_services.cancel);
}

void Exporter::Place(ItemWork& work) {
    // One number for all the item's files, so they stay together by name:
    // the first under which none of them is taken.
    int number = 1;
    for (; number < kMostNumbers; ++number) {
        const bool free = std::none_of(work.files.begin(), work.files.end(), [&](const auto& file) {
            const std::string name = NumberedFileName(file.name, number);
            return m_taken.count(work.subfolder + "/" + name) != 0 || work.folder->HoldsEntry(name);
        });
        if (free)
            break;
    }
    for (PlannedFile& file : work.files) {
        Result<std::string> hash =
            file.sha256.empty() ? Sha256Of(*work.folder, file.temporary) : file.sha256;
        Result<> placed = hash ? Result<>() : Fail(hash.error());
        std::string name;
        // Someone may take a name in the meantime: the next free number.
        for (int n = number; placed && n <= kMostNumbers; ++n) {
            name = NumberedFileName(file.name, n);
            if (m_taken.count(work.subfolder + "/" + name) != 0)
                continue;
            placed = work.folder->RenameNew(file.temporary, name);
            if (placed || placed.error().osError != EEXIST)
                break;
            placed = {};
            name.clear();
        }
        if (placed && name.empty())
            placed = Fail(Sentence(QCoreApplication::translate(
                                       "quorvane::Outcomes",
                                       "%1 could not be written: every numbered name is taken"),
                                   work.folder->PathOf(file.name)),
                          EEXIST);
        if (!placed) {
            work.folder->Remove(file.temporary);
            if (!work.item.failure)
                work.item.failure =
                    Failure{placed.error().osError,
                            Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                                 "%1 could not be written: %2"),
                                     work.folder->PathOf(file.name), placed.error().sentence),
                            placed.error().code};
            continue;
        }
        m_taken.insert(work.subfolder + "/" + name);
        const std::string relative = work.subfolder + "/" + name;
        work.item.files.*file.role = relative;
        work.item.sha256[relative] = *hash;
    }
    work.files.clear();
}

void Exporter::Finish(ItemWork& work) {
    if (work.done)
        return;
    if (Cancelled()) {
        for (const PlannedFile& file : work.files)
            work.folder->Remove(file.temporary);
        work.files.clear();
        work.item.failure = CancelledFailure();
    } else {
        Place(work);
    }
    work.movieBytes.clear();
    work.movieBytes.shrink_to_fit();
    work.done = true;
    Progress();
}

void Exporter::Progress() {
    ++m_done;
    if (m_services.progress)
        m_services.progress(m_done, m_work.size());
}

ExportOutcome Exporter::Run(const std::vector<ExportSource>& sources) {
    ExportOutcome outcome;
    Result<> made = MakeFolders(m_folderPath);
    if (made)
        made = m_folder.Open(m_folderPath, true);
    if (!made) {
        outcome.failure =
            Failure{made.error().osError,
                    Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes", "the folder %1 cannot be written into: %2"),
                             m_folderPath, made.error().sentence),
                    made.error().code};
        return outcome;
    }
    SweepTemporaryFiles(m_folder);
    m_work.resize(sources.size());
    for (std::size_t i = 0; i < sources.size(); ++i) {
        ItemWork& work = m_work[i];
        const ExportSource& source = sources[i];
        work.source = &source;
        work.subfolder = source.type;
        work.item.type = source.type;
        work.item.displayName = source.displayNameUtf8;
        work.item.location = source.locationUtf8;
        work.item.shortcut = source.shortcutUtf8;
    }
    // The originals first, quickly; then the movies in one run of the player.
    for (ItemWork& work : m_work) {
        if (Cancelled()) {
            Finish(work);
            continue;
        }
        Result<const OpenFolder*> folder = Subfolder(work.subfolder);
        if (!folder) {
            work.item.failure = folder.error();
            Finish(work);
            continue;
        }
        work.folder = *folder;
        Prepare(work);
        if (work.movieBytes.empty())
            Finish(work);
    }
    RenderAll();
    for (ItemWork& work : m_work)
        Finish(work);
    outcome.interrupted = Cancelled();
    for (ItemWork& work : m_work)
        outcome.items.push_back(std::move(work.item));
    WriteIndex(outcome);
    return outcome;
}

void Exporter::WriteIndex(ExportOutcome& outcome) {
    // The items an earlier export of this account left in the folder stay
    // in its gallery, as long as their files are there; an earlier export of
    // another account, or a file of that name that is not one, is left alone
    // and this export's gallery takes a numbered name.
    std::vector<ExportedItem> items;
    bool replace = !m_folder.HoldsEntry(kManifestName) && !m_folder.HoldsEntry(kGalleryName);
    if (const Result<std::string> earlier = m_folder.ReadFile(kManifestName, kMostManifestBytes)) {
        if (auto read = ReadExportManifest(*earlier); read && read->first == m_services.passport) {
            replace = true;
            for (ExportedItem& item : read->second) {
                const bool kept =
                    !item.sha256.empty() &&
                    std::all_of(item.sha256.begin(), item.sha256.end(),
                                [&](const auto& file) { return m_folder.HoldsEntry(file.first); });
                const bool again = std::any_of(
                    outcome.items.begin(), outcome.items.end(), [&](const ExportedItem& now) {
                        return now.type == item.type && now.location == item.location &&
                               now.files.original == item.files.original;
                    });
                if (kept && !again)
                    items.push_back(std::move(item));
            }
        }
    }
    for (const ExportedItem& item : outcome.items)
        items.push_back(item);
    const std::string manifest = ExportManifestJson(m_services.passport, items);
    const std::string gallery = GalleryHtml(m_services.passport, items, m_services.words);
    const auto write = [&](const std::string& name,
                           const std::string& bytes) -> Result<std::string> {
        Result<std::string> temporary = m_folder.WriteTemporaryFile(bytes);
        if (!temporary)
            return Fail(temporary.error());
        if (replace) {
            Result<> renamed = m_folder.Rename(*temporary, name);
            if (!renamed) {
                m_folder.Remove(*temporary);
                return Fail(renamed.error());
            }
            return name;
        }
        for (int n = 2; n <= kMostNumbers; ++n) {
            const std::string numbered = NumberedFileName(name, n);
            Result<> renamed = m_folder.RenameNew(*temporary, numbered);
            if (renamed)
                return numbered;
            if (renamed.error().osError != EEXIST) {
                m_folder.Remove(*temporary);
                return Fail(renamed.error());
            }
        }
        m_folder.Remove(*temporary);
        return Fail(SystemFailure(EEXIST));
    };
    const Result<std::string> manifestName = write(kManifestName, manifest);
    const Result<std::string> galleryName =
        manifestName ? write(kGalleryName, gallery) : Fail(manifestName.error());
    if (!manifestName || !galleryName) {
        const Failure& failure = manifestName ? galleryName.error() : manifestName.error();
        outcome.failure = Failure{
            failure.osError,
            Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                 "the gallery in %1 could not be written: %2"),
                     m_folderPath, failure.sentence),
            failure.code};
        return;
    }
    outcome.manifest = m_folder.PathOf(*manifestName);
    outcome.gallery = m_folder.PathOf(*galleryName);
}

} // namespace

bool ExportOutcome::AllExported() const {
    return !failure && !interrupted &&
           std::none_of(items.begin(), items.end(),
                        [](const ExportedItem& item) { return item.failure.has_value(); });
}

std::pair<int, int> RenderSize(int stageWidth, int stageHeight) {
    const int longest = std::max(stageWidth, stageHeight);
    if (longest <= 0)
        return {0, 0};
    const double scale = longest < 512 ? 512.0 / longest : longest > 1280 ? 1280.0 / longest : 1.0;
    const auto scaled = [scale](int side) {
        return std::max(1, static_cast<int>(side * scale + 0.5));
    };
    return {scaled(stageWidth), scaled(stageHeight)};
}

ExportOutcome ExportItems(const std::vector<ExportSource>& sources, const std::string& folder,
                          const ExportServices& services) {
    return Exporter(folder, services).Run(sources);
}

} // namespace quorvane
