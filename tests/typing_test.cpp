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
        // A removal is judged like any change: taken even from a text the program wrote past
        // the limit, so that it can be shortened.
        {"deleting from a long text", long24, 5, 7, u"", Outcome::Taken, u"1234589012345678901234",
         5},
        {"deleting from a text four past the limit", u"1234567890123456789012", 3, 5, u"",
         Outcome::Taken, u"12367890123456789012", 3},
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

// The change a front-end saw, found from the text and selection before it and the text and
// cursor after it: what it replaced and what it inserted, whichever way the user made it.
TEST(Typing, AnEditIsTheOneReplacementBetweenTheTexts) {
    const struct {
        const char* what;
        std::u16string held;
        std::size_t selectionStart;
        std::size_t selectionEnd;
        std::u16string changed;
        std::size_t cursor;
        std::size_t start;  // the replaced range of `held`, and what went in its place
        std::size_t end;
        std::u16string inserted;
    } cases[] = {
        {"Backspace at the end", u"12345", 5, 5, u"1234", 4, 4, 5, u""},
        {"Delete at the start", u"12345", 0, 0, u"2345", 0, 0, 1, u""},
        {"one of a run: the last", u"1000", 4, 4, u"100", 3, 3, 4, u""},
        {"a word removed", u"1.5E-7", 3, 3, u"1E-7", 1, 1, 3, u""},
        {"everything removed", u"abc", 0, 3, u"", 0, 0, 3, u""},
        {"a key into an empty box", u"", 0, 0, u"x", 1, 0, 0, u"x"},
        {"a key in the middle", u"12", 1, 1, u"1x2", 2, 1, 1, u"x"},
        {"a key over a selection", u"abcd", 1, 3, u"aXd", 2, 1, 3, u"X"},
        // The selection says where the key went, where the texts alone cannot.
        {"the selected text typed over itself", u"1", 0, 1, u"1", 1, 0, 1, u"1"},
        {"a key equal to its neighbour", u"11", 0, 0, u"111", 1, 0, 0, u"1"},
        {"a pair removed", u"a\U0001F600b", 3, 3, u"ab", 1, 1, 3, u""},
        // An undo: no selection fits, the inserted text ends at the cursor, no pair is split.
        {"an undo", u"12", 2, 2, u"9", 1, 0, 2, u"9"},
        {"no pair split at the start", u"\U0001F600", 2, 2, u"\U0001F601x", 3, 0, 2,
         u"\U0001F601x"},
        {"a pair typed before a pair", u"x\U0001F600", 0, 0, u"\U0001F601\U0001F600", 2, 0, 1,
         u"\U0001F601"},
    };
    for (const auto& c : cases) {
        const Edit edit =
            editBetween(c.held, c.selectionStart, c.selectionEnd, c.changed, c.cursor);
        EXPECT_EQ(edit.start, c.start) << c.what;
        EXPECT_EQ(edit.end, c.end) << c.what;
        EXPECT_TRUE(edit.inserted == c.inserted) << c.what;
    }
}

// Keys over the whole text selected, as Tab leaves it: the first key taken replaces it, even
// with the same text, and later keys follow it.
TEST(Typing, KeysOverASelectionReplaceItOnce) {
    const struct {
        const char* held;
        const char* typed;
        const char* result;
    } cases[] = {
        {"1", "12", "12"},
        {"0", "05", "05"},
        {"123", "", "123"},
        {"123", "\t4", "4"},  // a control character types nothing and keeps the selection
        {"123456789012345678", "9", "9"},
        {"", "1234567890123456789", "123456789012345678"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(typeKeys(c.held, c.typed, kTypingLimit, true), c.result) << c.held << c.typed;
    }
}

}  // namespace
}  // namespace quillon
