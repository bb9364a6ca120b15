#include "recorder/report_format.h"

#include <algorithm>
#include <array>
#include <cstring>

#include <zlib.h>

// Declarations only: stb's implementation is compiled once, with the PNG codec.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
#endif
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace vantrel::recorder {
namespace {

// The first bytes of every report: a byte outside ASCII, the name, and the line
// ends and end-of-file mark that a text-mode copy would change.
constexpr std::array<std::uint8_t, 8> kMagic{0x89, 'V', 'X', 'R', '\r', '\n', 0x1A, '\n'};

// A block never unpacks to more than this: a length beyond it is corruption, not data.
constexpr std::uint32_t kMaxBlockRaw = 4u << 20;

// zlib's fastest level: the recorder packs while the program follows the game,
// and at this level packing two hands' copies costs less than half of what stb's
// compressor takes, for the same size.
constexpr int kPackLevel = Z_BEST_SPEED;

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t b : bytes) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

}  // namespace

void ByteWriter::Str(std::string_view s) {
    const std::size_t length = std::min<std::size_t>(s.size(), 0xFFFF);
    U16(static_cast<std::uint16_t>(length));
    Bytes(s.data(), length);
}

void ByteWriter::Rect(const base::Rect& r) {
    I32(r.left);
    I32(r.top);
    I32(r.right);
    I32(r.bottom);
}

void ByteWriter::Bytes(const void* data, std::size_t count) {
    if (count == 0) return;
    const std::size_t at = out_.size();
    out_.resize(at + count);
    std::memcpy(out_.data() + at, data, count);
}

std::uint64_t ByteReader::Little(int bytes) {
    if (!ok_ || in_.size() - at_ < static_cast<std::size_t>(bytes)) {
        ok_ = false;
        return 0;
    }
    std::uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= static_cast<std::uint64_t>(in_[at_ + i]) << (8 * i);
    at_ += static_cast<std::size_t>(bytes);
    return v;
}

std::string ByteReader::Str() {
    const auto bytes = Bytes(U16());
    return {bytes.begin(), bytes.end()};
}

base::Rect ByteReader::Rect() {
    base::Rect r;
    r.left = I32();
    r.top = I32();
    r.right = I32();
    r.bottom = I32();
    return r;
}

std::span<const std::uint8_t> ByteReader::Bytes(std::size_t count) {
    if (!ok_ || in_.size() - at_ < count) {
        ok_ = false;
        return {};
    }
    const auto bytes = in_.subspan(at_, count);
    at_ += count;
    return bytes;
}

PackedBlock Pack(std::span<const std::uint8_t> raw) {
    PackedBlock block;
    block.rawLength = static_cast<std::uint32_t>(raw.size());
    uLongf length = compressBound(static_cast<uLong>(raw.size()));
    block.packed.resize(length);
    if (compress2(block.packed.data(), &length, raw.data(), static_cast<uLong>(raw.size()), kPackLevel) != Z_OK) length = 0;
    block.packed.resize(length);
    block.packed.shrink_to_fit();  // held for minutes: only what it packed to
    return block;
}

std::vector<std::uint8_t> WriteReport(std::string_view programVersion, std::span<const PackedBlock* const> blocks) {
    // Sized up front: a report is written while the recorder holds its blocks, and
    // a growing vector would hold two copies of it at each step.
    std::size_t size = kMagic.size() + 2 + 2 + std::min<std::size_t>(programVersion.size(), 0xFFFF) + 4 + 4;
    for (const PackedBlock* block : blocks) size += 8 + block->packed.size();
    std::vector<std::uint8_t> file;
    file.reserve(size);
    ByteWriter out(file);
    out.Bytes(kMagic.data(), kMagic.size());
    out.U16(kFormatVersion);
    out.Str(programVersion);
    out.U32(static_cast<std::uint32_t>(blocks.size()));
    for (const PackedBlock* block : blocks) {
        out.U32(block->rawLength);
        out.U32(static_cast<std::uint32_t>(block->packed.size()));
        out.Bytes(block->packed.data(), block->packed.size());
    }
    out.U32(Crc32(file));
    return file;
}

std::optional<ReportContents> ReadReport(std::span<const std::uint8_t> file, std::string& error) {
    if (file.size() < kMagic.size() || std::memcmp(file.data(), kMagic.data(), kMagic.size()) != 0) {
        error = "not a Vantrel report (its first bytes are not the report's mark)";
        return std::nullopt;
    }
    ByteReader in(file.subspan(kMagic.size()));
    const std::uint16_t version = in.U16();
    if (in.ok() && version != kFormatVersion) {
        error = "report format version " + std::to_string(version) + ", this reader reads version " +
                std::to_string(kFormatVersion);
        return std::nullopt;
    }
    if (file.size() < kMagic.size() + 4 ||
        Crc32(file.first(file.size() - 4)) != ByteReader(file.last(4)).U32()) {
        error = "the report is cut short or damaged (its checksum does not match)";
        return std::nullopt;
    }
    ReportContents contents;
    contents.programVersion = in.Str();
    const std::uint32_t blockCount = in.U32();
    // The blocks' lengths first, so that the stream is made once, at its size,
    // and only when the report holds no more than a recorder can write.
    struct Block {
        std::uint32_t rawLength;
        std::span<const std::uint8_t> packed;
    };
    std::vector<Block> blocks;
    std::size_t streamBytes = 0;
    for (std::uint32_t i = 0; i < blockCount && in.ok(); ++i) {
        const std::uint32_t rawLength = in.U32();
        const auto packed = in.Bytes(in.U32());
        if (!in.ok()) break;
        if (rawLength > kMaxBlockRaw || streamBytes + rawLength > kMaxStreamBytes) {
            error = "block " + std::to_string(i) + " claims " + std::to_string(rawLength) + " bytes, more than a report holds";
            return std::nullopt;
        }
        streamBytes += rawLength;
        blocks.push_back({rawLength, packed});
    }
    if (!in.ok() || in.offset() + kMagic.size() + 4 != file.size()) {
        error = "the report's blocks do not fill it exactly";
        return std::nullopt;
    }
    contents.stream.resize(streamBytes);
    std::size_t at = 0;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const Block& block = blocks[i];
        const int unpacked = stbi_zlib_decode_buffer(reinterpret_cast<char*>(contents.stream.data() + at),
                                                     static_cast<int>(block.rawLength),
                                                     reinterpret_cast<const char*>(block.packed.data()),
                                                     static_cast<int>(block.packed.size()));
        if (unpacked != static_cast<int>(block.rawLength)) {
            error = "block " + std::to_string(i) + " does not unpack to its stated length";
            return std::nullopt;
        }
        at += block.rawLength;
    }
    return contents;
}

}  // namespace vantrel::recorder
