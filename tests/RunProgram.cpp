#include "RunProgram.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace {

std::string TemporaryPath(const char* Stem) {
  const char* Directory = std::getenv("TMPDIR");
  std::string Path =
      std::string(Directory != nullptr ? Directory : "/tmp") + "/" + Stem + "-XXXXXX";
  const int Descriptor = mkstemp(Path.data());
  if (Descriptor < 0)
    throw std::runtime_error("mkstemp failed");
  close(Descriptor);
  return Path;
}

std::string ReadFile(const std::string& Path) {
  std::ifstream Stream(Path, std::ios::binary);
  std::ostringstream Content;
  Content << Stream.rdbuf();
  return Content.str();
}

std::vector<char*> Pointers(std::vector<std::string>& Strings) {
  std::vector<char*> Result;
  for (std::string& String : Strings)
    Result.push_back(String.data());
  Result.push_back(nullptr);
  return Result;
}

} // namespace

ProgramResult RunProgram(const std::string& Path, const ProgramOptions& Options) {
  // Everything the child needs is prepared here: between fork and exec only
  // async-signal-safe calls are allowed.
  std::vector<std::string> Arguments{Path};
  Arguments.insert(Arguments.end(), Options.Arguments.begin(), Options.Arguments.end());
  std::vector<std::string> Environment(Options.ExtraEnvironment);
  for (char** Entry = environ; *Entry != nullptr; ++Entry)
    Environment.emplace_back(*Entry);
  std::vector<char*> Argv = Pointers(Arguments);
  std::vector<char*> Envp = Pointers(Environment);

  const bool CaptureStdout = Options.StdoutPath.empty() && !Options.CloseStdout;
  const std::string StdoutPath =
      CaptureStdout ? TemporaryPath("lockbench-out") : Options.StdoutPath;
  const std::string StderrPath = TemporaryPath("lockbench-err");

  const pid_t Child = fork();
  if (Child < 0)
    throw std::runtime_error("fork failed");
  if (Child == 0) {
    if (Options.CloseStdout) {
      close(STDOUT_FILENO);
    } else {
      const int Out = open(StdoutPath.c_str(), O_WRONLY | O_TRUNC);
      if (Out < 0 || dup2(Out, STDOUT_FILENO) < 0)
        _exit(126);
      close(Out);
    }
    const int In =
        open(Options.StdinPath.empty() ? "/dev/null" : Options.StdinPath.c_str(), O_RDONLY);
    if (In < 0 || dup2(In, STDIN_FILENO) < 0)
      _exit(126);
    close(In);
    const int Err = open(StderrPath.c_str(), O_WRONLY | O_TRUNC);
    if (Err < 0 || dup2(Err, STDERR_FILENO) < 0)
      _exit(126);
    close(Err);
    for (const auto& [Resource, Value] : Options.Limits) {
      const rlimit Limit{Value, Value};
      if (setrlimit(Resource, &Limit) != 0)
        _exit(126);
    }
    execve(Argv[0], Argv.data(), Envp.data());
    _exit(127);
  }

  int Status = 0;
  while (waitpid(Child, &Status, 0) < 0 && errno == EINTR) {
  }
  ProgramResult Result;
  Result.ExitStatus = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
  if (CaptureStdout) {
    Result.Stdout = ReadFile(StdoutPath);
    unlink(StdoutPath.c_str());
  }
  Result.Stderr = ReadFile(StderrPath);
  unlink(StderrPath.c_str());
  return Result;
}

std::vector<std::string> SplitLines(const std::string& Text) {
  std::vector<std::string> Lines;
  std::istringstream Stream(Text);
  for (std::string Line; std::getline(Stream, Line);)
    Lines.push_back(Line);
  return Lines;
}
