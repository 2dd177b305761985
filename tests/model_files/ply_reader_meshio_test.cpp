// The PLY reader against an independent one: Debian's python3-meshio, run by Debian's own Python
// (/usr/bin/python3, which need not be the first python3 on the PATH). The samples of
// assimp-testmodels that have faces, and generated files of every coordinate type in each body,
// must give the same vertices and the same faces. Skipped, saying why, where either is missing.
//
// Only what meshio (5.0, Debian 12's) reads is given to it: it reads a face list only under the
// name vertex_indices (so not cube.ply, whose list is vertex_index), and in a binary body it
// knows no 16-bit signed type, and char and ushort only by their names int8 and uint16.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model_files/load_model.h"
#include "tests/model_files/model_file_checks.h"
#include "tests/model_files/ply_files.h"
#include "tests/scratch_folder.h"

namespace {

using model_file_checks::Loops;

constexpr char kPython[] = "/usr/bin/python3";

// Reads every file named with meshio and prints, as one JSON object by path, its points and its
// cells (meshio groups them by kind: triangles, quads, polygons).
constexpr char kMeshioDump[] = R"(
import json, sys
import meshio
out = {}
for path in sys.argv[1:]:
    mesh = meshio.read(path, file_format="ply")
    cells = [[int(v) for v in cell] for block in mesh.cells for cell in block.data]
    out[path] = {"points": mesh.points.tolist(), "cells": cells}
json.dump(out, sys.stdout)
)";

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What meshio made of each file, or why it could not be asked.
std::string meshio_answers(const std::vector<std::string>& paths, nlohmann::json& answers) {
  if (!std::filesystem::exists(kPython)) return "Debian's Python (/usr/bin/python3) is missing";
  const std::string folder = testmodels::scratch_folder();
  std::ofstream(folder + "/dump.py") << kMeshioDump;
  std::string command = std::string(kPython) + " -c 'import meshio' 2>/dev/null";
  if (std::system(command.c_str()) != 0) return "python3-meshio is not installed";
  command = std::string(kPython) + " " + folder + "/dump.py";
  for (const std::string& path : paths) command += " '" + path + "'";
  command += " >" + folder + "/answers.json";
  if (std::system(command.c_str()) != 0) return "!meshio failed on one of the files";
  answers = nlohmann::json::parse(read_file(folder + "/answers.json"));
  return "";
}

// Faces in a canonical order, as meshio does not keep the file's.
Loops sorted(Loops loops) {
  std::sort(loops.begin(), loops.end());
  return loops;
}

void expect_same_as_meshio(const std::string& path, const nlohmann::json& answer) {
  SCOPED_TRACE(path);
  standin::LoadedModel model;
  ASSERT_EQ(standin::load_model_file(path, model), "");
  ASSERT_EQ(model.objects.size(), 1u);
  const standin::Mesh& mesh = model.objects[0];
  const nlohmann::json& points = answer["points"];
  ASSERT_EQ(mesh.vertices.size(), points.size());
  for (std::size_t v = 0; v < points.size(); ++v) {
    const double ours[] = {mesh.vertices[v].x, mesh.vertices[v].y, mesh.vertices[v].z};
    for (int axis = 0; axis < 3; ++axis) {
      // meshio reads an ASCII "float" property into 32 bits; this reader reads text as written.
      const double theirs = points[v][axis].get<double>();
      ASSERT_LE(std::fabs(ours[axis] - theirs), 1e-6 * std::max(1.0, std::fabs(theirs)))
          << "vertex " << v << " axis " << axis;
    }
  }
  Loops faces;
  for (const nlohmann::json& cell : answer["cells"]) {
    faces.push_back(cell.get<std::vector<std::uint32_t>>());
  }
  EXPECT_EQ(sorted(model_file_checks::loops_of(mesh)), sorted(faces));
}

TEST(PlyReaderMeshio, SamplesAndGeneratedFilesMatchMeshio) {
  const std::string folder = testmodels::scratch_folder();
  std::vector<std::string> paths;
  const std::string samples = "/usr/share/assimp/models/PLY/";
  if (std::filesystem::exists(samples)) {
    for (const char* sample : {"cube_binary.ply", "cube_uv.ply", "float-color.ply"}) {
      paths.push_back(samples + sample);
    }
    // meshio refuses the bare sentence on the third line of Wuson.ply: it is given the file
    // without that line.
    std::string wuson = read_file(samples + "Wuson.ply");
    const std::size_t third = wuson.find('\n', wuson.find('\n') + 1) + 1;
    wuson.erase(third, wuson.find('\n', third) + 1 - third);
    std::ofstream(folder + "/Wuson.ply", std::ios::binary) << wuson;
    paths.push_back(folder + "/Wuson.ply");
  }
  using namespace ply_files;
  int made = 0;
  for (Body body : {Body::kAscii, Body::kLittleEndian, Body::kBigEndian}) {
    for (int t = 0; t < 8; ++t) {
      PlyType coordinate = kTypes[t];
      if (body != Body::kAscii) {
        if (t == 2) continue;  // short: no 16-bit signed type in meshio's binary reader
        if (t == 0) coordinate.name = "int8";
        if (t == 3) coordinate.name = "uint16";
      }
      PlyType count = kTypes[1 + 2 * (made % 3)];  // uchar, ushort (as uint16), uint
      if (count.bytes == 2) count.name = "uint16";
      const PlyType& index = kTypes[4 + made % 2];  // int, uint
      const std::string path = folder + "/made" + std::to_string(made++) + ".ply";
      std::ofstream(path, std::ios::binary)
          << ply_file(Model{}, Layout{body, coordinate, count, index});
      paths.push_back(path);
    }
  }
  nlohmann::json answers;
  const std::string missing = meshio_answers(paths, answers);
  if (!missing.empty() && missing[0] != '!') GTEST_SKIP() << missing;
  ASSERT_EQ(missing, "");
  for (const std::string& path : paths) expect_same_as_meshio(path, answers[path]);
}

}  // namespace
