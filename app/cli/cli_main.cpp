// vylcd-cli: headless access to drawings and their LCD commands.
#include <iostream>
#include <string>

#include "app/cli/bytes_command.h"

namespace {

constexpr int kUsageError = 2;

int Usage() {
    std::cerr << "usage: vylcd-cli bytes FILE\n"
                 "  bytes FILE   print the full LCD update of an object group file (.tpl),\n"
                 "               one command a line in hexadecimal\n";
    return kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage();
    }
    const std::string verb = argv[1];
    if (verb == "bytes" && argc == 3) {
        return RunBytesCommand(argv[2], std::cout, std::cerr);
    }
    return Usage();
}
