#include "core/mesh/gltf_reader.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <vector>

// The library's writer, which is never called, needs the file streams even without its file
// access.
#include <fstream>

#define TINYGLTF_IMPLEMENTATION
#define TINYGLTF_NO_STB_IMAGE
#define TINYGLTF_NO_STB_IMAGE_WRITE
#define TINYGLTF_NO_EXTERNAL_IMAGE
#define TINYGLTF_NO_FS
#include <tiny_gltf.h>

namespace walkconv {

namespace {

// A transform as 16 numbers, column after column.
using Matrix = std::array<double, 16>;

constexpr Matrix kIdentity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix product{};
    for (std::size_t column = 0; column < 4; ++column) {
        for (std::size_t row = 0; row < 4; ++row) {
            double sum = 0;
            for (std::size_t k = 0; k < 4; ++k) {
                sum += a[k * 4 + row] * b[column * 4 + k];
            }
            product[column * 4 + row] = sum;
        }
    }
    return product;
}

// The node's own transform: its matrix, or translation * rotation * scale.
Matrix LocalTransform(const tinygltf::Node& node) {
    if (node.matrix.size() == 16) {
        Matrix matrix;
        std::copy(node.matrix.begin(), node.matrix.end(), matrix.begin());
        return matrix;
    }
    const std::vector<double>& t =
        node.translation.size() == 3 ? node.translation : std::vector<double>{0, 0, 0};
    const std::vector<double>& s =
        node.scale.size() == 3 ? node.scale : std::vector<double>{1, 1, 1};
    const std::vector<double>& q =
        node.rotation.size() == 4 ? node.rotation : std::vector<double>{0, 0, 0, 1};
    const double x = q[0], y = q[1], z = q[2], w = q[3];
    // The rotation's columns, each scaled by its axis's factor.
    return {(1 - 2 * (y * y + z * z)) * s[0],
            (2 * (x * y + z * w)) * s[0],
            (2 * (x * z - y * w)) * s[0],
            0,
            (2 * (x * y - z * w)) * s[1],
            (1 - 2 * (x * x + z * z)) * s[1],
            (2 * (y * z + x * w)) * s[1],
            0,
            (2 * (x * z + y * w)) * s[2],
            (2 * (y * z - x * w)) * s[2],
            (1 - 2 * (x * x + y * y)) * s[2],
            0,
            t[0],
            t[1],
            t[2],
            1};
}

MeshCorner Transformed(const Matrix& m, const std::array<float, 3>& p) {
    const auto row = [&](std::size_t r) {
        return m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
    };
    return {static_cast<float>(row(0)), static_cast<float>(row(1)), static_cast<float>(row(2))};
}

// Thrown with the message of a model that cannot be read; caught in ReadGltfMesh.
struct Broken {
    std::string message;
};

// The places of an accessor's elements in its buffer, every one checked to lie within it.
struct Elements {
    const unsigned char* first = nullptr;
    std::size_t stride = 0;
    std::size_t count = 0;
};

Elements ElementsOf(const tinygltf::Model& model, int index, std::size_t elementSize,
                    const std::string& where) {
    const std::string accessorName = "accessor " + std::to_string(index);
    if (index < 0 || static_cast<std::size_t>(index) >= model.accessors.size()) {
        throw Broken{where + "refers to " + accessorName + ", which does not exist"};
    }
    const tinygltf::Accessor& accessor = model.accessors[static_cast<std::size_t>(index)];
    if (accessor.sparse.isSparse) {
        throw Broken{where + accessorName + " is sparse, which is not read"};
    }
    if (accessor.bufferView < 0 ||
        static_cast<std::size_t>(accessor.bufferView) >= model.bufferViews.size()) {
        throw Broken{where + accessorName + " has no buffer view"};
    }
    const tinygltf::BufferView& view =
        model.bufferViews[static_cast<std::size_t>(accessor.bufferView)];
    if (view.buffer < 0 || static_cast<std::size_t>(view.buffer) >= model.buffers.size()) {
        throw Broken{where + accessorName + "'s buffer view refers to no buffer"};
    }
    const std::vector<unsigned char>& data =
        model.buffers[static_cast<std::size_t>(view.buffer)].data;
    const std::size_t stride = view.byteStride == 0 ? elementSize : view.byteStride;
    const std::size_t start = view.byteOffset + accessor.byteOffset;
    const std::size_t viewEnd = view.byteOffset + view.byteLength;
    const bool fits = accessor.count == 0 ||
                      (view.byteOffset <= data.size() && view.byteLength <= data.size() &&
                       viewEnd <= data.size() && start <= viewEnd && stride >= elementSize &&
                       (accessor.count - 1) <= (viewEnd - start) / stride &&
                       start + (accessor.count - 1) * stride + elementSize <= viewEnd);
    if (!fits) {
        throw Broken{where + accessorName + " reaches beyond its data"};
    }
    return {data.data() + start, stride, accessor.count};
}

const tinygltf::Accessor& AccessorOf(const tinygltf::Model& model, int index) {
    return model.accessors[static_cast<std::size_t>(index)];
}

std::vector<std::array<float, 3>> Positions(const tinygltf::Model& model, int index,
                                            const std::string& where) {
    const Elements elements = ElementsOf(model, index, 3 * sizeof(float), where);
    const tinygltf::Accessor& accessor = AccessorOf(model, index);
    if (accessor.componentType != TINYGLTF_COMPONENT_TYPE_FLOAT ||
        accessor.type != TINYGLTF_TYPE_VEC3) {
        throw Broken{where + "the positions of accessor " + std::to_string(index) +
                     " are not three floats each"};
    }
    std::vector<std::array<float, 3>> positions(elements.count);
    for (std::size_t i = 0; i < elements.count; ++i) {
        std::memcpy(positions[i].data(), elements.first + i * elements.stride, 3 * sizeof(float));
    }
    return positions;
}

std::vector<std::uint32_t> Indices(const tinygltf::Model& model, int index, std::size_t vertices,
                                   const std::string& where) {
    if (index < 0) {  // no indices: the vertices in their order
        std::vector<std::uint32_t> all(vertices);
        for (std::size_t i = 0; i < vertices; ++i) {
            all[i] = static_cast<std::uint32_t>(i);
        }
        return all;
    }
    if (static_cast<std::size_t>(index) >= model.accessors.size()) {
        throw Broken{where + "refers to accessor " + std::to_string(index) +
                     ", which does not exist"};
    }
    const int type = AccessorOf(model, index).componentType;
    const std::size_t size = type == TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE    ? 1
                             : type == TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT ? 2
                             : type == TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT   ? 4
                                                                              : 0;
    if (size == 0 || AccessorOf(model, index).type != TINYGLTF_TYPE_SCALAR) {
        throw Broken{where + "the indices of accessor " + std::to_string(index) +
                     " are not unsigned integers"};
    }
    const Elements elements = ElementsOf(model, index, size, where);
    std::vector<std::uint32_t> indices(elements.count);
    for (std::size_t i = 0; i < elements.count; ++i) {
        const unsigned char* at = elements.first + i * elements.stride;
        std::uint32_t value = 0;
        if (size == 1) {
            value = at[0];
        } else if (size == 2) {
            std::uint16_t half = 0;
            std::memcpy(&half, at, 2);
            value = half;
        } else {
            std::memcpy(&value, at, 4);
        }
        if (value >= vertices) {
            throw Broken{where + "index " + std::to_string(i) + " refers to vertex " +
                         std::to_string(value) + " of " + std::to_string(vertices)};
        }
        indices[i] = value;
    }
    return indices;
}

class TriangleCollector {
  public:
    TriangleCollector(const tinygltf::Model& model, const std::string& name)
        : model_(model), name_(name) {}

