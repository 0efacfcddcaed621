#include "platform/d3dx9/x_file_parser.h"

#include "platform/d3dx9/x_binary_tokenizer.h"
#include "platform/d3dx9/x_file_header.h"
#include "platform/d3dx9/x_object_reader.h"
#include "platform/d3dx9/x_text_tokenizer.h"

#include <algorithm>
#include <memory>

namespace {

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
    XFileParser(XTokenSource& tokens, XFileContent& content) : m_reader(tokens), m_content(content) {}

    bool Parse();
    const std::string& Error() const { return m_reader.Error(); }

private:
    bool ParseTemplate();
    bool ParseSceneObject(const std::string& type, const std::string& name, const std::string& guid, int frame);
    // Frames nest by recursion, as deep as the reader lets objects nest.
    bool ParseFrame(const std::string& name, int parent);
    bool ParseFrameTransform(size_t frame);
    bool ParseMesh(const std::string& name, int frame);
    bool ParseMeshNormals(XMesh& mesh);
    bool ParseTextureCoords(XMesh& mesh);
    bool ParseVertexColors(XMesh& mesh);
    bool ParseMaterialList(XMesh& mesh);
    bool ParseMaterial(MeshMaterial& material);
    bool ParseNamedMaterial(const std::string& name, const std::string& guid, MeshMaterial* copy);
    bool ResolveReferences();

    XObjectReader m_reader;
    XFileContent& m_content;
    std::vector<NamedMaterial> m_namedMaterials;
    std::vector<MaterialReference> m_references;
};

bool XFileParser::Parse()
{
    for (;;) {
        const XToken token = m_reader.Take();
        std::string name;
        std::string guid;
        switch (token.kind) {
        case XTokenKind::End:
            return ResolveReferences();
        case XTokenKind::Error:
            return m_reader.Fail(token.text);
        case XTokenKind::Name:
            if (SameName(token.text, "template")) {
                if (!ParseTemplate()) {
                    return false;
                }
            } else if (!m_reader.ParseObjectStart(name, guid) || !ParseSceneObject(token.text, name, guid, -1)) {
                return false;
            }
            break;
        default:
            return m_reader.Fail("unexpected " + XObjectReader::Describe(token) + " at the top level");
        }
    }
}

// template Name { <GUID> members [restrictions] }: nothing in it is needed.
bool XFileParser::ParseTemplate()
{
    std::string name;
    std::string guid;
    return m_reader.ParseObjectStart(name, guid) && m_reader.SkipToClose("template " + name);
}

bool XFileParser::ParseSceneObject(const std::string& type, const std::string& name, const std::string& guid, int frame)
{
    if (SameName(type, "Frame")) {
        return ParseFrame(name, frame);
    }
    if (SameName(type, "Mesh")) {
        return ParseMesh(name, frame);
    }
    if (SameName(type, "Material")) {
        return ParseNamedMaterial(name, guid, nullptr);
    }
    return m_reader.SkipToClose(type);
}

bool XFileParser::ParseFrame(const std::string& name, int parent)
{
    const size_t index = m_content.frames.size();
    XFrame frame;
    frame.name = name;
    frame.parent = parent;
    D3DXMatrixIdentity(&frame.transform);
    m_content.frames.push_back(frame);
    return m_reader.ParseMembers(
        "Frame", [&](const std::string& type, const std::string& childName, const std::string& childGuid) {
            if (SameName(type, "FrameTransformMatrix")) {
                return ParseFrameTransform(index);
            }
            return ParseSceneObject(type, childName, childGuid, static_cast<int>(index));
        });
}

bool XFileParser::ParseFrameTransform(size_t frame)
{
    D3DXMATRIX matrix;
    for (UINT i = 0; i < 16; ++i) {
        if (!m_reader.ReadFloat(matrix(i / 4, i % 4), {"frame transform element", i})) {
            return false;
        }
    }
    m_content.frames[frame].transform = matrix;
    return m_reader.FinishObject("FrameTransformMatrix");
}

