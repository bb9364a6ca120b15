// vantrel-replay REPORT [--png DIR]: prints what the program read in the hands a
// report holds (replay.h lists the lines). A report that cannot be read or does not
// replay, a file larger than any report and a failure to find the memory for one:
// one line on standard error and exit status 2.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "recorder/report_format.h"
#include "replay/replay.h"

namespace {

int Fail(const std::string& why) {
    std::cerr << "vantrel-replay: " << why << "\n";
    return 2;
}

int Replay(const std::vector<std::string>& args) {
    std::optional<std::filesystem::path> pictureDir;
    if (args.size() == 3 && args[1] == "--png") pictureDir = args[2];
    if (args.empty() || (args.size() != 1 && !pictureDir)) return Fail("usage: vantrel-replay REPORT [--png DIR]");

    std::error_code notAFile;
    std::ifstream in(args[0], std::ios::binary);
    if (!std::filesystem::is_regular_file(args[0], notAFile) || !in) return Fail("cannot open " + args[0] + " as a file");
    const std::uintmax_t size = std::filesystem::file_size(args[0], notAFile);
    if (notAFile || size > vantrel::recorder::kMaxReportBytes)
        return Fail(args[0] + ": " + std::to_string(size) + " bytes, larger than any report");
    std::vector<std::uint8_t> file(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(file.data()), static_cast<std::streamsize>(file.size()));
    if (in.gcount() != static_cast<std::streamsize>(file.size())) return Fail("cannot read " + args[0]);
    std::string error;
    const auto contents = vantrel::recorder::ReadReport(file, error);
    if (!contents) return Fail(args[0] + ": " + error);
    if (pictureDir) {
        std::error_code failed;
        std::filesystem::create_directories(*pictureDir, failed);
        if (failed) return Fail("cannot make " + pictureDir->string() + ": " + failed.message());
    }
    const auto result = vantrel::replay::ReplayStream(contents->stream, pictureDir);
    for (const std::string& line : result.lines) std::cout << line << "\n";
    std::cout.flush();
    if (!result.failure.empty()) return Fail(args[0] + ": " + result.failure);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Replay({argv + 1, argv + argc});
    } catch (const std::bad_alloc&) {
        return Fail("out of memory");
    } catch (const std::exception& failed) {
        return Fail(failed.what());
    }
}
