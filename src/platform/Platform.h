// The operating-system services the benchmark uses: worker threads, the one
// process-local lock, the yield and the millisecond clock. Each platform
// implements them in its own source file; the driver and the worker see only
// this header, so every platform difference stays here.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
using PlatformLock = CRITICAL_SECTION;
using PlatformThread = HANDLE;
using ThreadResult = DWORD;
#define LOCKBENCH_THREAD_CALL WINAPI
#else
#include <pthread.h>
using PlatformLock = pthread_mutex_t;
using PlatformThread = pthread_t;
using ThreadResult = void*;
#define LOCKBENCH_THREAD_CALL
#endif

// A thread's start routine, in the form the platform calls directly, so that
// no trampoline stands between thread start and the worker.
using ThreadRoutine = ThreadResult(LOCKBENCH_THREAD_CALL*)(void*);

// The platform's ordinary lock with default settings: no spinning or other
// tuning, since the benchmark exists to measure exactly that lock.
void InitialiseLock(PlatformLock* Lock);
void DestroyLock(PlatformLock* Lock);
void AcquireLock(PlatformLock* Lock); // blocks without time limit
void ReleaseLock(PlatformLock* Lock);

// Starts a thread at once with default attributes (stack size, priority,
// affinity). Returns false, and leaves *Thread unset, when the platform gives
// no thread.
bool StartThread(ThreadRoutine Routine, void* Argument, PlatformThread* Thread);

// Returns once every one of the Count threads has ended, and releases them:
// no thread or handle outlives this call.
void JoinThreads(PlatformThread* Threads, int Count);

// Gives the rest of the time slice to another ready thread; returns at once
// when there is none.
void YieldTimeSlice();

// The millisecond clock, counting modulo 2^32 like a 32-bit tick counter.
std::uint32_t ReadMilliseconds();
