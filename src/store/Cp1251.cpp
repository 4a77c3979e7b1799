#include "store/Cp1251.h"

#include <array>
#include <cstdint>
#include <vector>

namespace store {
namespace {

// Unicode code points of bytes 0x80..0xFF. 0x98 is unassigned in 1251; it maps
// to U+0098 so that any byte read from a file comes back unchanged on write.
constexpr std::array<char16_t, 128> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// Upper-case -> lower-case pairs among 0x80..0xBF (the rest is regular).
constexpr std::array<std::array<unsigned char, 2>, 16> kFoldPairs = {{
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C},
    {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2},
    {0xA3, 0xBC}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA},
    {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}, {0x00, 0x00},
}};

struct FoldTable {
    std::array<unsigned char, 256> lower{};
    constexpr FoldTable()
    {
        for (int i = 0; i < 256; ++i) lower[i] = static_cast<unsigned char>(i);
        for (int c = 'A'; c <= 'Z'; ++c) lower[c] = static_cast<unsigned char>(c + 32);
        for (int c = 0xC0; c <= 0xDF; ++c) lower[c] = static_cast<unsigned char>(c + 32);
        for (const auto& p : kFoldPairs)
            if (p[0] != 0) lower[p[0]] = p[1];
    }
};
constexpr FoldTable kFold;

int EncodeChar(char32_t cp)
{
    if (cp < 0x80) return static_cast<int>(cp);
    // А..я, most of a Russian text, are one run at 0xC0..0xFF.
    if (cp >= 0x0410 && cp <= 0x044F) return 0xC0 + static_cast<int>(cp - 0x0410);
    for (int i = 0; i < 128; ++i)
        if (kHigh[i] == cp) return 0x80 + i;
    return -1;
}


}  // namespace

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

namespace {

// Adds `character` to `list` unless it is there already.
void NoteOnce(std::vector<std::string>* list, std::string character)
{
    if (list == nullptr) return;
    for (const std::string& c : *list)
        if (c == character) return;
    list->push_back(std::move(character));
}

// Encodes `in`; what 1251 cannot hold goes to `unsupported` when given.
std::string Encode(std::string_view in, std::vector<std::string>* unsupported)
{
    std::string out;
    out.reserve(in.size());
    size_t i = 0;
    while (i < in.size()) {
        const auto b = static_cast<unsigned char>(in[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        size_t len = 0;
        char32_t cp = 0;
        if ((b & 0xE0) == 0xC0) { len = 2; cp = b & 0x1F; }
        else if ((b & 0xF0) == 0xE0) { len = 3; cp = b & 0x0F; }
        else if ((b & 0xF8) == 0xF0) { len = 4; cp = b & 0x07; }
        bool ok = len != 0 && i + len <= in.size();
        for (size_t k = 1; ok && k < len; ++k) {
            const auto cont = static_cast<unsigned char>(in[i + k]);
            if ((cont & 0xC0) != 0x80) ok = false;
            else cp = (cp << 6) | (cont & 0x3F);
        }
        if (!ok) {
            out += '?';
            NoteOnce(unsupported, "\xEF\xBF\xBD");
            ++i;  // resynchronise on the next byte
            continue;
        }
        const int enc = EncodeChar(cp);
        out += enc < 0 ? '?' : static_cast<char>(enc);
        if (enc < 0) NoteOnce(unsupported, std::string(in.substr(i, len)));
        i += len;
    }
    return out;
}

}  // namespace

std::string Utf8ToCp1251(std::string_view in)
{
    return Encode(in, nullptr);
}

std::vector<std::string> UnsupportedBy1251(std::string_view utf8)
{
    std::vector<std::string> list;
    Encode(utf8, &list);
    return list;
}

std::string Cp1251ToUtf8(std::string_view in)
{
    std::string out;
    out.reserve(in.size() * 2);
    for (char ch : in) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) out += ch;
        else AppendUtf8(out, kHigh[b - 0x80]);
    }
    return out;
}

unsigned char FoldCp1251(unsigned char c)
{
    return kFold.lower[c];
}

std::string Folded1251(std::string_view cp1251)
{
    std::string out(cp1251);
    for (char& c : out) c = static_cast<char>(kFold.lower[static_cast<unsigned char>(c)]);
    return out;
}

std::string FoldedUtf8(std::string_view utf8)
{
    return Folded1251(Utf8ToCp1251(utf8));
}

bool EqualsIgnoringCase1251(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (kFold.lower[static_cast<unsigned char>(a[i])] != kFold.lower[static_cast<unsigned char>(b[i])])
            return false;
    return true;
}

}  // namespace store
