// The flight recorder's report: what the program was told through the seam, in
// the order it was told, as a file that another run of the program can be fed from.
// docs/report-format.md describes the file for anyone writing a reader; this
// module is the one place the program writes and reads it.
//
// The record stream is a sequence of records, each a tag byte and its fields,
// little-endian; strings are a 16-bit length and UTF-8 bytes. The file carries the
// stream cut into blocks, each compressed on its own as a zlib stream (packed with
// zlib, unpacked with stb's decoder), so the recorder can drop the oldest blocks
// without touching the rest.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace vantrel::recorder {

enum class Tag : std::uint8_t {
    // Where the stream may start: a fresh program, or the reset of a hand.
    kProgramStart = 'P',  // nothing
    kHandReset = 'R',     // u64 game window, u16 count, that many timer names, u16 count, that many
                          // (window caption, i32 dpi, point top-left), i32 primary monitor's dpi
    // What reached the program's logic.
    kTick = 'T',          // timer name
    kMouseDown = 'D',     // window caption, u8 button, i32 x, i32 y
    kMouseUp = 'U',       // window caption, u8 button, i32 x, i32 y
    kMouseMove = 'M',     // window caption, i32 x, i32 y
    kKeyDown = 'K',       // window caption, u16 virtual key, u8 control held
    kCloseRequest = 'C',  // window caption
    kEndSession = 'E',    // window caption
    kMoved = 'V',         // window caption, i32 x, i32 y
    kDpiChanged = 'Z',    // window caption, i32 dpi, rect suggested
    kReportSaved = 'S',   // u8 whether the report asked for was written
    // The desktop's answers.
    kFindWindow = 'f',    // title, u64 window
    kWindowRect = 'r',    // rect
    kOpenClient = 'o',    // u64 window asked for, u8 whether a surface came back
    kBounds = 'b',        // rect
    kCopy = 'c',          // rect, u8 copied; when copied, width x height 32-bit pixels
    kBitsPerPixel = 'p',  // i32
    kCursorPos = 'q',     // i32 x, i32 y
    kMonitors = 'm',      // u16 count, that many rects
    kWindowDpi = 'd',     // i32 dots per inch of the monitor a window stands on
    kPrimaryDpi = 'i',    // i32 dots per inch of the primary monitor
    kFileRead = 'l',      // file name, u8 FileResult, u16 count, the file's first count bytes (at most kFileReadBytes)
};

// Appends little-endian fields to a byte vector it does not own.
class ByteWriter {
public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void U8(std::uint8_t v) { out_.push_back(v); }
    void U16(std::uint16_t v) { Little(v, 2); }
    void U32(std::uint32_t v) { Little(v, 4); }
    void I32(std::int32_t v) { Little(static_cast<std::uint32_t>(v), 4); }
    void U64(std::uint64_t v) { Little(v, 8); }
    void Str(std::string_view s);
    void Point(base::Point p) {
        I32(p.x);
        I32(p.y);
    }
    void Rect(const base::Rect& r);
    void Bytes(const void* data, std::size_t count);

private:
    void Little(std::uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    std::vector<std::uint8_t>& out_;
};

// Reads what ByteWriter wrote. Reading past the end fails the reader for good:
// every later read yields zeros and ok() stays false, so a parser checks once.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> in) : in_(in) {}
    bool ok() const { return ok_; }
    bool AtEnd() const { return at_ >= in_.size(); }
    std::size_t offset() const { return at_; }
    std::uint8_t U8() { return static_cast<std::uint8_t>(Little(1)); }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Little(2)); }
    std::uint32_t U32() { return static_cast<std::uint32_t>(Little(4)); }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    std::uint64_t U64() { return Little(8); }
    std::string Str();
    base::Point Point() {
        const int x = I32();
        return {x, I32()};
    }
    base::Rect Rect();
    // `count` bytes in place, or an empty span when fewer are left.
    std::span<const std::uint8_t> Bytes(std::size_t count);

private:
    std::uint64_t Little(int bytes);
    std::span<const std::uint8_t> in_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

// One block of the stream, compressed.
struct PackedBlock {
    std::uint32_t rawLength = 0;
    std::vector<std::uint8_t> packed;
};

PackedBlock Pack(std::span<const std::uint8_t> raw);

inline constexpr std::uint16_t kFormatVersion = 2;
// How much of a file the program reads a record keeps: the settings file, all the
// program reads, decides nothing past its first 48 bytes.
inline constexpr std::size_t kFileReadBytes = 256;

// What the recorder can produce, with room to spare, and so the most a reader
// takes in: a report's file, and the record stream its blocks unpack to. The
// recorder holds no more than half of either (flight_recorder.h).
inline constexpr std::size_t kMaxReportBytes = 8u << 20;
inline constexpr std::size_t kMaxStreamBytes = 64u << 20;

// The whole file: header, the blocks in order, the checksum.
std::vector<std::uint8_t> WriteReport(std::string_view programVersion, std::span<const PackedBlock* const> blocks);

struct ReportContents {
    std::string programVersion;
    std::vector<std::uint8_t> stream;  // the blocks unpacked, one after another
};
// The report's contents, or nothing with `error` saying what is wrong, in one line.
// The stream is made once, at its size, never above kMaxStreamBytes.
std::optional<ReportContents> ReadReport(std::span<const std::uint8_t> file, std::string& error);

}  // namespace vantrel::recorder