    void AddNode(int index, const Matrix& parent, std::size_t depth) {
        if (index < 0 || static_cast<std::size_t>(index) >= model_.nodes.size()) {
            throw Broken{name_ + ": refers to node " + std::to_string(index) +
                         ", which does not exist"};
        }
        if (depth > model_.nodes.size()) {
            throw Broken{name_ + ": node " + std::to_string(index) + " is its own ancestor"};
        }
        // Nodes shared among parents place their meshes once for every path to them.
        if (++placedNodes_ > kMostPlacedNodes) {
            throw Broken{name_ + ": the scene places its nodes more than " +
                         std::to_string(kMostPlacedNodes) + " times"};
        }
        const tinygltf::Node& node = model_.nodes[static_cast<std::size_t>(index)];
        const Matrix transform = Multiply(parent, LocalTransform(node));
        if (node.mesh >= 0) {
            AddMesh(node.mesh, transform);
        }
        for (const int child : node.children) {
            AddNode(child, transform, depth + 1);
        }
    }

    void AddMesh(int index, const Matrix& transform) {
        if (static_cast<std::size_t>(index) >= model_.meshes.size()) {
            throw Broken{name_ + ": refers to mesh " + std::to_string(index) +
                         ", which does not exist"};
        }
        const tinygltf::Mesh& mesh = model_.meshes[static_cast<std::size_t>(index)];
        for (std::size_t p = 0; p < mesh.primitives.size(); ++p) {
            const tinygltf::Primitive& primitive = mesh.primitives[p];
            const std::string where = name_ + ": mesh " + std::to_string(index) + ", primitive " +
                                      std::to_string(p) + ": ";
            const int mode = primitive.mode < 0 ? TINYGLTF_MODE_TRIANGLES : primitive.mode;
            const auto position = primitive.attributes.find("POSITION");
            if (position == primitive.attributes.end() ||
                (mode != TINYGLTF_MODE_TRIANGLES && mode != TINYGLTF_MODE_TRIANGLE_STRIP &&
                 mode != TINYGLTF_MODE_TRIANGLE_FAN)) {
                continue;  // points and lines: nothing to stand on or to walk through
            }
            const std::vector<std::array<float, 3>> positions =
                Positions(model_, position->second, where);
            const std::vector<std::uint32_t> indices =
                Indices(model_, primitive.indices, positions.size(), where);
            AddTriangles(mode, positions, indices, transform);
        }
    }

