#include "web/stored_zip.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace cpt::web {
namespace {

std::uint32_t crc32(std::string_view bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// The fields every header of an entry shares, from "version needed" on.
void putCommon(std::string& out, const ZipEntry& entry, std::uint32_t crc, std::uint16_t time, std::uint16_t date) {
    constexpr std::uint16_t VersionNeeded = 10;  // stored entries
    constexpr std::uint16_t Utf8Names = 1u << 11;
    put16(out, VersionNeeded);
    put16(out, Utf8Names);
    put16(out, 0);  // stored
    put16(out, time);
    put16(out, date);
    put32(out, crc);
    put32(out, static_cast<std::uint32_t>(entry.bytes.size()));
    put32(out, static_cast<std::uint32_t>(entry.bytes.size()));
    put16(out, static_cast<std::uint32_t>(entry.name.size()));
    put16(out, 0);  // no extra field
}

}  // namespace

std::string storedZip(std::span<const ZipEntry> entries, const DateTime& modified) {
    // The archive is small: sizes past 4 GB (zip64) are never needed.
    const auto time = static_cast<std::uint16_t>((modified.hour << 11) | (modified.minute << 5) | (modified.second / 2));
    const auto date =
        static_cast<std::uint16_t>(((modified.year - 1980) << 9) | (modified.month << 5) | modified.day);
    std::string archive;
    std::string directory;
    for (const ZipEntry& entry : entries) {
        if (entry.bytes.size() >= 0xFFFFFFFFu || entry.name.size() > 0xFFFF) {
            throw std::length_error("storedZip: an entry too large for a plain zip archive");
        }
        const std::uint32_t crc = crc32(entry.bytes);
        const auto offset = static_cast<std::uint32_t>(archive.size());
        put32(archive, 0x04034b50);
        putCommon(archive, entry, crc, time, date);
        archive += entry.name;
        archive += entry.bytes;

        put32(directory, 0x02014b50);
        put16(directory, 20);  // made by: MS-DOS attributes, version 2.0
        putCommon(directory, entry, crc, time, date);
        put16(directory, 0);  // no comment
        put16(directory, 0);  // disk
        put16(directory, 0);  // internal attributes
        put32(directory, 0);  // external attributes
        put32(directory, offset);
        directory += entry.name;
    }
    const auto directoryOffset = static_cast<std::uint32_t>(archive.size());
    archive += directory;
    put32(archive, 0x06054b50);
    put16(archive, 0);
    put16(archive, 0);
    put16(archive, static_cast<std::uint32_t>(entries.size()));
    put16(archive, static_cast<std::uint32_t>(entries.size()));
    put32(archive, static_cast<std::uint32_t>(directory.size()));
    put32(archive, directoryOffset);
    put16(archive, 0);  // no comment
    return archive;
}

}  // namespace cpt::web
