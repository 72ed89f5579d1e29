// Loads the gauge module as the host does and finds its two exported records.
#pragma once

#include <string>

#include "module/gauge_records.h"

namespace bench {

class LoadedModule {
 public:
  // Natively a shared object (dlopen, then the loader's attach call to DllMain); on
  // Windows the DLL itself (LoadLibraryA). error() says why when it did not load.
  explicit LoadedModule(const std::string& path);
  ~LoadedModule();
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  bool loaded() const { return import_table_ && linkage_; }
  const std::string& error() const { return error_; }
  ImportTableRecord* import_table() const { return import_table_; }
  LinkageRecord* linkage() const { return linkage_; }
  // A symbol of the native build's module (tests use it for module state); null on Windows.
  void* Symbol(const char* name) const;

 private:
  void* handle_ = nullptr;
  ImportTableRecord* import_table_ = nullptr;
  LinkageRecord* linkage_ = nullptr;
  std::string error_;
};

}  // namespace bench
