#include "sim/hand_log.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <span>
#include <stdexcept>

namespace vantrel::sim {
namespace {

void AppendCodes(std::string& out, std::span<const CardCode> codes) {
    for (CardCode code : codes) out += ' ' + std::to_string(code);
}

void AppendCounts(std::string& out, const std::array<int, kSeats>& counts) {
    out += " counts";
    for (int count : counts) out += ' ' + std::to_string(count);
}

// Parse failures unwind to ParseHandLog as this, which adds the line number.
struct LogError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The space-separated fields of one line, read left to right.
class Fields {
public:
    explicit Fields(std::string_view line) {
        std::size_t start = 0;
        while (start < line.size()) {
            const std::size_t end = std::min(line.find(' ', start), line.size());
            if (end > start) fields_.push_back(line.substr(start, end - start));
            start = end + 1;
        }
    }

    bool AtEnd() const { return next_ == fields_.size(); }
    std::string_view Peek() const { return AtEnd() ? std::string_view{} : fields_[next_]; }

    std::string_view Word() {
        if (AtEnd()) throw LogError("the line ends early");
        return fields_[next_++];
    }

    void Expect(std::string_view word) {
        if (Word() != word) throw LogError("expected \"" + std::string(word) + "\"");
    }

    int Number(int low, int high, const char* what) {
        const std::string_view word = Word();
        int value = 0;
        const auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (status != std::errc{} || end != word.data() + word.size() || value < low || value > high) {
            throw LogError("bad " + std::string(what) + " \"" + std::string(word) + "\"");
        }
        return value;
    }

    int Seat() { return Number(0, kSeats - 1, "seat"); }

    CardCode Code() {
        const CardCode code = Number(1, kTwoOfSpades, "card code");
        if (!IsCardCode(code)) throw LogError("no card has code " + std::to_string(code));
        return code;
    }

    std::array<int, kSeats> Counts() {
        Expect("counts");
        std::array<int, kSeats> counts{};
        for (int& count : counts) count = Number(0, kHandSize, "count");
        return counts;
    }

    void ExpectEnd() {
        if (!AtEnd()) throw LogError("unexpected \"" + std::string(Peek()) + "\"");
    }

private:
    std::vector<std::string_view> fields_;
    std::size_t next_ = 0;
};

HandRecord ReadDeal(Fields& fields) {
    HandRecord hand;
    hand.hand_number = fields.Number(0, std::numeric_limits<int>::max(), "hand number");
    for (int seat = 0; seat < kSeats; ++seat) {
        if (seat > 0) fields.Expect("|");
        fields.Expect("seat" + std::to_string(seat));
        for (int i = 0; i < kHandSize; ++i) hand.deal[seat].push_back(fields.Code());
    }
    return hand;
}

Move ReadMove(Fields& fields) {
    Move move;
    move.seat = fields.Seat();
    const std::string_view what = fields.Word();
    if (what == "play") {
        while (fields.Peek() != "counts" && !fields.AtEnd()) move.cards.push_back(fields.Code());
        if (move.cards.empty()) throw LogError("a play lays no cards");
    } else if (what != "pass") {
        throw LogError("expected \"play\" or \"pass\"");
    }
    move.counts = fields.Counts();
    return move;
}

// Builds the hands of a log line by line; the last hand stays open until its "end".
class LogReader {
public:
    void ReadLine(std::string_view line) {
        Fields fields(line);
        if (fields.AtEnd()) return;
        const std::string_view event = fields.Word();
        if (event == "deal") {
            if (hand_open_) throw LogError("a deal inside an unfinished hand");
            hands_.push_back(ReadDeal(fields));
            hand_open_ = true;
            first_read_ = false;
        } else if (!hand_open_) {
            throw LogError("\"" + std::string(event) + "\" outside a hand");
        } else if (event == "first") {
            if (first_read_) throw LogError("a second \"first\" line");
            hands_.back().first_seat = fields.Seat();
            first_read_ = true;
        } else if (!first_read_) {
            throw LogError("\"" + std::string(event) + "\" before \"first\"");
        } else if (event == "move") {
            hands_.back().moves.push_back(ReadMove(fields));
        } else if (event == "end") {
            // The record has no winner of its own: it is the seat of the last move.
            if (fields.Seat() != hands_.back().Winner()) throw LogError("the winner is not the seat of the last move");
            hand_open_ = false;
        } else {
            throw LogError("unknown event \"" + std::string(event) + "\"");
        }
        fields.ExpectEnd();
    }

    std::vector<HandRecord> Finish() && {
        if (hand_open_) throw LogError("the last hand has no \"end\" line");
        return std::move(hands_);
    }

private:
    std::vector<HandRecord> hands_;
    bool hand_open_ = false;
    bool first_read_ = false;
};

}  // namespace

std::string FormatHandLog(const HandRecord& hand) {
    std::string out = "deal " + std::to_string(hand.hand_number);
    for (int seat = 0; seat < kSeats; ++seat) {
        out += seat == 0 ? " seat0" : " | seat" + std::to_string(seat);
        AppendCodes(out, hand.deal[seat]);
    }
    out += "\nfirst " + std::to_string(hand.first_seat) + '\n';
    for (const Move& move : hand.moves) {
        out += "move " + std::to_string(move.seat);
        if (move.IsPass()) {
            out += " pass";
        } else {
            out += " play";
            AppendCodes(out, move.cards);
        }
        AppendCounts(out, move.counts);
        out += '\n';
    }
    out += "end " + std::to_string(hand.Winner()) + '\n';
    return out;
}

std::optional<std::vector<HandRecord>> ParseHandLog(std::string_view text, std::string* error) {
    LogReader reader;
    int line_number = 0;
    try {
        while (!text.empty()) {
            ++line_number;
            const std::size_t end = std::min(text.find('\n'), text.size());
            std::string_view line = text.substr(0, end);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            text.remove_prefix(std::min(end + 1, text.size()));
            reader.ReadLine(line);
        }
        return std::move(reader).Finish();
    } catch (const LogError& e) {
        if (error) *error = "line " + std::to_string(line_number) + ": " + e.what();
        return std::nullopt;
    }
}

}  // namespace vantrel::sim
