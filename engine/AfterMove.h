#pragma once
// What the rules do by themselves after a player's move, in the order the game does it: completed
// runs sent home, exposed face-down cards turned up, the tableau filled from the stock after the
// first move, empty piles filled, and with automatic play the cards that can go to a foundation
// sent there. The session makes these steps with their sounds and pictures; a search makes them
// silently. Both follow this one description, so a line found by a search plays the same in the
// window.

#include <span>

#include "engine/Game.h"
#include "engine/Move.h"

namespace kst {

// The player's settings that change what happens by itself.
struct AutomaticPlay {
    bool turnUps = true;   // exposed face-down tableau tops are turned up (Automatic_FaceUp)
    bool autoplay = false; // Autoplay is checked and the game allows it
};

// What a group of automatic moves is, for the sounds the session gives them.
enum class AutoStep {
    CompletedRun, // the thirteen cards of a completed run going home, top card first
    TurnUp,
    Fill,         // an empty tableau pile filled, or the tableau filled from the stock
    ToFoundation, // automatic play sending a card home
};

// Makes the automatic moves on the game the steps read.
class StepMaker {
public:
    virtual ~StepMaker() = default;
    // Makes the moves in order; false when the first was not made.
    virtual bool make(std::span<const Move> moves, AutoStep step) = 0;
    // Automatic play stops before its next card when this turns true.
    virtual bool stopped() const { return false; }
};

// The steps right after a player's move (made already; movesBefore is the game's movesMade before
// it): its completed runs, the turn-ups (unless automatic play will make them), the filling after
// the first move.
void stepsAfterMove(const Game& game, const Move& move, int movesBefore, AutomaticPlay play, StepMaker& maker);

// One automatic-play run: the empty tableau piles filled as the game fills them and, with
// automatic play, every card that may go home sent there, again while cards move. True when
// something moved.
bool runAutoplay(const Game& game, AutomaticPlay play, StepMaker& maker);

// Everything that follows a player's move: the steps after it, then the automatic-play run unless
// the game is won.
void followMove(const Game& game, const Move& move, int movesBefore, AutomaticPlay play, StepMaker& maker);

} // namespace kst
