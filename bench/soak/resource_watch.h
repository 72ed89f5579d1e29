// What a soak watches after each teardown and unload of the module. Natively: the stand-in's
// open files, sound buffers and devices, which must all be 0. Under Windows (Wine): the
// process's handle count and private memory, sampled at the first unload, then at the first
// unload of each minute and at the last, which must not grow past the first sample.
#pragma once

#include <string>
#include <vector>

namespace bench {

class ResourceWatch {
 public:
  // After a teardown and unload, seconds into the soak; the last one ends it.
  void AfterUnload(double seconds, bool last);
  // The figures, one line each, and whether anything grew or was left open.
  std::vector<std::string> Report() const;
  bool Grew() const { return grew_; }

 private:
  struct Sample {
    double seconds;
    long handles;
    long private_kb;
  };
  std::vector<Sample> samples_;
  int unloads_ = 0;
  int most_files_ = 0, most_buffers_ = 0, most_devices_ = 0;
  bool grew_ = false;
};

}  // namespace bench
