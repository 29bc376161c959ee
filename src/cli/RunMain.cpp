#include "cli/Command.h"
#include "cli/LocaleText.h"

#include <iostream>
#include <sstream>

namespace cli {

int runMain(int argc, char** argv,
            int (*run)(const Args& argv, std::ostream& out, std::ostream& err)) {
    const std::string charset = localeCharset();
    if (charset.empty()) {
        return run(Args(argv, argv + argc), std::cout, std::cerr);
    }
    Args args;
    for (int i = 0; i < argc; ++i) {
        args.push_back(convertText(argv[i], charset, "UTF-8"));
    }
    std::ostringstream out;
    std::ostringstream err;
    const int code = run(args, out, err);
    std::cout << convertText(out.str(), "UTF-8", charset) << std::flush;
    std::cerr << convertText(err.str(), "UTF-8", charset) << std::flush;
    return code;
}

} // namespace cli
