#include "tests/tools/CliRunner.h"

#include <sys/wait.h>

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {
std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
}  // namespace

CliResult RunCli(const std::string& args, const std::string& input,
                 const std::string& environment) {
    const fs::path dir =
        fs::temp_directory_path() / ("tessamo-cli-run-" + std::to_string(getpid()) + "-" +
                                     std::to_string(reinterpret_cast<std::uintptr_t>(&input)));
    fs::create_directories(dir);
    { std::ofstream(dir / "in", std::ios::binary) << input; }
    const std::string command = environment + " " TESSAMO_CLI " " + args + " <" +
                                (dir / "in").string() + " >" + (dir / "out").string() + " 2>" +
                                (dir / "err").string();
    CliResult result;
    const int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = Slurp(dir / "out");
    result.err = Slurp(dir / "err");
    fs::remove_all(dir);
    return result;
}
