#include "platform/d3dx9/x_file_writer.h"

#include <charconv>

namespace {

class XTextWriter {
public:
    std::string Take() { return std::move(m_text); }

    void Line(std::string_view text, int depth)
    {
        m_text.append(static_cast<size_t>(depth), ' ');
        m_text += text;
        m_text += '\n';
    }

    // Shortest digits that read back as the same float; independent of the process locale.
    void Number(float value)
    {
        char digits[32];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        m_text.append(digits, end);
    }
    void Number(DWORD value) { m_text += std::to_string(value); }

    // One array element per line: items end with ';', elements are separated by ',', and the
    // last element ends the array with ';'.
    template <typename WriteItem> void Array(size_t count, int depth, WriteItem writeItem)
    {
        for (size_t i = 0; i < count; ++i) {
            m_text.append(static_cast<size_t>(depth), ' ');
            writeItem(i);
            m_text += i + 1 < count ? ",\n" : ";\n";
        }
    }

    // A structure's fields each end with ';' (x;y;z;).
    void Fields(std::initializer_list<float> values)
    {
        for (float value : values) {
            Number(value);
            m_text += ';';
        }
    }

    // A structure as a member of its own: its fields, then the member's ';' (r;g;b;a;;).
    void StructLine(std::initializer_list<float> values, int depth)
    {
        m_text.append(static_cast<size_t>(depth), ' ');
        Fields(values);
        m_text += ";\n";
    }

    void ValueLine(float value, int depth)
    {
        m_text.append(static_cast<size_t>(depth), ' ');
        Number(value);
        m_text += ";\n";
    }

    void Separator() { m_text += ';'; }

    void Count(size_t count, int depth) { Line(std::to_string(count) + ";", depth); }

    void Faces(const std::vector<DWORD>& indices, int depth)
    {
        Count(indices.size() / 3, depth);
        Array(indices.size() / 3, depth, [&](size_t face) {
            const DWORD* corner = &indices[3 * face];
            m_text += "3;" + std::to_string(corner[0]) + ',' + std::to_string(corner[1]) + ',' +
                      std::to_string(corner[2]) + ';';
        });
    }

    void Vectors(const std::vector<D3DXVECTOR3>& vectors, int depth)
    {
        Count(vectors.size(), depth);
        Array(vectors.size(), depth, [&](size_t i) { Fields({vectors[i].x, vectors[i].y, vectors[i].z}); });
    }

    void StringLine(const std::string& value, int depth)
    {
        m_text.append(static_cast<size_t>(depth), ' ');
        m_text += '"';
        for (char c : value) {
            if (c == '\\' || c == '"') {
                m_text += '\\';
            }
            m_text += c;
        }
        m_text += "\";\n";
    }

private:
    std::string m_text;
};

void WriteMaterial(XTextWriter& out, const MeshMaterial& material)
{
    const D3DMATERIAL9& m = material.material;
    out.Line("Material {", 2);
    out.StructLine({m.Diffuse.r, m.Diffuse.g, m.Diffuse.b, m.Diffuse.a}, 3);
    out.ValueLine(m.Power, 3);
    out.StructLine({m.Specular.r, m.Specular.g, m.Specular.b}, 3);
    out.StructLine({m.Emissive.r, m.Emissive.g, m.Emissive.b}, 3);
    if (!material.textureFileName.empty()) {
        out.Line("TextureFilename {", 3);
        out.StringLine(material.textureFileName, 4);
        out.Line("}", 3);
    }
    out.Line("}", 2);
}

void WriteMaterialList(XTextWriter& out, const MeshGeometry& geometry)
{
    out.Line("MeshMaterialList {", 1);
    out.Count(geometry.materials.size(), 2);
    out.Count(geometry.attributes.size(), 2);
    out.Array(geometry.attributes.size(), 2, [&](size_t face) { out.Number(geometry.attributes[face]); });
    for (const MeshMaterial& material : geometry.materials) {
        WriteMaterial(out, material);
    }
    out.Line("}", 1);
}

} // namespace

std::string WriteXText(const MeshGeometry& geometry)
{
    XTextWriter out;
    out.Line("xof 0303txt 0032", 0);
    out.Line("Mesh {", 0);
    out.Vectors(geometry.positions, 1);
    out.Faces(geometry.indices, 1);
    if (!geometry.normals.empty()) {
        out.Line("MeshNormals {", 1);
        out.Vectors(geometry.normals, 2);
        out.Faces(geometry.indices, 2);
        out.Line("}", 1);
    }
    if (!geometry.texCoords.empty()) {
        out.Line("MeshTextureCoords {", 1);
        out.Count(geometry.texCoords.size(), 2);
        out.Array(geometry.texCoords.size(), 2, [&](size_t i) {
            out.Fields({geometry.texCoords[i].u, geometry.texCoords[i].v});
        });
        out.Line("}", 1);
    }
    if (!geometry.colors.empty()) {
        out.Line("MeshVertexColors {", 1);
        out.Count(geometry.colors.size(), 2);
        out.Array(geometry.colors.size(), 2, [&](size_t i) {
            const D3DCOLORVALUE c = ValueFromColor(geometry.colors[i]);
            out.Number(static_cast<DWORD>(i));
            out.Separator();
            out.Fields({c.r, c.g, c.b, c.a});
            out.Separator();
        });
        out.Line("}", 1);
    }
    WriteMaterialList(out, geometry);
    out.Line("}", 0);
    return out.Take();
}
