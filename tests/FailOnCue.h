// Shared by the link-time stand-ins of both platforms.
#pragma once

#include <cstdlib>

// True on the call whose 1-based number the environment variable names;
// Calls counts the calls made so far.
inline bool IsFailingCall(const char* Variable, long* Calls) {
  const char* Setting = std::getenv(Variable);
  return ++*Calls == (Setting != nullptr ? std::atol(Setting) : 0);
}
