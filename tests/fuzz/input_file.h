// What the targets share: their checks, which stop the run loudly with what broke, and for
// targets whose code under test reads a file, each input written to one, in memory where the
// machine has it, and removed when the run ends.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace fuzz {

inline void Require(bool held, const char* target, const std::string& what) {
  if (held) return;
  std::fprintf(stderr, "%s: %s\n", target, what.c_str());
  __builtin_trap();
}

// Runs check; an exception escaping it is a finding, as it would end the program reading.
template <typename Check>
void RequireNoException(const char* target, const Check& check) {
  try {
    check();
  } catch (const std::exception& e) {
    Require(false, target, std::string("an exception escaped: ") + e.what());
  } catch (...) {
    Require(false, target, "an exception escaped");
  }
}

class InputFile {
 public:
  explicit InputFile(const char* target) : target_(target) {
    std::string pattern = std::string("/dev/shm/kv3-fuzz-") + target + "-XXXXXX";
    Require(mkdtemp(&pattern[0]) != nullptr, target, "cannot make a folder for the input");
    folder_ = pattern;
    path_ = folder_ + "/input.wav";
  }
  ~InputFile() {
    std::remove(path_.c_str());
    rmdir(folder_.c_str());
  }
  const std::string& path() const { return path_; }
  void Write(const uint8_t* data, size_t size) const {
    FILE* file = std::fopen(path_.c_str(), "wb");
    Require(file && std::fwrite(data, 1, size, file) == size && std::fclose(file) == 0, target_,
            "cannot write the input file");
  }

 private:
  const char* target_;
  std::string folder_, path_;
};

}  // namespace fuzz
