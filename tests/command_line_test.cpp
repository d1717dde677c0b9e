// The programs' command lines: each row runs a built program with some arguments in a clean
// environment (no display unless the row names one) and checks its exit status and output.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
    int status = -1;  // exit status; -1 when the program did not exit normally
    std::string out;
    std::string err;
};

std::string contentsOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs `program` with `arguments` and exactly `environment`, standard input empty.
Outcome run(const std::string& program, const std::vector<std::string>& arguments,
            std::vector<std::string> environment) {
    // CTest runs the rows as parallel processes: each gets files of its own.
    const std::string stem = testing::TempDir() + "command_line_" + std::to_string(getpid());
    const std::string outPath = stem + "_out";
    const std::string errPath = stem + "_err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    environment.push_back("PATH=/usr/bin:/bin");
    environment.push_back("LC_ALL=C.UTF-8");
    // A runtime folder as the toolkit wants it, private to the user.
    const std::string runtime = stem + "_runtime";
    mkdir(runtime.c_str(), 0700);
    environment.push_back("XDG_RUNTIME_DIR=" + runtime);
    // The sanitizer build's settings (leak suppressions) reach the programs too.
    for (const char* name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
        if (const char* value = std::getenv(name)) {
            environment.push_back(std::string(name) + "=" + value);
        }
    }
    std::vector<char*> envp;
    for (std::string& variable : environment) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);

    Outcome outcome;
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << program;
        return outcome;
    }
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    if (WIFEXITED(wstatus)) {
        outcome.status = WEXITSTATUS(wstatus);
    }
    outcome.out = contentsOf(outPath);
    outcome.err = contentsOf(errPath);
    return outcome;
}

enum class Program { Quillon, Replay };

struct Row {
    const char* name;
    Program program;
    std::vector<std::string> arguments;
    std::vector<std::string> environment;
    int status;
    // Expected texts: an exact text when `exact` is set, else a pattern that must occur.
    std::string out;
    std::string err;
    bool exact;
};

const std::string kNoDisplay = "quillon: cannot open the display; set DISPLAY or WAYLAND_DISPLAY\n";
// A display that no X server answers.
const std::string kDeadDisplay = ":4093";
const std::string kDeadDisplayLine =
    "quillon: cannot open the display \"" + kDeadDisplay + "\"; set DISPLAY or WAYLAND_DISPLAY\n";
const std::string kNoPlugin =
    "^quillon: cannot load the window system plugin \"bogus\"; available: (.+, )?offscreen(, "
    "|\n)";

constexpr Program Q = Program::Quillon;
constexpr Program R = Program::Replay;
const std::string kVersion = "quillon 1.00\n";
const std::string kUnknown = "quillon: Unknown option 'bogus'. Try \"quillon --help\".\n";
const std::string kReplayUsage =
    "usage: quillon-replay [--headless] < script\n"
    "       quillon-replay [--headless] --batch FILE...\n";
const std::string kDead = "DISPLAY=" + kDeadDisplay;

