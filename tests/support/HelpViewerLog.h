// A stand-in help viewer in the device's \Windows folder that appends each start's command
// line to a log file, one line per start, so tests can see which topics were opened.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

class HelpViewerLog {
  public:
    // What each start writes: its first argument, or the argument count, a space and the
    // first argument.
    enum class Record { Argument, CountAndArgument };

    explicit HelpViewerLog(const std::filesystem::path& deviceRoot,
                           Record record = Record::Argument)
        : viewer_(deviceRoot / "Windows" / "PegHelp.exe"), log_(LogPath(deviceRoot)) {
        const char* line = record == Record::Argument ? "\"$1\"" : "\"$# $1\"";
        std::ofstream(viewer_) << "#!/bin/sh\necho " << line << " >> '" << log_.string() << "'\n";
        std::filesystem::permissions(viewer_, std::filesystem::perms::owner_all);
    }

    // The lines once `count` starts have arrived, or what arrived within 20 seconds (the
    // viewer runs detached).
    std::vector<std::string> WaitFor(std::size_t count) const {
        std::vector<std::string> lines;
        for (int attempt = 0; attempt < 2000; ++attempt) {
            lines = Lines();
            if (lines.size() >= count) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return lines;
    }

    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::ifstream in(log_);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    static std::filesystem::path LogPath(const std::filesystem::path& deviceRoot) {
        return deviceRoot / "Windows" / "help-starts.txt";
    }

  private:
    std::filesystem::path viewer_;
    std::filesystem::path log_;
};
