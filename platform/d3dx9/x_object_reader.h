// Reads the pieces X file objects are made of from a token stream: numbers, counts checked
// against the input left, vectors, faces, strings, object starts, references and member lists.
#pragma once

#include "platform/d3dx9/d3dx9.h"
#include "platform/d3dx9/x_tokens.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Case-insensitive comparison of template, object and reference names.
bool SameName(std::string_view a, std::string_view b);

// Every read reports failure by returning false; the first failure's message, prefixed with
// its place in the file, is kept.
class XObjectReader {
public:
    explicit XObjectReader(XTokenSource& tokens) : m_tokens(tokens) {}

    const std::string& Error() const { return m_error; }
    std::string Where() const { return m_tokens.Where(); }
    bool Fail(const std::string& message);
    bool FailAt(const std::string& where, const std::string& message);

    const XToken& Peek();
    XToken Take();
    bool ReadNumber(double& value, const char* what);
    bool ReadDword(DWORD& value, const char* what);
    bool ReadFloat(float& value, const char* what);
    bool ReadCount(DWORD& count, size_t numbersPerItem, const char* what);
    bool ReadVectors(std::vector<D3DXVECTOR3>& vectors, const char* what);
    bool ReadFaces(std::vector<std::vector<DWORD>>& faces, size_t indexLimit, const char* what);
    bool ReadString(std::string& value, const char* what);

    bool ParseObjectStart(std::string& name, std::string& guid);
    bool SkipToClose(const std::string& type);
    bool ParseReference(std::string& name, std::string& guid);
    template <typename OnObject, typename OnReference>
    bool ParseMembers(const std::string& owner, OnObject onObject, OnReference onReference);
    // The same, with references ignored.
    template <typename OnObject> bool ParseMembers(const std::string& owner, OnObject onObject)
    {
        return ParseMembers(owner, onObject, [](const std::string&, const std::string&) { return true; });
    }
    bool FinishObject(const std::string& owner);

    static std::string Describe(const XToken& token);

private:
    XTokenSource& m_tokens;
    std::optional<XToken> m_peeked;
    std::string m_error;
};

// Reads the members left in an object up to its closing brace: nested objects (after their
// opening brace) go to onObject, which must read up to and including their closing brace;
// references go to onReference. Data where members are expected is an error.
template <typename OnObject, typename OnReference>
bool XObjectReader::ParseMembers(const std::string& owner, OnObject onObject, OnReference onReference)
{
    for (;;) {
        const XToken token = Take();
        std::string name;
        std::string guid;
        switch (token.kind) {
        case XTokenKind::CloseBrace:
            return true;
        case XTokenKind::End:
            return Fail("unexpected end of file inside '" + owner + "'");
        case XTokenKind::Error:
            return Fail(token.text);
        case XTokenKind::OpenBrace:
            if (!ParseReference(name, guid) || !onReference(name, guid)) {
                return false;
            }
            break;
        case XTokenKind::Name:
            if (!ParseObjectStart(name, guid) || !onObject(token.text, name, guid)) {
                return false;
            }
            break;
        default:
            return Fail("unexpected " + Describe(token) + " in '" + owner + "'");
        }
    }
}
