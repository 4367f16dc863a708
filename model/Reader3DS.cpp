#include "model/Reader3DS.hpp"

#include "base/Message.hpp"
#include "base/StopRequest.hpp"
#include "model/ByteCursor.hpp"
#include "model/FileBytes.hpp"
#include "model/VertexNormals.hpp"

#include <cmath>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// Chunks nested deeper than this are skipped whole, so a file of endlessly nested chunks cannot
// exhaust the stack.
constexpr int kMaxDepth = 64;

struct ChunkCursor {
    std::uint16_t id = 0;
    std::uint32_t length = 0;   // from the header: header, data and nested chunks
    std::uint32_t consumed = 0; // bytes of this chunk read so far, header included
    std::size_t end = 0;        // file offset no read for this chunk may pass: its own end,
                                // its parent's, or the file's, whichever comes first
};

// What a file may make the reader allocate (lists, the normals they imply, material and object
// records), in bytes: a fixed allowance, enough for one object whose three lists are cut short
// after their counts, plus a multiple of the file's size that every well-formed file stays within
// (a list entry never takes more than three times its bytes in the file, with its normal), and
// never more than the cap. Time follows the same bound, since every byte taken is also written.
constexpr std::uint64_t kModelAllowance = std::uint64_t{4} << 20;
constexpr std::uint64_t kModelBytesPerFileByte = 8;
constexpr std::uint64_t kModelCap = std::uint64_t{1} << 30;

std::uint64_t ModelBudget(std::size_t fileSize) {
    const std::uint64_t budget = kModelAllowance + kModelBytesPerFileByte * fileSize;
    return budget < kModelCap ? budget : kModelCap;
}

struct Reader {
    ByteCursor file;
    std::uint64_t budget = 0;   // bytes the model may still take
    bool ended = false;         // a read met the end of the file, the budget ran out or a stop
                                // was requested: every chunk loop stops
    bool overBudget = false;    // the file asked for more memory than its budget
    std::size_t brokenAt = 0;   // offset of the first chunk shorter than its own header, or 0
    bool versionWarned = false; // the newer-version warning was shown (once a file, however many
                                // version chunks it holds)
    // The first material of each name read so far, so a material group finds its material in one
    // look-up however many materials and groups the file holds.
    std::unordered_map<std::string, std::int32_t> materialsByName;
};

// Takes bytes from the budget before they are allocated; false (and the reading ends) when the
// budget does not hold them.
bool Charge(Reader& reader, std::uint64_t bytes) {
    if (bytes > reader.budget) {
        reader.overBudget = true;
        reader.ended = true;
        return false;
    }
    reader.budget -= bytes;
    return true;
}

std::size_t ReadInto(Reader& reader, ChunkCursor& chunk, void* target, std::size_t count) {
    const std::size_t taken = reader.file.Read(target, count, chunk.end);
    chunk.consumed += static_cast<std::uint32_t>(taken);
    if (taken < count && reader.file.AtEnd()) {
        reader.ended = true;
    }
    return taken;
}

std::uint32_t Rest(const ChunkCursor& chunk) {
    return chunk.consumed < chunk.length ? chunk.length - chunk.consumed : 0;
}

void SkipRest(Reader& reader, ChunkCursor& chunk) {
    ReadInto(reader, chunk, nullptr, Rest(chunk));
}

// Reads the 6-byte header of the chunk that starts at the current position inside parent. Missing
// bytes read as 0; false when the header is not there whole.
bool ReadChunkHeader(Reader& reader, const ChunkCursor& parent, ChunkCursor& child) {
    std::uint8_t header[6] = {};
    child.end = parent.end;
    const std::size_t start = reader.file.Position();
    const std::size_t got = ReadInto(reader, child, header, sizeof header);
    child.id = LoadU16(header);
    child.length = LoadU32(header + 2);
    const std::size_t ownEnd = start + child.length;
    if (ownEnd < child.end) {
        child.end = ownEnd;
    }
    return got == sizeof header;
}

// Reads bytes up to and including a NUL (or the chunk's end) into field, keeping the first 254
// and always terminating it; returns the count read.
std::uint32_t ReadName(Reader& reader, ChunkCursor& chunk, char (&field)[kTextFieldSize]) {
    std::uint32_t count = 0;
    std::uint8_t byte = 1;
    while (byte != 0 && ReadInto(reader, chunk, &byte, 1) == 1) {
        if (count < kTextFieldSize - 1) {
            field[count] = static_cast<char>(byte);
        }
        ++count;
    }
    field[count < kTextFieldSize - 1 ? count : kTextFieldSize - 1] = '\0';
    return count;
}

