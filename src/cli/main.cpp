// tavlen-cli-full: every command of the command line over the same store and logic as the
// program. tavlen-cli runs the arrangement itself and hands everything else to this one.
#include "cli/Command.h"

int main(int argc, char** argv) {
    return cli::runMain(argc, argv, &cli::dispatch);
}
