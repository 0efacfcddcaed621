#include "platform/d3dx9/x_object_reader.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>

bool SameName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
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

bool XObjectReader::ReadNumber(double& value, const char* what)
{
    const XToken token = Take();
    if (token.kind == XTokenKind::Error) {
        return Fail(token.text);
    }
    if (token.kind != XTokenKind::Number) {
        return Fail(std::string("expected a number for the ") + what + ", found " + Describe(token));
    }
    value = token.number;
    return true;
}

bool XObjectReader::ReadDword(DWORD& value, const char* what)
{
    double number = 0.0;
    if (!ReadNumber(number, what)) {
        return false;
    }
    if (number < 0.0 || number > 4294967295.0 || number != std::floor(number)) {
        return Fail(std::string("expected a whole number from 0 to 4294967295 for the ") + what);
    }
    value = static_cast<DWORD>(number);
    return true;
}

bool XObjectReader::ReadFloat(float& value, const char* what)
{
    double number = 0.0;
    if (!ReadNumber(number, what)) {
        return false;
    }
    // Numbers up to halfway between FLT_MAX and 2^128 round to a finite float: the shortest
    // digits of FLT_MAX itself ("3.4028235e+38", as our writer puts it) lie just above it.
    constexpr double kFirstOverflowingMagnitude = 0x1.ffffffp+127;
    if (!(std::fabs(number) < kFirstOverflowingMagnitude)) {
        return Fail(std::string("the ") + what + " is out of the range of a float");
    }
    value = static_cast<float>(std::clamp(number, -double{FLT_MAX}, double{FLT_MAX}));
    return true;
}

// Every number takes at least one byte, so a count whose items cannot fit in what is left of
// the input is refused before anything is allocated for it.
bool XObjectReader::ReadCount(DWORD& count, size_t numbersPerItem, const char* what)
{
    if (!ReadDword(count, what)) {
        return false;
    }
    if (count > m_tokens.RemainingBytes() / numbersPerItem) {
        return Fail("the " + std::string(what) + " " + std::to_string(count) + " exceeds what is left of the file");
    }
    return true;
}

bool XObjectReader::ReadVectors(std::vector<D3DXVECTOR3>& vectors, const char* what)
{
    DWORD count = 0;
    if (!ReadCount(count, 3, what)) {
        return false;
    }
    vectors.resize(count);
    for (D3DXVECTOR3& v : vectors) {
        if (!ReadFloat(v.x, what) || !ReadFloat(v.y, what) || !ReadFloat(v.z, what)) {
            return false;
        }
    }
    return true;
}

// Faces of at least three indices, each below indexLimit.
bool XObjectReader::ReadFaces(std::vector<std::vector<DWORD>>& faces, size_t indexLimit, const char* what)
{
    DWORD count = 0;
    if (!ReadCount(count, 4, what)) {
        return false;
    }
    faces.resize(count);
    for (size_t f = 0; f < faces.size(); ++f) {
        DWORD corners = 0;
        if (!ReadCount(corners, 1, "face index count")) {
            return false;
        }
        if (corners < 3) {
            return Fail("face " + std::to_string(f) + " has " + std::to_string(corners) +
                        " indices; a face needs at least 3");
        }
        faces[f].resize(corners);
        for (DWORD& index : faces[f]) {
            if (!ReadDword(index, "face index")) {
                return false;
            }
            if (index >= indexLimit) {
                return Fail("face " + std::to_string(f) + " uses index " + std::to_string(index) + " of only " +
                            std::to_string(indexLimit) + " " + what);
            }
        }
    }
    return true;
}

bool XObjectReader::ReadString(std::string& value, const char* what)
{
    const XToken token = Take();
    if (token.kind == XTokenKind::Error) {
        return Fail(token.text);
    }
    if (token.kind != XTokenKind::String) {
        return Fail(std::string("expected a string for the ") + what + ", found " + Describe(token));
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
    if (Peek().kind == XTokenKind::Guid) {
        guid = Take().text;
    }
    return true;
}

// Skips an object whose opening brace has been read, nested objects included.
bool XObjectReader::SkipToClose(const std::string& type)
{
    for (size_t depth = 1; depth > 0;) {
        const XToken token = Take();
        switch (token.kind) {
        case XTokenKind::End:
            return Fail("unexpected end of file inside '" + type + "'");
        case XTokenKind::Error:
            return Fail(token.text);
        case XTokenKind::OpenBrace:
            ++depth;
            break;
        case XTokenKind::CloseBrace:
            --depth;
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
    return true;
}

// The rest of an object whose own data has been read: nested objects are skipped.
bool XObjectReader::FinishObject(const std::string& owner)
{
    return ParseMembers(
        owner, [this](const std::string& type, const std::string&, const std::string&) { return SkipToClose(type); });
}
