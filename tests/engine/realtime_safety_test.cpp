// The audio path allocates nothing and takes no lock but the instance lock its
// caller already holds. This program replaces the allocation functions (and,
// on Linux, the C library's malloc family and pthread_mutex_lock) to count
// them on the thread under test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <mutex>
#include <new>
#include <vector>

#include "test_plugin.h"

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

void NoteAllocation() noexcept {
  if (tCounting) ++gAllocations;
}

void* Allocate(std::size_t size) {
  NoteAllocation();
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  NoteAllocation();
  return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  NoteAllocation();
  return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept { NoteAllocation(); std::free(p); }
void operator delete[](void* p) noexcept { NoteAllocation(); std::free(p); }
void operator delete(void* p, std::size_t) noexcept { NoteAllocation(); std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { NoteAllocation(); std::free(p); }

#if defined(__linux__)
extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void __libc_free(void*);

void* malloc(std::size_t size) {
  NoteAllocation();
  return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
  NoteAllocation();
  return __libc_calloc(count, size);
}
void* realloc(void* p, std::size_t size) {
  NoteAllocation();
  return __libc_realloc(p, size);
}
void free(void* p) {
  if (p) NoteAllocation();
  __libc_free(p);
}

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

namespace {

class EngineRealtime : public ::testing::Test {
 protected:
  PluginHandle plugin;
  std::vector<double> left = std::vector<double>(8192), right = std::vector<double>(8192);

  // Renders a block the way the binding does: under the instance lock, counted.
  void CountedBlock(int nFrames) {
    std::lock_guard<std::recursive_mutex> lock(plugin->Mutex());
#if defined(__linux__)
    gAllowedLock = plugin->Mutex().native_handle();
#endif
    double* outs[2] = {left.data(), right.data()};
    tCounting = true;
    plugin->ProcessBlock(nullptr, outs, nFrames);
    tCounting = false;
  }
};

TEST_F(EngineRealtime, ProcessBlockNeitherAllocatesNorLocksAnythingElse) {
  // The instrumentation itself works.
  tCounting = true;
  delete new int(1);
  tCounting = false;
  ASSERT_GE(gAllocations, 2);
  gAllocations = 0;

  plugin->SetSampleRate(48000.0);
  // First block: Reset, the forced parameters, a grid pass, captions and re-alignment.
  CountedBlock(512);
  ASSERT_NE(plugin->Engine().bank.slotActive[0], 0);
  const int sizes[] = {1, 32, 512, 4096, 8192, 0};
  for (uint32_t wave = 0; wave <= 6; ++wave) {
    plugin->Effects().ApplyWave(static_cast<int32_t>(wave));
    for (int n : sizes) CountedBlock(n);
  }
  // Glides, releases, a re-alignment and a sample-rate change inside a block.
  ASSERT_TRUE(plugin->Grid().AssignCell(30));
  plugin->Effects().ApplyStartStopFade(1);
  plugin->Grid().ReleaseCell(21);
  plugin->Engine().resyncRequested.store(1);
  plugin->position = -96000;
  CountedBlock(4096);
  plugin->SetSampleRate(96000.0);
  plugin->Engine().initialised.store(0);  // the next block starts over at the new rate
  CountedBlock(4096);
  // Stopped transport down to the silent path.
  plugin->transport = 0;
  plugin->Engine().fadeLength = 0;
  for (int i = 0; i < 3; ++i) CountedBlock(4096);
  EXPECT_LT(plugin->Engine().masterVolume, kSilence);  // the silent path

  EXPECT_EQ(gAllocations, 0);
  EXPECT_EQ(gForeignLocks, 0);
}

#if defined(__linux__)
TEST_F(EngineRealtime, LockCountingSeesOtherLocks) {
  std::mutex other;
  tCounting = true;
  other.lock();
  other.unlock();
  tCounting = false;
  EXPECT_EQ(gForeignLocks, 1);
  gForeignLocks = 0;
}
#endif

}  // namespace
