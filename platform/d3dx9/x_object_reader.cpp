#include "platform/d3dx9/x_object_reader.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>

namespace {

// The number as the file spells it; binary list numbers have no spelling and are written out.
std::string Spelling(const XToken& token)
{
    if (!token.text.empty()) {
        return token.text;
    }
    char text[32];
    const std::to_chars_result written = std::to_chars(text, text + sizeof text, token.number);
    return std::string(text, written.ptr);
}

} // namespace

bool SameName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::string XWhat::Text() const
{
    std::string text = m_item;
    if (m_index) {
        // Appended in two steps: GCC 12 at -O3 reports a false overlap in the
        // concatenated temporary (-Werror=restrict).
        text += ' ';
        text += std::to_string(*m_index);
    }
    if (m_part != nullptr) {
        text += std::string("'s ") + m_part;
    }
    return text;
}

std::string XObjectReader::Describe(const XToken& token)
{
    switch (token.kind) {
    case XTokenKind::End:
        return "the end of the file";
    case XTokenKind::String:
        return "the string \"" + token.text + "\"";
    case XTokenKind::Number:
        return token.text.empty() ? "a number" : "the number " + token.text;
    default:
        return "'" + token.text + "'";
    }
}

const XToken& XObjectReader::Peek()
{
    if (!m_peeked) {
        m_peeked = m_tokens.Next();
    }
    return *m_peeked;
}

XToken XObjectReader::Take()
{
    Peek();
    XToken token = std::move(*m_peeked);
    m_peeked.reset();
    return token;
}

bool XObjectReader::FailAt(const std::string& where, const std::string& message)
{
    if (m_error.empty()) {
        m_error = where + ": " + message;
    }
    return false;
}

bool XObjectReader::Fail(const std::string& message) { return FailAt(m_tokens.Where(), message); }

bool XObjectReader::TakeNumber(XToken& token, const XWhat& what)
{
    token = Take();
    if (token.kind == XTokenKind::Error) {
        return Fail(token.text);
    }
    if (token.kind != XTokenKind::Number) {
        return Fail("expected a number for " + what.Text() + ", found " + Describe(token));
    }
    return true;
}

bool XObjectReader::ReadDword(DWORD& value, const XWhat& what)
{
    XToken token;
    if (!TakeNumber(token, what)) {
        return false;
    }
    const double number = token.number;
    if (number < 0.0 || number > 4294967295.0 || number != std::floor(number)) {
        return Fail("expected a whole number from 0 to 4294967295 for " + what.Text());
    }
    value = static_cast<DWORD>(number);
    return true;
}

bool XObjectReader::ReadFloat(float& value, const XWhat& what)
{
    XToken token;
    if (!TakeNumber(token, what)) {
        return false;
    }
    // Numbers up to halfway between FLT_MAX and 2^128 round to a finite float: the shortest
    // digits of FLT_MAX itself ("3.4028235e+38", as our writer puts it) lie just above it.
    constexpr double kFirstOverflowingMagnitude = 0x1.ffffffp+127;
    if (!(std::fabs(token.number) < kFirstOverflowingMagnitude)) {
        return Fail(what.Text() + " is " + Spelling(token) + ", out of the range of a float");
    }
    value = static_cast<float>(std::clamp(token.number, -double{FLT_MAX}, double{FLT_MAX}));
    return true;
}

// Every number takes at least one byte, so a count whose items cannot fit in what is left of
// the input is refused before anything is allocated for it.
bool XObjectReader::ReadCount(DWORD& count, size_t numbersPerItem, const XWhat& what)
{
    if (!ReadDword(count, what)) {
        return false;
    }
    if (count > m_tokens.RemainingBytes() / numbersPerItem) {
        return Fail(what.Text() + " " + std::to_string(count) + " exceeds what is left of the file");
    }
    return true;
}

bool XObjectReader::ReadVectors(std::vector<D3DXVECTOR3>& vectors, const char* item)
{
    const std::string countName = "the " + std::string(item) + " count";
    DWORD count = 0;
    if (!ReadCount(count, 3, countName.c_str())) {
        return false;
    }
    vectors.resize(count);
    for (size_t i = 0; i < vectors.size(); ++i) {
        D3DXVECTOR3& v = vectors[i];
        if (!ReadFloat(v.x, {item, i, "x coordinate"}) || !ReadFloat(v.y, {item, i, "y coordinate"}) ||
            !ReadFloat(v.z, {item, i, "z coordinate"})) {
            return false;
        }
    }
    return true;
}

