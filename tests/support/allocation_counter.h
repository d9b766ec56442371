#pragma once
// Counts allocations and foreign mutex locks on the thread under test: replaces the
// allocation functions (on Linux also malloc and pthread_mutex_lock) of the whole
// program. Include it in exactly one file of a test program; a program that
// includes it cannot run under the sanitizers, which replace the same functions.
//
//   tCounting = true; ...code under test...; tCounting = false;
//   EXPECT_EQ(gAllocations, 0); EXPECT_EQ(gForeignLocks, 0);
//   gAllowedLock: the one lock (native handle) the code may take, on Linux.

#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <dlfcn.h>
#include <pthread.h>
#endif

namespace {
thread_local bool tCounting = false;
int gAllocations = 0;
int gForeignLocks = 0;
#if defined(__linux__)
const void* gAllowedLock = nullptr;  // the instance lock: the caller already holds it
#endif

void* Counted(void* p) noexcept {
  if (tCounting) ++gAllocations;
  return p;
}
}  // namespace

void* operator new(std::size_t size) {
  if (void* p = Counted(std::malloc(size ? size : 1))) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Counted(std::malloc(size ? size : 1)); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Counted(std::malloc(size ? size : 1)); }
void operator delete(void* p) noexcept { std::free(Counted(p)); }
void operator delete[](void* p) noexcept { std::free(Counted(p)); }
void operator delete(void* p, std::size_t) noexcept { std::free(Counted(p)); }
void operator delete[](void* p, std::size_t) noexcept { std::free(Counted(p)); }

#if defined(__linux__)
extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* malloc(std::size_t size) { return Counted(__libc_malloc(size)); }
void* calloc(std::size_t count, std::size_t size) { return Counted(__libc_calloc(count, size)); }
void* realloc(void* p, std::size_t size) { return Counted(__libc_realloc(p, size)); }

using LockFunction = int (*)(pthread_mutex_t*);
LockFunction gRealLock = nullptr;
__attribute__((constructor)) void ResolveRealLock() {
  gRealLock = reinterpret_cast<LockFunction>(dlsym(RTLD_NEXT, "pthread_mutex_lock"));
}
int pthread_mutex_lock(pthread_mutex_t* mutex) {
  if (tCounting && mutex != gAllowedLock) ++gForeignLocks;
  if (!gRealLock) ResolveRealLock();
  return gRealLock(mutex);
}
}
#endif