    TriangleMesh Take() { return std::move(mesh_); }

  private:
    void AddTriangles(int mode, const std::vector<std::array<float, 3>>& positions,
                      const std::vector<std::uint32_t>& indices, const Matrix& transform) {
        const auto add = [&](std::uint32_t a, std::uint32_t b, std::uint32_t c) {
            if (mesh_.triangles.size() >= kMostTriangles) {
                throw Broken{TooManyTrianglesMessage(name_)};
            }
            mesh_.triangles.push_back(
                {{Transformed(transform, positions[a]), Transformed(transform, positions[b]),
                  Transformed(transform, positions[c])}});
        };
        const std::size_t n = indices.size();
        if (mode == TINYGLTF_MODE_TRIANGLES) {
            for (std::size_t i = 0; i + 2 < n; i += 3) {
                add(indices[i], indices[i + 1], indices[i + 2]);
            }
        } else if (mode == TINYGLTF_MODE_TRIANGLE_STRIP) {
            for (std::size_t i = 0; i + 2 < n; ++i) {
                // Every other triangle of a strip turns the other way round.
                if (i % 2 == 0) {
                    add(indices[i], indices[i + 1], indices[i + 2]);
                } else {
                    add(indices[i + 1], indices[i], indices[i + 2]);
                }
            }
        } else {
            for (std::size_t i = 1; i + 1 < n; ++i) {
                add(indices[0], indices[i], indices[i + 1]);
            }
        }
    }

