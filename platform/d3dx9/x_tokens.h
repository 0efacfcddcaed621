// The token stream the X file parser reads, fed by the text or the binary tokenizer.
#pragma once

#include <cstddef>
#include <string>

// Separators (',' and ';') carry no meaning once counts drive the parse, so tokenizers drop
// them; so are the type keywords of templates, which are skipped whole.
enum class XTokenKind {
    End,
    Name,
    String,
    Number,
    Guid,
    OpenBrace,
    CloseBrace,
    Other, // brackets and other template syntax
    Error,
};

struct XToken {
    XTokenKind kind = XTokenKind::End;
    std::string text;    // name, string contents, GUID text, or the error message
    double number = 0.0; // value of a Number
};

class XTokenSource {
public:
    virtual ~XTokenSource() = default;
    virtual XToken Next() = 0;
    // Where the last token returned came from, for messages ("line 12").
    virtual std::string Where() const = 0;
    // Bytes not yet consumed: no remaining number can take less than one byte.
    virtual size_t RemainingBytes() const = 0;
};
