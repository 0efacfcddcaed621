// A small OBJ reader for the export tests: positions, normals, texture coordinates, triangles
// (v/vt/vn, one-based) and the material file named, enough to check what the exporter wrote.
#pragma once

#include <array>
#include <sstream>
#include <string>
#include <vector>

struct ObjContents {
    std::vector<std::array<float, 3>> positions;
    std::vector<std::array<float, 3>> normals;
    std::vector<std::array<float, 2>> texCoords;
    std::vector<std::array<int, 9>> faces; // v, vt, vn of each corner, one-based
    std::string materialFile;
    std::string material;
    std::string error; // the first line that could not be read
};

inline ObjContents ReadObj(const std::string& text)
{
    ObjContents obj;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line) && obj.error.empty()) {
        std::istringstream in(line);
        std::string tag;
        in >> tag;
        bool ok = true;
        if (tag == "v" || tag == "vn") {
            std::array<float, 3> value{};
            ok = static_cast<bool>(in >> value[0] >> value[1] >> value[2]);
            (tag == "v" ? obj.positions : obj.normals).push_back(value);
        } else if (tag == "vt") {
            std::array<float, 2> value{};
            ok = static_cast<bool>(in >> value[0] >> value[1]);
            obj.texCoords.push_back(value);
        } else if (tag == "f") {
            std::array<int, 9> face{};
            char slash = 0;
            for (int corner = 0; corner < 3 && ok; ++corner) {
                ok = (in >> face[3 * corner] >> slash >> face[3 * corner + 1] >> slash >> face[3 * corner + 2]) &&
                     slash == '/';
            }
            obj.faces.push_back(face);
        } else if (tag == "mtllib") {
            ok = static_cast<bool>(in >> obj.materialFile);
        } else if (tag == "usemtl") {
            ok = static_cast<bool>(in >> obj.material);
        } else {
            ok = tag.empty() || tag[0] == '#';
        }
        std::string rest;
        if (!ok || (!tag.empty() && tag[0] != '#' && in >> rest)) {
            obj.error = line;
        }
    }
    return obj;
}
