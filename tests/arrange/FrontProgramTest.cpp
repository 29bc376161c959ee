// tavlen-cli is a front that runs the arrangement commands itself and hands every other
// command line to tavlen-cli-full: as a fresh process it must answer every line exactly as the
// whole command table does in-process (output, errors and exit status), whichever of the two
// programs does the work.
#include "ArrangeCliFixture.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace arrangetest {
namespace {

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class FrontProgram : public DemoSchoolCli {
protected:
    // The command line (words without quotes) run by the front program as a fresh process.
    Result runFront(const std::string& words) const {
        const std::filesystem::path dir = m_db.workingDir();
        const std::string command =
            "cd '" + dir.string() + "' && '" TAVLEN_CLI "' " + words + " > front.out 2> front.err";
        Result r;
        const int status = std::system(command.c_str());
        r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = contents(dir / "front.out");
        r.err = contents(dir / "front.err");
        return r;
    }
};

TEST_F(FrontProgram, AnswersEveryLineAsTheWholeCommandTableDoes) {
    const std::vector<std::vector<std::string>> lines = {
        {"--help"},
        {"--version"},
        {"arrange", "--help"},
        {"arrange", "七年级"},
        {"arrange", "初一", "--seed", "x"},
        {"arrange", "初一", "--time-limit", "0"},
        {"arrange", "初一", "--seed", "5"},
        {"review", "--help"},
        {"review", "初三", "--bogus"},
        {"show"},
        {"frobnicate"},
        {"--dsn"},
    };
    for (const auto& line : lines) {
        std::string words;
        for (const std::string& word : line) {
            words += (words.empty() ? "" : " ") + word;
        }
        SCOPED_TRACE(words);
        const Result front = runFront(words);
        const Result whole = runCommand(line);
        EXPECT_EQ(front.code, whole.code);
        EXPECT_EQ(front.out, whole.out);
        EXPECT_EQ(front.err, whole.err);
    }
}

TEST_F(FrontProgram, AnOptimisedArrangementIsSavedAndReadBackByTheWholeProgram) {
    const Result arranged = runFront("arrange all --optimise --save --seed 3");
    EXPECT_EQ(arranged.code, 0) << arranged.err;
    EXPECT_NE(arranged.out.find("已存入 gradelesson"), std::string::npos);
    // The whole program, started by the front, publishes what the front saved.
    const Result published = runFront("publish classes 初一 --xlsx classes.xlsx");
    EXPECT_EQ(published.code, 0) << published.err;
    EXPECT_FALSE(contents(std::filesystem::path(m_db.workingDir()) / "classes.xlsx").empty());
}

} // namespace
} // namespace arrangetest