// A row: name, program, arguments, environment, status, standard output, standard error, and
// whether the texts are exact (else patterns that must occur).
// clang-format off
const std::vector<Row>& rows() {
    static const std::vector<Row> table = {
        // --help and --version need no display and open no window.
        {"HelpOnStandardOutput", Q, {"--help"}, {}, 0, "--version", "", false},
        {"ShortHelp", Q, {"-h"}, {}, 0, "Usage:", "", false},
        {"HelpAllListsTheToolkitOptions", Q, {"--help-all"}, {}, 0,
         "-platform <value>\n(.|\n)*-visual <value>  \\(X11\\)\n", "", false},
        {"HelpAllListsThePlugins", Q, {"--help-all"}, {}, 0, "Window system plugins: (.+, )?offscreen", "", false},
        {"Version", Q, {"--version"}, {}, 0, kVersion, "", true},
        {"ShortVersion", Q, {"-v"}, {}, 0, kVersion, "", true},
        {"VersionBeforeADeadDisplay", Q, {"-v"}, {kDead}, 0, kVersion, "", true},
        // The toolkit's own options, with their values, are accepted in either spelling.
        {"ToolkitOptionWithValue", Q, {"-platform", "offscreen", "-v"}, {}, 0, kVersion, "", true},
        {"ToolkitOptionWithTwoDashes", Q, {"--platform", "offscreen", "-v"}, {}, 0, kVersion, "", true},
        {"ToolkitOptionWithEquals", Q, {"-style=Fusion", "-reverse", "-v"}, {}, 0, kVersion, "", true},
        {"X11PluginOptions", Q, {"-icon", "quillon.png", "-visual", "0x21", "-name", "q", "-nograb", "-v"}, {}, 0,
         kVersion, "", true},
        // A wrong command line, with or without a display: one line naming the culprit,
        // status 2, before the window system is touched.
        {"UnknownOption", Q, {"--bogus"}, {}, 2, "", kUnknown, true},
        {"UnknownOptionBeforeADeadDisplay", Q, {"--bogus"}, {kDead}, 2, "", kUnknown, true},
        {"UnknownOptionAmongToolkitOptions", Q,
         {"-platform", "offscreen", "--reverse", "-style=Fusion", "-qwindowtitle", "T", "--bogus"}, {}, 2, "", kUnknown, true},
        {"UnknownOptionBeforeHelp", Q, {"--bogus", "--help"}, {}, 2, "", "'bogus'", false},
        {"UnknownShortOption", Q, {"-x"}, {}, 2, "", "'x'", false},
        {"ToolkitOptionWithoutItsValue", Q, {"-platform"}, {}, 2, "", "'-platform'", false},
        {"StrayArgument", Q, {"numbers.txt"}, {}, 2, "", "\"numbers.txt\"", false},
        // No display, or no such plugin: one line and status 1, not an abort.
        {"NoDisplay", Q, {}, {}, 1, "", kNoDisplay, true},
        {"DeadDisplay", Q, {}, {kDead}, 1, "", kDeadDisplayLine, true},
        {"DeadDisplayByOption", Q, {"-display", kDeadDisplay}, {}, 1, "", kDeadDisplayLine, true},
        {"DeadDisplayOnXcbByName", Q, {}, {kDead, "QT_QPA_PLATFORM=xcb"}, 1, "", kDeadDisplayLine, true},
        {"NoSuchPlugin", Q, {"-platform", "bogus"}, {}, 1, "", kNoPlugin, false},
        {"NoSuchPluginByName", Q, {}, {"QT_QPA_PLATFORM=bogus"}, 1, "", kNoPlugin, false},
        // The scripted driver.
        {"ReplayHelp", R, {"--help"}, {}, 0, kReplayUsage, "", true},
        {"ReplayShortHelp", R, {"-h"}, {}, 0, "usage: quillon-replay", "", false},
        {"ReplayWrongOption", R, {"--bogus"}, {}, 2, "", kReplayUsage, true},
    };
    return table;
}
// clang-format on

void PrintTo(const Row& row, std::ostream* stream) {
    *stream << row.name;
}

class CommandLine : public testing::TestWithParam<Row> {};

TEST_P(CommandLine, ExitsWithItsStatusAndOutput) {
    const Row& row = GetParam();
    const std::string program = row.program == Program::Quillon ? QUILLON_PROGRAM : REPLAY_PROGRAM;
    const Outcome outcome = run(program, row.arguments, row.environment);
    EXPECT_EQ(outcome.status, row.status) << "stderr: " << outcome.err;
    if (row.exact) {
        EXPECT_EQ(outcome.out, row.out);
        EXPECT_EQ(outcome.err, row.err);
    } else {
        EXPECT_TRUE(std::regex_search(outcome.out, std::regex(row.out))) << outcome.out;
        EXPECT_TRUE(std::regex_search(outcome.err, std::regex(row.err))) << outcome.err;
        // Whatever goes wrong is told in one line.
        if (row.status != 0) {
            EXPECT_EQ(outcome.out, "");
            EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << outcome.err;
        } else {
            EXPECT_EQ(outcome.err, "");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Programs, CommandLine, testing::ValuesIn(rows()),
                         [](const testing::TestParamInfo<Row>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
