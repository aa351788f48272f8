#include "export/MovieRenderer.h"

#include "platform/ProcessRunner.h"
#include "platform/SystemFolders.h"
#include "platform/TranslatedSentence.h"
#include "platform/WatchedProcess.h"

#include <chrono>
#include <string_view>

namespace quorvane {

namespace {

// The renderer writes a frame in well under a second; one that writes
// nothing for this long is stuck on a movie.
constexpr std::chrono::seconds kQuietLimit{60};
constexpr std::chrono::hours kTimeLimit{6};
constexpr std::size_t kMostLine = 4096;
// Movies that take the renderer down, each failing alone, before the rest
// are given up.
constexpr int kMostRuns = 16;

Failure RendererFailure(const WatchedRun& run) {
    if (run.cancelled)
        return CancelledFailure();
    if (!run.started)
        return Failure{0,
                       Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                            "the movie renderer did not start: %1"),
                                run.startError),
                       FailureCode::System};
    if (run.quiet || run.timedOut)
        return Failure{0,
                       QCoreApplication::translate("quorvane::Outcomes",
                                                   "the movie renderer stopped responding")
                           .toStdString(),
                       FailureCode::TooMuchWork};
    return Failure{
        0,
        QCoreApplication::translate("quorvane::Outcomes", "the movie renderer stopped unexpectedly")
            .toStdString(),
        FailureCode::System};
}

// Reads the renderer's stream: "frame\n" and a frame's bytes, "done\n" or
// "failed\t<reason>\n" per movie, in the order asked.
class StreamReader {
public:
    StreamReader(const std::vector<MovieRenderRequest>& movies, const MovieFrameSink& sink)
        : m_movies(movies), m_sink(sink) {}

    bool Take(std::string_view bytes) {
        m_pending.append(bytes);
        std::size_t used = 0;
        for (;;) {
            if (m_movie >= m_movies.size())
                return used == m_pending.size();
            const MovieRenderRequest& movie = m_movies[m_movie];
            if (m_frameBytes > 0) {
                if (m_pending.size() - used < m_frameBytes)
                    break;
                Deliver(m_pending.data() + used, movie);
                used += m_frameBytes;
                m_frameBytes = 0;
                continue;
            }
            const std::size_t end = m_pending.find('\n', used);
            if (end == std::string::npos) {
                if (m_pending.size() - used > kMostLine)
                    return false;
                break;
            }
            const std::string_view line(m_pending.data() + used, end - used);
            used = end + 1;
            if (line == "frame") {
                if (++m_framesSeen > movie.frames)
                    return false;
                m_frameBytes = std::size_t(movie.width) * std::size_t(movie.height) * 4;
            } else if (line == "done") {
                End(std::nullopt);
            } else if (line.starts_with("failed\t")) {
                End(Failure{0,
                            Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                                 "the Flash player refused it: %1"),
                                     PlayerReason(line.substr(7))),
                            FailureCode::Damaged});
            } else {
                return false;
            }
        }
        m_pending.erase(0, used);
        return true;
    }

    // Ends the movies the run did not finish.
    void EndRest(const Failure& failure) {
        while (m_movie < m_movies.size())
            End(failure);
    }
    // Ends the movie the run was on, which took the renderer down.
    void EndCurrent(const Failure& failure) {
        if (m_movie < m_movies.size())
            End(failure);
    }
    // A new run starts with the movie after the last one ended.
    std::size_t StartRun() {
        m_pending.clear();
        m_frameBytes = 0;
        return m_movie;
    }
    bool Done() const { return m_movie >= m_movies.size(); }

