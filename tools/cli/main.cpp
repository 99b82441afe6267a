// tessamo-cli: prints deals, plays scripted games through the real model, solves deals,
// reads and writes the settings store and renders boards to images.
#include <algorithm>
#include <iostream>
#include <string_view>

#include "tools/cli/Commands.h"

namespace {

struct Usage {
    std::string_view command;
    std::string_view text;
};

// One entry per subcommand: its synopsis line, then what it does.
constexpr Usage kUsages[] = {
    {"deal",
     "tessamo-cli deal N\n"
     "  Prints the layout of game N (-2147483648 to 4294967295, -1 the ordered deal): one\n"
     "  line per row, the deepest row first, cards as rank and suit (7C, TH, AS).\n"},
    {"play",
     "tessamo-cli play [--screen WxH] [--no-messages] [--no-dblclick] [--no-dragbox]"
     " [--positions] N\n"
     "  Deals game N and plays the events read from standard input (down X Y, up X Y,\n"
     "  tap X Y, dtap X Y, undo, screen W H; lines starting with # are skipped), then\n"
     "  prints the whole board state.\n"},
    {"solve",
     "tessamo-cli solve [--limit POSITIONS] [--memory MIB] N\n"
     "       tessamo-cli solve --script [--screen WxH] N\n"
     "       tessamo-cli solve --range A-B [--jobs J] [--limit POSITIONS] [--memory MIB]"
     " [--stats]\n"
     "  Tells whether game N can be won (N winnable M, N unwinnable, N unknown) and prints\n"
     "  the winning moves (card, source pile, destination pile), or a tap script that play\n"
     "  plays to a win, or one line per deal of a range and a summary line. Exit status 0\n"
     "  winnable, 1 unwinnable, 3 unknown, 2 bad arguments.\n"},
    {"registry",
     "tessamo-cli registry export | import FILE\n"
     "  export writes the settings store as text to standard output; import reads such a\n"
     "  text and writes it into the store.\n"},
#ifdef TESSAMO_CLI_RENDER
    {"render",
     "tessamo-cli render [--screen WxH] [--select X Y] N --out FILE.png\n"
     "  Draws the work area of game N as the game paints it, after an optional tap at\n"
     "  X Y, into a PNG file.\n"},
#endif
};

void PrintUsage(std::ostream& out) {
    out << "usage:\n";
    for (const Usage& usage : kUsages)
        out << "  " << usage.text.substr(0, usage.text.find('\n') + 1);
    out << "tessamo-cli SUBCOMMAND --help tells more of each.\n";
}

const Usage* FindUsage(std::string_view command) {
    for (const Usage& usage : kUsages)
        if (usage.command == command) return &usage;
    return nullptr;
}

bool IsHelp(std::string_view arg) {
    return arg == "--help" || arg == "-h";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(std::cerr);
        return 2;
    }
    const std::string command = argv[1];
    const Args args(argv + 2, argv + argc);
    if (IsHelp(command) || command == "help") {
        PrintUsage(std::cout);
        return 0;
    }
    if (const Usage* usage = FindUsage(command);
        usage &&
        std::any_of(args.begin(), args.end(), [](const std::string& a) { return IsHelp(a); })) {
        std::cout << "usage: " << usage->text;
        return 0;
    }
    if (command == "deal") return RunDeal(args, std::cout, std::cerr);
    if (command == "play") return RunPlay(args, std::cin, std::cout, std::cerr);
    if (command == "solve") return RunSolve(args, std::cout, std::cerr);
    if (command == "registry") return RunRegistry(args, std::cout, std::cerr);
#ifdef TESSAMO_CLI_RENDER
    if (command == "render") return RunRender(args, std::cout, std::cerr);
#else
    if (command == "render") {
        std::cerr << "tessamo-cli: render is not part of this build (it was built without Qt)\n";
        return 2;
    }
#endif
    PrintUsage(std::cerr);
    return 2;
}
