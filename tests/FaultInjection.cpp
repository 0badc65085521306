// Link-time stand-ins (ld --wrap) for the two calls the driver can see fail.
// LOCKBENCH_FAIL_THREAD_START=N fails the Nth thread start of the run,
// LOCKBENCH_FAIL_ALLOCATION=N its Nth buffer allocation; every other call
// goes to the real function.
#include <pthread.h>

#include "FailOnCue.h"

#include <cerrno>
#include <cstddef>
#include <cstdlib>

extern "C" {
int __real_pthread_create(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
void* __real_calloc(std::size_t, std::size_t);
}

namespace {

long ThreadStarts = 0;
long Allocations = 0;

} // namespace

extern "C" int __wrap_pthread_create(pthread_t* Thread, const pthread_attr_t* Attributes,
                                     void* (*Routine)(void*), void* Argument) {
  if (IsFailingCall("LOCKBENCH_FAIL_THREAD_START", &ThreadStarts))
    return EAGAIN;
  return __real_pthread_create(Thread, Attributes, Routine, Argument);
}

extern "C" void* __wrap_calloc(std::size_t Count, std::size_t Size) {
  if (IsFailingCall("LOCKBENCH_FAIL_ALLOCATION", &Allocations))
    return nullptr;
  return __real_calloc(Count, Size);
}
