// The rules of 16-card 跑得快 as the stand-in plays them: what a set of cards can be
// read as (its combination), what beats what, which plays a hand may make against
// the combination on the table, and whose turn it is. Everything here is a pure
// function of its arguments; suits never matter to legality or strength.
//
// Combinations: a single; a pair; a pair run (two or more pairs of consecutive
// ranks); a triple with two wings; a straight (five or more consecutive ranks, one
// card each); an airplane (two or more triples of consecutive ranks, two wings per
// triple); a bomb (four of a kind). Runs of any kind lie within 3..A: the 2 never
// joins one. A combination beats another of the same kind and length with a higher
// key; a bomb beats any other kind, and a higher bomb.
//
// Decisions for the grey areas, kept simple and consistent:
// - Wings are any cards outside the ranks of the triples they belong to: single
//   cards, a pair, the 2, even a whole four of a kind under an airplane. A four of a
//   kind is therefore never a triple winged with its own fourth card (3333 4 is no
//   combination).
// - A triple or an airplane with fewer wings than two per triple (none included) is
//   "short" and may be laid only as the seat's last cards. It then ranks as the full
//   combination of its triples, so it can beat a triple with two of a lower rank.
// - Some sets can be read more than one way (333 444 555 6 is 444 555 winged by
//   3 3 3 6, or 333 444 winged by 5 5 5 6, or, as last cards, three short triples).
//   A play counts as its strongest reading that is legal where it is laid: full wings
//   before short, more triples before fewer, then the higher key.
// - Bombs may be broken: their cards can go out as singles, pairs, triples or runs.
// - Any combination may open the hand; it need not contain the 3 of spades.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "sim/cards.h"

namespace vantrel::sim {

enum class Kind { Single, Pair, PairRun, Triple, Straight, Airplane, Bomb };

struct Combination {
    Kind kind = Kind::Single;
    // The rank that decides what it beats: the rank of a single, pair, triple or bomb;
    // the highest rank of a pair run, a straight or an airplane's triples.
    Rank key = 0;
    // Pairs in a pair run, cards in a straight, triples in an airplane; 1 otherwise.
    int length = 1;
    bool short_wings = false;  // legal only as the seat's last cards
    friend bool operator==(const Combination&, const Combination&) = default;
};

// A play a hand can make: its cards in ascending code order (the order laid on the
// table) and the combination they count as there.
struct Play {
    std::vector<CardCode> cards;
    Combination combination;
    friend bool operator==(const Play&, const Play&) = default;
};

// Every reading of `cards`, strongest first (see above); empty when the cards are no
// combination, or hold an invalid or repeated code. Short readings are included:
// whether they are allowed depends on the hand they come from.
std::vector<Combination> Readings(std::span<const CardCode> cards);

// The strongest reading of `cards`, or none.
std::optional<Combination> Classify(std::span<const CardCode> cards);

// Whether `a`, laid on `b`, beats it.
bool Beats(const Combination& a, const Combination& b);

// What `cards` count as when `hand` lays them on `to_beat` (none: a free lead), or
// none when the play is not legal there: the cards are not all in the hand, form no
// combination, beat nothing, or are a short triple that does not empty the hand.
std::optional<Combination> ReadPlay(std::span<const CardCode> hand, std::span<const CardCode> cards,
                                    const std::optional<Combination>& to_beat);

bool IsLegal(std::span<const CardCode> hand, std::span<const CardCode> cards,
             const std::optional<Combination>& to_beat);

// All legal plays of `hand` on `to_beat` (none: a free lead), generated from the
// hand. Since suits do not matter, each distinct set of ranks appears once, made of
// the lowest suits the hand holds of each rank, with the combination ReadPlay gives
// it. Sorted by cards.
std::vector<Play> LegalMoves(std::span<const CardCode> hand, const std::optional<Combination>& to_beat);

// A seat must beat when it can: passing is legal only on a combination that no
// play of the hand beats. A free lead can never be passed.
bool MayPass(std::span<const CardCode> hand, const std::optional<Combination>& to_beat);

// Whose turn it is and what must be beaten. Turns go 0 -> 1 -> 2 -> 0; when the
// other two seats have passed, the seat that laid the last play leads freely.
class Trick {
public:
    explicit Trick(int first_seat) : turn_(first_seat), last_to_lay_(first_seat) {}

    int Turn() const { return turn_; }
    // The combination to beat, or none on a free lead.
    const std::optional<Combination>& ToBeat() const { return to_beat_; }

    void Lay(const Combination& combination);
    void Pass();

private:
    void Advance();

    int turn_;
    int last_to_lay_;
    std::optional<Combination> to_beat_;
};

}  // namespace vantrel::sim
