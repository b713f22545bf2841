#include "hebrew_text/reading.h"

#include <utility>
#include <vector>

#include "hebrew_text/utf8.h"

namespace hebrew_text {

namespace {

enum class Kind { Keep, Drop, Space, Geresh, Gershayim };

struct Piece {
    Kind kind;
    std::size_t length;  // bytes
    char32_t code;       // the code point; for a byte that is no UTF-8, the byte (kept as it is)
};

Kind KindOf(char32_t c)
{
    if (c < 0x80) {  // most of what is read: dates in digits and Latin letters
        return c == '\'' ? Kind::Geresh : c == '"' ? Kind::Gershayim : Kind::Keep;
    }
    if ((c >= 0x0591 && c <= 0x05BD) || c == 0x05BF || c == 0x05C1 || c == 0x05C2 || c == 0x05C4 || c == 0x05C5 ||
        c == 0x05C7 || c == 0x034F) {
        return Kind::Drop;  // cantillation marks, niqqud, the grapheme joiner that orders them
    }
    if (c == 0x061C || (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) || (c >= 0x2060 && c <= 0x2064) ||
        (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF) {
        return Kind::Drop;  // direction marks, embeddings and isolates, zero-width characters, byte-order mark
    }
    if (c == 0x00A0 || c == 0x2007 || c == 0x202F || c == 0x05BE) {
        return Kind::Space;  // non-breaking spaces and the maqaf, the Hebrew hyphen
    }
    if (c == '\'' || c == 0x05F3 || c == 0x2018 || c == 0x2019) {
        return Kind::Geresh;
    }
    if (c == '"' || c == 0x05F4 || c == 0x201C || c == 0x201D) {
        return Kind::Gershayim;
    }
    return Kind::Keep;
}

Piece PieceAt(std::string_view text, std::size_t at)
{
    Utf8Char c = DecodeUtf8(text, at);
    return {c.valid ? KindOf(c.code) : Kind::Keep, c.length, c.code};
}

// The value of the Hebrew letter (final forms included), 0 for anything else.
int LetterValue(char32_t code)
{
    static constexpr int values[27] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,  20,  20,  30, 40,
                                       40, 50, 50, 60, 70, 80, 80, 90, 90, 100, 200, 300, 400};
    return code >= 0x05D0 && code <= 0x05EA ? values[code - 0x05D0] : 0;
}

// Hundreds, tens and units in falling order; -1 when the letters do not form such a number.
int ValueBelowThousand(const int* letters, std::size_t count)
{
    int total = 0;
    int hundreds = 0;
    int tens = 0;
    int units = 0;
    for (std::size_t i = 0; i < count; ++i) {
        int v = letters[i];
        if (i > 0 && (v > letters[i - 1] || (v == letters[i - 1] && v != 400))) {
            return -1;
        }
        if (v >= 100) {
            hundreds += v;
        } else if (v >= 10) {
            ++tens;
        } else {
            ++units;
        }
        total += v;
    }
    bool fifteenOrSixteen = tens == 0 && units == 2 && letters[count - 2] == 9 &&
                            (letters[count - 1] == 6 || letters[count - 1] == 7);
    if (hundreds > 900 || tens > 1 || (units > 1 && !fifteenOrSixteen)) {
        return -1;
    }
    return total;
}

// A month name as HebrewMonthByName compares it: plain, lower case, without marks, single spaces
// for blanks and hyphens, none at the ends; nothing for a text longer than any name or one that
// is not UTF-8.
std::optional<std::string> MonthKey(std::string_view text)
{
    std::string key;
    for (std::size_t at = 0; at < text.size();) {
        if (auto byte = static_cast<unsigned char>(text[at]); byte < 0x80 && byte != '\'' && byte != '"' &&
                                                              byte != '-' && byte > ' ') {
            // A plain letter or digit, as most names are written.
            if (key.size() == 64) {
                return std::nullopt;
            }
            key += static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte);
            ++at;
            continue;
        }
        Piece piece = PieceAt(text, at);
        if (piece.length == 1 && piece.code >= 0x80) {
            // No name holds a byte that is no UTF-8; and leaving out a mark beside one could join
            // it with the bytes after the mark into a letter that was never written.
            return std::nullopt;
        }
        std::string_view bytes = text.substr(at, piece.length);
        at += piece.length;
        if (piece.kind == Kind::Drop || piece.kind == Kind::Geresh || piece.kind == Kind::Gershayim) {
            continue;
        }
        if (piece.kind == Kind::Space || piece.code == ' ' || piece.code == '\t' || piece.code == '-' ||
            piece.code == '\r' || piece.code == '\n' || piece.code == '\v' || piece.code == '\f') {
            if (!key.empty() && key.back() != ' ') {
                key += ' ';
            }
            continue;
        }
        if (key.size() + bytes.size() > 64) {
            return std::nullopt;
        }
        if (piece.code >= 'A' && piece.code <= 'Z') {
            key += static_cast<char>(piece.code - 'A' + 'a');
        } else {
            key += bytes;
        }
    }
    if (!key.empty() && key.back() == ' ') {
        key.pop_back();
    }
    return key;
}

// The month list's own names, Latin and Hebrew, as keys, then the other spellings.
const std::vector<std::pair<std::string, HebrewMonth>>& MonthKeys()
{
    static const std::vector<std::pair<std::string, HebrewMonth>> keys = [] {
        std::vector<std::pair<std::string, HebrewMonth>> all;
        for (bool leap : {false, true}) {
            for (const HebrewMonthEntry& entry : HebrewMonthList(leap)) {
                all.emplace_back(*MonthKey(entry.latin), entry.month);
                all.emplace_back(*MonthKey(entry.utf8), entry.month);
            }
        }
        for (const HebrewMonthSpelling& spelling : OtherMonthSpellings()) {
            all.emplace_back(*MonthKey(spelling.utf8), spelling.month);
        }
        return all;
    }();
    return keys;
}

constexpr std::string_view HebrewPrefixBet = "\xD7\x91";  // ב, "in": "בניסן"

}  // namespace

