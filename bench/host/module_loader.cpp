#include "bench/host/module_loader.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>

#include "platform/platform.h"
#endif

namespace bench {

#if defined(_WIN32)

LoadedModule::LoadedModule(const std::string& path) {
  HMODULE module = LoadLibraryA(path.c_str());
  if (!module) {
    error_ = path + ": LoadLibraryA failed with error " + std::to_string(GetLastError());
    return;
  }
  handle_ = module;
  import_table_ = reinterpret_cast<ImportTableRecord*>(GetProcAddress(module, "ImportTable"));
  linkage_ = reinterpret_cast<LinkageRecord*>(GetProcAddress(module, "Linkage"));
  if (!loaded()) error_ = path + ": does not export ImportTable and Linkage";
}

LoadedModule::~LoadedModule() {
  if (handle_) FreeLibrary(static_cast<HMODULE>(handle_));
}

void* LoadedModule::Symbol(const char*) const { return nullptr; }

#else

using DllEntry = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);

LoadedModule::LoadedModule(const std::string& path) {
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) {
    error_ = dlerror();
    return;
  }
  // The Windows loader calls the entry point on attach; dlopen does not, so do it here.
  if (auto entry = reinterpret_cast<DllEntry>(dlsym(handle_, "DllMain")))
    entry(nullptr, DLL_PROCESS_ATTACH, nullptr);
  import_table_ = static_cast<ImportTableRecord*>(dlsym(handle_, "ImportTable"));
  linkage_ = static_cast<LinkageRecord*>(dlsym(handle_, "Linkage"));
  if (!loaded()) error_ = path + ": does not export ImportTable and Linkage";
}

LoadedModule::~LoadedModule() {
  if (!handle_) return;
  if (auto entry = reinterpret_cast<DllEntry>(dlsym(handle_, "DllMain")))
    entry(nullptr, DLL_PROCESS_DETACH, nullptr);
  dlclose(handle_);
}

void* LoadedModule::Symbol(const char* name) const {
  return handle_ ? dlsym(handle_, name) : nullptr;
}

#endif

}  // namespace bench
