#include "platform/standin/internal.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <vector>

#include "platform/standin/control.h"

namespace standin {
namespace {

struct Failure {
  int nth;
  Repeat repeat;
};

struct CallLog {
  std::vector<std::string> calls;
  std::map<std::string, int> counts;
  std::map<std::string, std::vector<Failure>> failures;
};

CallLog& Log() {
  static CallLog log;
  return log;
}

bool Fails(const std::vector<Failure>& failures, int count) {
  for (const Failure& f : failures) {
    if (count == f.nth || (f.repeat == Repeat::kFromThenOn && count > f.nth)) return true;
  }
  return false;
}

}  // namespace

bool Enter(const char* function, const std::string& arguments) {
  CallLog& log = Log();
  log.calls.push_back(std::string(function) + "(" + arguments + ")");
  int count = ++log.counts[function];
  auto it = log.failures.find(function);
  return it != log.failures.end() && Fails(it->second, count);
}

void ResetCallLog() { Log() = CallLog(); }

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
  return text;
}

void FailCall(const std::string& function, int nth, Repeat repeat) {
  Log().failures[function].push_back({nth, repeat});
}

const std::vector<std::string>& Calls() { return Log().calls; }

int CallCount(const std::string& function) {
  auto it = Log().counts.find(function);
  return it == Log().counts.end() ? 0 : it->second;
}

}  // namespace standin
