#include "Text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace acadsim {

std::wstring fromUtf8(const std::string& s) {
    std::wstring out;
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        unsigned cp = 0xFFFD;
        size_t len = 1;
        if (c < 0x80) {
            cp = c;
        } else if ((c >> 5) == 6 && i + 1 < s.size()) {
            cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu);
            len = 2;
        } else if ((c >> 4) == 14 && i + 2 < s.size()) {
            cp = ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(s[i + 1]) & 0x3Fu) << 6) |
                 (static_cast<unsigned char>(s[i + 2]) & 0x3Fu);
            len = 3;
        } else if ((c >> 3) == 30 && i + 3 < s.size()) {
            cp = ((c & 0x07u) << 18) | ((static_cast<unsigned char>(s[i + 1]) & 0x3Fu) << 12) |
                 ((static_cast<unsigned char>(s[i + 2]) & 0x3Fu) << 6) |
                 (static_cast<unsigned char>(s[i + 3]) & 0x3Fu);
            len = 4;
        }
        i += len;
        if (cp >= 0x10000 && cp <= 0x10FFFF) {
            cp -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<wchar_t>(cp > 0xFFFF ? 0xFFFD : cp));
        }
    }
    return out;
}

std::string toUtf8(const std::wstring& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned cp = static_cast<unsigned>(s[i]) & 0xFFFFu;
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size()) {
            unsigned lo = static_cast<unsigned>(s[i + 1]) & 0xFFFFu;
            if (lo >= 0xDC00 && lo < 0xE000) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
                ++i;
            }
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::wstring halfWidthKana(const std::wstring& s) {
    // Same order as the half-width block U+FF61..U+FF9F.
    static const std::wstring full =
        L"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
        L"ハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
    static const std::wstring keep = L"。「」、";  // old releases kept these full width
    std::wstring out;
    for (wchar_t c : s) {
        unsigned u = static_cast<unsigned>(c) & 0xFFFFu;
        wchar_t base = c;
        wchar_t mark = 0;
        if (u == 0x30F4) {  // ヴ
            base = L'ウ';
            mark = 0xFF9E;
        } else if (u >= 0x30AB && u <= 0x30DD) {
            std::wstring voiced = L"ガギグゲゴザジズゼゾダヂヅデドバビブベボ";
            std::wstring semi = L"パピプペポ";
            if (voiced.find(c) != std::wstring::npos) {
                base = static_cast<wchar_t>(u - 1);
                mark = 0xFF9E;
            } else if (semi.find(c) != std::wstring::npos) {
                base = static_cast<wchar_t>(u - 2);
                mark = 0xFF9F;
            }
        }
        size_t pos = keep.find(base) == std::wstring::npos ? full.find(base) : std::wstring::npos;
        if (pos != std::wstring::npos) {
            out.push_back(static_cast<wchar_t>(0xFF61 + pos));
            if (mark) out.push_back(mark);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::wstring upperAscii(std::wstring s) {
    for (auto& c : s)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return s;
}

bool equalsNoCase(const std::wstring& a, const std::wstring& b) { return upperAscii(a) == upperAscii(b); }

std::wstring trim(const std::wstring& s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == L' ' || s[b] == L'\t' || s[b] == 0x3000)) ++b;
    while (e > b && (s[e - 1] == L' ' || s[e - 1] == L'\t' || s[e - 1] == 0x3000)) --e;
    return s.substr(b, e - b);
}

std::vector<std::wstring> split(const std::wstring& s, wchar_t sep) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        size_t p = s.find(sep, start);
        parts.push_back(s.substr(start, p == std::wstring::npos ? std::wstring::npos : p - start));
        if (p == std::wstring::npos) break;
        start = p + 1;
    }
    return parts;
}

bool startsWith(const std::wstring& s, const std::wstring& prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

std::wstring formatReal(double v) {
    char buf[64];
    if (std::fabs(v) >= 1e10)
        std::snprintf(buf, sizeof buf, "%.4E", v);
    else
        std::snprintf(buf, sizeof buf, "%.4f", v == 0 ? 0.0 : v);
    return fromUtf8(buf);
}

std::wstring formatInt(long long v) { return fromUtf8(std::to_string(v)); }

bool parseReal(const std::wstring& s, double& out) {
    std::wstring t = trim(s);
    if (t.empty()) return false;
    std::string a;
    for (wchar_t c : t) {
        if (!((c >= L'0' && c <= L'9') || c == L'.' || c == L'-' || c == L'+' || c == L'e' || c == L'E'))
            return false;
        a.push_back(static_cast<char>(c));
    }
    char* end = nullptr;
    double v = std::strtod(a.c_str(), &end);
    if (end == a.c_str() || *end != '\0' || !std::isfinite(v)) return false;
    out = v;
    return true;
}

bool parsePoint(const std::wstring& s, double& x, double& y) {
    auto parts = split(s, L',');
    if (parts.size() != 2 && parts.size() != 3) return false;
    double z = 0;
    return parseReal(parts[0], x) && parseReal(parts[1], y) && (parts.size() == 2 || parseReal(parts[2], z));
}

static size_t lastSeparator(const std::wstring& path) { return path.find_last_of(L"\\/"); }

std::wstring fileNamePart(const std::wstring& path) {
    size_t p = lastSeparator(path);
    return p == std::wstring::npos ? path : path.substr(p + 1);
}

std::wstring folderPart(const std::wstring& path) {
    size_t p = lastSeparator(path);
    return p == std::wstring::npos ? std::wstring() : path.substr(0, p);
}

std::wstring extensionPart(const std::wstring& path) {
    std::wstring name = fileNamePart(path);
    size_t p = name.rfind(L'.');
    return p == std::wstring::npos ? std::wstring() : name.substr(p);
}

std::wstring replaceExtension(const std::wstring& path, const std::wstring& ext) {
    std::wstring e = extensionPart(path);
    return path.substr(0, path.size() - e.size()) + ext;
}

}  // namespace acadsim
