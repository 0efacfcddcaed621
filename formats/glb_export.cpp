#include "base/file_access.h"
#include "formats/internal/mesh_writers.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>
#include <tiny_gltf.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <streambuf>

namespace {

// tinygltf writes to a stream; this one hands what it gets to the sink.
class SinkStreamBuffer : public std::streambuf {
public:
    explicit SinkStreamBuffer(ContentSink& sink) : m_sink(sink) {}

protected:
    std::streamsize xsputn(const char* bytes, std::streamsize count) override
    {
        m_sink.Write(std::string_view(bytes, static_cast<std::size_t>(count)));
        return count;
    }
    int_type overflow(int_type c) override
    {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            const char byte = traits_type::to_char_type(c);
            m_sink.Write(std::string_view(&byte, 1));
        }
        return traits_type::not_eof(c);
    }

private:
    ContentSink& m_sink;
};

// Appends bytes to the model's one buffer as a view of its own, 4-byte aligned; returns the view.
int AddView(tinygltf::Model& model, const void* bytes, std::size_t size, int target)
{
    std::vector<unsigned char>& data = model.buffers[0].data;
    data.resize((data.size() + 3) / 4 * 4);
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = data.size();
    view.byteLength = size;
    view.target = target;
    const auto* first = static_cast<const unsigned char*>(bytes);
    data.insert(data.end(), first, first + size);
    model.bufferViews.push_back(view);
    return static_cast<int>(model.bufferViews.size() - 1);
}

int AddAccessor(tinygltf::Model& model, int view, int componentType, int type, std::size_t count)
{
    tinygltf::Accessor accessor;
    accessor.bufferView = view;
    accessor.componentType = componentType;
    accessor.type = type;
    accessor.count = count;
    model.accessors.push_back(accessor);
    return static_cast<int>(model.accessors.size() - 1);
}

int AddFloats(tinygltf::Model& model, const std::vector<float>& values, int type, int components)
{
    const int view = AddView(model, values.data(), values.size() * sizeof(float), TINYGLTF_TARGET_ARRAY_BUFFER);
    return AddAccessor(model, view, TINYGLTF_COMPONENT_TYPE_FLOAT, type, values.size() / components);
}

// glTF requires the bounds of the positions.
void SetBounds(tinygltf::Accessor& accessor, const std::vector<float>& positions)
{
    accessor.minValues.assign(3, std::numeric_limits<double>::max());
    accessor.maxValues.assign(3, std::numeric_limits<double>::lowest());
    for (std::size_t i = 0; i < positions.size(); ++i) {
        accessor.minValues[i % 3] = std::min<double>(accessor.minValues[i % 3], positions[i]);
        accessor.maxValues[i % 3] = std::max<double>(accessor.maxValues[i % 3], positions[i]);
    }
}

// The texture as PNG or JPEG bytes, the two image types glTF takes; others are re-encoded as PNG.
Result<std::string> EmbeddableImage(const DrapedTexture& texture, std::string& mimeType)
{
    if (texture.format == "png" || texture.format == "jpeg") {
        mimeType = "image/" + texture.format;
        return std::string(texture.bytes.begin(), texture.bytes.end());
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(texture.image)) {
        return Failure{"the texture cannot be converted to PNG (" + writer.errorString().toStdString() + ")"};
    }
    mimeType = "image/png";
    return data.toStdString();
}

Result<> AddTexture(tinygltf::Model& model, const DrapedTexture& texture)
{
    tinygltf::Image image;
    const Result<std::string> bytes = EmbeddableImage(texture, image.mimeType);
    if (!bytes) {
        return Failure{bytes.reason()};
    }
    image.bufferView = AddView(model, bytes.value().data(), bytes.value().size(), 0);
    model.images.push_back(image);
    tinygltf::Sampler sampler;
    sampler.magFilter = TINYGLTF_TEXTURE_FILTER_LINEAR;
    sampler.minFilter = TINYGLTF_TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR;
    sampler.wrapS = TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE;
    sampler.wrapT = TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE;
    model.samplers.push_back(sampler);
    tinygltf::Texture gltfTexture;
    gltfTexture.sampler = 0;
    gltfTexture.source = 0;
    model.textures.push_back(gltfTexture);
    model.materials[0].pbrMetallicRoughness.baseColorTexture.index = 0;
    return Result<>::Success();
}

Result<tinygltf::Model> MakeModel(const TerrainMesh& mesh, const std::optional<DrapedTexture>& texture)
{
    tinygltf::Model model;
    model.asset.version = "2.0";
    model.asset.generator = "Relief";
    model.buffers.emplace_back();
    // Room for every view and its alignment, so the buffer is not copied as it grows.
    const std::size_t floats = mesh.positions.size() + mesh.normals.size() + mesh.texCoords.size();
    model.buffers[0].data.reserve((floats + mesh.indices.size()) * 4 + (texture ? texture->bytes.size() : 0) + 16);
    tinygltf::Primitive primitive;
    primitive.mode = TINYGLTF_MODE_TRIANGLES;
    primitive.attributes["POSITION"] = AddFloats(model, mesh.positions, TINYGLTF_TYPE_VEC3, 3);
    SetBounds(model.accessors.back(), mesh.positions);
    primitive.attributes["NORMAL"] = AddFloats(model, mesh.normals, TINYGLTF_TYPE_VEC3, 3);
    primitive.attributes["TEXCOORD_0"] = AddFloats(model, mesh.texCoords, TINYGLTF_TYPE_VEC2, 2);
    const int indexView = AddView(model, mesh.indices.data(), mesh.indices.size() * sizeof(std::uint32_t),
                                  TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
    primitive.indices =
        AddAccessor(model, indexView, TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT, TINYGLTF_TYPE_SCALAR, mesh.indices.size());
    // A matte white surface, showing the texture when there is one.
    tinygltf::Material material;
    material.name = "terrain";
    material.pbrMetallicRoughness.metallicFactor = 0.0;
    material.pbrMetallicRoughness.roughnessFactor = 1.0;
    model.materials.push_back(material);
    primitive.material = 0;
    if (texture) {
        if (const Result<> added = AddTexture(model, *texture); !added) {
            return Failure{added.reason()};
        }
    }
    tinygltf::Mesh gltfMesh;
    gltfMesh.name = "terrain";
    gltfMesh.primitives.push_back(primitive);
    model.meshes.push_back(gltfMesh);
    tinygltf::Node node;
    node.name = "terrain";
    node.mesh = 0;
    model.nodes.push_back(node);
    tinygltf::Scene scene;
    scene.nodes.push_back(0);
    model.scenes.push_back(scene);
    model.defaultScene = 0;
    return model;
}

} // namespace

Result<> WriteGlb(const std::string& path, const TerrainMesh& mesh, const std::optional<DrapedTexture>& texture)
{
    const Result<tinygltf::Model> model = MakeModel(mesh, texture);
    if (!model) {
        return Failure{"cannot export " + QuotedPath(path) + ": " + model.reason()};
    }
    return WriteFileReplacingWith(path, [&](ContentSink& sink) -> Result<> {
        SinkStreamBuffer buffer(sink);
        std::ostream stream(&buffer);
        tinygltf::TinyGLTF gltf;
        if (!gltf.WriteGltfSceneToStream(&model.value(), stream, false, true)) {
            return Failure{"cannot export " + QuotedPath(path) + ": tinygltf could not write the model"};
        }
        return Result<>::Success();
    });
}
