// Tokens of the text X file format, after the 16-byte header.
#pragma once

#include "platform/d3dx9/x_tokens.h"

#include <string_view>

class XTextTokenizer final : public XTokenSource {
public:
    explicit XTextTokenizer(std::string_view text) : m_text(text) {}

    XToken Next() override;
    std::string Where() const override;
    size_t RemainingBytes() const override { return m_text.size() - m_position; }

private:
    void SkipBlanksAndComments();
    XToken ReadNumber();
    XToken ReadEllipsis();
    XToken ReadName();
    XToken ReadString();
    XToken ReadGuid();
    XToken Fail(const std::string& message) const;
    bool At(char c, size_t ahead = 0) const;

    std::string_view m_text;
    size_t m_position = 0;
    int m_line = 1;
    int m_tokenLine = 1;
};
