#include <cstring>
#include <iostream>
#include <string>

namespace {

const char* kUsage = R"(Usage: zantor-cli COMMAND [OPTIONS]

Builds the configuration image of a CAN-to-CAN gateway device without a display.

Commands:
  --help        show this text
  --version     show the program's version
)";

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::cout << kUsage;
        return argc < 2 ? 1 : 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::cout << "zantor-cli " << ZANTOR_VERSION << "\n";
        return 0;
    }
    std::cerr << "zantor-cli: unknown command '" << argv[1] << "'\n" << kUsage;
    return 1;
}
