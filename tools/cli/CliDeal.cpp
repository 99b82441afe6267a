#include <ostream>

#include "tools/cli/Commands.h"

int RunDeal(const Args&, std::ostream&, std::ostream& err) {
    err << "tessamo-cli: this command is not available yet\n";
    return 2;
}
