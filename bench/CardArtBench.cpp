// Card pictures drawn at run time, as a window being resized asks for them many times a second.
// BM_CardArtNewSize: a full card set at a size not drawn before (the 53 faces scaled down from the
// master already made, the 22 marks, both shadows, both borders and a card back), for each card
// drawing at screen scales 1 and 2. Target: well under 100 ms, so that a drag-resize stays smooth.
// BM_CardArtMaster: rendering a drawing's master once (reported, no target: it happens at the
// first fit size of a card set on a screen).

#include <benchmark/benchmark.h>

#include "assets/PictureNames.h"
#include "bench/BenchApplication.h"
#include "platform/qt/QtCardArt.h"
#include "platform/qt/QtGraphics.h"

#include <cmath>
#include <string>

namespace kst {
namespace {

std::string drawingFile(int set)
{
    return KST_PROGRAM_DIR "/" + std::string(assets::cardDrawingFolder) + "/" + assets::cardDrawingName(set);
}

const std::string jokerFile = drawingFile(assets::jokerCardSet);

// The card sizes a drag-resize runs through: every width from the medium card up to the largest,
// a step apart, with the big card's proportions.
ArtSize resizedCard(int step, double scale)
{
    constexpr int smallest = 59, stride = 5; // the stride shares no factor with the range's 154
    const int width = smallest + (step * stride) % (LargestCard.width - smallest);
    const int height = int(std::lround(width * double(LargestCard.height) / LargestCard.width));
    return {{width, height}, scale};
}

void BM_CardArtNewSize(benchmark::State& state)
{
    ensureApplication();
    const int set = int(state.range(0));
    const double scale = double(state.range(1));
    QtGraphics graphics;
    QtCardArt art;
    const auto back = graphics.loadImageFile(KST_PROGRAM_DIR "/IMAGES/DB001.bmp");
    if (!back || art.faces(drawingFile(set), jokerFile, resizedCard(0, scale)).empty()) {
        state.SkipWithError("the program folder is not built");
        return;
    }
    int step = 1;
    for (auto _ : state) {
        const ArtSize size = resizedCard(step++, scale);
        // The shadow keeps the library's proportion to the card.
        const int shadowWidth = int(std::lround(assets::shadowWidth * size.card.width * scale / assets::bigCard.width));
        auto faces = art.faces(drawingFile(set), jokerFile, size);
        benchmark::DoNotOptimize(faces.data());
        for (const std::string& code : assets::markCodes())
            benchmark::DoNotOptimize(art.mark(code, size));
        for (const int which : {1, 2}) {
            benchmark::DoNotOptimize(art.shadow(which, size, shadowWidth));
            benchmark::DoNotOptimize(art.border(which, size));
        }
        benchmark::DoNotOptimize(art.scaled(*back, size.device()));
    }
}
// The faces are drawn on every core: the time that counts is the wall clock's, and the CPU time
// shown is the whole process's (what a machine busy with other work would have to find).
BENCHMARK(BM_CardArtNewSize)
    ->ArgNames({"set", "scale"})
    ->ArgsProduct({benchmark::CreateDenseRange(assets::firstCardSet, assets::lastCardSet, 1), {1, 2}})
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_CardArtMaster(benchmark::State& state)
{
    ensureApplication();
    const int set = int(state.range(0));
    const double scale = double(state.range(1));
    for (auto _ : state) {
        // The largest card is the master's own size: nothing is scaled, only rendered.
        QtCardArt art;
        if (art.faces(drawingFile(set), jokerFile, {LargestCard, scale}).empty()) {
            state.SkipWithError("the program folder is not built");
            return;
        }
    }
}
BENCHMARK(BM_CardArtMaster)
    ->ArgNames({"set", "scale"})
    ->ArgsProduct({benchmark::CreateDenseRange(assets::firstCardSet, assets::lastCardSet, 1), {1, 2}})
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
} // namespace kst
