#include <ostream>

#include "tools/cli/Commands.h"

// Placeholder until this subcommand is built.
int RunRegistry(const Args&, std::ostream&, std::ostream& err) {
    err << "tessamo-cli: this command is not available yet\n";
    return 2;
}
