#include "cards/DeckTable.h"

#include <algorithm>

namespace kst {

namespace {

constexpr int NameLength = 15;
constexpr int SuitDigitAt = 15;
constexpr int NumberAt = 16;

constexpr std::array<std::string_view, 4> SuitWords{"CUORI", "QUADR", "FIORI", "PICCH"};
constexpr std::array<std::string_view, 13> RankWords{"A",  "02", "03", "04", "05", "06", "07",
                                                      "08", "09", "10", "J",  "Q",  "K"};

} // namespace

DeckTable::DeckTable()
{
    for (int card = 1; card <= CardsInDeckTable; ++card) {
        Record& r = m_records[card - 1];
        r.fill(' ');
        auto out = r.begin();
        if (isJoker(card)) {
            out = std::ranges::copy(std::string_view("JOKER"), out).out;
        } else {
            out = std::ranges::copy(SuitWords[suitIndex(card)], out).out;
            *out++ = '_';
            std::ranges::copy(RankWords[rank(card) - 1], out);
        }
        // Jokers share the spades' digit.
        r[SuitDigitAt] = isJoker(card) ? '4' : char('1' + suitIndex(card));
        r[NumberAt] = char('0' + card / 100);
        r[NumberAt + 1] = char('0' + card / 10 % 10);
        r[NumberAt + 2] = char('0' + card % 10);
        r[FaceAt] = char(Face::Up);
    }
}

void DeckTable::setFace(int card, Face face)
{
    if (isCardNumber(card))
        m_records[card - 1][FaceAt] = char(face);
}

void DeckTable::turnAllFaceUp()
{
    for (Record& r : m_records)
        r[FaceAt] = char(Face::Up);
}

std::string_view DeckTable::record(int card) const
{
    if (!isCardNumber(card))
        return {};
    return {m_records[card - 1].data(), RecordLength};
}

std::string_view DeckTable::name(int card) const
{
    const std::string_view full = record(card).substr(0, NameLength);
    const auto end = full.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{} : full.substr(0, end + 1);
}

} // namespace kst
