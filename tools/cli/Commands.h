// The subcommands of tessamo-cli. Each takes the arguments after its own name, writes its
// output to `out` and its errors to `err`, and returns the exit status.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

using Args = std::vector<std::string>;

int RunDeal(const Args& args, std::ostream& out, std::ostream& err);
int RunPlay(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunRegistry(const Args& args, std::ostream& out, std::ostream& err);
int RunSolve(const Args& args, std::ostream& out, std::ostream& err);
int RunRender(const Args& args, std::ostream& out, std::ostream& err);
