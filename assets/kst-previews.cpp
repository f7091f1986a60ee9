// kst-previews: draws the preview picture of every game of the catalogue, the one the game browser
// shows, with the program's own engine and table: the game is dealt, laid out in the table's
// preview mode, painted, and scaled into the browser's preview box. It reads the pictures the
// cards need from the library kst-assets made, and writes the .qrc that packs the previews.
// Usage: kst-previews PROGRAM_DIR LIBRARY.RGF OUT_DIR
//   PROGRAM_DIR holds GAMES.DAT and the IMAGES folder (the card backs).

#include "assets/Generators.h"
#include "assets/PictureNames.h"

#include "engine/GameNumber.h"
#include "engine/GameSession.h"
#include "platform/qt/QtGraphics.h"
#include "platform/qt/QtResourceLibrary.h"
#include "storage/FileLookup.h"
#include "storage/GameCatalogue.h"
#include "storage/Startup.h"
#include "table/Painter.h"
#include "table/TableView.h"
#include "tools/ClockRandom.h"
#include "tools/QuietPorts.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace kst::assets {
namespace {

// Every preview shows this deal of its game, so the pictures stay the same from build to build.
constexpr std::string_view PreviewDeal = "1";
// The table is laid out at this multiple of the preview box: big cards come out about a third of
// their size, as large as the little cards, and most games fill the box.
constexpr int TableScale = 3;
// A table whose cards reach past it is laid out again one step larger, keeping the box's
// proportions, up to this many steps (twice the first size).
constexpr int TableGrowthSteps = 15;
constexpr int TableStepDivisor = 5; // a step is the box size over this
// The screen the tables are laid out for: a usual desktop, wide enough that no game is played with
// the smaller cards of a small screen.
constexpr Size PreviewScreen{1280, 1024};
// The program's own fixed table colour (stored as 0x00BBGGRR), which is also the green of the
// browser's preview box: the picture's background matches the box whether it is drawn
// transparently or not, and no card colour takes it for a hole.
constexpr std::string_view PreviewTableColour = "32768";

// The Qt pictures, on the screen the previews are laid out for rather than the build machine's.
class PreviewGraphics : public QtGraphics {
public:
    Size screenSize() override { return PreviewScreen; }
};

// The part of a painted table the preview shows: what was drawn on it and a margin of table
// around, widened to the box's proportions; never so small that a small table's cards come out
// larger than twice the size the whole table would give them.
QRect shownPart(const QImage& table)
{
    constexpr int margin = 12;
    constexpr int leastWidth = TableScale * previewWidth / 2;
    const QRgb ground = table.pixel(0, 0);
    QRect drawn;
    for (int y = 0; y < table.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(table.constScanLine(y));
        for (int x = 0; x < table.width(); ++x)
            if (line[x] != ground)
                drawn |= QRect(x, y, 1, 1);
    }
    if (drawn.isEmpty())
        return table.rect();
    QRect part = drawn.adjusted(-margin, -margin, margin, margin);
    int width = std::max(part.width(), leastWidth);
    int height = part.height();
    // Widened or heightened, never cut, to the box's proportions.
    if (width * previewHeight < height * previewWidth)
        width = (height * previewWidth + previewHeight - 1) / previewHeight;
    else
        height = (width * previewHeight + previewWidth - 1) / previewWidth;
    part = QRect(0, 0, width, height);
    part.moveCenter(drawn.center());
    // Kept on the table: moved back inside where it can be, the whole table where it cannot.
    part.moveLeft(std::clamp(part.left(), 0, std::max(0, table.width() - part.width())));
    part.moveTop(std::clamp(part.top(), 0, std::max(0, table.height() - part.height())));
    return part.intersected(table.rect());
}

// The table picture of the game shown: laid out on the smallest table of the steps that holds
// everything, card shadows included, then scaled smoothly into the preview box, and into the box
// at twice its pixels for finer screens.
bool drawPreview(TableView& table, const QString& gameName, QImage& preview, QImage& twin)
{
    for (int step = 0; step <= TableGrowthSteps; ++step) {
        const int width = TableScale * previewWidth + step * previewWidth / TableStepDivisor;
        const int height = TableScale * previewHeight + step * previewHeight / TableStepDivisor;
        QtBitmap picture(width, height);
        const Size reach = table.paintPreview(picture);
        if (reach.width + CardShadowWidth <= width && reach.height + CardShadowWidth <= height) {
            const QImage& table = picture.image();
            // The part has the box's proportions already, to a pixel: it fills the box.
            const QImage part = table.copy(shownPart(table));
            preview = part.scaled(previewWidth, previewHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            twin = part.scaled(twinScale * previewWidth, twinScale * previewHeight, Qt::IgnoreAspectRatio,
                               Qt::SmoothTransformation);
            return true;
        }
    }
    return fail(gameName + QStringLiteral(": the table does not fit the largest preview table"));
}

bool drawPreviews(const QString& programDir, const QString& library, const QDir& out)
{
    PreviewGraphics graphics;
    cli::QuietMessageBoxes messages;
    QtResourceLibrary resources;
    if (!resources.load(library.toStdString()))
        return fail(QStringLiteral("cannot load the resource library ") + library);
    GameCatalogue catalogue;
    const std::string games = findFile(programDir.toStdString(), "GAMES.DAT");
    if (const CatalogueResult loaded = catalogue.load(games); !loaded.ok)
        return fail(QString::fromStdString(loaded.message));

    // The program's defaults (cards, back, shadows) at the big size, on the plain fixed colour.
    SessionStore store(programDir.toStdString());
    preferenceDefaults(store);
    store.fnStoreSet(Fld::Card_Size, "B");
    store.fnStoreSet(Fld::Background_def, "N");
    store.fnStoreSet(Fld::Background_bmp, "0");
    store.fnStoreSet(Fld::Background_Fixed_Col, std::string(PreviewTableColour));
    store.fnStoreSet(Fld::Fade_Background, "N");
    ProfileFile config(out.filePath(QStringLiteral("CFG.DAT")).toStdString()); // read only, never written
    cli::SystemClock clock;
    cli::ClockRandom random;
    cli::SilentSound sound;
    AppearanceContext appearance{store, config, graphics, messages, resources, random};

    QStringList files;
    for (const CatalogueGame& game : catalogue.games()) {
        const QString name = QString::fromStdString(game.name);
        GameSession session(store, catalogue, {messages, clock, random, sound});
        session.setScreenWidth(PreviewScreen.width);
        session.setAutoplay(false);
        store.fnStoreSet(Fld::GameNumber, normalGameNumber(PreviewDeal));
        if (!session.startGame(game.gameId, game.name, store.fnStoreGet(Fld::UserDefault), KeepNumber, false))
            return fail(name + QStringLiteral(": cannot deal: ") + QString::fromStdString(messages.lastError()));
        TableView table(appearance);
        table.showGame(&session.game());
        std::string notice;
        table.prepareTable(notice);
        QImage preview, twin;
        if (!drawPreview(table, name, preview, twin))
            return false;
        if (!messages.lastError().empty())
            return fail(name + QStringLiteral(": ") + QString::fromStdString(messages.lastError()));
        for (const auto& [picture, pictureName] : {std::pair{&preview, previewName(game.gameId)},
                                                   {&twin, twinName(previewName(game.gameId))}}) {
            const QString file = QString::fromStdString(pictureName) + QStringLiteral(".png");
            if (!picture->save(out.filePath(file), "PNG"))
                return fail(QStringLiteral("cannot write ") + out.filePath(file));
            files << file;
        }
    }
    return writeQrc(out, QStringLiteral("previews.qrc"), files);
}

} // namespace
} // namespace kst::assets

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: kst-previews PROGRAM_DIR LIBRARY.RGF OUT_DIR\n");
        return 2;
    }
    const QDir out(args[3]);
    if (!out.mkpath(QStringLiteral(".")))
        return 1;
    return kst::assets::drawPreviews(args[1], args[2], out) ? 0 : 1;
}
