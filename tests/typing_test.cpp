// The typing rule of a box: what it holds after the user types, pastes or drops a text over a
// selection, whatever the toolkit.
#include <gtest/gtest.h>

#include <string>

#include "controls.h"
#include "look.h"
#include "typing.h"
#include "utf8.h"

namespace quillon {
namespace {

using Outcome = TypedText::Outcome;

struct TypingCase {
    const char* what;
    std::u16string held;
    std::size_t start;  // the selection [start, end); the cursor when they are equal
    std::size_t end;
    std::u16string inserted;
    Outcome outcome;
    std::u16string result;  // what the box holds after
    std::size_t cursor;
    std::size_t limit = kTypingLimit;
};

TEST(Typing, TakesTheFirstLineWholeOrRefusesWhatWouldPassTheLimit) {
    const std::u16string full = u"123456789012345678";
    const std::u16string long24 = u"123456789012345678901234";
    const TypingCase cases[] = {
        {"a key", u"12", 2, 2, u"3", Outcome::Taken, u"123", 3},
        {"a key into a full box", full, 18, 18, u"9", Outcome::TooLong, full, 18},
        {"a key over a selection of a full box", full, 0, 1, u"x", Outcome::Taken,
         u"x23456789012345678", 1},
        {"a paste exactly filling the box", u"", 0, 0, full, Outcome::Taken, full, 18},
        {"a paste one too long", u"", 0, 0, full + u"9", Outcome::TooLong, u"", 0},
        {"a paste in the middle", u"12345", 2, 2, u"abcde", Outcome::Taken, u"12abcde345", 7},
        {"a paste that fits over a selection", u"123456789012345", 3, 8, u"abcdefgh",
         Outcome::Taken, u"123abcdefgh9012345", 11},
        {"a paste too long over a selection", u"123456789012345", 3, 8, u"abcdefghi",
         Outcome::TooLong, u"123456789012345", 8},
        {"a surrogate pair counts two", u"1234567890123456", 16, 16, u"\U0001F600", Outcome::Taken,
         u"1234567890123456\U0001F600", 18},
        {"half a pair never fits", u"12345678901234567", 17, 17, u"\U0001F600", Outcome::TooLong,
         u"12345678901234567", 17},
        {"a line feed ends the line", u"0", 0, 1, u"12\n34", Outcome::Taken, u"12", 2},
        {"a carriage return too", u"5", 1, 1, u"67\r\n8", Outcome::Taken, u"567", 3},
        {"only the first line must fit", u"", 0, 0, full + u"\r\n9", Outcome::Taken, full, 18},
        {"a break first leaves nothing", u"0", 0, 1, u"\n34", Outcome::Taken, u"", 0},
        {"a break first at the cursor", u"0", 1, 1, u"\n34", Outcome::Unchanged, u"0", 1},
        {"the same text over itself", u"5", 0, 1, u"5", Outcome::Unchanged, u"5", 1},
        // A longer text that the program wrote gives the user no more room, but can shrink.
        {"into a long text", long24, 24, 24, u"5", Outcome::TooLong, long24, 24},
        {"over part of a long text", long24, 0, 2, u"x", Outcome::TooLong, long24, 2},
        {"over all of a long text", long24, 0, 24, u"12345", Outcome::Taken, u"12345", 5},
        {"deleting from a long text", long24, 5, 7, u"", Outcome::Taken, u"1234589012345678901234",
         5},
        {"no limit", long24, 24, 24, long24, Outcome::Taken, long24 + long24, 48, kNoTypingLimit},
        {"a selection past the end is the end", u"12", 5, 9, u"3", Outcome::Taken, u"123", 3},
    };
    for (const TypingCase& c : cases) {
        const TypedText typed = typeInto(c.held, c.start, c.end, c.inserted, c.limit);
        EXPECT_EQ(typed.outcome, c.outcome) << c.what;
        EXPECT_TRUE(typed.text == c.result) << c.what;
        EXPECT_EQ(typed.cursor, c.cursor) << c.what;
    }
}

TEST(Typing, OnlyARefusedPasteOrDropShowsTheNote) {
    const std::u16string full = u"123456789012345678";
    const auto note = [&](std::u16string_view inserted) {
        return showsTooLongNote(typeInto(full, 18, 18, inserted, kTypingLimit), inserted);
    };
    EXPECT_TRUE(note(u"12"));
    EXPECT_TRUE(note(u"12\n"));
    EXPECT_FALSE(note(u"1"));           // a key press only beeps
    EXPECT_FALSE(note(u"\U0001F600"));  // so does one character beyond the first plane
    EXPECT_FALSE(note(u"\n12"));        // nothing refused
    EXPECT_FALSE(showsTooLongNote(typeInto(u"", 0, 0, u"12", kTypingLimit), u"12"));
}

TEST(Typing, TheNoteNamesTheBoxsOwnLimit) {
    EXPECT_EQ(tooLongNote(kTypingLimit), "At most 18 characters");
    EXPECT_EQ(tooLongNote(5), "At most 5 characters");
}

// A removal is judged by the rule like any change: taken even from a text the program wrote
// past the limit, so that it can be shortened.
TEST(Typing, RemovalsAreTakenBeyondTheLimit) {
    const std::u16string written = u"1234567890123456789012";
    const TypedText typed = typeInto(written, 3, 5, u"", kTypingLimit);
    EXPECT_EQ(typed.outcome, TypedText::Outcome::Taken);
    EXPECT_TRUE(typed.text == u"12367890123456789012");
    EXPECT_EQ(typed.cursor, 3U);
}

// Each control of the window takes what its look allows, key by key: the number boxes stop at
// 18 characters, Answer and the list's edit field take any length.
TEST(Typing, EachControlStopsAtItsOwnLimit) {
    const std::string typed = "1234567890123456789012";
    const struct {
        const char* control;
        const char* held;
    } cases[] = {
        {"First", "123456789012345678"},
        {"Second", "123456789012345678"},
        {"Answer", "1234567890123456789012"},
        {"Operation", "1234567890123456789012"},
    };
    for (const auto& c : cases) {
        const ControlLook* look = controlLook(c.control);
        ASSERT_NE(look, nullptr) << c.control;
        EXPECT_EQ(typeKeys("", typed, look->typingLimit), c.held) << c.control;
    }
    EXPECT_EQ(controlLook("Third"), nullptr);
}

}  // namespace
}  // namespace quillon
