// The Windows counterpart of FaultInjection.cpp, for the x86-64 MinGW build:
// ld --wrap redirects the import slot of CreateThread (calls go through
// __imp_CreateThread) and calloc. LOCKBENCH_FAIL_THREAD_START=N fails the Nth
// thread start of the run, LOCKBENCH_FAIL_ALLOCATION=N its Nth allocation.
#include "../FailOnCue.h"

#include <windows.h>

#include <cstddef>
#include <cstdlib>

extern "C" {
extern void* __real___imp_CreateThread;
void* __real_calloc(std::size_t, std::size_t);
}

namespace {

long ThreadStarts = 0;
long Allocations = 0;

HANDLE WINAPI FailingCreateThread(LPSECURITY_ATTRIBUTES Security, SIZE_T StackSize,
                                  LPTHREAD_START_ROUTINE Routine, LPVOID Argument, DWORD Flags,
                                  LPDWORD ThreadId) {
  if (IsFailingCall("LOCKBENCH_FAIL_THREAD_START", &ThreadStarts))
    return nullptr;
  using CreateThreadFunction = decltype(&CreateThread);
  return reinterpret_cast<CreateThreadFunction>(__real___imp_CreateThread)(
      Security, StackSize, Routine, Argument, Flags, ThreadId);
}

} // namespace

extern "C" {
void* __wrap___imp_CreateThread = reinterpret_cast<void*>(&FailingCreateThread);

void* __wrap_calloc(std::size_t Count, std::size_t Size) {
  if (IsFailingCall("LOCKBENCH_FAIL_ALLOCATION", &Allocations))
    return nullptr;
  return __real_calloc(Count, Size);
}
}
