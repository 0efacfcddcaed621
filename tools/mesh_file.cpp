#include "tools/mesh_file.h"

#include "platform/d3d9/com_ptr.h"

MaterialEntry MakeMaterial(float red, float green, float blue, float emissiveFraction, float specular, float power)
{
    MaterialEntry entry{};
    D3DMATERIAL9& m = entry.material;
    m.Diffuse = D3DCOLORVALUE{red, green, blue, 1.0f};
    m.Ambient = m.Diffuse;
    m.Specular = D3DCOLORVALUE{specular, specular, specular, 1.0f};
    m.Emissive = D3DCOLORVALUE{red * emissiveFraction, green * emissiveFraction, blue * emissiveFraction, 1.0f};
    m.Power = power;
    return entry;
}

Result<> SaveMeshFile(const std::filesystem::path& path, const MeshBuilder& builder,
                      const std::vector<MaterialEntry>& materials)
{
    ID3DXMesh* created = nullptr;
    if (FAILED(builder.CreateMesh(&created))) {
        return Failure{"the mesh for " + path.string() + " could not be built"};
    }
    const ComPtr<ID3DXMesh> mesh = ComPtr<ID3DXMesh>::Adopt(created);
    std::vector<std::string> names;
    names.reserve(materials.size()); // D3DXMATERIAL keeps pointers into these strings
    std::vector<D3DXMATERIAL> entries;
    for (const MaterialEntry& entry : materials) {
        names.push_back(entry.textureFileName);
        entries.push_back(D3DXMATERIAL{entry.material, names.back().empty() ? nullptr : names.back().data()});
    }
    if (FAILED(D3DXSaveMeshToXW(path.wstring().c_str(), mesh.Get(), nullptr, entries.data(), nullptr,
                                static_cast<DWORD>(entries.size()), D3DXF_FILEFORMAT_TEXT))) {
        return Failure{"cannot write " + path.string() + ": " + D3DXGetLastErrorMessage()};
    }
    return {};
}
