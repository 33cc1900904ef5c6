// Writes the demonstration SYSTEM hive of the run command from registry text:
//   make_demo_hive demo/inventory-system.txt build/demo/SYSTEM
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "HiveWriter.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_demo_hive REGISTRY-TEXT HIVE\n");
        return 2;
    }
    try {
        std::ifstream input(argv[1]);
        if (!input) throw std::runtime_error(std::string("cannot read ") + argv[1]);
        std::ostringstream text;
        text << input.rdbuf();
        inventory::tools::WriteHive(argv[2], inventory::tools::ParseRegText(text.str()));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_demo_hive: %s\n", error.what());
        return 1;
    }
    return 0;
}