    static constexpr std::size_t kMostPlacedNodes = 1'000'000;

    const tinygltf::Model& model_;
    const std::string& name_;
    TriangleMesh mesh_;
    std::size_t placedNodes_ = 0;
};

// The library's file access, through the caller's fetch; a file is fetched once.
struct FileAccess {
    const ModelFileFetch& fetch;
    std::map<std::string, std::optional<std::string>> fetched;

    const std::optional<std::string>& Get(const std::string& uri) {
        auto known = fetched.find(uri);
        if (known == fetched.end()) {
            known = fetched.emplace(uri, fetch ? fetch(uri) : std::nullopt).first;
        }
        return known->second;
    }
};

tinygltf::FsCallbacks Callbacks(FileAccess& access) {
    tinygltf::FsCallbacks callbacks{};
    callbacks.FileExists = [](const std::string& path, void* user) {
        return static_cast<FileAccess*>(user)->Get(path).has_value();
    };
    callbacks.ExpandFilePath = [](const std::string& path, void*) { return path; };
    callbacks.ReadWholeFile = [](std::vector<unsigned char>* out, std::string* err,
                                 const std::string& path, void* user) {
        const std::optional<std::string>& bytes = static_cast<FileAccess*>(user)->Get(path);
        if (!bytes) {
            *err += "cannot read " + path + "\n";
            return false;
        }
        out->assign(bytes->begin(), bytes->end());
        return true;
    };
    callbacks.WriteWholeFile = [](std::string* err, const std::string&,
                                  const std::vector<unsigned char>&, void*) {
        *err += "a model is never written\n";
        return false;
    };
    callbacks.user_data = &access;
    return callbacks;
}

bool IgnoreImage(tinygltf::Image*, const int, std::string*, std::string*, int, int,
                 const unsigned char*, int, void*) {
    return true;
}

// The first line of the library's message.
std::string FirstLine(const std::string& text) {
    const std::string line = text.substr(0, text.find('\n'));
    return line.empty() ? "not a glTF model" : line;
}

}  // namespace

MeshReading ReadGltfMesh(std::string_view bytes, const std::string& name,
                         const ModelFileFetch& fetch) {
    MeshReading reading;
    if (bytes.size() > std::numeric_limits<unsigned int>::max()) {
        reading.message = TooManyTrianglesMessage(name);
        return reading;
    }
    FileAccess access{fetch, {}};
    tinygltf::TinyGLTF loader;
    loader.SetFsCallbacks(Callbacks(access));
    loader.SetImageLoader(IgnoreImage, nullptr);
    tinygltf::Model model;
    std::string errors;
    std::string warnings;
    const bool binary = bytes.starts_with("glTF");
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const bool loaded =
        binary ? loader.LoadBinaryFromMemory(&model, &errors, &warnings, data,
                                             static_cast<unsigned int>(bytes.size()), "")
               : loader.LoadASCIIFromString(&model, &errors, &warnings, bytes.data(),
                                            static_cast<unsigned int>(bytes.size()), "");
    if (!loaded) {
        reading.message = name + ": " + FirstLine(errors);
        return reading;
    }
    try {
        TriangleCollector collector(model, name);
        if (!model.scenes.empty()) {
            const std::size_t scene =
                model.defaultScene >= 0 &&
                        static_cast<std::size_t>(model.defaultScene) < model.scenes.size()
                    ? static_cast<std::size_t>(model.defaultScene)
                    : 0;
            for (const int node : model.scenes[scene].nodes) {
                collector.AddNode(node, kIdentity, 0);
            }
        } else {
            for (std::size_t mesh = 0; mesh < model.meshes.size(); ++mesh) {
                collector.AddMesh(static_cast<int>(mesh), kIdentity);
            }
        }
        reading.mesh = collector.Take();
    } catch (const Broken& broken) {
        reading.message = broken.message;
    }
    return reading;
}

}  // namespace walkconv
