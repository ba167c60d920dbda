#include "support/zip_writer.h"

#include <cstdint>

namespace kavadesk::test {
namespace {

uint32_t Crc32(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void Put16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

std::string MakeZip(const std::vector<ZipEntry>& entries) {
  std::string archive;
  std::string directory;
  const uint32_t dosTime = 0, dosDate = (45u << 9) | (1u << 5) | 1u;  // 2025-01-01
  for (const ZipEntry& e : entries) {
    const bool folder = !e.Name.empty() && e.Name.back() == '/';
    const std::string data = folder ? std::string() : e.Bytes;
    const uint32_t crc = Crc32(data);
    const uint32_t offset = static_cast<uint32_t>(archive.size());

    Put32(archive, 0x04034b50);
    Put16(archive, 10);  // version needed
    Put16(archive, 0);   // flags
    Put16(archive, 0);   // stored
    Put16(archive, dosTime);
    Put16(archive, dosDate);
    Put32(archive, crc);
    Put32(archive, static_cast<uint32_t>(data.size()));
    Put32(archive, static_cast<uint32_t>(data.size()));
    Put16(archive, static_cast<uint32_t>(e.Name.size()));
    Put16(archive, 0);
    archive += e.Name;
    archive += data;

    Put32(directory, 0x02014b50);
    Put16(directory, 20);  // made by
    Put16(directory, 10);
    Put16(directory, 0);
    Put16(directory, 0);
    Put16(directory, dosTime);
    Put16(directory, dosDate);
    Put32(directory, crc);
    Put32(directory, static_cast<uint32_t>(data.size()));
    Put32(directory, static_cast<uint32_t>(data.size()));
    Put16(directory, static_cast<uint32_t>(e.Name.size()));
    Put16(directory, 0);  // extra
    Put16(directory, 0);  // comment
    Put16(directory, 0);  // disk
    Put16(directory, 0);  // internal attributes
    Put32(directory, folder ? 0x10u : 0x20u);  // directory / archive attribute
    Put32(directory, offset);
    directory += e.Name;
  }
  const uint32_t directoryOffset = static_cast<uint32_t>(archive.size());
  archive += directory;
  Put32(archive, 0x06054b50);
  Put16(archive, 0);
  Put16(archive, 0);
  Put16(archive, static_cast<uint32_t>(entries.size()));
  Put16(archive, static_cast<uint32_t>(entries.size()));
  Put32(archive, static_cast<uint32_t>(directory.size()));
  Put32(archive, directoryOffset);
  Put16(archive, 0);
  return archive;
}

}  // namespace kavadesk::test
