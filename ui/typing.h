// How a text box judges what the user types, pastes or drops, whatever the toolkit: the rule
// is a plain function from the text held before the change to the text held after it.
//
// Lengths and positions count UTF-16 code units, as the toolkits do.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace quillon {

// The limit of a box that takes any length (Answer, and the list's edit field).
inline constexpr std::size_t kNoTypingLimit = std::numeric_limits<std::size_t>::max();

// The typing limit of First and Second, in UTF-16 code units as the toolkits count.
inline constexpr std::size_t kTypingLimit = 18;

// The note a box with typing limit `limit` shows below itself when it refuses a paste or a drop
// that does not fit ("At most 18 characters"); a refused key press only beeps.
std::string tooLongNote(std::size_t limit);

// How long the note shows before it goes by itself.
inline constexpr int kTooLongNoteMilliseconds = 3000;

struct TypedText {
    enum class Outcome {
        Taken,      // the box holds `text` now
        Unchanged,  // the change leaves the text as it was
        TooLong,    // refused: the text would pass the limit; the box keeps what it held
    };
    Outcome outcome;
    std::u16string text;  // what the box holds after the change
    std::size_t cursor;   // where the cursor stands after it

    friend bool operator==(const TypedText&, const TypedText&) = default;
};

// What a box holding `held` holds after the user inserts `inserted` over the selection
// [selectionStart, selectionEnd) (an empty selection is the cursor), with at most `limit` code
// units:
// - only the first line of the inserted text counts, up to its first line break (CR or LF);
// - the change is taken whole when the result fits, or when it only removes characters (so a
//   longer text that the program wrote is kept and can be shortened): a front-end hands every
//   change to this rule, removals too;
// - otherwise it is refused whole: a number cut short would be a different number.
TypedText typeInto(std::u16string_view held, std::size_t selectionStart, std::size_t selectionEnd,
                   std::u16string_view inserted, std::size_t limit);

// Whether a refused change shows the note of tooLongNote: a paste or a drop of more than one
// character, not a key press.
bool showsTooLongNote(const TypedText& typed, std::u16string_view inserted);

// The change that turned `held`, whose selection was [selectionStart, selectionEnd) (an empty
// one is the cursor), into `changed`, with the cursor at `cursor` after it: the range
// [start, end) of `held` it replaced and what it inserted there. Typing, pasting and dropping
// replace the selection; a removal from one place keeps the rest; anything else (an undo, a
// drop moving text) is taken as the longest common start and end, the inserted text ending at
// the cursor and no surrogate pair split.
struct Edit {
    std::size_t start;
    std::size_t end;
    std::u16string_view inserted;  // a part of `changed`
};
Edit editBetween(std::u16string_view held, std::size_t selectionStart, std::size_t selectionEnd,
                 std::u16string_view changed, std::size_t cursor);

// What the box takes of a change the user made (as editBetween finds it), and whether its
// refusal shows the note of tooLongNote.
struct JudgedChange {
    TypedText typed;
    bool showsNote;
};
JudgedChange judgeChange(std::u16string_view held, std::size_t selectionStart,
                         std::size_t selectionEnd, std::u16string_view changed, std::size_t cursor,
                         std::size_t limit);

// What a user typing `typed` key by key into a box holding `current` ends up with, the cursor
// at its end or, with `overSelection`, its whole text selected (as Tab leaves it), so that the
// first key taken replaces it: a key is refused when the text would then exceed `limit` UTF-16
// code units (kNoTypingLimit: none), and a control character (a tab, say) types nothing.
std::string typeKeys(std::string current, const std::string& typed, std::size_t limit,
                     bool overSelection = false);

}  // namespace quillon
