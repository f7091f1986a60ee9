// Painting the table with the program's own bitmaps and pictures. Targets: a full paint of a dealt
// table well under a frame (16 ms), and one step of a dragged pile far below that, since it runs
// for every pointer move. A step of a window drag-resize with cards that fit the window (the card
// set drawn at the new size, the layout and the full paint) within a few frames: well under 100 ms.

#include <benchmark/benchmark.h>

#include "engine/Deal.h"
#include "storage/GameCatalogue.h"
#include "platform/qt/QtGraphics.h"
#include "platform/qt/QtResourceLibrary.h"
#include "platform/test/TestPorts.h"
#include "table/Motion.h"
#include "table/TableView.h"

#include <memory>

namespace kst {
namespace {

// A dealt game on a 1016 x 740 window, drawn with the built KST.RGF and IMAGES folder.
struct PaintedTable {
    explicit PaintedTable(int gameId, const char* cardSize = "B")
    {
        ok = library.load(KST_PROGRAM_DIR "/KST.RGF") && catalogue.load(KST_PROGRAM_DIR "/GAMES.DAT").ok;
        if (!ok)
            return;
        for (const auto& [field, value] :
             {std::pair{Fld::Card_Size, cardSize}, {Fld::Card, "001"}, {Fld::Back_Card, "011"},
              {Fld::Background_def, "N"}, {Fld::Background_bmp, "274"}, {Fld::Cards_Shadowed, "Y"},
              {Fld::VertScrollBar, "Y"}})
            store.fnStoreSet(field, value);
        game.gameId = gameId;
        game.number = "1234567890123";
        ok = catalogue.loadRules(gameId, game.rules).ok && dealGame(game, random).ok;
        view.showGame(&game);
        std::string screen;
        view.prepareTable(screen);
        view.resized({1016, 740, 1008, 690, 48, 16});
    }

    bool ok = false;
    SessionStore store{KST_PROGRAM_DIR};
    ProfileFile config{"/nonexistent/CFG.DAT"};
    QtGraphics graphics;
    test::ScriptedMessageBoxes messages;
    QtResourceLibrary library;
    test::ScriptedRandom random;
    AppearanceContext context{store, config, graphics, messages, library, random};
    GameCatalogue catalogue;
    Game game;
    TableView view{context};
};

void paintTable(benchmark::State& state, int gameId)
{
    PaintedTable table(gameId);
    if (!table.ok) {
        state.SkipWithError("the program folder is not built");
        return;
    }
    for (auto _ : state) {
        table.view.relayoutAndRepaint();
        benchmark::DoNotOptimize(table.view.tableBottom());
    }
}

void BM_FullPaintFreecell(benchmark::State& state) { paintTable(state, 1); }
void BM_FullPaintSpider(benchmark::State& state) { paintTable(state, 6); }
BENCHMARK(BM_FullPaintFreecell)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullPaintSpider)->Unit(benchmark::kMicrosecond);

// A run of five cards dragged with its shadow: give back the strip left behind, draw the picture.
void BM_DragStep(benchmark::State& state)
{
    PaintedTable table(1);
    if (!table.ok) {
        state.SkipWithError("the program folder is not built");
        return;
    }
    QtBitmap window(1008, 690);
    table.view.showOn(window);
    const std::vector<MovingCard> cards = {{1, 0}, {2, 18}, {3, 36}, {4, 54}, {5, 72}};
    MovingImage image({&window, table.view.tableBuffer(), table.view.backgroundBuffer()}, table.view.pictures(),
                      table.graphics, cards);
    image.showAt({300, 200}, true, 0);
    int x = 300;
    for (auto _ : state) {
        x = x == 300 ? 303 : 300;
        image.dragTo({x, 200 + (x - 300)}, true, 0);
    }
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

// The window dragged one way and the other, each step a new size and so a new fit card.
void BM_ResizeStepFitCards(benchmark::State& state)
{
    PaintedTable table(1, "F");
    if (!table.ok) {
        state.SkipWithError("the program folder is not built");
        return;
    }
    int width = 1016, step = 24;
    for (auto _ : state) {
        if (width + step > 1900 || width + step < 800)
            step = -step;
        width += step;
        const int height = width * 740 / 1016;
        table.view.resized({width, height, width - 8, height - 50, 48, 16});
        benchmark::DoNotOptimize(table.view.tableBottom());
    }
    state.counters["card"] = table.view.pictures().tableSize().width;
}
BENCHMARK(BM_ResizeStepFitCards)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kst
