#include "core/mesh/obj_reader.h"

#include <charconv>
#include <cstdint>
#include <istream>
#include <optional>
#include <sstream>
#include <streambuf>
#include <vector>

#define TINYOBJLOADER_IMPLEMENTATION
#include <tiny_obj_loader.h>

namespace walkconv {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The lines of an OBJ text, ended by LF, CR LF or CR alone, as the OBJ library reads them.
class Lines {
  public:
    explicit Lines(std::string_view text) : text_(text) {}

    bool Next(std::string_view& line) {
        if (at_ >= text_.size()) {
            return false;
        }
        std::size_t end = at_;
        while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r') {
            ++end;
        }
        line = text_.substr(at_, end - at_);
        at_ =
            end + (end + 1 < text_.size() && text_[end] == '\r' && text_[end + 1] == '\n' ? 2 : 1);
        ++number_;
        return true;
    }

    int Number() const { return number_; }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
    int number_ = 0;
};

// The text as a stream for the library, without copying it.
class ViewBuffer : public std::streambuf {
  public:
    explicit ViewBuffer(std::string_view text) {
        char* begin = const_cast<char*>(text.data());  // only ever read
        setg(begin, begin, begin + text.size());
    }
};

// A face's reference to a vertex that may lie beyond the vertices read so far: only the end of
// the file tells whether it exists.
struct ForwardReference {
    int line = 0;
    std::int64_t vertex = 0;
};

// What the library would pass over in silence or read as another vertex: faces naming vertices
// that do not exist, and more triangles than a model may have. Empty when the text is sound.
std::string FaultOfFaces(std::string_view text, const std::string& name) {
    Lines lines(text);
    std::string_view line;
    std::int64_t vertices = 0;
    std::size_t triangles = 0;
    std::vector<ForwardReference> forward;
    const auto at = [&] { return name + ":" + std::to_string(lines.Number()) + ": "; };
    while (lines.Next(line)) {
        std::size_t i = 0;
        while (i < line.size() && IsBlank(line[i])) {
            ++i;
        }
        if (i + 1 >= line.size() || !IsBlank(line[i + 1]) || (line[i] != 'v' && line[i] != 'f')) {
            continue;
        }
        if (line[i] == 'v') {
            ++vertices;
            continue;
        }
        std::size_t corners = 0;
        for (i += 2; i < line.size();) {
            if (IsBlank(line[i])) {
                ++i;
                continue;
            }
            std::size_t end = i;
            while (end < line.size() && !IsBlank(line[end])) {
                ++end;
            }
            const std::string_view word = line.substr(i, end - i);
            std::int64_t vertex = 0;
            const auto [stop, error] =
                std::from_chars(word.data(), word.data() + word.size(), vertex);
            if (error == std::errc::result_out_of_range) {
                return at() + "face refers to vertex " +
                       std::string(word.substr(0, stop - word.data())) + " of " +
                       std::to_string(vertices);
            }
            if (error != std::errc{} || (stop != word.data() + word.size() && *stop != '/')) {
                return at() + "face holds '" + std::string(word) +
                       "', which is not a vertex number";
            }
            if (vertex == 0) {
                return at() + "face refers to vertex 0; vertices count from 1";
            }
            if (vertex < 0 && -vertex > vertices) {
                return at() + "face refers to vertex " + std::to_string(vertex) + ", but only " +
                       std::to_string(vertices) + " precede it";
            }
            if (vertex > vertices) {
                forward.push_back({lines.Number(), vertex});
            }
            ++corners;
            i = end;
        }
        if (corners >= 3) {
            triangles += corners - 2;
            if (triangles > kMostTriangles) {
                return TooManyTrianglesMessage(name + ":" + std::to_string(lines.Number()));
            }
        }
    }
    for (const ForwardReference& reference : forward) {
        if (reference.vertex > vertices) {
            return name + ":" + std::to_string(reference.line) + ": face refers to vertex " +
                   std::to_string(reference.vertex) + " of " + std::to_string(vertices);
        }
    }
    return {};
}

double SquaredDistance(const MeshCorner& a, const MeshCorner& b) {
    const double dx = double{a.x} - b.x;
    const double dy = double{a.y} - b.y;
    const double dz = double{a.z} - b.z;
    return dx * dx + dy * dy + dz * dz;
}

// A face cut into triangles: a quad along its shorter diagonal, which keeps a bent quad close
// to its corners; a larger polygon as a fan from its first corner, as exporters write convex
// faces.
void AddFace(const std::vector<MeshCorner>& face, TriangleMesh& mesh) {
    if (face.size() == 4 && SquaredDistance(face[1], face[3]) < SquaredDistance(face[0], face[2])) {
        mesh.triangles.push_back({{face[0], face[1], face[3]}});
        mesh.triangles.push_back({{face[1], face[2], face[3]}});
        return;
    }
    for (std::size_t i = 1; i + 1 < face.size(); ++i) {
        mesh.triangles.push_back({{face[0], face[i], face[i + 1]}});
    }
}

}  // namespace

MeshReading ReadObjMesh(std::string_view text, const std::string& name) {
    MeshReading reading;
    reading.message = FaultOfFaces(text, name);
    if (!reading.message.empty()) {
        return reading;
    }
    tinyobj::attrib_t attributes;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warnings;
    std::string errors;
    ViewBuffer buffer(text);
    std::istream stream(&buffer);
    std::istringstream noMaterials;
    tinyobj::MaterialStreamReader materialReader(noMaterials);
    // The library's own cutting of polygons takes time that grows with the cube of their
    // corners; AddFace cuts them in a time that grows with their corners.
    if (!tinyobj::LoadObj(&attributes, &shapes, &materials, &warnings, &errors, &stream,
                          &materialReader, false, false)) {
        reading.message = name + ": " + errors.substr(0, errors.find('\n'));
        return reading;
    }
    const std::vector<tinyobj::real_t>& values = attributes.vertices;
    const auto corner = [&](const tinyobj::index_t& index) {
        const auto first = static_cast<std::size_t>(index.vertex_index) * 3;
        // Checked above already; kept so that no index from the file is ever trusted.
        if (index.vertex_index < 0 || first + 2 >= values.size()) {
            return std::optional<MeshCorner>();
        }
        return std::optional(MeshCorner{values[first], values[first + 1], values[first + 2]});
    };
    TriangleMesh mesh;
    for (const tinyobj::shape_t& shape : shapes) {
        const std::vector<tinyobj::index_t>& indices = shape.mesh.indices;
        std::size_t first = 0;
        for (const unsigned int corners : shape.mesh.num_face_vertices) {
            if (first + corners > indices.size()) {
                break;
            }
            std::vector<MeshCorner> face;
            for (std::size_t i = first; i < first + corners; ++i) {
                if (const std::optional<MeshCorner> c = corner(indices[i])) {
                    face.push_back(*c);
                }
            }
            first += corners;
            AddFace(face, mesh);
        }
    }
    reading.mesh = std::move(mesh);
    return reading;
}

}  // namespace walkconv
