#include "store/RegistryView.h"

#include "store/Cp1251.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <utility>

#include <pwd.h>
#include <unistd.h>

namespace store {
namespace {

char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualsAsciiNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Escapes yield UTF-16 code units; a surrogate pair may come as two escapes.
class Utf16ToUtf8 {
public:
    explicit Utf16ToUtf8(std::string& out) : out_(out) {}

    void Unit(char16_t unit)
    {
        if (high_ != 0) {
            if (unit >= 0xDC00 && unit <= 0xDFFF) {
                AppendUtf8(out_, 0x10000 + ((char32_t(high_) - 0xD800) << 10) + (char32_t(unit) - 0xDC00));
                high_ = 0;
                return;
            }
            Flush();
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) high_ = unit;
        else if (unit >= 0xDC00 && unit <= 0xDFFF) AppendUtf8(out_, 0xFFFD);
        else AppendUtf8(out_, unit);
    }
    // Wine writes only ASCII unescaped; other bytes of a hand-edited file are
    // taken as UTF-8 already.
    void Raw(char c)
    {
        Flush();
        out_ += c;
    }
    void Flush()
    {
        if (high_ != 0) AppendUtf8(out_, 0xFFFD);
        high_ = 0;
    }

private:
    std::string& out_;
    char16_t high_ = 0;
};

// Decodes Wine's escaped text from s[pos] up to the unescaped `end`. Returns
// the index after `end`, or npos when it is missing.
std::size_t DecodeEscaped(std::string_view s, std::size_t pos, char end, std::string& out)
{
    out.clear();
    Utf16ToUtf8 text(out);
    while (pos < s.size() && s[pos] != end) {
        if (s[pos] != '\\') {
            text.Raw(s[pos++]);
            continue;
        }
        if (++pos == s.size()) return std::string_view::npos;
        const char c = s[pos++];
        switch (c) {
        case 'a': text.Unit(u'\a'); break;
        case 'b': text.Unit(u'\b'); break;
        case 'e': text.Unit(0x1B); break;
        case 'f': text.Unit(u'\f'); break;
        case 'n': text.Unit(u'\n'); break;
        case 'r': text.Unit(u'\r'); break;
        case 't': text.Unit(u'\t'); break;
        case 'v': text.Unit(u'\v'); break;
        case 'x': {
            unsigned value = 0;
            int digits = 0;
            for (int d; digits < 4 && pos < s.size() && (d = HexDigit(s[pos])) >= 0; ++digits, ++pos) {
                value = value * 16 + static_cast<unsigned>(d);
            }
            text.Unit(digits == 0 ? u'x' : static_cast<char16_t>(value));
            break;
        }
        case '0': case '1': case '2': case '3': case '4': case '5': case '6': case '7': {
            unsigned value = static_cast<unsigned>(c - '0');
            for (int digits = 1; digits < 3 && pos < s.size() && s[pos] >= '0' && s[pos] <= '7'; ++digits, ++pos) {
                value = value * 8 + static_cast<unsigned>(s[pos] - '0');
            }
            text.Unit(static_cast<char16_t>(value));
            break;
        }
        default:
            text.Raw(c);  // \\, \", \[, \] and any other escaped character
            break;
        }
    }
    text.Flush();
    return pos < s.size() ? pos + 1 : std::string_view::npos;
}

std::string UserRegPath()
{
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) return std::string(prefix) + "/user.reg";
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = getpwuid(getuid());
        home = user ? user->pw_dir : nullptr;
    }
    return home ? std::string(home) + "/.wine/user.reg" : std::string();
}

enum class DataKind { String, OtherType, Malformed };

// The data of one value line, from just after its "=".
DataKind ParseData(std::string_view line, std::size_t pos, std::string& text)
{
    const std::string_view data = line.substr(pos);
    std::size_t start;
    if (data.starts_with("\"")) start = 1;
    else if (data.starts_with("str:\"")) start = 5;
    else if (data.starts_with("str(1):\"") || data.starts_with("str(2):\"")) start = 8;  // plain, expandable
    else return DataKind::OtherType;
    if (DecodeEscaped(data, start, '"', text) == std::string_view::npos) return DataKind::Malformed;
    // As on Windows, the string ends at its first NUL.
    if (const std::size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
    return DataKind::String;
}

}  // namespace

RegistryView::RegistryView(std::string root) : root_(std::move(root)) {}

std::string RegistryView::ReadString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const
{
    std::string wanted = root_;
    if (!section.empty()) {
        if (!wanted.empty()) wanted += '\\';
        wanted += section;
    }
    const std::string file = UserRegPath();
    if (file.empty()) return std::string(defaultValue);
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::string(defaultValue);
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    // Wine lets a later line override an earlier one, so the last match wins.
    std::optional<std::string> result;
    bool inWantedKey = false;
    std::string decoded;
    std::size_t lineStart = 0;
    while (lineStart < content.size()) {
        std::size_t lineEnd = content.find('\n', lineStart);
        if (lineEnd == std::string::npos) lineEnd = content.size();
        std::string_view line(content.data() + lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;

        if (line.front() == '[') {
            // "[Software\\SAMP] 1700000000": the path is escaped like a string.
            inWantedKey = DecodeEscaped(line, 1, ']', decoded) != std::string_view::npos &&
                          EqualsAsciiNoCase(decoded, wanted);
            continue;
        }
        if (!inWantedKey || (line.front() != '"' && line.front() != '@')) continue;

        std::size_t pos;
        if (line.front() == '@') {
            decoded.clear();
            pos = 1;
        } else if ((pos = DecodeEscaped(line, 1, '"', decoded)) == std::string_view::npos) {
            continue;
        }
        if (!EqualsAsciiNoCase(decoded, key)) continue;
        while (pos < line.size() && IsBlank(line[pos])) ++pos;
        if (pos == line.size() || line[pos] != '=') continue;
        ++pos;
        while (pos < line.size() && IsBlank(line[pos])) ++pos;
        std::string text;
        switch (ParseData(line, pos, text)) {
        case DataKind::String: result = std::move(text); break;
        case DataKind::OtherType: result.reset(); break;
        case DataKind::Malformed: break;  // Wine skips the line and keeps what it had
        }
    }
    return result ? *result : std::string(defaultValue);
}

}  // namespace store
