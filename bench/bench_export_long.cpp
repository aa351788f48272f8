// A long movie of each kind exported through the core, as the command line
// does: the wall time against the movie's play time, and the peak memory of
// this process (the encoders) and of the renderer it runs. The frames are
// streamed from the renderer to the encoders, so the memory must not grow
// with the movie's length: each kind is run at two lengths.
//
//   bench_export_long [SECONDS]   (the longer length; default 120)

#include "export/ExportOperation.h"
#include "export/MovieRenderer.h"
#include "support/TempFolder.h"
#include "support/TestMovie.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <sys/resource.h>

using namespace quorvane;

namespace {

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The renderer's own peak, from a run of it alone on the same movie (a
// child's peak as getrusage tells it counts the parent's memory it was
// started from).
double RendererPeakMegabytes(const std::string& tool, const std::string& movie, int frames,
                             int width, int height) {
    const std::string command = "/usr/bin/time -f %M '" + tool + "' " + std::to_string(frames) +
                                " 3072 " + std::to_string(width) + " " + std::to_string(height) +
                                " '" + movie + "' 2>&1 >/dev/null | tail -n 1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return 0;
    char line[64] = {};
    const bool read = std::fgets(line, sizeof line, pipe) != nullptr;
    ::pclose(pipe);
    return read ? std::atof(line) / 1024.0 : 0;
}

} // namespace

int main(int argc, char** argv) {
    const int longSeconds = argc > 1 ? std::atoi(argv[1]) : 120;
    const std::string tool = MovieRendererTool();
    if (tool.empty()) {
        std::fprintf(stderr, "bench_export_long: the movie renderer is not built\n");
        return 1;
    }
    struct Kind {
        const char* type;
        int width, height;
    };
    // The stage sizes of Messenger's kinds: a Wink, a dynamic display
    // picture (drawn at 512 x 512), a dynamic background.
    const Kind kinds[] = {{"winks", 320, 240},
                          {"dynamic-display-pictures", 96, 96},
                          {"dynamic-backgrounds", 640, 480}};
    std::printf("%-26s %8s %9s %7s %12s %14s\n", "kind", "play s", "export s", "ratio",
                "own peak MB", "renderer MB");
    for (const Kind& kind : kinds) {
        for (const int seconds : {longSeconds / 4, longSeconds}) {
            const test::TempFolder folder;
            test::TestMovieRecipe recipe;
            recipe.width = kind.width;
            recipe.height = kind.height;
            recipe.frameRate256 = 12 * 256;
            // Twelve colours a second, and a tone from the second frame on.
            for (int frame = 0; frame < seconds * 12; ++frame)
                recipe.frameColours.push_back(0x102030u *
                                              static_cast<std::uint32_t>(frame % 12 + 1));
            recipe.toneFrame = 1;
            recipe.toneSeconds = seconds - 1;
            const std::vector<std::uint8_t> bytes = test::MakeTestMovie(recipe);
            const std::string movie = folder / "movie.swf";
            std::ofstream(movie, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
            ExportServices services;
            services.passport = "bench@example.com";
            services.rendererTool = tool;
            services.words = EnglishGalleryWords(services.passport);
            const ExportSource source{kind.type, "Long", "Long", "long.cab", "", movie, "", true};
            const auto start = std::chrono::steady_clock::now();
            const ExportOutcome outcome = ExportItems({source}, folder / "out", services);
            const double elapsed =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (!outcome.AllExported()) {
                std::fprintf(stderr, "bench_export_long: %s\n",
                             outcome.items.front().failure
                                 ? outcome.items.front().failure->sentence.c_str()
                                 : "the export failed");
                return 1;
            }
            std::printf("%-26s %8d %9.2f %7.2f %12.0f %14.0f\n", kind.type, seconds, elapsed,
                        elapsed / seconds, PeakMegabytes(),
                        RendererPeakMegabytes(tool, movie, seconds * 12,
                                              RenderSize(kind.width, kind.height).first,
                                              RenderSize(kind.width, kind.height).second));
        }
    }
    std::printf("(own peak: the highest so far in this run, so a growth with the length would "
                "show from one row to the next)\n");
    return 0;
}
