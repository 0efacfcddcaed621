#include "tools/mesh_file.h"

#include "platform/d3d9/ref_counted.h"

MaterialSpec MakeMaterial(float red, float green, float blue, float emissiveFraction, float specular, float power)
{
    MaterialSpec spec{};
    D3DMATERIAL9& m = spec.material;
    m.Diffuse = D3DCOLORVALUE{red, green, blue, 1.0f};
    m.Ambient = m.Diffuse;
    m.Specular = D3DCOLORVALUE{specular, specular, specular, 1.0f};
    m.Emissive = D3DCOLORVALUE{red * emissiveFraction, green * emissiveFraction, blue * emissiveFraction, 1.0f};
    m.Power = power;
    return spec;
}

bool SaveMeshFile(const std::filesystem::path& path, const MeshBuilder& builder,
                  const std::vector<MaterialSpec>& materials, std::string& error)
{
    ID3DXMesh* created = nullptr;
    if (FAILED(builder.CreateMesh(&created))) {
        error = "the mesh for " + path.string() + " could not be built";
        return false;
    }
    const ComPtr<ID3DXMesh> mesh = ComPtr<ID3DXMesh>::Adopt(created);
    std::vector<std::string> names;
    names.reserve(materials.size()); // D3DXMATERIAL keeps pointers into these strings
    std::vector<D3DXMATERIAL> entries;
    for (const MaterialSpec& spec : materials) {
        names.push_back(spec.textureFileName);
        entries.push_back(D3DXMATERIAL{spec.material, names.back().empty() ? nullptr : names.back().data()});
    }
    if (FAILED(D3DXSaveMeshToXW(path.wstring().c_str(), mesh.Get(), nullptr, entries.data(), nullptr,
                                static_cast<DWORD>(entries.size()), D3DXF_FILEFORMAT_TEXT))) {
        error = std::string("cannot write ") + path.string() + ": " + D3DXGetLastErrorMessage();
        return false;
    }
    return true;
}