// The rest of the chunk as a text field: the first 254 bytes are kept, the others read and dropped.
void ReadRestAsText(Reader& reader, ChunkCursor& chunk, char (&field)[kTextFieldSize]) {
    const std::uint32_t rest = Rest(chunk);
    const std::size_t kept =
        ReadInto(reader, chunk, field, rest < kTextFieldSize - 1 ? rest : kTextFieldSize - 1);
    field[kept] = '\0';
    SkipRest(reader, chunk);
}

// A 16-bit count at the start of a list chunk; 0 when the chunk or the file ends first.
std::int32_t ReadCount(Reader& reader, ChunkCursor& chunk) {
    std::uint8_t bytes[2];
    return ReadInto(reader, chunk, bytes, 2) == 2 ? LoadU16(bytes) : 0;
}

void ReadVersion(Reader& reader, ChunkCursor& chunk) {
    const std::uint32_t rest = Rest(chunk);
    std::uint8_t bytes[4];
    const std::size_t got = ReadInto(reader, chunk, bytes, rest < 4 ? rest : 4);
    if (rest == 4 && got == 4 && static_cast<std::int32_t>(LoadU32(bytes)) > 3 && !reader.versionWarned) {
        reader.versionWarned = true;
        ShowMessage("Atencion!!!",
                    "Este archivo 3ds es posterior a la version 3.0 por lo que podr\xED"
                    "a haber errores en la carga",
                    MessageIcon::None);
    }
    SkipRest(reader, chunk);
}

// Reads a 16-bit count and that many entries of kBytes each into a fresh zero-filled list that
// replaces any earlier one (freed first); entries missing from a chunk shorter than its count stay
// zero. extraPerEntry is memory each entry implies beyond its own (a vertex's normal); nothing is
// taken when the budget cannot hold it all, and the list is then left empty.
template <typename Entry, std::size_t kBytes, typename DecodeEntry>
void ReadList(Reader& reader, ChunkCursor& chunk, std::vector<Entry>& entries, std::size_t extraPerEntry,
              DecodeEntry decode) {
    const std::int32_t listed = ReadCount(reader, chunk);
    entries = std::vector<Entry>();
    if (!Charge(reader, static_cast<std::uint64_t>(listed) * (sizeof(Entry) + extraPerEntry))) {
        return;
    }
    entries.resize(static_cast<std::size_t>(listed));
    for (Entry& entry : entries) {
        std::uint8_t bytes[kBytes] = {};
        const std::size_t got = ReadInto(reader, chunk, bytes, kBytes);
        decode(bytes, entry);
        if (got < kBytes) {
            break;
        }
    }
}

// Bytes past the count are read and dropped.
void ReadVertexList(Reader& reader, MeshObject& object, ChunkCursor& chunk) {
    ReadList<Vector3, 12>(
        reader, chunk, object.vertices, sizeof(Vector3),
        [](const std::uint8_t* b, Vector3& v) { v = Vector3(LoadF32(b), LoadF32(b + 4), LoadF32(b + 8)); });
    SkipRest(reader, chunk);
}

void ReadTexCoordList(Reader& reader, MeshObject& object, ChunkCursor& chunk) {
    ReadList<TexCoord, 8>(reader, chunk, object.texCoords, 0, [](const std::uint8_t* b, TexCoord& t) {
        t = TexCoord{LoadF32(b), LoadF32(b + 4)};
    });
    SkipRest(reader, chunk);
}

// Reads the faces only (three vertex indices and a dropped flag word each): the face list's nested
// chunks (its material groups) are left for the object loop, which meets them as if they followed
// the list.
void ReadFaceList(Reader& reader, MeshObject& object, ChunkCursor& chunk) {
    ReadList<Face, 8>(reader, chunk, object.faces, 0, [](const std::uint8_t* b, Face& face) {
        for (int k = 0; k < 3; ++k) {
            face.vertexIndex[k] = LoadU16(b + 2 * k);
        }
    });
}

// The last group decides the material; textured, once set, stays set. A name that matches none
// of the materials read so far gives -1; with no materials yet the index is left alone.
void ReadMaterialGroup(Reader& reader, Model& model, int objectIndex, ChunkCursor& chunk) {
    char name[kTextFieldSize];
    ReadName(reader, chunk, name);
    MeshObject& object = model.objects[objectIndex];
    if (model.MaterialCount() > 0) {
        const auto found = reader.materialsByName.find(name);
        object.materialIndex = found == reader.materialsByName.end() ? -1 : found->second;
        if (found != reader.materialsByName.end() && model.materials[found->second].textureFile[0] != '\0') {
            object.textured = true;
        }
    }
    SkipRest(reader, chunk);
}

