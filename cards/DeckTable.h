#pragma once
// The deck table: one fixed 20-character record per card, in card-number order. The record is
// also the form other data keeps of a card, so its layout is exact: the name padded to 15
// characters, the suit digit, the three-digit card number and the face flag ("1" up, "0" down).
// The face of a card belongs to the card, not to the pile that holds it.

#include <array>
#include <string_view>

#include "cards/Card.h"

namespace kst {

enum class Face : char { Down = '0', Up = '1' };

class DeckTable {
public:
    static constexpr int RecordLength = 20;
    static constexpr int FaceAt = 19; // the face flag's place in a record

    // All 108 records, every card face up.
    DeckTable();

    // ---- faces -----------------------------------------------------------------------------
    // Numbers that name no card are ignored.
    void setFace(int card, Face face);
    // False for any number that names no card (0, the empty slot, included).
    bool isFaceDown(int card) const
    {
        return isCardNumber(card) && m_records[std::size_t(card - 1)][FaceAt] == char(Face::Down);
    }
    void turnAllFaceUp();

    // ---- records ---------------------------------------------------------------------------
    // The card's record; empty for a number that names no card.
    std::string_view record(int card) const;
    // The name without its padding: "CUORI_A", "PICCH_10", "JOKER"; empty for no card.
    std::string_view name(int card) const;

    friend bool operator==(const DeckTable&, const DeckTable&) = default;

private:
    using Record = std::array<char, RecordLength>;
    std::array<Record, CardsInDeckTable> m_records;
};

} // namespace kst
