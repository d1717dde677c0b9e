// The typing rule of a box: what it holds after the user types, pastes or drops a text over a
// selection, whatever the toolkit.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "controls.h"
#include "typing.h"

namespace quillon {
namespace {

struct TypingCase {
    const char* what;
    std::u16string held;
    std::size_t start;  // the selection [start, end); the cursor when they are equal
    std::size_t end;
    std::u16string inserted;
    std::size_t limit;
    std::optional<std::u16string> result;  // none: refused, the box keeps what it held
    std::size_t cursor = 0;
};

TEST(Typing, TakesTheFirstLineOfWhatFitsAndRefusesWhatLeavesNothing) {
    const std::u16string long24 = u"123456789012345678901234";
    const std::size_t limit = kTypingLimit;
    const TypingCase cases[] = {
        {"a key", u"12", 2, 2, u"3", limit, u"123", 3},
        {"a key into a full box", u"123456789012345678", 18, 18, u"9", limit, std::nullopt},
        {"a key over a selection of a full box", u"123456789012345678", 0, 1, u"x", limit,
         u"x23456789012345678", 1},
        {"a paste into an empty box", u"", 0, 0, u"12345678901234567890", limit,
         u"123456789012345678", 18},
        {"a paste in the middle", u"12345", 2, 2, u"abcdefghijklmnopqrst", limit,
         u"12abcdefghijklm345", 15},
        {"a paste over a selection", u"123456789012345", 3, 8, u"abcdefghijklmnop", limit,
         u"123abcdefgh9012345", 11},
        {"never half a surrogate pair", u"1234567890123456", 16, 16, u"x\U0001F600", limit,
         u"1234567890123456x", 17},
        {"a whole pair that fits", u"1234567890123456", 16, 16, u"\U0001F600x", limit,
         u"1234567890123456\U0001F600", 18},
        {"only half a pair would fit", u"12345678901234567", 17, 17, u"\U0001F600", limit,
         std::nullopt},
        {"a line feed ends the line", u"0", 0, 1, u"12\n34", limit, u"12", 2},
        {"a carriage return too", u"5", 1, 1, u"67\r\n8", limit, u"567", 3},
        {"a break first leaves nothing", u"0", 0, 1, u"\n34", limit, u"", 0},
        {"a break first at the cursor", u"0", 1, 1, u"\n34", limit, std::nullopt},
        {"the line is then cut to fit", u"", 0, 0, u"1234567890123456789\r\n", limit,
         u"123456789012345678", 18},
        // A longer text that the program wrote gives the user no more room, but can shrink.
        {"into a long text", long24, 24, 24, u"5", limit, std::nullopt},
        {"over part of a long text", long24, 0, 2, u"x", limit, u"3456789012345678901234", 0},
        {"over all of a long text", long24, 0, 24, u"1234567890123456789999999", limit,
         u"123456789012345678", 18},
        {"deleting from a long text", long24, 5, 7, u"", limit, u"1234589012345678901234", 5},
        {"no limit", long24, 24, 24, long24, kNoTypingLimit, long24 + long24, 48},
        {"a selection past the end is the end", u"12", 5, 9, u"3", limit, u"123", 3},
    };
    for (const TypingCase& c : cases) {
        const std::optional<TypedText> typed =
            typeInto(c.held, c.start, c.end, c.inserted, c.limit);
        ASSERT_EQ(typed.has_value(), c.result.has_value()) << c.what;
        if (typed) {
            EXPECT_TRUE(typed->text == *c.result) << c.what;
            EXPECT_EQ(typed->cursor, c.cursor) << c.what;
        }
    }
}

}  // namespace
}  // namespace quillon
