// Win32 threads behind the platform interface.
#include "Platform.h"

#include <mmsystem.h>

void InitialiseLock(PlatformLock* Lock) {
  InitializeCriticalSection(Lock);
}

void DestroyLock(PlatformLock* Lock) {
  DeleteCriticalSection(Lock);
}

void AcquireLock(PlatformLock* Lock) {
  EnterCriticalSection(Lock);
}

void ReleaseLock(PlatformLock* Lock) {
  LeaveCriticalSection(Lock);
}

bool StartThread(ThreadRoutine Routine, void* Argument, PlatformThread* Thread) {
  const HANDLE Handle = CreateThread(nullptr, 0, Routine, Argument, 0, nullptr);
  if (Handle == nullptr)
    return false;
  *Thread = Handle;
  return true;
}

void JoinThreads(PlatformThread* Threads, int Count) {
  WaitForMultipleObjects(static_cast<DWORD>(Count), Threads, TRUE, INFINITE);
  for (int Index = 0; Index < Count; ++Index)
    CloseHandle(Threads[Index]);
}

void YieldTimeSlice() {
  Sleep(0);
}

std::uint32_t ReadMilliseconds() {
  // The resolution is left as the system sets it: raising it would change
  // the scheduling of every process on the machine, not just this one.
  return timeGetTime();
}
