// POSIX threads behind the platform interface.
#include "Platform.h"

#include <sched.h>
#include <time.h>

void InitialiseLock(PlatformLock* Lock) {
  pthread_mutex_init(Lock, nullptr);
}

void DestroyLock(PlatformLock* Lock) {
  pthread_mutex_destroy(Lock);
}

void AcquireLock(PlatformLock* Lock) {
  pthread_mutex_lock(Lock);
}

void ReleaseLock(PlatformLock* Lock) {
  pthread_mutex_unlock(Lock);
}

bool StartThread(ThreadRoutine Routine, void* Argument, PlatformThread* Thread) {
  return pthread_create(Thread, nullptr, Routine, Argument) == 0;
}

void JoinThreads(PlatformThread* Threads, int Count) {
  for (int Index = 0; Index < Count; ++Index)
    pthread_join(Threads[Index], nullptr);
}

void YieldTimeSlice() {
  sched_yield();
}

std::uint32_t ReadMilliseconds() {
  timespec Now;
  clock_gettime(CLOCK_MONOTONIC, &Now);
  // Computed in 32 bits on purpose: the clock counts modulo 2^32, like a
  // 32-bit tick counter, and callers take unsigned differences, which stay
  // right across the wrap. 32-bit arithmetic is also the cheaper.
  return static_cast<std::uint32_t>(Now.tv_sec) * 1000u +
         static_cast<std::uint32_t>(Now.tv_nsec) / 1000000u;
}
