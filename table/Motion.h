#pragma once
// Cards in motion: the picture of the cards that follows the pointer while they are dragged,
// and the straight glide of cards the program moves by itself (the deal, redeals, automatic
// moves). The glide's steps grow with the distance; the speed is how long each step lasts, and
// the screen gets at most one of them a frame.

#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "table/Appearance.h"
#include "table/Layout.h"
#include "table/Painter.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace kst {

// ---- the path -------------------------------------------------------------------------------------

// Step length along the leading axis for a distance d: Trunc(d / (d * 0.0128 + 4) + 0.5), three
// tenths of that for a fine move, never more than d and never 0 while there is a way to go.
int motionStep(int distance, bool fine);

// The positions a glide passes through after leaving `from`, the last one being `to`.
std::vector<Point> motionPath(Point from, Point to, bool fine);

// ---- the moving picture ---------------------------------------------------------------------------

// A card of the moving picture: its number (-1 for a face-down card shown by its back) and its
// offset from the picture's top.
struct MovingCard {
    int card = 0;
    int offset = 0;
};

class MovingImage {
public:
    // The picture of the cards, fanned downward by their offsets, on the surfaces of the table.
    MovingImage(TableSurfaces surfaces, const CardPictures& pictures, Graphics& graphics,
                const std::vector<MovingCard>& cards);

    int width() const { return m_image->width(); }
    int height() const { return m_image->height(); }
    const Bitmap& image() const { return *m_image; }
    // The card shadow's width at the pictures' size.
    int shadowWidth() const { return m_pictures.shadowWidth(); }

    // Shows the picture at a window point (with the shadow when asked), remembering the place.
    void showAt(Point at, bool shadow, int scrollOffset);
    // Follows the pointer: a move under one pixel does nothing; otherwise what the new place no
    // longer covers is given back from the table buffer, and the picture drawn at the new place.
    // The table buffer itself does not change.
    void dragTo(Point at, bool shadow, int scrollOffset);
    // Gives the whole covered area (shadow included) back from the table buffer.
    void hide(int scrollOffset);
    // Copies the picture into the table buffer at its place, so it stays after a repaint.
    void commit(int scrollOffset);

    Point position() const { return m_at; }
    bool isShown() const { return m_shown; }

    // Told of every window area the picture changed, so the screen can show it at once.
    std::function<void(const Rect&)> onDrawn;

private:
    // The picture, its corners blended with the table buffer beneath.
    void drawAt(Point at, int scrollOffset);
    void restore(const Rect& area, int scrollOffset);
    // The picture's area at a place, with the shadow's strips when it has them.
    Rect coveredAt(Point at, bool shadow) const;

    TableSurfaces m_surfaces;
    const CardPictures& m_pictures;
    std::unique_ptr<Bitmap> m_image;
    Corners m_corners;
    Point m_at;
    bool m_shown = false;
    bool m_shadowShown = false;
};

// ---- the pace ----------------------------------------------------------------------------------

// The time line of an animation. A pause is time the motion takes, not a wait of its own: a state
// of the motion (a position, a flash) is drawn only when a frame of the display begins while it
// lasts, so the screen gets at most one new picture a frame, and a step no frame would show costs
// nothing. Frames are counted from the start of the time line.
class MotionPace {
public:
    MotionPace(Clock& clock, EventPump& events, int frameMs);

    // The next state lasts `lasting` ms. True when a frame shows it: the pace has waited for its
    // moment (the windows repaint meanwhile) and the caller draws it. Either way the time line
    // moves past it.
    bool show(double lasting);
    // Waits for the time line's present moment: for a state drawn whatever the frames (where a
    // motion ends).
    void reach();
    // Time passes with the picture as it is.
    void pass(double ms) { m_time += ms; }
    // Milliseconds of the time line so far.
    double elapsed() const { return m_time; }

private:
    void waitUntil(double moment);

    Clock& m_clock;
    EventPump& m_events;
    std::uint64_t m_start;
    double m_time = 0;
    int m_frameMs;
};

// ---- the glide ----------------------------------------------------------------------------------

struct MotionTiming {
    MotionPace& pace;
    int speed = 10;        // Speed_Move_Card: milliseconds each step lasts; 0 or less, as a fine step
    bool shadowed = true;  // Cards_Shadowed
    int scrollOffset = 0;
};

// How long a step of a fine move lasts: a Freecell deal takes about a second.
inline constexpr double FineStepMs = 0.3;

struct MotionRequest {
    Point from;
    Point to;
    bool targetHasShadow = false; // stop s pixels short of the target, then settle onto it
    bool fine = false;            // short steps, each a fine step's time (the deal)
    bool commit = true;           // leave the picture in the table buffer at the end
};

// Moves the picture from `from` to `to` in steps along a straight line; an unplaced target sends
// it off the table at the top left. The windows go on repainting while it moves.
void moveCard(MovingImage& image, const MotionRequest& request, const MotionTiming& timing, CardSize card);

// A card of the deal shown on its way: a face-up card flashes at the stock, face then back, and
// leaves from a little below and right of it; a face-down card leaves from there as its back.
// The move is fine and the card stays in the table buffer at its place.
// faceUp tells which of the two the picture shows.
void animateDealtCard(MovingImage& image, bool faceUp, Point stock, Point target, const MotionTiming& timing,
                      CardSize card);

} // namespace kst
