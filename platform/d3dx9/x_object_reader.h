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

// Names the value being read, for messages: a whole phrase ("the vertex count"), a numbered
// item ("frame transform element 5") or a numbered item's part ("vertex 3's x coordinate").
// The text is made only when a message needs it, so naming every number of a large mesh costs
// nothing.
class XWhat {
public:
    XWhat(const char* phrase) : m_item(phrase) {}
    XWhat(const char* item, size_t index, const char* part = nullptr) : m_item(item), m_index(index), m_part(part) {}

    std::string Text() const;

private:
    const char* m_item;
    std::optional<size_t> m_index;
    const char* m_part = nullptr;
};

// Every read reports failure by returning false; the first failure's message, prefixed with
// its place in the file, is kept. Objects (and references) may nest at most kMaxNesting deep,
// counting every brace: deeper files are refused, so that the parser, which follows frames by
// recursion, never takes more stack than that depth allows.
class XObjectReader {
public:
    static constexpr size_t kMaxNesting = 128;

    explicit XObjectReader(XTokenSource& tokens) : m_tokens(tokens) {}

    const std::string& Error() const { return m_error; }
    std::string Where() const { return m_tokens.Where(); }
    bool Fail(const std::string& message);
    bool FailAt(const std::string& where, const std::string& message);

    const XToken& Peek();
    XToken Take();
    bool ReadDword(DWORD& value, const XWhat& what);
    bool ReadFloat(float& value, const XWhat& what);
    bool ReadCount(DWORD& count, size_t numbersPerItem, const XWhat& what);
    // A count, then that many vectors of three floats; item names one ("vertex", "normal").
    bool ReadVectors(std::vector<D3DXVECTOR3>& vectors, const char* item);
    // A count, then that many faces of at least three indices, each below indexLimit; item names
    // one face ("face", "normal face"), indexed what the indices refer to ("vertices").
    bool ReadFaces(std::vector<std::vector<DWORD>>& faces, size_t indexLimit, const char* item, const char* indexed);
    bool ReadString(std::string& value, const XWhat& what);

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
    bool TakeNumber(XToken& token, const XWhat& what);
    // One level deeper for an opening brace just read; fails beyond kMaxNesting.
    bool Enter();
    void Leave() { --m_depth; }

    XTokenSource& m_tokens;
    std::optional<XToken> m_peeked;
    std::string m_error;
    size_t m_depth = 0;
};

// Reads the members left in an object up to its closing brace: nested objects (after their
// opening brace) go to onObject, which must read up to and including their closing brace;
// references (read whole) go to onReference. Data where members are expected is an error.
template <typename OnObject, typename OnReference>
bool XObjectReader::ParseMembers(const std::string& owner, OnObject onObject, OnReference onReference)
{
    for (;;) {
        const XToken token = Take();
        std::string name;
        std::string guid;
        switch (token.kind) {
        case XTokenKind::CloseBrace:
            Leave();
            return true;
        case XTokenKind::End:
            return Fail("unexpected end of file inside '" + owner + "'");
        case XTokenKind::Error:
            return Fail(token.text);
        case XTokenKind::OpenBrace:
            if (!Enter() || !ParseReference(name, guid) || !onReference(name, guid)) {
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
