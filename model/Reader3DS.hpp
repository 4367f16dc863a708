#pragma once

#include "model/Model.hpp"

#include <cstddef>
#include <cstdint>

// Reads the 3DS file at path into model (expected empty): materials with their names, diffuse
// colours and first texture map's file name; mesh objects with names, vertices, faces, texture
// coordinates and one material each; then builds the vertex normals. True when the file was
// opened and starts with the main chunk 0x4D4D. Shows its own messages ("Importar3DS", "Error",
// "Atencion!!!"). Every read is bounded by its chunk and by the file, so a damaged file ends the
// reading early instead of overrunning anything. A file cut short while it is read, or holding a
// vertex that is not finite or lies past 2^24 units, is refused (false, model left empty) with a
// message naming it. Issues no GL calls.
bool Read3dsFile(Model& model, const char* path);

// Read3dsFile over a file's bytes already in memory: the same reading, normals and messages (path
// names the file in them). For the fuzz targets, which must not touch the file system.
bool Read3dsBytes(Model& model, const std::uint8_t* data, std::size_t size, const char* path);