bool XFileParser::ParseMesh(const std::string& name, int frame)
{
    XMesh mesh;
    mesh.name = name;
    mesh.frame = frame;
    if (!m_reader.ReadVectors(mesh.positions, "vertex") ||
        !m_reader.ReadFaces(mesh.faces, mesh.positions.size(), "face", "vertices")) {
        return false;
    }
    const bool ok = m_reader.ParseMembers("Mesh", [&](const std::string& type, const std::string&, const std::string&) {
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
        return m_reader.SkipToClose(type);
    });
    if (ok) {
        m_content.meshes.push_back(std::move(mesh));
    }
    return ok;
}

// Normals per face corner: the normal faces run parallel to the mesh faces.
bool XFileParser::ParseMeshNormals(XMesh& mesh)
{
    if (!m_reader.ReadVectors(mesh.normals, "normal") ||
        !m_reader.ReadFaces(mesh.normalFaces, mesh.normals.size(), "normal face", "normals")) {
        return false;
    }
    if (mesh.normalFaces.size() != mesh.faces.size()) {
        return m_reader.Fail("MeshNormals has " + std::to_string(mesh.normalFaces.size()) + " faces for " +
                             std::to_string(mesh.faces.size()) + " mesh faces");
    }
    for (size_t f = 0; f < mesh.faces.size(); ++f) {
        if (mesh.normalFaces[f].size() != mesh.faces[f].size()) {
            return m_reader.Fail("MeshNormals face " + std::to_string(f) + " has " +
                                 std::to_string(mesh.normalFaces[f].size()) + " indices, the mesh face " +
                                 std::to_string(mesh.faces[f].size()));
        }
    }
    return m_reader.FinishObject("MeshNormals");
}

bool XFileParser::ParseTextureCoords(XMesh& mesh)
{
    DWORD count = 0;
    if (!m_reader.ReadCount(count, 2, "the texture coordinate count")) {
        return false;
    }
    if (count != mesh.positions.size()) {
        return m_reader.Fail("MeshTextureCoords has " + std::to_string(count) + " coordinates for " +
                             std::to_string(mesh.positions.size()) + " vertices");
    }
    mesh.texCoords.resize(count);
    for (size_t i = 0; i < mesh.texCoords.size(); ++i) {
        XTexCoord& t = mesh.texCoords[i];
        if (!m_reader.ReadFloat(t.u, {"texture coordinate", i, "u"}) ||
            !m_reader.ReadFloat(t.v, {"texture coordinate", i, "v"})) {
            return false;
        }
    }
    return m_reader.FinishObject("MeshTextureCoords");
}

// Colours come with the index of their vertex; a vertex the list does not name stays white.
bool XFileParser::ParseVertexColors(XMesh& mesh)
{
    DWORD count = 0;
    if (!m_reader.ReadCount(count, 5, "the vertex colour count")) {
        return false;
    }
    if (count != mesh.positions.size()) {
        return m_reader.Fail("MeshVertexColors has " + std::to_string(count) + " colours for " +
                             std::to_string(mesh.positions.size()) + " vertices");
    }
    mesh.vertexColors.assign(count, D3DCOLORVALUE{1.0f, 1.0f, 1.0f, 1.0f});
    for (size_t i = 0; i < count; ++i) {
        DWORD index = 0;
        D3DCOLORVALUE c;
        const char* colour = "vertex colour";
        if (!m_reader.ReadDword(index, {colour, i, "vertex index"}) || !m_reader.ReadFloat(c.r, {colour, i, "red"}) ||
            !m_reader.ReadFloat(c.g, {colour, i, "green"}) || !m_reader.ReadFloat(c.b, {colour, i, "blue"}) ||
            !m_reader.ReadFloat(c.a, {colour, i, "alpha"})) {
            return false;
        }
        if (index >= count) {
            return m_reader.Fail("vertex colour for vertex " + std::to_string(index) + " of only " +
                                 std::to_string(count));
        }
        mesh.vertexColors[index] = c;
    }
    return m_reader.FinishObject("MeshVertexColors");
}

