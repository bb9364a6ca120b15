// vantrel-fuzz-reports REPORT [COUNT [SEED]]: the report reader and the replay fed
// COUNT (10,000) damaged copies of a good report, in-process, to be run under the
// sanitizers (the native preset): none may crash or hang. A third have bytes of the
// file changed, inserted or cut; a third have bytes after the format version
// damaged the same way and the checksum made right again, so that they reach the
// checks of the blocks; a third have their record stream damaged and are then
// packed and sealed again, so that they reach the replay itself. Prints how many
// each stage turned away, the reader's refusals by what it said.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <zlib.h>

#include "recorder/report_format.h"
#include "replay/replay.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Damage(Bytes& bytes, std::mt19937& random) {
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
        const std::size_t at = random() % bytes.size();
        switch (random() % 4) {
            case 0: bytes[at] ^= static_cast<std::uint8_t>(1u << (random() % 8)); break;
            case 1: bytes[at] = static_cast<std::uint8_t>(random()); break;
            case 2: bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::uint8_t>(random())); break;
            default: bytes.resize(at); break;
        }
    }
}

// The checksum the format describes, over all but the last four bytes, made right.
void Seal(Bytes& file) {
    if (file.size() < 4) return;
    const auto crc = static_cast<std::uint32_t>(crc32(0, file.data(), static_cast<uInt>(file.size() - 4)));
    for (int i = 0; i < 4; ++i) file[file.size() - 4 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
}

// What a refusal says, without the numbers in it.
std::string Kind(const std::string& error) {
    std::string kind;
    for (const char c : error)
        if (c < '0' || c > '9') kind += c;
    return kind;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: vantrel-fuzz-reports REPORT [COUNT [SEED]]\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const Bytes good{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const int count = argc > 2 ? std::stoi(argv[2]) : 10000;
    std::mt19937 random(argc > 3 ? static_cast<unsigned>(std::stoul(argv[3])) : 1u);
    std::string error;
    const auto contents = vantrel::recorder::ReadReport(good, error);
    if (!contents) {
        std::cerr << "vantrel-fuzz-reports: the starting report does not read: " << error << "\n";
        return 2;
    }
    // The magic and the format version, which the structure's damage leaves alone.
    constexpr std::size_t kHead = 10;
    int unread = 0, parted = 0, replayed = 0;
    std::map<std::string, int> refusals;
    for (int i = 0; i < count; ++i) {
        Bytes file;
        if (i % 3 == 0) {
            file = good;
            Damage(file, random);
        } else if (i % 3 == 1) {
            Bytes body(good.begin() + kHead, good.end() - 4);
            Damage(body, random);
            file.assign(good.begin(), good.begin() + kHead);
            file.insert(file.end(), body.begin(), body.end());
            file.resize(file.size() + 4);
            Seal(file);
        } else {
            Bytes stream = contents->stream;
            Damage(stream, random);
            const vantrel::recorder::PackedBlock block = vantrel::recorder::Pack(stream);
            const vantrel::recorder::PackedBlock* blocks[] = {&block};
            file = vantrel::recorder::WriteReport(contents->programVersion, blocks);
        }
        const auto damaged = vantrel::recorder::ReadReport(file, error);
        if (!damaged) {
            ++unread;
            ++refusals[Kind(error)];
            continue;
        }
        const auto result = vantrel::replay::ReplayStream(damaged->stream, std::nullopt);
        ++(result.failure.empty() ? replayed : parted);
    }
    std::cout << count << " damaged reports: " << unread << " not read, " << parted << " parted from the program, "
              << replayed << " replayed to their end\n";
    for (const auto& [kind, times] : refusals) std::cout << "  " << times << " x " << kind << "\n";
    return 0;
}
