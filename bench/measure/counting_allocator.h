// Counts every allocation of the program that includes it (once, in one source file): the
// module, the script engine and the panel runner promise a frame allocates nothing. Every
// form of new and delete is replaced, so no pair is split between this and the library's.
#pragma once

#include <cstdlib>
#include <new>

namespace {

long allocations = 0;  // since the program started

void* Allocate(std::size_t size) noexcept {
  ++allocations;
  return std::malloc(size ? size : 1);
}

}  // namespace

// Every allocation of the program passes here, and so every release, whichever form of
// new and delete the library picks. GCC cannot tell that these deletes pair with these news.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  if (void* p = Allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