const std::string_view GereshAndGershayimMarks = "' \" \xD7\xB3 \xD7\xB4 \xE2\x80\x98 \xE2\x80\x99 \xE2\x80\x9C \xE2\x80\x9D";

bool IsPlain(std::string_view utf8)
{
    for (std::size_t at = 0; at < utf8.size();) {
        if (static_cast<unsigned char>(utf8[at]) < 0x80) {
            ++at;  // every single byte is plain
            continue;
        }
        Piece piece = PieceAt(utf8, at);
        if (piece.length > 1 && piece.kind != Kind::Keep) {
            return false;
        }
        at += piece.length;
    }
    return true;
}

std::string PlainText(std::string_view utf8)
{
    std::string plain;
    plain.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        Piece piece = PieceAt(utf8, at);
        switch (piece.kind) {
        case Kind::Keep:
            plain.append(utf8.substr(at, piece.length));
            break;
        case Kind::Drop:
            // Between a byte that is no UTF-8 and a continuation byte a mark keeps its place as
            // U+FFFD, so that leaving it out joins no bytes into a letter that was never there.
            if (at + piece.length < utf8.size() && Utf8UnfinishedTail(plain) > 0 &&
                (static_cast<unsigned char>(utf8[at + piece.length]) & 0xC0) == 0x80) {
                plain += "\xEF\xBF\xBD";
            }
            break;
        case Kind::Space:
            plain += ' ';
            break;
        case Kind::Geresh:
            plain += '\'';
            break;
        case Kind::Gershayim:
            plain += '"';
            break;
        }
        at += piece.length;
    }
    return plain;
}

int HebrewNumeralValue(std::string_view text, bool year)
{
    constexpr std::size_t MaxLetters = 12;
    int letters[MaxLetters];
    std::size_t count = 0;
    bool gereshAfterFirst = false;
    for (std::size_t at = 0; at < text.size();) {
        Piece piece = PieceAt(text, at);
        at += piece.length;
        if (piece.kind == Kind::Drop) {
            continue;
        }
        if (piece.kind == Kind::Geresh || piece.kind == Kind::Gershayim) {
            gereshAfterFirst = gereshAfterFirst || (piece.kind == Kind::Geresh && count == 1);
            continue;
        }
        int value = LetterValue(piece.code);
        if (value == 0 || count == MaxLetters) {
            return -1;
        }
        letters[count++] = value;
    }
    if (count == 0) {
        return -1;
    }
    int thousands = -1;
    const int* rest = letters;
    std::size_t restCount = count;
    if (year && letters[0] < 10 && (gereshAfterFirst || (count > 1 && letters[0] < letters[1]))) {
        thousands = letters[0];
        ++rest;
        --restCount;
    }
    int below = restCount == 0 ? 0 : ValueBelowThousand(rest, restCount);
    if (below < 0) {
        return -1;
    }
    if (!year) {
        return below;
    }
    return (thousands < 0 ? 5 : thousands) * 1000 + below;
}

bool IsThousandsLetter(std::string_view text)
{
    int letters = 0;
    bool geresh = false;
    for (std::size_t at = 0; at < text.size();) {
        Piece piece = PieceAt(text, at);
        at += piece.length;
        if (piece.kind == Kind::Geresh && letters == 1 && !geresh) {
            geresh = true;
        } else if (piece.kind != Kind::Drop) {
            int value = LetterValue(piece.code);
            if (value == 0 || value > 9 || ++letters > 1 || geresh) {
                return false;
            }
        }
    }
    return letters == 1 && geresh;
}

std::optional<HebrewMonth> HebrewMonthByName(std::string_view text)
{
    std::optional<std::string> key = MonthKey(text);
    if (!key) {
        return std::nullopt;
    }
    std::string_view normal = *key;
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& [name, month] : MonthKeys()) {
            if (name == normal) {
                return month;
            }
        }
        if (!normal.starts_with(HebrewPrefixBet)) {
            break;
        }
        normal.remove_prefix(HebrewPrefixBet.size());
    }
    return std::nullopt;
}

}  // namespace hebrew_text