std::uint8_t ColourByte(float value) {
    const float scaled = value * 255.0f;
    if (!(scaled > 0.0f)) {
        return 0;
    }
    return scaled >= 255.0f ? 255 : static_cast<std::uint8_t>(std::lround(scaled));
}

// The colour chunk's first nested chunk gives the colour: 24-bit ids (and any unknown id) as raw
// red, green, blue bytes; float ids (0x0010, 0x0013) scaled from 0..1 to bytes. Further nested
// chunks are left for the material loop, which skips them.
void ReadDiffuseColour(Reader& reader, Material& material, ChunkCursor& chunk) {
    ChunkCursor nested;
    if (ReadChunkHeader(reader, chunk, nested)) {
        const std::uint32_t rest = Rest(nested);
        if (nested.id == 0x0010 || nested.id == 0x0013) {
            std::uint8_t bytes[12] = {};
            ReadInto(reader, nested, bytes, rest < 12 ? rest : 12);
            for (int c = 0; c < 3; ++c) {
                material.colour[c] = ColourByte(LoadF32(bytes + 4 * c));
            }
        } else {
            ReadInto(reader, nested, material.colour, rest < 3 ? rest : 3);
        }
        SkipRest(reader, nested);
    }
    chunk.consumed += nested.consumed;
}

// The chunk loop of every level: while the parent has bytes left, reads the next nested chunk's
// header and hands the chunk to handle, then counts what was read for it into the parent. A header
// cut short by the parent's end or the file's ends the loop; a level nested too deep is skipped.
template <typename Handle> void ForEachChunk(Reader& reader, ChunkCursor& parent, int depth, Handle handle) {
    if (depth > kMaxDepth) {
        SkipRest(reader, parent);
        return;
    }
    while (parent.consumed < parent.length && !reader.ended) {
        if (StopRequested()) {
            reader.ended = true;
            break;
        }
        ChunkCursor child;
        const std::size_t start = reader.file.Position();
        const bool whole = ReadChunkHeader(reader, parent, child);
        // A length shorter than the header cannot be a chunk (runs of zero bytes, a hole in a
        // sparse file): the rest of the parent is skipped unread rather than walked six bytes at
        // a time.
        const bool broken = whole && child.length < sizeof(std::uint16_t) + sizeof(std::uint32_t);
        if (whole && !broken) {
            handle(child);
        }
        parent.consumed += child.consumed;
        if (broken) {
            if (reader.brokenAt == 0) {
                reader.brokenAt = start;
            }
            SkipRest(reader, parent);
        }
        if (!whole || broken) {
            break;
        }
    }
}

void ParseMaterialChunks(Reader& reader, Model& model, int materialIndex, ChunkCursor& parent, int depth) {
    ForEachChunk(reader, parent, depth, [&](ChunkCursor& child) {
        Material& material = model.materials[materialIndex];
        switch (child.id) {
        case 0xA000:
            ReadRestAsText(reader, child, material.name);
            break;
        case 0xA020:
            ReadDiffuseColour(reader, material, child);
            break;
        case 0xA200: // only the first texture map is entered; other maps are skipped whole
            ParseMaterialChunks(reader, model, materialIndex, child, depth + 1);
            break;
        case 0xA300:
            ReadRestAsText(reader, child, material.textureFile);
            break;
        default:
            SkipRest(reader, child);
            break;
        }
    });
}

void ParseMeshChunks(Reader& reader, Model& model, int objectIndex, ChunkCursor& parent, int depth) {
    ForEachChunk(reader, parent, depth, [&](ChunkCursor& child) {
        MeshObject& object = model.objects[objectIndex];
        switch (child.id) {
        case 0x4100:
            ParseMeshChunks(reader, model, objectIndex, child, depth + 1);
            break;
        case 0x4110:
            ReadVertexList(reader, object, child);
            break;
        case 0x4120:
            ReadFaceList(reader, object, child);
            break;
        case 0x4130:
            ReadMaterialGroup(reader, model, objectIndex, child);
            break;
        case 0x4140:
            ReadTexCoordList(reader, object, child);
            break;
        default:
            SkipRest(reader, child);
            break;
        }
    });
}

