#include "sim/timeline.h"

#include <algorithm>
#include <cassert>
#include <charconv>

#include "sim/hand_log.h"

namespace vantrel::sim {
namespace {

// Think times come from a stream of their own, apart from the hands' seeds, so
// changing the clock never changes what is played.
constexpr std::uint64_t kThinkStreamSalt = 0x7468696E6B2D6D73ULL;  // "think-ms"

constexpr int kMaxHands = 100000;
constexpr std::int64_t kMaxSpanMs = 24LL * 60 * 60 * 1000;

// All of `text` as a number: digits only (from_chars alone would take a minus sign
// and stop quietly at trailing junk).
template <typename Number>
std::optional<Number> ParseDigits(std::string_view text) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    Number value{};
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{}) return std::nullopt;  // out of range
    return value;
}

// FormatHandLog's text, one entry per line, each keeping its "\n".
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size() - 1);
        lines.push_back(text.substr(start, end + 1 - start));
        start = end + 1;
    }
    return lines;
}

// Builds the change points of a series, one event at a time, from the state the
// table shows right now.
class Layout {
public:
    Layout(const TimelineSettings& settings, std::uint64_t think_seed)
        : settings_(settings), think_(think_seed) {
        Show(0);
    }

    void PlayHand(const HandRecord& hand, HandTimes& times, std::vector<LogLine>& log) {
        const std::vector<std::string> lines = SplitLines(FormatHandLog(hand));
        std::size_t next_line = 0;
        auto log_up_to = [&](std::size_t line_count) {
            for (; next_line < std::min(line_count, lines.size()); ++next_line) {
                log.push_back({.time_ms = now_, .text = lines[next_line]});
            }
        };

        now_ += settings_.pause_ms;
        times.deal_ms = now_;
        table_.in_hand = true;
        table_.own_row = hand.deal[0];
        Show(now_);
        log_up_to(2);  // "deal" and "first"

        now_ += settings_.deal_ms;
        times.sign_ms = now_;
        table_.first_mover_sign = hand.first_seat;
        Show(now_);

        for (std::size_t k = 0; k < hand.moves.size(); ++k) {
            const Move& move = hand.moves[k];
            now_ += ThinkMs();
            times.move_ms.push_back(now_);
            Lay(move);
            Show(now_);
            log_up_to(3 + k);
        }
        log_up_to(lines.size());  // "end", with the final play

        now_ += settings_.final_play_ms;
        times.cleared_ms = now_;
        table_ = TableState{};
        Show(now_);
    }

    std::vector<TimedState> TakeChanges() { return std::move(changes_); }

private:
    int ThinkMs() {
        const auto span = static_cast<std::uint64_t>(settings_.think_max_ms - settings_.think_min_ms) + 1;
        return settings_.think_min_ms + static_cast<int>(think_.Below(span));
    }

    void Lay(const Move& move) {
        table_.first_mover_sign = -1;  // only ever lit before the hand's first move
        SeatArea& mine = table_.areas[move.seat];
        mine.laid = move.cards;
        mine.pass_sign = move.IsPass();
        table_.areas[(move.seat + 1) % kSeats] = SeatArea{};
        if (move.seat == 0) {
            std::erase_if(table_.own_row, [&](CardCode code) {
                return std::find(move.cards.begin(), move.cards.end(), code) != move.cards.end();
            });
        }
    }

    void Show(std::int64_t time_ms) {
        assert(changes_.empty() || (time_ms > changes_.back().time_ms && table_ != changes_.back().state));
        changes_.push_back({.time_ms = time_ms, .state = table_});
    }

    TimelineSettings settings_;
    SplitMix64 think_;
    TableState table_;
    std::int64_t now_ = 0;
    std::vector<TimedState> changes_;
};

}  // namespace

std::optional<std::string> SettingsProblem(const TimelineSettings& settings) {
    struct Span {
        const char* name;
        int ms;
    };
    for (const Span& span : {Span{"think time", settings.think_min_ms}, Span{"deal time", settings.deal_ms},
                             Span{"final-play time", settings.final_play_ms}, Span{"pause", settings.pause_ms}}) {
        if (span.ms < 1 || span.ms > kMaxSpanMs) {
            return std::string(span.name) + " must be 1.." + std::to_string(kMaxSpanMs) + " ms";
        }
    }
    if (settings.think_max_ms < settings.think_min_ms || settings.think_max_ms > kMaxSpanMs) {
        return "the think time's upper bound must be at least its lower bound and at most " +
               std::to_string(kMaxSpanMs) + " ms";
    }
    return std::nullopt;
}

Timeline::Timeline(std::uint64_t series_seed, int hand_count, const TimelineSettings& settings)
    : hands_(PlayHands(series_seed, hand_count)) {
    assert(!SettingsProblem(settings));
    Layout layout(settings, series_seed ^ kThinkStreamSalt);
    hand_times_.resize(hands_.size());
    for (std::size_t i = 0; i < hands_.size(); ++i) layout.PlayHand(hands_[i], hand_times_[i], log_lines_);
    changes_ = layout.TakeChanges();
}

std::size_t Timeline::ChangeIndexAt(std::int64_t time_ms) const {
    const auto after = std::upper_bound(changes_.begin(), changes_.end(), time_ms,
                                        [](std::int64_t t, const TimedState& change) { return t < change.time_ms; });
    return after == changes_.begin() ? 0 : static_cast<std::size_t>(after - changes_.begin()) - 1;
}

std::optional<std::int64_t> ParseDecimal(std::string_view text, std::int64_t max) {
    const auto value = ParseDigits<std::int64_t>(text);
    if (!value || *value > max) return std::nullopt;
    return value;
}

OptionResult ApplySeriesOption(std::string_view name, std::string_view value, SeriesOptions& options) {
    auto ms = [&](int& field) {
        const auto parsed = ParseDecimal(value, kMaxSpanMs);
        if (!parsed || *parsed < 1) return OptionResult::kBadValue;
        field = static_cast<int>(*parsed);
        return OptionResult::kApplied;
    };
    if (name == "--seed") {
        const auto seed = ParseDigits<std::uint64_t>(value);
        if (!seed) return OptionResult::kBadValue;
        options.seed = *seed;
        return OptionResult::kApplied;
    }
    if (name == "--hands") {
        const auto hands = ParseDecimal(value, kMaxHands);
        if (!hands) return OptionResult::kBadValue;
        options.hands = static_cast<int>(*hands);
        return OptionResult::kApplied;
    }
    if (name == "--think-ms") {
        const std::size_t dash = value.find('-');
        if (dash == std::string_view::npos) return OptionResult::kBadValue;
        const auto low = ParseDecimal(value.substr(0, dash), kMaxSpanMs);
        const auto high = ParseDecimal(value.substr(dash + 1), kMaxSpanMs);
        if (!low || !high || *low < 1 || *high < *low) return OptionResult::kBadValue;
        options.settings.think_min_ms = static_cast<int>(*low);
        options.settings.think_max_ms = static_cast<int>(*high);
        return OptionResult::kApplied;
    }
    if (name == "--deal-ms") return ms(options.settings.deal_ms);
    if (name == "--final-ms") return ms(options.settings.final_play_ms);
    if (name == "--pause-ms") return ms(options.settings.pause_ms);
    return OptionResult::kNotSeriesOption;
}

}  // namespace vantrel::sim
