// The render encoders on 100 frames of 400 x 300 drawn as a Flash movie
// draws (flat fills, outlines, a gradient, text) at 12 frames a second: the
// time per movie and each file's size, one file kind at a time and all four
// with sound together.
#include "BenchSupport.h"

#include "export/RenderWriter.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QRadialGradient>

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

using namespace quorvane;

constexpr int kFrames = 100;

QImage CartoonFrame(int i) {
    QImage frame(400, 300, QImage::Format_ARGB32_Premultiplied);
    frame.fill(QColor(250, 236, 180));
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(200, 150), 140);
    glow.setColorAt(0, QColor(255, 255, 255));
    glow.setColorAt(1, QColor(250, 236, 180));
    painter.fillRect(frame.rect(), glow);
    painter.setPen(QPen(QColor(40, 30, 20), 4));
    painter.setBrush(QColor(230, 60, 50));
    const double x = 60 + 280 * (0.5 + 0.5 * std::sin(i * 2 * std::numbers::pi / 50));
    painter.drawEllipse(QPointF(x, 170), 50, 50);
    painter.save();
    painter.translate(200, 80);
    painter.rotate(i * 7.2);
    painter.setBrush(QColor(60, 120, 220));
    painter.drawRect(-30, -30, 60, 60);
    painter.restore();
    painter.setPen(QColor(20, 20, 20));
    painter.setFont(QFont("DejaVu Sans", 22, QFont::Bold));
    painter.drawText(QRect(0, 240, 400, 50), Qt::AlignCenter, "Hello!");
    return frame;
}

void Render(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    std::vector<QImage> frames;
    for (int i = 0; i < kFrames; ++i)
        frames.push_back(CartoonFrame(i));
    std::vector<float> sound(static_cast<std::size_t>(44100 * kFrames / 12) * 2);
    for (std::size_t n = 0; n < sound.size() / 2; ++n)
        sound[2 * n] = sound[2 * n + 1] = static_cast<float>(
            0.3 * std::sin(2 * std::numbers::pi * 440.0 * static_cast<double>(n) / 44100));
    std::int64_t bytes = 0;
    for (auto _ : state) {
        bench::ScratchFolder folder;
        RenderFiles files;
        if (kind == 0 || kind == 4)
            files.video = folder / "m.webm";
        if (kind == 1 || kind == 4)
            files.animation = folder / "m.webp";
        if (kind == 2 || kind == 4)
            files.gif = folder / "m.gif";
        if (kind == 3 || kind == 4)
            files.still = folder / "m.png";
        RenderFormat format{400, 300, 3072, 256, kind == 4, 44100};
        auto writer = RenderWriter::Open(files, format);
        if (!writer) {
            state.SkipWithError(writer.error().sentence.c_str());
            return;
        }
        for (const QImage& frame : frames)
            if (!(*writer)->AddFrame(frame)) {
                state.SkipWithError("a frame was refused");
                return;
            }
        if (kind == 4)
            (void)(*writer)->AddSound(sound);
        if (auto done = (*writer)->Finish(); !done) {
            state.SkipWithError(done.error().sentence.c_str());
            return;
        }
        bytes = 0;
        for (const auto* path : {&files.video, &files.animation, &files.gif, &files.still})
            if (!path->empty())
                bytes += QFileInfo(QString::fromStdString(*path)).size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(kFrames) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
// 0 WebM, 1 WebP, 2 GIF, 3 PNG, 4 all four and the sound.
BENCHMARK(Render)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
