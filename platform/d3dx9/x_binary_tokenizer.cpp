#include "platform/d3dx9/x_binary_tokenizer.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

enum Token : std::uint16_t {
    kName = 1,
    kString = 2,
    kInteger = 3,
    kGuid = 5,
    kIntegerList = 6,
    kFloatList = 7,
    kOpenBrace = 10,
    kCloseBrace = 11,
    kComma = 19,
    kSemicolon = 20,
    kTemplate = 31,
};

// Punctuation and type keywords that occur only inside templates.
bool IsTemplateSyntax(std::uint16_t id) { return (id >= 12 && id <= 18) || (id >= 40 && id <= 52); }

} // namespace

XToken XBinaryTokenizer::Fail(const std::string& message) const { return XToken{XTokenKind::Error, message}; }

std::string XBinaryTokenizer::Where() const { return "byte " + std::to_string(16 + m_tokenStart); }

bool XBinaryTokenizer::Read(void* out, size_t size)
{
    if (size > m_bytes.size() - m_position) {
        return false;
    }
    std::memcpy(out, m_bytes.data() + m_position, size);
    m_position += size;
    return true;
}

bool XBinaryTokenizer::ReadWord(std::uint16_t& value)
{
    unsigned char b[2];
    if (!Read(b, 2)) {
        return false;
    }
    value = static_cast<std::uint16_t>(b[0] | (b[1] << 8));
    return true;
}

bool XBinaryTokenizer::ReadDword(std::uint32_t& value)
{
    unsigned char b[4];
    if (!Read(b, 4)) {
        return false;
    }
    value = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    return true;
}

// Separators and list headers are consumed in the loop, not by calling Next again: a file of
// many empty lists must not take stack in proportion to their number.
XToken XBinaryTokenizer::Next()
{
    for (;;) {
        if (m_listLeft > 0) {
            return NextListNumber();
        }
        m_tokenStart = m_position;
        if (m_position == m_bytes.size()) {
            return XToken{XTokenKind::End, ""};
        }
        std::uint16_t id = 0;
        if (!ReadWord(id)) {
            return Fail("truncated token");
        }
        switch (id) {
        case kName:
            return ReadText(XTokenKind::Name);
        case kString:
            return ReadText(XTokenKind::String);
        case kInteger: {
            std::uint32_t value = 0;
            return ReadDword(value) ? XToken{XTokenKind::Number, std::to_string(value), static_cast<double>(value)}
                                    : Fail("truncated integer");
        }
        case kGuid:
            return ReadGuid();
        case kIntegerList:
        case kFloatList:
            if (!StartList(id == kIntegerList ? ListKind::Integers : ListKind::Floats)) {
                return Fail("truncated number list");
            }
            continue;
        case kOpenBrace:
            return XToken{XTokenKind::OpenBrace, "{"};
        case kCloseBrace:
            return XToken{XTokenKind::CloseBrace, "}"};
        case kTemplate:
            return XToken{XTokenKind::Name, "template"};
        case kComma:
        case kSemicolon:
            continue;
        default:
            if (IsTemplateSyntax(id)) {
                return XToken{XTokenKind::Other, "token " + std::to_string(id)};
            }
            return Fail("unknown binary token " + std::to_string(id));
        }
    }
}

bool XBinaryTokenizer::StartList(ListKind kind)
{
    std::uint32_t count = 0;
    if (!ReadDword(count)) {
        return false;
    }
    m_list = kind;
    m_listLeft = count;
    return true;
}

XToken XBinaryTokenizer::NextListNumber()
{
    m_tokenStart = m_position;
    --m_listLeft;
    XToken token{XTokenKind::Number, ""};
    if (m_list == ListKind::Integers) {
        std::uint32_t value = 0;
        if (!ReadDword(value)) {
            return Fail("truncated integer list");
        }
        token.number = value;
    } else if (m_floatBytes == 8) {
        double value = 0.0;
        if (!Read(&value, sizeof value)) {
            return Fail("truncated float list");
        }
        token.number = value;
    } else {
        float value = 0.0f;
        if (!Read(&value, sizeof value)) {
            return Fail("truncated float list");
        }
        token.number = value;
    }
    // Undefined values (NaN) read as 0, as their text spellings do.
    token.number = std::isnan(token.number) ? 0.0 : token.number;
    return token;
}

// Names and strings: a 32-bit length and the bytes; a string ends with a ';' or ',' token.
XToken XBinaryTokenizer::ReadText(XTokenKind kind)
{
    std::uint32_t length = 0;
    if (!ReadDword(length) || length > m_bytes.size() - m_position) {
        return Fail("truncated name or string");
    }
    XToken token{kind, std::string(m_bytes.data() + m_position, length)};
    m_position += length;
    std::uint16_t terminator = 0;
    if (kind == XTokenKind::String && !ReadWord(terminator)) {
        return Fail("truncated string");
    }
    return token;
}

XToken XBinaryTokenizer::ReadGuid()
{
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    unsigned char data4[8];
    if (!ReadDword(data1) || !ReadWord(data2) || !ReadWord(data3) || !Read(data4, sizeof data4)) {
        return Fail("truncated GUID");
    }
    char text[40];
    std::snprintf(text, sizeof text, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", data1, data2, data3, data4[0],
                  data4[1], data4[2], data4[3], data4[4], data4[5], data4[6], data4[7]);
    return XToken{XTokenKind::Guid, text};
}