// Material indexes are given per file face; when fewer than the faces are given, the last one
// applies to the remaining faces.
bool XFileParser::ParseMaterialList(XMesh& mesh)
{
    DWORD materialCount = 0;
    DWORD indexCount = 0;
    if (!m_reader.ReadDword(materialCount, "the material count") ||
        !m_reader.ReadCount(indexCount, 1, "the face material count")) {
        return false;
    }
    std::vector<DWORD> indexes(indexCount);
    for (size_t f = 0; f < indexes.size(); ++f) {
        DWORD& index = indexes[f];
        if (!m_reader.ReadDword(index, {"face", f, "material index"})) {
            return false;
        }
        if (index >= materialCount) {
            return m_reader.Fail("face material index " + std::to_string(index) + " of only " +
                                 std::to_string(materialCount) + " materials");
        }
    }
    const std::string where = m_reader.Where();
    const size_t meshIndex = m_content.meshes.size();
    // A later list of the same mesh replaces an earlier one, references included.
    std::erase_if(m_references, [&](const MaterialReference& r) { return r.mesh == meshIndex; });
    std::vector<MeshMaterial> materials;
    const bool ok = m_reader.ParseMembers(
        "MeshMaterialList",
        [&](const std::string& type, const std::string& name, const std::string& guid) {
            if (!SameName(type, "Material")) {
                return m_reader.SkipToClose(type);
            }
            materials.emplace_back();
            return ParseNamedMaterial(name, guid, &materials.back());
        },
        [&](const std::string& name, const std::string& guid) {
            m_references.push_back({meshIndex, materials.size(), name, guid, m_reader.Where()});
            materials.push_back(MeshMaterial::Default());
            return true;
        });
    if (!ok) {
        return false;
    }
    if (materials.size() != materialCount) {
        return m_reader.FailAt(where, "MeshMaterialList declares " + std::to_string(materialCount) +
                                          " materials but holds " + std::to_string(materials.size()));
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
    const std::pair<float*, const char*> values[] = {
        {&m.Diffuse.r, "the material's face colour red"},
        {&m.Diffuse.g, "the material's face colour green"},
        {&m.Diffuse.b, "the material's face colour blue"},
        {&m.Diffuse.a, "the material's face colour alpha"},
        {&m.Power, "the material's power"},
        {&m.Specular.r, "the material's specular red"},
        {&m.Specular.g, "the material's specular green"},
        {&m.Specular.b, "the material's specular blue"},
        {&m.Emissive.r, "the material's emissive red"},
        {&m.Emissive.g, "the material's emissive green"},
        {&m.Emissive.b, "the material's emissive blue"},
    };
    for (const auto& [value, what] : values) {
        if (!m_reader.ReadFloat(*value, what)) {
            return false;
        }
    }
    m.Specular.a = 1.0f;
    m.Emissive.a = 1.0f;
    return m_reader.ParseMembers("Material", [&](const std::string& type, const std::string&, const std::string&) {
        if (!SameName(type, "TextureFilename")) {
            return m_reader.SkipToClose(type);
        }
        return m_reader.ReadString(result.textureFileName, "the texture file name") && m_reader.FinishObject(type);
    });
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
            return m_reader.FailAt(reference.where, "no material named '" + reference.name + reference.guid + "'");
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

Result<XFileContent> ParseXFile(std::span<const char> bytes)
{
    const Result<XFileHeader> header = XFileHeader::Read(bytes);
    if (!header) {
        return Failure{header.reason()};
    }
    const std::unique_ptr<XTokenSource> tokens = MakeTokenizer(header.value(), bytes.subspan(XFileHeader::kSize));
    XFileContent content;
    XFileParser parser(*tokens, content);
    if (!parser.Parse()) {
        return Failure{parser.Error()};
    }
    return content;
}
