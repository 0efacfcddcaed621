#include "platform/d3dx9/x_file_parser.h"

#include "platform/d3dx9/x_binary_tokenizer.h"
#include "platform/d3dx9/x_file_header.h"
#include "platform/d3dx9/x_text_tokenizer.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <memory>
#include <optional>
#include <string_view>

namespace {

// Frames nest by recursion; deeper nesting than any real scene is refused rather than
// risking the stack on hostile input.
constexpr int kMaxFrameDepth = 64;

bool SameName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::string Describe(const XToken& token)
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

struct NamedMaterial {
    std::string name;
    std::string guid;
    MeshMaterial material;
};

// A material given as { name } or { <GUID> } inside a material list, resolved after parsing
// because the named material may come later in the file.
struct MaterialReference {
    size_t mesh = 0;
    size_t slot = 0;
    std::string name;
    std::string guid;
    std::string where;
};

class XFileParser {
public:
    XFileParser(XTokenSource& tokens, XFileContent& content) : m_tokens(tokens), m_content(content) {}

    bool Parse();
    const std::string& Error() const { return m_error; }

private:
    using ObjectHandler = bool (XFileParser::*)(const std::string& type, const std::string& name,
                                                const std::string& guid);

    const XToken& Peek();
    XToken Take();
    bool Fail(const std::string& message);
    bool FailAt(const std::string& where, const std::string& message);
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
    bool FinishObject(const std::string& owner);

    bool ParseTemplate();
    bool ParseSceneObject(const std::string& type, const std::string& name, const std::string& guid, int frame,
                          int depth);
    bool ParseFrame(const std::string& name, int parent, int depth);
    bool ParseFrameTransform(size_t frame);
    bool ParseMesh(const std::string& name, int frame);
    bool ParseMeshNormals(XMesh& mesh);
    bool ParseTextureCoords(XMesh& mesh);
    bool ParseVertexColors(XMesh& mesh);
    bool ParseMaterialList(XMesh& mesh);
    bool ParseMaterial(MeshMaterial& material);
    bool ParseNamedMaterial(const std::string& name, const std::string& guid, MeshMaterial* copy);
    bool ResolveReferences();

