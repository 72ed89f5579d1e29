// A temporary simulator folder the panel tests write aircraft into, and cabinets written byte
// by byte (uncompressed: one folder, one data block per 32 KiB).
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "bench/sounds/riff_writer.h"

class PanelFolder {
 public:
  PanelFolder() {
    char pattern[] = "/tmp/kv3-panels-XXXXXX";
    root_ = mkdtemp(pattern);
  }
  ~PanelFolder() { std::filesystem::remove_all(root_); }

  std::string Path(const std::string& relative) const { return (root_ / relative).string(); }
  // Writes a file, making its folders; returns its path.
  std::string Write(const std::string& relative, const std::string& bytes) const {
    std::filesystem::path path = root_ / relative;
    std::filesystem::create_directories(path.parent_path());
    bench::WriteFileBytes(path.string(), bytes);
    return path.string();
  }

 private:
  std::filesystem::path root_;
};

using CabinetFiles = std::vector<std::pair<std::string, std::string>>;  // name, bytes

inline std::string Cabinet(const CabinetFiles& files) {
  using bench::Le16;
  using bench::Le32;
  std::string data, entries;
  for (const auto& [name, bytes] : files) {
    entries += Le32(bytes.size()) + Le32(data.size()) + Le16(0) + Le16(0x5821) + Le16(0) +
               Le16(0x20) + name + '\0';
    data += bytes;
  }
  const size_t header = 36, folder = 8, block = 32768;
  size_t blocks = (data.size() + block - 1) / block;
  size_t first_block = header + folder + entries.size();
  std::string cabinet;
  for (size_t at = 0; at < data.size(); at += block) {
    std::string chunk = data.substr(at, block);
    cabinet += Le32(0) + Le16(chunk.size()) + Le16(chunk.size()) + chunk;  // no checksum
  }
  size_t total = first_block + cabinet.size();
  std::string head = "MSCF" + Le32(0) + Le32(total) + Le32(0) + Le32(header + folder) + Le32(0) +
                     std::string("\x03\x01", 2) + Le16(1) + Le16(files.size()) + Le16(0) +
                     Le16(0x4B56) + Le16(0);
  return head + Le32(first_block) + Le16(blocks) + Le16(0) + entries + cabinet;
}