void ParseMainChunks(Reader& reader, Model& model, ChunkCursor& parent, int depth) {
    ForEachChunk(reader, parent, depth, [&](ChunkCursor& child) {
        switch (child.id) {
        case 0x0002:
            ReadVersion(reader, child);
            break;
        case 0x3D3D: {
            // The editor chunk's first nested chunk is skipped whole, whatever it holds.
            ChunkCursor first;
            if (ReadChunkHeader(reader, child, first)) {
                SkipRest(reader, first);
            }
            child.consumed += first.consumed;
            ParseMainChunks(reader, model, child, depth + 1);
            break;
        }
        case 0xAFFF: {
            if (!Charge(reader, sizeof(Material))) {
                break;
            }
            const int index = AppendMaterial(model);
            ParseMaterialChunks(reader, model, index, child, depth + 1);
            // Its name is final once its chunk is read; an earlier material of that name wins.
            reader.materialsByName.emplace(model.materials[index].name, index);
            break;
        }
        case 0x4000: {
            if (!Charge(reader, sizeof(MeshObject))) {
                break;
            }
            const int index = AppendObject(model);
            ReadName(reader, child, model.objects[index].name);
            ParseMeshChunks(reader, model, index, child, depth + 1);
            break;
        }
        default:
            SkipRest(reader, child);
            break;
        }
    });
}

// The reader's one message for a file it cannot load, whatever the reason.
void ShowLoadFailure(const char* path) {
    ShowMessage("Importar3DS", (std::string("Error al cargar el archivo: ") + path + "!").c_str(),
                MessageIcon::None);
}

} // namespace

bool Read3dsFile(Model& model, const char* path) {
    FileBytes bytes;
    if (!bytes.Open(path)) {
        ShowLoadFailure(path);
        return false;
    }
    const bool read = Read3dsBytes(model, bytes.Data(), bytes.Size(), path);
    if (bytes.Changed()) {
        model = Model();
        ShowMessage("Importar3DS",
                    (std::string("El archivo ") + path +
                     " ha cambiado mientras se le\xED"
                     "a")
                        .c_str(),
                    MessageIcon::None);
        return false;
    }
    return read;
}

namespace {

// Past this magnitude a float no longer holds every whole unit, and the level's measure (distances
// truncated to whole units) and collision lose their meaning; a vertex there (or at infinity, or
// not a number) is a damaged file, not a level.
constexpr float kMaxCoordinate = 16777216.0f;

bool CoordinateInRange(float value) {
    return std::fabs(value) <= kMaxCoordinate; // false for NaN too
}

// The first object with a vertex out of range, or null.
const MeshObject* ObjectOutOfRange(const Model& model) {
    for (const MeshObject& object : model.objects) {
        for (const Vector3& v : object.vertices) {
            if (!CoordinateInRange(v.x) || !CoordinateInRange(v.y) || !CoordinateInRange(v.z)) {
                return &object;
            }
        }
    }
    return nullptr;
}

bool HasDrawableObject(const Model& model) {
    for (const MeshObject& object : model.objects) {
        if (!object.vertices.empty() && !object.faces.empty()) {
            return true;
        }
    }
    return false;
}

} // namespace

bool Read3dsBytes(Model& model, const std::uint8_t* data, std::size_t size, const char* path) {
    Reader reader{ByteCursor(data, size), 0, false, false, 0, false, {}};
    reader.budget = ModelBudget(size);
    ChunkCursor file;
    file.end = size;
    ChunkCursor main;
    ReadChunkHeader(reader, file, main);
    if (main.id != 0x4D4D) {
        ShowMessage("Error", (std::string("Error al cargar el chunk PRIMARIO del archivo ") + path).c_str(),
                    MessageIcon::None);
        return false;
    }
    ParseMainChunks(reader, model, main, 0);
    if (reader.overBudget) {
        // As costly as the file would be, it is refused as one that cannot be loaded.
        model = Model();
        ShowLoadFailure(path);
        return false;
    }
    if (const MeshObject* object = ObjectOutOfRange(model)) {
        char text[768];
        std::snprintf(text, sizeof text,
                      "El archivo %s tiene un v\xE9rtice no finito o fuera de rango en el objeto \"%s\"",
                      path, object->name);
        model = Model();
        ShowMessage("Importar3DS", text, MessageIcon::None);
        return false;
    }
    BuildVertexNormals(model);
    if (!HasDrawableObject(model) && !StopRequested()) {
        char text[512];
        if (reader.brokenAt != 0) {
            std::snprintf(
                text, sizeof text,
                "El archivo %s no contiene ning\xFAn objeto: tiene %zu bytes y un chunk roto en el byte %zu",
                path, size, reader.brokenAt);
        } else {
            std::snprintf(text, sizeof text,
                          "El archivo %s no contiene ning\xFAn objeto con caras que dibujar", path);
        }
        ShowMessage("Importar3DS", text, MessageIcon::None);
    }
    return true;
}
