// A full redraw of the landscape neck: the chords screen's larger fretboard (95-point frets,
// lying on its side, scrolled to the fifth fret) with six fingers of both styles, drawn whole,
// against copying a finished picture of the same size (the least a redraw can cost). The
// neck must redraw well within a 1/60 s frame; the median is the figure to quote. Also
// measured: the same redraw when the neck's kept picture must be drawn again (after a mute or
// a change of hand), and the whole turned landscape face that shows the neck. Times are the
// process's CPU time (Qt draws some images on helper threads); wall time on a loaded machine
// says more about the load than about the drawing.

#include "fretboard/BZFinger.h"
#include "fretboard/BZFretboard.h"
#include "fretboard/BZFretboardContent.h"
#include "fretboard/BZLandscapeView.h"
#include "ui/DeviceEvents.h"
#include "ui/PhoneScreen.h"
#include "ui/ScreenImage.h"

#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kRepetitions = 9;

struct Finger {
    unsigned string;
    unsigned fret;
    const char* title;
    bool black;
};
constexpr Finger kFingers[] = {{0, 5, "A", true},   {1, 7, "E", false}, {2, 7, "A", true},
                               {3, 6, "C#", false}, {4, 5, "E", false}, {5, 5, "A", true}};

// The neck as a screen fills it, on a parent of the landscape page's size.
struct LandscapeNeck {
    QObject owner;
    BZLandscapeView* face = new BZLandscapeView(owner);
    BZFretboard* neck = new BZFretboard(QRect(0, 40, 480, 240), face->page());
    std::vector<std::shared_ptr<BZFinger>> fingers;

    LandscapeNeck() {
        neck->setFretWidth(95.0f);
        for (const Finger& f : kFingers) {
            auto finger = BZFinger::fingerForFretboard(*neck);
            finger->setString(f.string);
            finger->setFret(f.fret);
            finger->setTitle(QString::fromLatin1(f.title));
            finger->setBackgroundStyle(f.black ? BZFinger::Black : BZFinger::Yellow);
            neck->addFinger(finger);
            fingers.push_back(finger);
        }
        const double wire = neck->positionOfFret(4);
        const double offset = wire - 17.0;
        neck->setContentOffset(QPointF(offset, 0.0), false);
    }
};

QImage canvas(QSize points, int scale) {
    QImage image(points * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    return image;
}

// The neck, its numbers and six fingers drawn whole; `fresh` also draws the kept picture of the
// wood and strings again, as after a string was muted or the hand changed.
void redraw(benchmark::State& state, bool fresh) {
    const int scale = static_cast<int>(state.range(0));
    ScreenImage::setScale(scale);
    LandscapeNeck landscape;
    QImage image = canvas(landscape.neck->size(), scale);
    for (auto _ : state) {
        if (fresh) {
            landscape.neck->contentView()->redrawNeck();
        }
        image.fill(Qt::black);
        landscape.neck->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_LandscapeNeckRedraw(benchmark::State& state) {
    redraw(state, false);
}

void BM_LandscapeNeckRedrawFresh(benchmark::State& state) {
    redraw(state, true);
}

void BM_LandscapeNeckBaseline(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    ScreenImage::setScale(scale);
    LandscapeNeck landscape;
    QImage finished = canvas(landscape.neck->size(), scale);
    landscape.neck->render(&finished);
    QImage image = canvas(landscape.neck->size(), scale);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.drawImage(QPointF(0, 0), finished);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_LandscapeFaceRedraw(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    ScreenImage::setScale(scale);
    PhoneScreen screen;
    LandscapeNeck landscape;
    landscape.face->startObservingOrientation();
    DeviceEvents::setOrientation(DeviceEvents::LandscapeLeft);
    View::setAlpha(landscape.face, 1.0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(screen.render(scale).constBits());
    }
    DeviceEvents::setOrientation(DeviceEvents::Portrait);
}

} // namespace

BENCHMARK(BM_LandscapeNeckBaseline)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_LandscapeNeckRedraw)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_LandscapeNeckRedrawFresh)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_LandscapeFaceRedraw)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        const std::string runtime = "/tmp/fretkit-bench-runtime-" + std::to_string(getuid());
        mkdir(runtime.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
