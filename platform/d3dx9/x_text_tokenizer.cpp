#include "platform/d3dx9/x_text_tokenizer.h"

#include <cctype>
#include <charconv>

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool IsNameStart(char c) { return IsLetter(c) || c == '_'; }
bool IsNamePart(char c) { return IsNameStart(c) || IsDigit(c) || c == '-' || c == '.'; }

} // namespace

bool XTextTokenizer::At(char c, size_t ahead) const
{
    return m_position + ahead < m_text.size() && m_text[m_position + ahead] == c;
}

XToken XTextTokenizer::Fail(const std::string& message) const { return XToken{XTokenKind::Error, message}; }

std::string XTextTokenizer::Where() const { return "line " + std::to_string(m_tokenLine); }

void XTextTokenizer::SkipBlanksAndComments()
{
    while (m_position < m_text.size()) {
        const char c = m_text[m_position];
        if (c == '#' || (c == '/' && At('/', 1))) {
            while (m_position < m_text.size() && m_text[m_position] != '\n') {
                ++m_position;
            }
        } else if (c == '\n') {
            ++m_line;
            ++m_position;
        } else if (std::isspace(static_cast<unsigned char>(c)) != 0 || c == ',' || c == ';') {
            ++m_position;
        } else {
            return;
        }
    }
}

XToken XTextTokenizer::Next()
{
    SkipBlanksAndComments();
    m_tokenLine = m_line;
    if (m_position >= m_text.size()) {
        return XToken{XTokenKind::End, ""};
    }
    const char c = m_text[m_position];
    if (c == '.' && At('.', 1)) {
        return ReadEllipsis();
    }
    if (IsDigit(c) || c == '-' || c == '+' || c == '.') {
        return ReadNumber();
    }
    if (IsNameStart(c)) {
        return ReadName();
    }
    switch (c) {
    case '"':
        return ReadString();
    case '<':
        return ReadGuid();
    case '{':
        ++m_position;
        return XToken{XTokenKind::OpenBrace, "{"};
    case '}':
        ++m_position;
        return XToken{XTokenKind::CloseBrace, "}"};
    case '[':
    case ']':
        ++m_position;
        return XToken{XTokenKind::Other, std::string(1, c)};
    default:
        return Fail("unexpected character '" + std::string(1, c) + "'");
    }
}

// Integers and floats with optional exponent. Exporters write undefined values as "-1.#IND00",
// "1.#QNAN0" or "1.#INF00"; those read as 0.
XToken XTextTokenizer::ReadNumber()
{
    const size_t start = m_position;
    if (At('-') || At('+')) {
        ++m_position;
    }
    const size_t digitsStart = m_position;
    bool sawDigit = false;
    bool sawPoint = false;
    while (m_position < m_text.size() && (IsDigit(m_text[m_position]) || (!sawPoint && At('.')))) {
        sawPoint = sawPoint || At('.');
        sawDigit = sawDigit || IsDigit(m_text[m_position]);
        ++m_position;
    }
    if (!sawDigit) {
        return Fail("malformed number '" + std::string(m_text.substr(start, m_position - start + 1)) + "'");
    }
    if (sawPoint && At('#') && m_position + 1 < m_text.size() && IsLetter(m_text[m_position + 1])) {
        ++m_position;
        while (m_position < m_text.size() && (IsLetter(m_text[m_position]) || IsDigit(m_text[m_position]))) {
            ++m_position;
        }
        return XToken{XTokenKind::Number, std::string(m_text.substr(start, m_position - start)), 0.0};
    }
    const size_t exponentDigit = m_position + ((At('-', 1) || At('+', 1)) ? 2 : 1);
    const bool hasExponent = (At('e') || At('E')) && exponentDigit < m_text.size() && IsDigit(m_text[exponentDigit]);
    if (hasExponent) {
        m_position = exponentDigit;
        while (m_position < m_text.size() && IsDigit(m_text[m_position])) {
            ++m_position;
        }
    }
    XToken token{XTokenKind::Number, std::string(m_text.substr(start, m_position - start))};
    const char* first = m_text.data() + digitsStart;
    const char* last = m_text.data() + m_position;
    const auto [end, error] = std::from_chars(first, last, token.number);
    if (error != std::errc() || end != last) {
        return Fail("number out of range '" + token.text + "'");
    }
    token.number = m_text[start] == '-' ? -token.number : token.number;
    return token;
}

// "[...]" marks a template open to any member type.
XToken XTextTokenizer::ReadEllipsis()
{
    const size_t start = m_position;
    while (At('.')) {
        ++m_position;
    }
    return XToken{XTokenKind::Other, std::string(m_text.substr(start, m_position - start))};
}

XToken XTextTokenizer::ReadName()
{
    const size_t start = m_position;
    while (m_position < m_text.size() && IsNamePart(m_text[m_position])) {
        ++m_position;
    }
    return XToken{XTokenKind::Name, std::string(m_text.substr(start, m_position - start))};
}

// Backslashes may be doubled, and a quote inside the string is written as \".
XToken XTextTokenizer::ReadString()
{
    ++m_position;
    std::string value;
    while (m_position < m_text.size() && m_text[m_position] != '"') {
        const char c = m_text[m_position];
        if (c == '\\' && (At('\\', 1) || At('"', 1))) {
            ++m_position;
        }
        m_line += m_text[m_position] == '\n' ? 1 : 0;
        value += m_text[m_position];
        ++m_position;
    }
    if (m_position >= m_text.size()) {
        return Fail("unterminated string");
    }
    ++m_position;
    return XToken{XTokenKind::String, value};
}

XToken XTextTokenizer::ReadGuid()
{
    const size_t start = ++m_position;
    while (m_position < m_text.size() && m_text[m_position] != '>' && m_text[m_position] != '\n') {
        ++m_position;
    }
    if (!At('>')) {
        return Fail("unterminated GUID");
    }
    return XToken{XTokenKind::Guid, std::string(m_text.substr(start, m_position++ - start))};
}