    XTokenSource& m_tokens;
    XFileContent& m_content;
    std::optional<XToken> m_peeked;
    std::string m_error;
    std::vector<NamedMaterial> m_namedMaterials;
    std::vector<MaterialReference> m_references;
};

const XToken& XFileParser::Peek()
{
    if (!m_peeked) {
        m_peeked = m_tokens.Next();
    }
    return *m_peeked;
}

XToken XFileParser::Take()
{
    Peek();
    XToken token = std::move(*m_peeked);
    m_peeked.reset();
    return token;
}

bool XFileParser::FailAt(const std::string& where, const std::string& message)
{
    if (m_error.empty()) {
        m_error = where + ": " + message;
    }
    return false;
}

bool XFileParser::Fail(const std::string& message) { return FailAt(m_tokens.Where(), message); }

bool XFileParser::ReadNumber(double& value, const char* what)
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

bool XFileParser::ReadDword(DWORD& value, const char* what)
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

bool XFileParser::ReadFloat(float& value, const char* what)
{
    double number = 0.0;
    if (!ReadNumber(number, what)) {
        return false;
    }
    if (std::fabs(number) > FLT_MAX) {
        return Fail(std::string("the ") + what + " is out of the range of a float");
    }
    value = static_cast<float>(number);
    return true;
}

// Every number takes at least one byte, so a count whose items cannot fit in what is left of
// the input is refused before anything is allocated for it.
bool XFileParser::ReadCount(DWORD& count, size_t numbersPerItem, const char* what)
{
    if (!ReadDword(count, what)) {
        return false;
    }
    if (count > m_tokens.RemainingBytes() / numbersPerItem) {
        return Fail("the " + std::string(what) + " " + std::to_string(count) + " exceeds what is left of the file");
    }
    return true;
}

bool XFileParser::ReadVectors(std::vector<D3DXVECTOR3>& vectors, const char* what)
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
bool XFileParser::ReadFaces(std::vector<std::vector<DWORD>>& faces, size_t indexLimit, const char* what)
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

bool XFileParser::ReadString(std::string& value, const char* what)
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
bool XFileParser::ParseObjectStart(std::string& name, std::string& guid)
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
bool XFileParser::SkipToClose(const std::string& type)
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
bool XFileParser::ParseReference(std::string& name, std::string& guid)
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

// Reads the members left in an object up to its closing brace: nested objects (after their
// opening brace) go to onObject, which must read up to and including their closing brace;
// references go to onReference. Data where members are expected is an error.
template <typename OnObject, typename OnReference>
bool XFileParser::ParseMembers(const std::string& owner, OnObject onObject, OnReference onReference)
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

// The rest of an object whose own data has been read: nested objects are skipped.
bool XFileParser::FinishObject(const std::string& owner)
{
    return ParseMembers(
        owner, [this](const std::string& type, const std::string&, const std::string&) { return SkipToClose(type); },
        [](const std::string&, const std::string&) { return true; });
}

bool XFileParser::Parse()
{
    for (;;) {
        const XToken token = Take();
        std::string name;
        std::string guid;
        switch (token.kind) {
        case XTokenKind::End:
            return ResolveReferences();
        case XTokenKind::Error:
            return Fail(token.text);
        case XTokenKind::Name:
            if (SameName(token.text, "template")) {
                if (!ParseTemplate()) {
                    return false;
                }
            } else if (!ParseObjectStart(name, guid) || !ParseSceneObject(token.text, name, guid, -1, 0)) {
                return false;
            }
            break;
        default:
            return Fail("unexpected " + Describe(token) + " at the top level");
        }
    }
}

// template Name { <GUID> members [restrictions] }: nothing in it is needed.
bool XFileParser::ParseTemplate()
{
    std::string name;
    std::string guid;
    return ParseObjectStart(name, guid) && SkipToClose("template " + name);
}

bool XFileParser::ParseSceneObject(const std::string& type, const std::string& name, const std::string& guid,
                                   int frame, int depth)
{
    if (SameName(type, "Frame")) {
        return ParseFrame(name, frame, depth + 1);
    }
    if (SameName(type, "Mesh")) {
        return ParseMesh(name, frame);
    }
    if (SameName(type, "Material")) {
        return ParseNamedMaterial(name, guid, nullptr);
    }
    return SkipToClose(type);
}

bool XFileParser::ParseFrame(const std::string& name, int parent, int depth)
{
    if (depth > kMaxFrameDepth) {
        return Fail("frames nested more than " + std::to_string(kMaxFrameDepth) + " deep");
    }
    const size_t index = m_content.frames.size();
    XFrame frame;
    frame.name = name;
    frame.parent = parent;
    D3DXMatrixIdentity(&frame.transform);
    m_content.frames.push_back(frame);
    return ParseMembers(
        "Frame",
        [&](const std::string& type, const std::string& childName, const std::string& childGuid) {
            if (SameName(type, "FrameTransformMatrix")) {
                return ParseFrameTransform(index);
            }
            return ParseSceneObject(type, childName, childGuid, static_cast<int>(index), depth);
        },
        [](const std::string&, const std::string&) { return true; });
}

bool XFileParser::ParseFrameTransform(size_t frame)
{
    D3DXMATRIX matrix;
    for (UINT i = 0; i < 16; ++i) {
        if (!ReadFloat(matrix(i / 4, i % 4), "frame transform")) {
            return false;
        }
    }
    m_content.frames[frame].transform = matrix;
    return FinishObject("FrameTransformMatrix");
}

bool XFileParser::ParseMesh(const std::string& name, int frame)
{
    XMesh mesh;
    mesh.name = name;
    mesh.frame = frame;
    if (!ReadVectors(mesh.positions, "vertex count") || !ReadFaces(mesh.faces, mesh.positions.size(), "vertices")) {
        return false;
    }
    const bool ok = ParseMembers(
        "Mesh",
        [&](const std::string& type, const std::string&, const std::string&) {
            if (SameName(type, "MeshNormals")) {
                return ParseMeshNormals(mesh);
            }
            if (SameName(type, "MeshTextureCoords")) {
                return ParseTextureCoords(mesh);
            }
            if (SameName(type, "MeshVertexColors")) {
                return ParseVertexColors(mesh);
            }
            if (SameName(type, "MeshMaterialList")) {
                return ParseMaterialList(mesh);
            }
            return SkipToClose(type);
        },
        [](const std::string&, const std::string&) { return true; });
    if (ok) {
        m_content.meshes.push_back(std::move(mesh));
    }
    return ok;
}

// Normals per face corner: the normal faces run parallel to the mesh faces.
bool XFileParser::ParseMeshNormals(XMesh& mesh)
{
    if (!ReadVectors(mesh.normals, "normal count") || !ReadFaces(mesh.normalFaces, mesh.normals.size(), "normals")) {
        return false;
    }
    if (mesh.normalFaces.size() != mesh.faces.size()) {
        return Fail("MeshNormals has " + std::to_string(mesh.normalFaces.size()) + " faces for " +
                    std::to_string(mesh.faces.size()) + " mesh faces");
    }
    for (size_t f = 0; f < mesh.faces.size(); ++f) {
        if (mesh.normalFaces[f].size() != mesh.faces[f].size()) {
            return Fail("MeshNormals face " + std::to_string(f) + " has " + std::to_string(mesh.normalFaces[f].size()) +
                        " indices, the mesh face " + std::to_string(mesh.faces[f].size()));
        }
    }
    return FinishObject("MeshNormals");
}

bool XFileParser::ParseTextureCoords(XMesh& mesh)
{
    DWORD count = 0;
    if (!ReadCount(count, 2, "texture coordinate count")) {
        return false;
    }
    if (count != mesh.positions.size()) {
        return Fail("MeshTextureCoords has " + std::to_string(count) + " coordinates for " +
                    std::to_string(mesh.positions.size()) + " vertices");
    }
    mesh.texCoords.resize(count);
    for (XTexCoord& t : mesh.texCoords) {
        if (!ReadFloat(t.u, "texture coordinate") || !ReadFloat(t.v, "texture coordinate")) {
            return false;
        }
    }
    return FinishObject("MeshTextureCoords");
}

// Colours come with the index of their vertex; a vertex the list does not name stays white.
bool XFileParser::ParseVertexColors(XMesh& mesh)
{
    DWORD count = 0;
    if (!ReadCount(count, 5, "vertex colour count")) {
        return false;
    }
    if (count != mesh.positions.size()) {
        return Fail("MeshVertexColors has " + std::to_string(count) + " colours for " +
                    std::to_string(mesh.positions.size()) + " vertices");
    }
    mesh.vertexColors.assign(count, D3DCOLORVALUE{1.0f, 1.0f, 1.0f, 1.0f});
    for (DWORD i = 0; i < count; ++i) {
        DWORD index = 0;
        D3DCOLORVALUE c;
        if (!ReadDword(index, "vertex colour index") || !ReadFloat(c.r, "vertex colour") ||
            !ReadFloat(c.g, "vertex colour") || !ReadFloat(c.b, "vertex colour") || !ReadFloat(c.a, "vertex colour")) {
            return false;
        }
        if (index >= count) {
            return Fail("vertex colour for vertex " + std::to_string(index) + " of only " + std::to_string(count));
        }
        mesh.vertexColors[index] = c;
    }
    return FinishObject("MeshVertexColors");
}

// Material indexes are given per file face; when fewer than the faces are given, the last one
// applies to the remaining faces.
bool XFileParser::ParseMaterialList(XMesh& mesh)
{
    DWORD materialCount = 0;
    DWORD indexCount = 0;
    if (!ReadDword(materialCount, "material count") || !ReadCount(indexCount, 1, "face material count")) {
        return false;
    }
    std::vector<DWORD> indexes(indexCount);
    for (DWORD& index : indexes) {
        if (!ReadDword(index, "face material index")) {
            return false;
        }
        if (index >= materialCount) {
            return Fail("face material index " + std::to_string(index) + " of only " + std::to_string(materialCount) +
                        " materials");
        }
    }
    const std::string where = m_tokens.Where();
    const size_t meshIndex = m_content.meshes.size();
    // A later list of the same mesh replaces an earlier one, references included.
    std::erase_if(m_references, [&](const MaterialReference& r) { return r.mesh == meshIndex; });
    std::vector<MeshMaterial> materials;
    const bool ok = ParseMembers(
        "MeshMaterialList",
        [&](const std::string& type, const std::string& name, const std::string& guid) {
            if (!SameName(type, "Material")) {
                return SkipToClose(type);
            }
            materials.emplace_back();
            return ParseNamedMaterial(name, guid, &materials.back());
        },
        [&](const std::string& name, const std::string& guid) {
            m_references.push_back({meshIndex, materials.size(), name, guid, m_tokens.Where()});
            materials.push_back(MeshMaterial::Default());
            return true;
        });
    if (!ok) {
        return false;
    }
    if (materials.size() != materialCount) {
        return FailAt(where, "MeshMaterialList declares " + std::to_string(materialCount) + " materials but holds " +
                                 std::to_string(materials.size()));
    }
    if (materialCount == 0) {
        return true;
    }
    mesh.materials = std::move(materials);
    mesh.faceMaterials.resize(mesh.faces.size());
    for (size_t f = 0; f < mesh.faceMaterials.size(); ++f) {
        mesh.faceMaterials[f] = f < indexes.size() ? indexes[f] : (indexes.empty() ? 0 : indexes.back());
    }
    return true;
}

// Face colour (r, g, b, a), power, specular (r, g, b), emissive (r, g, b), then optionally the
// texture's file name. The file carries no ambient colour; it stays black.
bool XFileParser::ParseMaterial(MeshMaterial& result)
{
    D3DMATERIAL9& m = result.material;
    const char* what = "material";
    if (!ReadFloat(m.Diffuse.r, what) || !ReadFloat(m.Diffuse.g, what) || !ReadFloat(m.Diffuse.b, what) ||
        !ReadFloat(m.Diffuse.a, what) || !ReadFloat(m.Power, what) || !ReadFloat(m.Specular.r, what) ||
        !ReadFloat(m.Specular.g, what) || !ReadFloat(m.Specular.b, what) || !ReadFloat(m.Emissive.r, what) ||
        !ReadFloat(m.Emissive.g, what) || !ReadFloat(m.Emissive.b, what)) {
        return false;
    }
    m.Specular.a = 1.0f;
    m.Emissive.a = 1.0f;
    return ParseMembers(
        "Material",
        [&](const std::string& type, const std::string&, const std::string&) {
            if (!SameName(type, "TextureFilename")) {
                return SkipToClose(type);
            }
            return ReadString(result.textureFileName, "texture file name") && FinishObject(type);
        },
        [](const std::string&, const std::string&) { return true; });
}

// Any material may be referred to by name elsewhere in the file, so each is remembered.
bool XFileParser::ParseNamedMaterial(const std::string& name, const std::string& guid, MeshMaterial* copy)
{
    NamedMaterial named{name, guid, MeshMaterial{}};
    if (!ParseMaterial(named.material)) {
        return false;
    }
    if (copy != nullptr) {
        *copy = named.material;
    }
    if (!name.empty() || !guid.empty()) {
        m_namedMaterials.push_back(std::move(named));
    }
    return true;
}

// Exact names first, then names that differ only in case, then GUIDs.
bool XFileParser::ResolveReferences()
{
    for (const MaterialReference& reference : m_references) {
        const auto end = m_namedMaterials.end();
        auto found = std::find_if(m_namedMaterials.begin(), end, [&](const NamedMaterial& m) {
            return !reference.name.empty() && m.name == reference.name;
        });
        if (found == end) {
            found = std::find_if(m_namedMaterials.begin(), end, [&](const NamedMaterial& m) {
                return !reference.name.empty() && SameName(m.name, reference.name);
            });
        }
        if (found == end) {
            found = std::find_if(m_namedMaterials.begin(), end, [&](const NamedMaterial& m) {
                return !reference.guid.empty() && SameName(m.guid, reference.guid);
            });
        }
        if (found == end) {
            return FailAt(reference.where, "no material named '" + reference.name + reference.guid + "'");
        }
        m_content.meshes[reference.mesh].materials[reference.slot] = found->material;
    }
    return true;
}

std::unique_ptr<XTokenSource> MakeTokenizer(const XFileHeader& header, std::span<const char> body)
{
    if (header.format == XFileHeader::Format::Binary) {
        return std::make_unique<XBinaryTokenizer>(body, header.floatBytes);
    }
    return std::make_unique<XTextTokenizer>(std::string_view(body.data(), body.size()));
}

} // namespace

D3DXMATRIX XFileContent::WorldTransform(const XMesh& mesh) const
{
    D3DXMATRIX world;
    D3DXMatrixIdentity(&world);
    for (int frame = mesh.frame; frame >= 0; frame = frames[static_cast<size_t>(frame)].parent) {
        world = world * frames[static_cast<size_t>(frame)].transform;
    }
    return world;
}

XParseResult ParseXFile(std::span<const char> bytes)
{
    XParseResult result;
    const XFileHeader header = XFileHeader::Read(bytes);
    if (!header.ok) {
        result.error = header.error;
        return result;
    }
    const std::unique_ptr<XTokenSource> tokens = MakeTokenizer(header, bytes.subspan(XFileHeader::kSize));
    XFileParser parser(*tokens, result.content);
    result.ok = parser.Parse();
    if (!result.ok) {
        result.error = parser.Error();
        result.content = XFileContent();
    }
    return result;
}
