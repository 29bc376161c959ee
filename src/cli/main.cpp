// tavlen-cli: the command line over the same store and logic as the program.
#include "cli/Command.h"

#include <iostream>

int main(int argc, char** argv) {
    return cli::dispatch(cli::Args(argv, argv + argc), std::cout, std::cerr);
}
