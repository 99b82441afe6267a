// tessamo-cli: prints deals, plays scripted games through the real model, solves deals,
// reads and writes the settings store and renders boards to images.
#include <iostream>

#include "tools/cli/Commands.h"

namespace {

int Usage(std::ostream& err) {
    err << "usage: tessamo-cli deal N\n"
           "       tessamo-cli play [--screen WxH] [--no-messages] [--no-dblclick] [--no-dragbox]"
           " [--positions] N\n"
           "       tessamo-cli solve [--limit POSITIONS] [--memory MIB] N\n"
           "       tessamo-cli solve --script [--screen WxH] N\n"
           "       tessamo-cli solve --range A-B [--jobs J] [--limit POSITIONS] [--memory MIB]"
           " [--stats]\n"
           "       tessamo-cli registry export | import FILE\n"
#ifdef TESSAMO_CLI_RENDER
           "       tessamo-cli render [--screen WxH] [--select X Y] N --out FILE.png\n"
#endif
        ;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage(std::cerr);
    const std::string command = argv[1];
    const Args args(argv + 2, argv + argc);
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
    return Usage(std::cerr);
}
