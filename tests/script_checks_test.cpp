// The checks the fuzzer makes after every command: each catches what it is meant to catch, and
// every script of the repository passes all of them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "handlers.h"
#include "memory_controls.h"
#include "replay.h"
#include "script_checks.h"
#include "utf8.h"

namespace quillon {
namespace {

TEST(ScriptChecks, LoopPassesAreBounded) {
    EXPECT_EQ(checkLoopPasses(0), std::nullopt);
    EXPECT_EQ(checkLoopPasses(kLoopPassBound), std::nullopt);
    EXPECT_NE(checkLoopPasses(kLoopPassBound + 1), std::nullopt);
}

struct RecallCase {
    std::int16_t mode;
    BoxTexts before;
    BoxTexts after;
    bool sound;
};

TEST(ScriptChecks, APressChangesFirstAndSecondOnlyByTheRecall) {
    const RecallCase cases[] = {
        {2, {"7", "2", "0"}, {"7", "2", "3.5"}, true},
        {2, {"12%", "x%y", "5"}, {"5", "5", "10"}, true},
        {2, {"%", "1", "ERROR 2: Division by 0"}, {"ERROR 2: Division by 0", "1", "0"}, true},
        {2, {"7%", "2", "7%"}, {"7%", "2", "0"}, true},  // recalled the same text
        {2, {"12", "2", "5"}, {"5", "2", "0"}, false},   // no "%" in First
        {2, {"1%", "2", "5"}, {"6", "2", "0"}, false},   // not the Answer of before
        {2, {"1", "2%", "5"}, {"1", "0", "0"}, false},   // the Answer of after
        {1, {"", "%", "5"}, {"", "5", "10"}, true},
        {1, {"1%", "2", "5"}, {"5", "2", "0"}, false},  // First is never recalled here
        {0, {"1%", "2", "5"}, {"5", "2", "0"}, false},  // nor before the window has loaded
        {1, {"x", "3", "5"}, {"x", "5", "0"}, false},
    };
    for (const RecallCase& c : cases) {
        EXPECT_EQ(checkRecall(c.before, c.after, c.mode) == std::nullopt, c.sound)
            << "mode " << c.mode << ", First \"" << c.before.first << "\" -> \"" << c.after.first
            << "\", Second \"" << c.before.second << "\" -> \"" << c.after.second << "\"";
    }
}

TEST(ScriptChecks, TheListStartsWithTheBasicBlockOfTheMode) {
    MemoryControls controls;
    std::int16_t NumberMode = 0;
    Form_Load(controls, NumberMode);
    EXPECT_EQ(checkBasicBlock(controls, NumberMode), std::nullopt);
    EXPECT_NE(checkBasicBlock(controls, 1), std::nullopt);  // the other mode's block
    mnuAdd_Click(controls, NumberMode, 6);
    EXPECT_EQ(checkBasicBlock(controls, NumberMode), std::nullopt);
    mnuNum_Click(controls, NumberMode, 1);
    EXPECT_EQ(checkBasicBlock(controls, NumberMode), std::nullopt);
    EXPECT_NE(checkBasicBlock(controls, 2), std::nullopt);
    controls.removeItem(5);
    EXPECT_NE(checkBasicBlock(controls, NumberMode), std::nullopt);  // one entry short
    controls.addItem("%÷");
    mnuNum_Click(controls, NumberMode, 2);
    controls.removeItem(0);
    controls.addItem("+");
    EXPECT_NE(checkBasicBlock(controls, NumberMode), std::nullopt);  // out of order
}

TEST(ScriptChecks, AClickLineShowsTheBoxesExactly) {
    const BoxTexts boxes{"a\"b", "÷", "ERROR 1: No operation chosen"};
    const std::string sound =
        "{\"first\": \"a\\\"b\", \"second\": \"÷\", \"answer\": \"ERROR 1: No operation "
        "chosen\", \"failure\": null}";
    EXPECT_EQ(checkClickLine(sound, boxes), std::nullopt);
    const char* const unsound[] = {
        // another text, a missing box, a box that is no string
        "{\"first\": \"a\\\"b\", \"second\": \"÷\", \"answer\": \"0\", \"failure\": null}",
        "{\"first\": \"a\\\"b\", \"second\": \"÷\", \"failure\": null}",
        "{\"first\": \"a\\\"b\", \"second\": \"÷\", \"answer\": 0, \"failure\": null}",
    };
    for (const char* line : unsound) {
        EXPECT_NE(checkClickLine(line, boxes), std::nullopt) << line;
    }
    std::string unescaped = sound;  // the quote in First left unescaped
    unescaped.erase(unescaped.find('\\'), 1);
    EXPECT_NE(checkClickLine(unescaped, boxes), std::nullopt) << unescaped;
    // A box holding malformed UTF-8 cannot be shown exactly.
    EXPECT_NE(checkClickLine("{\"first\": \"\", \"second\": \"\", \"answer\": \"\uFFFD\"}",
                             BoxTexts{"", "", "\xFF"}),
              std::nullopt);
}

// The writer's literal of any text is a JSON line that reads back as that text, made valid
// UTF-8; a text written raw, with a control character or malformed UTF-8, is not.
TEST(ScriptChecks, EveryTextIsWrittenAsALiteralThatReadsBackAsTheText) {
    std::string text = "\xFF\xC3(÷\U0001F600\xED\xA0\x80";
    for (int c = 0; c < 0x80; ++c) {
        text += static_cast<char>(c);
    }
    ASSERT_TRUE(isJsonLine(jsonString(text)));
    EXPECT_EQ(nlohmann::json::parse(jsonString(text)), validUtf8(text));
    for (const char* raw : {"\"a\tb\"", "\"\xC3\"", "\"\xED\xA0\x80\"", "\"a\\\""}) {
        EXPECT_FALSE(isJsonLine(raw)) << raw;
    }
}

// The checks rely on the program's own recognition of malformed UTF-8.
TEST(ScriptChecks, MalformedUtf8IsRecognisedStrictly) {
    const std::string valid[] = {
        "", "abc", "×÷°", "\U0001F600", "\uFFFD", "\xF4\x8F\xBF\xBF", std::string("a\0b", 3)};
    const std::string malformed[] = {
        "\x80",              // a stray continuation byte
        "\xC3",              // a sequence cut short
        "\xE2\x82",          //
        "\xC0\xAF",          // overlong
        "\xE0\x80\xAF",      //
        "\xF0\x80\x80\xAF",  //
        "\xED\xA0\x80",      // a surrogate
        "\xF4\x90\x80\x80",  // above U+10FFFF
        "\xF5\x80\x80\x80",  //
        "\xFF",              //
        "a\xC3(",            // a continuation byte missing
    };
    for (const std::string& text : valid) {
        EXPECT_EQ(validUtf8(text), text);
    }
    for (const std::string& text : malformed) {
        EXPECT_NE(validUtf8(text), text) << text;
    }
}

// Every script the repository holds: the fuzzer's seeds, its regressions and the end-to-end
// scripts.
TEST(ScriptChecks, EveryScriptOfTheRepositoryPassesThem) {
    int scripts = 0;
    for (const char* folder : {"fuzz/corpus", "fuzz/regressions", "tests/scripts"}) {
        const std::filesystem::path path = std::filesystem::path(QUILLON_SOURCE_DIR) / folder;
        if (!std::filesystem::exists(path)) {
            continue;
        }
        for (const auto& file : std::filesystem::directory_iterator(path)) {
            if (file.path().extension() != ".txt") {
                continue;
            }
            std::ifstream in(file.path(), std::ios::binary);
            const std::string script{std::istreambuf_iterator<char>(in), {}};
            EXPECT_EQ(findViolation(script), std::nullopt) << file.path();
            ++scripts;
        }
    }
    EXPECT_GE(scripts, 10);
}

}  // namespace
}  // namespace quillon
