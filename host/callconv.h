// Calling conventions of the host, an MSVC-built 32-bit program.
//
// Rationale: g++ -m32 on Linux and MinGW agree on these attributes, so spelling them out on
// every function-pointer type gives the same machine calls in the native and the win32 build.
// C++ member functions are cdecl on Linux, which is why the host's objects are declared as
// structs of function pointers rather than as classes.
#pragma once

#define HOST_STDCALL __attribute__((stdcall))
#define HOST_THISCALL __attribute__((thiscall))
