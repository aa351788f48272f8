#pragma once

#include "platform/CancelFlag.h"
#include "platform/Result.h"

#include <QImage>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// One movie for the renderer: its file, how many frames of it, at what rate
// (a Flash movie's 8.8 fixed rate, n / 256 frames a second) and at what
// size in pixels.
struct MovieRenderRequest {
    std::string path;
    int frames = 0;
    int frameRate256 = 0;
    int width = 0;
    int height = 0;
};

// What a movie's frames are handed to: each frame in order (a false result
// drops the movie's remaining frames), then the end, with the reason when the
// player could not play it whole.
struct MovieFrameSink {
    std::function<Result<>(std::size_t movie, const QImage& frame)> frame;
    std::function<void(std::size_t movie, std::optional<Failure> failure)> end;
};

// What a render or an export stopped by Cancel ends with.
Failure CancelledFailure();

// The program that plays movies with the preview's Flash player, found
// beside the program's other tools; empty when it is not installed.
std::string MovieRendererTool();

// Plays the movies one after another in one run of the renderer, with the
// player's clock stepped one frame interval at a time, and hands over every
// frame as it is drawn: never more than one frame is held. Each movie ends
// at its sink's end, also those the run did not reach (when the renderer is
// missing, crashed, fell silent for a minute, or cancel was requested: the
// renderer is killed at once). The result is the run's failure, if any.
Result<> RenderMovies(const std::string& tool, const std::vector<MovieRenderRequest>& movies,
                      const MovieFrameSink& sink, const CancelFlag* cancel);

} // namespace quorvane