private:
    // The renderer's own reasons, in the user's language.
    static QString PlayerReason(std::string_view reason) {
        const QString text = QString::fromUtf8(reason.data(), qsizetype(reason.size()));
        if (text == QLatin1String("The movie cannot be read."))
            return QCoreApplication::translate("quorvane::Outcomes", "the movie cannot be read");
        if (text == QLatin1String("This movie cannot be played."))
            return QCoreApplication::translate("quorvane::Outcomes", "this movie cannot be played");
        if (text == QLatin1String("The Flash player stopped on this movie."))
            return QCoreApplication::translate("quorvane::Outcomes",
                                               "the Flash player stopped on this movie");
        if (text == QLatin1String("The Flash player is missing from this installation."))
            return QCoreApplication::translate(
                "quorvane::Outcomes", "the Flash player is missing from this installation");
        return QCoreApplication::translate("quorvane::Outcomes", "it drew nothing");
    }

    void Deliver(const char* bytes, const MovieRenderRequest& movie) {
        if (m_dropped || !m_sink.frame)
            return;
        // Wraps the bytes without copying; the sink copies what it keeps.
        const QImage frame(reinterpret_cast<const uchar*>(bytes), movie.width, movie.height,
                           qsizetype(movie.width) * 4, QImage::Format_RGBA8888);
        const Result<> taken = m_sink.frame(m_movie, frame);
        if (!taken) {
            m_dropped = true;
            m_failure = taken.error();
        }
    }

    void End(std::optional<Failure> failure) {
        if (m_dropped)
            failure = m_failure;
        else if (!failure && m_framesSeen < m_movies[m_movie].frames)
            failure = Failure{0,
                              QCoreApplication::translate("quorvane::Outcomes",
                                                          "the Flash player stopped on this movie")
                                  .toStdString(),
                              FailureCode::Damaged};
        if (m_sink.end)
            m_sink.end(m_movie, std::move(failure));
        ++m_movie;
        m_framesSeen = 0;
        m_dropped = false;
        m_failure = {};
    }

    const std::vector<MovieRenderRequest>& m_movies;
    const MovieFrameSink& m_sink;
    std::string m_pending;
    std::size_t m_movie = 0;
    std::size_t m_frameBytes = 0; // of the frame being read; 0 between frames
    int m_framesSeen = 0;
    bool m_dropped = false;
    Failure m_failure;
};

} // namespace

Failure CancelledFailure() {
    return Failure{0, QCoreApplication::translate("quorvane::Outcomes", "Cancelled.").toStdString(),
                   FailureCode::Cancelled};
}

std::string MovieRendererTool() {
    return FindTool("movierender", ExecutableFolder());
}

Result<> RenderMovies(const std::string& tool, const std::vector<MovieRenderRequest>& movies,
                      const MovieFrameSink& sink, const CancelFlag* cancel) {
    StreamReader reader(movies, sink);
    if (movies.empty())
        return {};
    if (tool.empty()) {
        const Failure missing{
            0,
            QCoreApplication::translate(
                "quorvane::Outcomes", "the movie renderer is not installed (it needs Qt WebEngine)")
                .toStdString(),
            FailureCode::Missing};
        reader.EndRest(missing);
        return Fail(missing);
    }
    // A movie that crashes the renderer or makes it fall silent fails
    // alone: the movies after it get a renderer of their own.
    for (int runs = 0;; ++runs) {
        const std::size_t first = reader.StartRun();
        std::vector<std::string> arguments{tool};
        for (std::size_t i = first; i < movies.size(); ++i) {
            arguments.push_back(std::to_string(movies[i].frames));
            arguments.push_back(std::to_string(movies[i].frameRate256));
            arguments.push_back(std::to_string(movies[i].width));
            arguments.push_back(std::to_string(movies[i].height));
            arguments.push_back(movies[i].path);
        }
        const WatchedRun run = RunWatchedStream(
            arguments, [&](std::string_view bytes) { return reader.Take(bytes); }, cancel,
            kTimeLimit, kQuietLimit);
        if (run.started && !run.cancelled && !run.stopped && !run.quiet && !run.timedOut &&
            run.exitCode == 0) {
            // Whatever the renderer left unsaid, it did not render.
            reader.EndRest(RendererFailure(run));
            return {};
        }
        const Failure failure =
            run.stopped ? Failure{0,
                                  QCoreApplication::translate(
                                      "quorvane::Outcomes",
                                      "the movie renderer wrote something else than frames")
                                      .toStdString(),
                                  FailureCode::Damaged}
                        : RendererFailure(run);
        if (!run.started || run.cancelled || runs >= kMostRuns) {
            reader.EndRest(failure);
            return Fail(failure);
        }
        reader.EndCurrent(failure);
        if (reader.Done())
            return {};
    }
}

} // namespace quorvane