bool XObjectReader::ReadFaces(std::vector<std::vector<DWORD>>& faces, size_t indexLimit, const char* item,
                              const char* indexed)
{
    const std::string countName = "the " + std::string(item) + " count";
    DWORD count = 0;
    if (!ReadCount(count, 4, countName.c_str())) {
        return false;
    }
    faces.resize(count);
    for (size_t f = 0; f < faces.size(); ++f) {
        DWORD corners = 0;
        if (!ReadCount(corners, 1, {item, f, "index count"})) {
            return false;
        }
        if (corners < 3) {
            return Fail(std::string(item) + " " + std::to_string(f) + " has " + std::to_string(corners) +
                        " indices; a face needs at least 3");
        }
        faces[f].resize(corners);
        for (DWORD& index : faces[f]) {
            if (!ReadDword(index, {item, f, "index"})) {
                return false;
            }
            if (index >= indexLimit) {
                return Fail(std::string(item) + " " + std::to_string(f) + " uses index " + std::to_string(index) +
                            " of only " + std::to_string(indexLimit) + " " + indexed);
            }
        }
    }
    return true;
}

bool XObjectReader::ReadString(std::string& value, const XWhat& what)
{
    const XToken token = Take();
    if (token.kind == XTokenKind::Error) {
        return Fail(token.text);
    }
    if (token.kind != XTokenKind::String) {
        return Fail("expected a string for " + what.Text() + ", found " + Describe(token));
    }
    value = token.text;
    return true;
}

// After the type name: an optional object name, the opening brace and an optional GUID.
bool XObjectReader::ParseObjectStart(std::string& name, std::string& guid)
{
    XToken token = Take();
    if (token.kind == XTokenKind::Name) {
        name = token.text;
        token = Take();
    }
    if (token.kind == XTokenKind::Error) {
        return Fail(token.text);
    }
    if (token.kind != XTokenKind::OpenBrace) {
        return Fail("expected '{', found " + Describe(token));
    }
    if (!Enter()) {
        return false;
    }
    if (Peek().kind == XTokenKind::Guid) {
        guid = Take().text;
    }
    return true;
}

bool XObjectReader::Enter()
{
    if (m_depth >= kMaxNesting) {
        return Fail("objects nested more than " + std::to_string(kMaxNesting) + " deep");
    }
    ++m_depth;
    return true;
}

// Skips an object whose opening brace has been read, nested objects included.
bool XObjectReader::SkipToClose(const std::string& type)
{
    for (const size_t outside = m_depth - 1; m_depth > outside;) {
        const XToken token = Take();
        switch (token.kind) {
        case XTokenKind::End:
            return Fail("unexpected end of file inside '" + type + "'");
        case XTokenKind::Error:
            return Fail(token.text);
        case XTokenKind::OpenBrace:
            if (!Enter()) {
                return false;
            }
            break;
        case XTokenKind::CloseBrace:
            Leave();
            break;
        default:
            break;
        }
    }
    return true;
}

// A reference whose opening brace has been read: { name }, { <GUID> } or { name <GUID> }.
bool XObjectReader::ParseReference(std::string& name, std::string& guid)
{
    XToken token = Take();
    if (token.kind == XTokenKind::Name) {
        name = token.text;
        token = Take();
    }
    if (token.kind == XTokenKind::Guid) {
        guid = token.text;
        token = Take();
    }
    if (token.kind == XTokenKind::Error) {
        return Fail(token.text);
    }
    if (token.kind != XTokenKind::CloseBrace || (name.empty() && guid.empty())) {
        return Fail("malformed reference before " + Describe(token));
    }
    Leave();
    return true;
}

// The rest of an object whose own data has been read: nested objects are skipped.
bool XObjectReader::FinishObject(const std::string& owner)
{
    return ParseMembers(
        owner, [this](const std::string& type, const std::string&, const std::string&) { return SkipToClose(type); });
}
