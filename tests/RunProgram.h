// Runs a program as a child process and collects what it wrote.
#pragma once

#include <sys/resource.h>

#include <string>
#include <utility>
#include <vector>

struct ProgramOptions {
  std::vector<std::string> Arguments;
  std::vector<std::string> ExtraEnvironment;  // "NAME=value", added to this process's own
  std::string StdinPath;                      // a file to read from instead of /dev/null
  std::string StdoutPath;                     // a file to write to instead of a capture
  bool CloseStdout = false;                   // start with descriptor 1 closed
  std::vector<std::pair<int, rlim_t>> Limits; // setrlimit resource and value
};

struct ProgramResult {
  int ExitStatus = -1; // -1 when the child did not exit normally
  std::string Stdout;  // empty when StdoutPath or CloseStdout was given
  std::string Stderr;
};

ProgramResult RunProgram(const std::string& Path, const ProgramOptions& Options = {});

// The lines of Text, each without its line end.
std::vector<std::string> SplitLines(const std::string& Text);
