// The scripted driver's commands, their checks and its JSON lines.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "replay.h"

namespace quillon {
namespace {

std::string run(const std::string& script) {
    HeadlessTarget target;
    std::istringstream in(script);
    std::ostringstream out;
    replay(in, out, target);
    return out.str();
}

TEST(Replay, ClickPrintsTheBoxesAndTheFailure) {
    EXPECT_EQ(run("set First 7\nset Second 2\nselect \u00F7\nclick\n"),
              "{\"first\": \"7\", \"second\": \"2\", \"answer\": \"3.5\", \"failure\": null}\n");
    EXPECT_EQ(run("set First abc\nselect +\nclick\n"),
              "{\"first\": \"abc\", \"second\": \"0\", \"answer\": \"0\", \"failure\": \"type "
              "mismatch\"}\n");
}

TEST(Replay, StateStartsFreshlyLoaded) {
    EXPECT_EQ(run("state\n"),
              "{\"mode\": 2, \"firstVisible\": true, \"entries\": [\"+\", \"-\", \"\u00D7\", "
              "\"\u00F7\"], \"index\": -1, \"first\": \"0\", \"second\": \"0\", \"answer\": "
              "\"0\"}\n");
}

TEST(Replay, CommandsThatCannotBeCarriedOutPrintAnErrorAndTheScriptGoesOn) {
    const std::string out =
        run("jump\nnum 3\nnum x\nadd 0\nadd 8\nset Third 1\nselect nothing\nindex 4\nindex -2\n"
            "index 1x\nclick now\nstate\n");
    std::istringstream lines(out);
    std::string line;
    int errors = 0;
    while (std::getline(lines, line)) {
        if (line.starts_with("{\"error\": ")) {
            ++errors;
        } else {
            EXPECT_TRUE(line.starts_with("{\"mode\": 2,")) << line;
        }
    }
    EXPECT_EQ(errors, 11);
}

TEST(Replay, TextsAreTakenVerbatimAndWrittenAsJson) {
    EXPECT_EQ(run("set First  a\"b\\c \nset Second\nclick\n"),
              "{\"first\": \" a\\\"b\\\\c \", \"second\": \"\", \"answer\": \"0\", \"failure\": "
              "\"type mismatch\"}\n");
    // Control characters are escaped and malformed UTF-8 becomes U+FFFD.
    EXPECT_NE(run("set Answer \x01\t\xFF\nstate\n").find("\"answer\": \"\\u0001\\t\uFFFD\""),
              std::string::npos);
    // Comments and blank lines print nothing, and a CR before the line feed is no text.
    const std::string plain = run("set First 1\nstate\n");
    EXPECT_NE(plain.find("\"first\": \"1\""), std::string::npos) << plain;
    EXPECT_EQ(run("# comment\n\n   \nset First 1\r\nstate\n"), plain);
}

TEST(Replay, TypingStopsAtEighteenCharactersInFirstAndSecondOnly) {
    const std::string twenty = "12345678901234567890";
    const std::string out = run("type First " + twenty + "\ntype Second " + twenty +
                                "\ntype Answer " + twenty + "\nstate\n");
    EXPECT_NE(out.find("\"first\": \"123456789012345678\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"second\": \"123456789012345678\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"answer\": \"" + twenty + "\""), std::string::npos) << out;
    // A character outside the basic plane takes two of the eighteen code units.
    const std::string out2 = run("type First 12345678901234567\U0001F600\nstate\n");
    EXPECT_NE(out2.find("\"first\": \"12345678901234567\""), std::string::npos) << out2;
}

TEST(Replay, TheSelectionFollowsTheEditField) {
    EXPECT_NE(run("index 2\nstate\n").find("\"index\": 2"), std::string::npos);
    EXPECT_NE(run("edit -\nstate\n").find("\"index\": 1"), std::string::npos);
    EXPECT_NE(run("edit -x\nstate\n").find("\"index\": -1"), std::string::npos);
    EXPECT_NE(run("select +\nindex -1\nclick\n").find("ERROR 1: No operation chosen"),
              std::string::npos);
    EXPECT_NE(run("click\n").find("ERROR 1: No operation chosen"), std::string::npos);
}

// Each script of a batch runs on a window of its own and prints what it prints alone, CR and
// a missing last line end included; an unreadable file is named and the batch goes on.
TEST(Replay, ABatchPrintsEachScriptAsARunOfItAlone) {
    const std::vector<std::string> scripts = {
        "num 1\nadd 3\nstate\n", "set First 2\r\nset Second 3\r\nselect \u00D7\r\nclick", "state\n",
        ""};
    std::vector<std::string> paths;
    std::string expected;
    for (std::size_t i = 0; i < scripts.size(); ++i) {
        paths.push_back(testing::TempDir() + "batch_" + std::to_string(i) + ".txt");
        std::ofstream(paths.back(), std::ios::binary) << scripts[i];
        expected += "### " + paths.back() + "\n" + run(scripts[i]) + "### end\n";
    }
    const std::string missing = testing::TempDir() + "batch_missing.txt";
    paths.insert(paths.begin() + 2, missing);
    expected.insert(expected.find("### " + paths[3]), "### " + missing + "\n### cannot read\n");

    std::ostringstream out;
    EXPECT_FALSE(replayFiles(paths, out));
    EXPECT_EQ(out.str(), expected);
    // The second script starts freshly loaded, not in the first one's mode.
    EXPECT_NE(expected.find("\"mode\": 2"), std::string::npos);

    paths.erase(paths.begin() + 2);
    std::ostringstream again;
    EXPECT_TRUE(replayFiles(paths, again));
}

}  // namespace
}  // namespace quillon
