// Tokens of the binary X file format, after the 16-byte header. Little-endian; every token
// starts with a 16-bit id. Number lists are handed out one number at a time, so the parser
// reads them as a stream whatever the list boundaries are.
#pragma once

#include "platform/d3dx9/x_tokens.h"

#include <cstdint>
#include <span>

class XBinaryTokenizer final : public XTokenSource {
public:
    XBinaryTokenizer(std::span<const char> bytes, unsigned floatBytes) : m_bytes(bytes), m_floatBytes(floatBytes) {}

    XToken Next() override;
    std::string Where() const override;
    size_t RemainingBytes() const override { return m_bytes.size() - m_position; }

private:
    enum class ListKind { None, Integers, Floats };

    bool Read(void* out, size_t size);
    bool ReadWord(std::uint16_t& value);
    bool ReadDword(std::uint32_t& value);
    XToken NextListNumber();
    XToken ReadText(XTokenKind kind);
    XToken ReadGuid();
    bool StartList(ListKind kind);
    XToken Fail(const std::string& message) const;

    std::span<const char> m_bytes;
    unsigned m_floatBytes;
    size_t m_position = 0;
    size_t m_tokenStart = 0;
    ListKind m_list = ListKind::None;
    std::uint32_t m_listLeft = 0;
};
