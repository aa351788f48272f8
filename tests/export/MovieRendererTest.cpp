// The renderer plays movies whose every frame is known (one solid colour
// each) and must hand over each frame in order, one per frame interval,
// starting with the movie's first.

#include "export/MovieRenderer.h"
#include "support/TempFolder.h"
#include "support/TestMovie.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace quorvane {
namespace {

using test::TempFolder;

const std::vector<std::uint32_t> kColours = {0xff0000, 0x00ff00, 0x0000ff, 0xffff00,
                                             0x00ffff, 0xff00ff, 0x808080};

std::string WriteMovie(const TempFolder& folder, const std::string& name,
                       const std::vector<std::uint8_t>& bytes) {
    const std::string path = folder.Path() + "/" + name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

std::uint32_t Centre(const QImage& frame) {
    return frame.pixel(frame.width() / 2, frame.height() / 2) & 0xffffff;
}

struct Played {
    std::map<std::size_t, std::vector<std::uint32_t>> colours;
    std::map<std::size_t, std::optional<Failure>> ends;
    std::vector<std::size_t> endOrder;
};

TEST(MovieRenderer, HandsOverEveryFrameInOrderAndAMovieItCannotPlayFailsAlone) {
    const TempFolder folder;
    test::TestMovieRecipe twelve;
    twelve.frameColours = kColours;
    test::TestMovieRecipe odd;
    odd.frameColours = {0x0000ff, 0xffffff, 0x000000, 0xff0000, 0x00ff00};
    odd.frameRate256 = 6272; // 24.5 frames a second
    odd.width = 90;
    odd.height = 50;
    odd.compressed = true;
    std::vector<std::uint8_t> damaged = test::MakeTestMovie(twelve);
    damaged.resize(40);

    const std::vector<MovieRenderRequest> movies = {
        {WriteMovie(folder, "twelve.swf", test::MakeTestMovie(twelve)), 10, 12 * 256, 160, 120},
        {WriteMovie(folder, "damaged.swf", damaged), 5, 12 * 256, 160, 120},
        {WriteMovie(folder, "odd.swf", test::MakeTestMovie(odd)), 5, 6272, 180, 100},
    };
    Played played;
    MovieFrameSink sink;
    sink.frame = [&](std::size_t movie, const QImage& frame) -> Result<> {
        EXPECT_EQ(frame.size(), QSize(movies[movie].width, movies[movie].height));
        played.colours[movie].push_back(Centre(frame));
        return {};
    };
    sink.end = [&](std::size_t movie, std::optional<Failure> failure) {
        played.ends[movie] = std::move(failure);
        played.endOrder.push_back(movie);
    };
    ASSERT_TRUE(RenderMovies(QUORVANE_MOVIERENDER, movies, sink, nullptr));

    // Ten frames of a seven-frame movie: it plays through and starts again.
    EXPECT_EQ(played.colours[0],
              (std::vector<std::uint32_t>{0xff0000, 0x00ff00, 0x0000ff, 0xffff00, 0x00ffff,
                                          0xff00ff, 0x808080, 0xff0000, 0x00ff00, 0x0000ff}));
    EXPECT_FALSE(played.ends[0].has_value());
    ASSERT_TRUE(played.ends[1].has_value());
    EXPECT_EQ(played.ends[1]->code, FailureCode::Damaged);
    EXPECT_FALSE(played.ends[1]->sentence.empty());
    // At 24.5 frames a second the steps are not whole milliseconds; none
    // may be lost or doubled. The stage is drawn scaled to the size asked.
    EXPECT_EQ(played.colours[2],
              (std::vector<std::uint32_t>{0x0000ff, 0xffffff, 0x000000, 0xff0000, 0x00ff00}));
    EXPECT_FALSE(played.ends[2].has_value());
    EXPECT_EQ(played.endOrder, (std::vector<std::size_t>{0, 1, 2}));
}

TEST(MovieRenderer, CancelStopsTheRendererAtOnceADeadOneTakesOnlyItsMovieAMissingOneIsSaid) {
    const TempFolder folder;
    test::TestMovieRecipe recipe;
    recipe.frameColours = kColours;
    const std::vector<MovieRenderRequest> movies = {
        {WriteMovie(folder, "long.swf", test::MakeTestMovie(recipe)), 90000, 12 * 256, 160, 120},
        {WriteMovie(folder, "next.swf", test::MakeTestMovie(recipe)), 3, 12 * 256, 160, 120}};
    CancelFlag cancel;
    std::size_t frames = 0;
    std::vector<FailureCode> ends;
    MovieFrameSink sink;
    sink.frame = [&](std::size_t, const QImage&) -> Result<> {
        if (++frames == 3)
            cancel.Request();
        return {};
    };
    // A movie played whole is told as Usage, which no failure here is.
    sink.end = [&](std::size_t, std::optional<Failure> failure) {
        ends.push_back(failure ? failure->code : FailureCode::Usage);
    };
    const Result<> run = RenderMovies(QUORVANE_MOVIERENDER, movies, sink, &cancel);
    ASSERT_FALSE(run);
    EXPECT_EQ(run.error().code, FailureCode::Cancelled);
    EXPECT_LT(frames, 100u);
    EXPECT_EQ(ends, (std::vector<FailureCode>{FailureCode::Cancelled, FailureCode::Cancelled}));

    // A renderer that dies on a movie: that movie fails, and the next ones
    // are played by a renderer of their own.
    const std::string dying = folder / "dying-renderer";
    std::ofstream(dying) << "#!/bin/sh\n"
                            "case \"$5\" in *crash*) kill -SEGV $$;; esac\n"
                            "printf 'frame\\n'; head -c 16 /dev/zero; printf 'done\\n'\n";
    std::filesystem::permissions(dying, std::filesystem::perms::owner_all);
    const std::vector<MovieRenderRequest> crashing = {{folder / "crash.swf", 1, 3072, 2, 2},
                                                      {folder / "fine.swf", 1, 3072, 2, 2}};
    frames = 0;
    ends.clear();
    EXPECT_TRUE(RenderMovies(dying, crashing, sink, nullptr));
    EXPECT_EQ(frames, 1u);
    EXPECT_EQ(ends, (std::vector<FailureCode>{FailureCode::System, FailureCode::Usage}));

    ends.clear();
    const Result<> missing = RenderMovies("", movies, sink, nullptr);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().code, FailureCode::Missing);
    EXPECT_EQ(ends, (std::vector<FailureCode>{FailureCode::Missing, FailureCode::Missing}));
}

} // namespace
} // namespace quorvane
