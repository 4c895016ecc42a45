#pragma once
// Where the streams of a help file lie, read straight from the bytes of the
// file as the container format lays them out, apart from the code under
// test: its directory (section, offset and length of every name), where
// the compressed section's data begins, and the reset table that says at
// which compressed offset each 32 KB frame of decompressed data begins.

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace mb::testing {

struct ChmPlace {
    int section = 0; // 0 stored, 1 compressed
    uint64_t offset = 0;
    uint64_t length = 0;
};

struct ChmLayout {
    std::map<std::string, ChmPlace> places; // by name, as listed ("/a.htm", "::DataSpace/...")
    uint64_t contentStart = 0;              // file offset of the compressed data
    uint64_t resetInterval = 0;             // decompressed bytes between reset points
    std::vector<uint64_t> frameStarts;      // compressed offset of each 32 KB frame
};

constexpr uint64_t kLzxFrame = 32768;

inline uint64_t LittleEndian(const std::string& bytes, size_t at, int size) {
    if (at + size > bytes.size())
        throw std::out_of_range("the help file ends early");
    uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

inline uint64_t EncodedNumber(const std::string& bytes, size_t& at) {
    uint64_t value = 0;
    unsigned char byte;
    do {
        byte = static_cast<unsigned char>(bytes.at(at++));
        value = (value << 7) | (byte & 0x7f);
    } while (byte & 0x80);
    return value;
}

inline ChmLayout ReadChmLayout(const std::string& bytes) {
    ChmLayout layout;
    const uint64_t directory = LittleEndian(bytes, 0x48, 8);
    const uint64_t section0 = LittleEndian(bytes, 0x58, 8);
    const uint64_t chunkSize = LittleEndian(bytes, directory + 0x10, 4);
    const uint64_t chunks = LittleEndian(bytes, directory + 0x2c, 4);
    const uint64_t firstChunk = directory + LittleEndian(bytes, directory + 0x08, 4);
    for (uint64_t chunk = 0; chunk < chunks; ++chunk) {
        const size_t start = firstChunk + chunk * chunkSize;
        if (bytes.compare(start, 4, "PMGL") != 0)
            continue;
        const uint64_t entries = LittleEndian(bytes, start + chunkSize - 2, 2);
        size_t at = start + 0x14;
        for (uint64_t entry = 0; entry < entries; ++entry) {
            const uint64_t nameLength = EncodedNumber(bytes, at);
            std::string name = bytes.substr(at, nameLength);
            at += nameLength;
            ChmPlace place;
            place.section = static_cast<int>(EncodedNumber(bytes, at));
            place.offset = EncodedNumber(bytes, at);
            place.length = EncodedNumber(bytes, at);
            layout.places[name] = place;
        }
    }
    auto stored = [&](const std::string& name) {
        const ChmPlace& place = layout.places.at(name);
        return bytes.substr(section0 + place.offset, place.length);
    };
    const std::string compressed = "::DataSpace/Storage/MSCompressed/";
    layout.contentStart = section0 + layout.places.at(compressed + "Content").offset;
    const std::string control = stored(compressed + "ControlData");
    layout.resetInterval = LittleEndian(control, 12, 4);
    if (LittleEndian(control, 8, 4) == 2)
        layout.resetInterval *= kLzxFrame;
    const std::string table =
        stored(compressed + "Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/"
                            "InstanceData/ResetTable");
    const uint64_t count = LittleEndian(table, 4, 4);
    const uint64_t entrySize = LittleEndian(table, 8, 4);
    const uint64_t tableStart = LittleEndian(table, 12, 4);
    for (uint64_t i = 0; i < count; ++i)
        layout.frameStarts.push_back(
            LittleEndian(table, tableStart + i * entrySize, static_cast<int>(entrySize)));
    return layout;
}

} // namespace mb::testing
