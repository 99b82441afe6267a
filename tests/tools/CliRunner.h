// Runs the built tessamo-cli with arguments and standard input, and captures its output.
#pragma once

#include <string>

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// `args` is passed through the shell unquoted; tests pass only plain words.
CliResult RunCli(const std::string& args, const std::string& input = {},
                 const std::string& environment = {});
