// What a runner has reported. A runtime warning goes out once per place of a compiled program
// (the location of an instruction, a variable reference, a part of a string), however often it
// recurs; the runner keeps the record, so a program stays as it was compiled and can run on any
// runner. Asking about a place allocates nothing; a place's first report adds it.
#pragma once

#include <cstdint>
#include <unordered_map>

namespace bench::script {

class ReportedOnce {
 public:
  // True the first time this kind (one bit) is asked at this place of this program.
  bool First(uint32_t program, uint32_t place, uint16_t kind) {
    uint16_t& reported = kinds_[(uint64_t{program} << 32) | place];
    if (reported & kind) return false;
    reported |= kind;
    return true;
  }

 private:
  std::unordered_map<uint64_t, uint16_t> kinds_;  // by program id and place
};

}  // namespace bench::script
