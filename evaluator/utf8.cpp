#include "utf8.h"

#include <utility>

namespace quillon {

char32_t nextCodePoint(const std::string& text, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    int length = 0;
    char32_t point = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, point = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, point = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, point = lead & 0x07, minimum = 0x10000;
    }
    if (length == 0 || at + length > text.size()) {
        ++at;
        return 0xFFFD;
    }
    for (int i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            ++at;
            return 0xFFFD;
        }
        point = (point << 6) | (byte(at + i) & 0x3F);
    }
    if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
        ++at;
        return 0xFFFD;
    }
    at += length;
    return point;
}

namespace {

// Walks a UTF-8 text as the UTF-16 code units that the same text has in the window.
class Utf16Units {
public:
    explicit Utf16Units(const std::string& text) : text_(text) {}
    bool done() const { return pendingLow_ == 0 && at_ >= text_.size(); }
    char16_t next() {
        if (pendingLow_ != 0) {
            return std::exchange(pendingLow_, char16_t{0});
        }
        const char32_t point = nextCodePoint(text_, at_);
        if (point < 0x10000) {
            return static_cast<char16_t>(point);
        }
        pendingLow_ = static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
        return static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
    }

private:
    const std::string& text_;
    std::size_t at_ = 0;
    char16_t pendingLow_ = 0;
};

template <typename T>
int threeWay(T left, T right) {
    return left < right ? -1 : (right < left ? 1 : 0);
}

}  // namespace

void appendUtf8(std::string& out, char32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

std::u16string toUtf16(const std::string& text) {
    std::u16string units;
    for (Utf16Units walk(text); !walk.done();) {
        units.push_back(walk.next());
    }
    return units;
}

int compareTexts(const std::string& left, const std::string& right) {
    Utf16Units a(left);
    Utf16Units b(right);
    while (!a.done() && !b.done()) {
        if (const int order = threeWay(a.next(), b.next()); order != 0) {
            return order;
        }
    }
    return threeWay(b.done(), a.done());  // a proper prefix sorts first
}

std::string validUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        appendUtf8(out, nextCodePoint(text, at));
    }
    return out;
}

}  // namespace quillon
