// An object returned by the host's GetRegisteredCallback. It is a C++ object of the host:
// its table begins with AddRef, Release and the interface lookup, all __thiscall.
#pragma once

#include <cstdint>

#include "host/callconv.h"

struct RegisteredCallback;

struct RegisteredCallbackTable {
  uint32_t(HOST_THISCALL* AddRef)(RegisteredCallback* self);
  uint32_t(HOST_THISCALL* Release)(RegisteredCallback* self);
  // The interface of that name, or null. The host keeps ownership.
  void*(HOST_THISCALL* GetInterface)(RegisteredCallback* self, const char* interface_name);
};

struct RegisteredCallback {
  const RegisteredCallbackTable* table;
};
