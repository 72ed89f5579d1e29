// A small world for the script engine's tests: variables of every prefix in one store, a
// diagnostics sink that keeps "FILE:LINE: warning: message" lines, and the gauge's macros.
// Scripts and gauge strings alike.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "bench/script/program.h"
#include "bench/script/run/runner.h"
#include "bench/script/text/text_program.h"
#include "bench/script/text/text_runner.h"

namespace script_test {

using namespace bench::script;

class Lines : public DiagnosticSink {
 public:
  void Report(const Diagnostic& d) override {
    std::string line = std::string(d.file) + ":" + std::to_string(d.line) + ": " +
                       (d.severity == Severity::kError     ? "error: "
                        : d.severity == Severity::kWarning ? "warning: "
                                                           : "note: ") +
                       std::string(d.message);
    if (!d.macro.empty()) line += " [@" + std::string(d.macro) + "]";
    lines.push_back(line);
  }
  std::vector<std::string> lines;
};

struct Event {
  std::string name;
  double value;
};

// Every variable the rule serves (bench/script/references.h), by its prefix and name. A: values
// read as unset until Set; C: writes are dropped; K: writes are events (those named in
// `bare_events` carry no value); every text read gives `event`.
class World : public VariableResolver, public VariableStore {
 public:
  Binding Resolve(const VariableUse& use) override {
    std::string key = std::string(1, use.prefix) + ":" + std::string(use.name);
    if (use.index) key += ":" + std::to_string(use.index);
    Binding binding;
    binding.store = this;
    binding.id = Id(key);
    binding.pops = !(use.prefix == 'K' && bare_events.count(std::string(use.name)));
    return binding;
  }
  bool Read(int32_t id, double* value) override {
    *value = values_[id];
    return names_[id][0] != 'A' || set_[id];
  }
  bool ReadText(int32_t, std::string_view* text) override {
    *text = event;
    return true;
  }
  bool Write(int32_t id, double value) override {
    if (names_[id][0] == 'K') events.push_back({names_[id].substr(2), value});
    if (names_[id][0] == 'C') return false;
    values_[id] = value;
    return true;
  }

  void Set(const std::string& key, double value) {
    int32_t id = Id(key);
    values_[id] = value;
    set_[id] = true;
  }
  double Get(const std::string& key) { return values_[Id(key)]; }

  std::map<std::string, bool> bare_events;
  std::vector<Event> events;
  std::string event = "LeftSingle";

 private:
  int32_t Id(const std::string& key) {
    for (size_t i = 0; i < names_.size(); ++i)
      if (names_[i] == key) return static_cast<int32_t>(i);
    names_.push_back(key);
    values_.push_back(0);
    set_.push_back(false);
    return static_cast<int32_t>(names_.size() - 1);
  }
  std::vector<std::string> names_;
  std::vector<double> values_;
  std::vector<bool> set_;
};

// Compiles scripts as one gauge's, with its macros, and runs them.
class Gauge {
 public:
  void Define(const std::string& name, const std::string& text, int line = 1) {
    macros_[name] = {text, {"Gauge.xml", line}};
  }
  Program Compile(const std::string& text, int line = 1) {
    return bench::script::Compile(text, {"Gauge.xml", line}, Lookup(), world, sink);
  }
  Result Run(const Program& program) { return runner.Run(program, sink); }
  // Compiles and runs once: the answer of a value script.
  Result Evaluate(const std::string& text) {
    programs_.push_back(Compile(text));
    return Run(programs_.back());
  }
  TextProgram CompileText(const std::string& text, int line = 1) {
    return bench::script::CompileText(text, {"Gauge.xml", line}, Lookup(), world, sink);
  }
  // Compiles and evaluates once: what the string shows.
  std::string Show(const std::string& text, int line = 1) {
    texts_.push_back(CompileText(text, line));
    runner.BeginPass();
    return std::string(text_runner.Evaluate(texts_.back(), sink));
  }
  MacroLookup Lookup() {
    return [this](std::string_view name) -> const MacroText* {
      auto found = macros_.find(std::string(name));
      return found == macros_.end() ? nullptr : &found->second;
    };
  }

  World world;
  Lines sink;
  Runner runner;
  TextRunner text_runner{runner};

 private:
  std::map<std::string, MacroText> macros_;
  std::deque<Program> programs_;  // results may point into them
  std::deque<TextProgram> texts_;
};

}  // namespace script_test
