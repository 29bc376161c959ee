// tavlen-cli: the command line over the same store and logic as the program.
#include "cli/Command.h"
#include "cli/LocaleText.h"

#include <iostream>
#include <sstream>

int main(int argc, char** argv) {
    const std::string charset = cli::localeCharset();
    if (charset.empty()) {
        return cli::dispatch(cli::Args(argv, argv + argc), std::cout, std::cerr);
    }
    cli::Args args;
    for (int i = 0; i < argc; ++i) {
        args.push_back(cli::convertText(argv[i], charset, "UTF-8"));
    }
    std::ostringstream out;
    std::ostringstream err;
    const int code = cli::dispatch(args, out, err);
    std::cout << cli::convertText(out.str(), "UTF-8", charset) << std::flush;
    std::cerr << cli::convertText(err.str(), "UTF-8", charset) << std::flush;
    return code;
}
