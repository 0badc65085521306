#include "report/Chart.h"

#include "common/RunState.h"
#include "common/Schedule.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iterator>

extern char** environ;

namespace {

bool EndsWith(const std::string& Text, const std::string& Suffix) {
  return Text.size() >= Suffix.size() &&
         Text.compare(Text.size() - Suffix.size(), Suffix.size(), Suffix) == 0;
}

// A gnuplot single-quoted string: a quote is written twice, nothing else is
// special.
std::string Quoted(const std::string& Text) {
  std::string Result = "'";
  for (char Character : Text)
    Result += Character == '\'' ? std::string("''") : std::string(1, Character);
  return Result + "'";
}

} // namespace

std::string ChartTerminal(const std::string& OutputPath) {
  if (EndsWith(OutputPath, ".svg"))
    return "svg size 900,560 dynamic background '#ffffff'";
  if (EndsWith(OutputPath, ".png"))
    return "pngcairo size 900,560";
  return "";
}

std::string ChartScript(const Report& Parsed, const std::string& OutputPath) {
  std::string Script =
      "set terminal " + ChartTerminal(OutputPath) + "\nset output " + Quoted(OutputPath) + "\n";
  Script += "set title 'lockbench: elapsed time against thread count" +
            std::string(Parsed.Complete ? "" : " (incomplete run)") + "'\n";
  Script += "set xlabel 'threads (NumThread)'\nset ylabel 'elapsed (ms)'\n"
            "set key outside right top title 'BufferSize'\n"
            "set xtics 1\nset xrange [0.5:" +
            std::to_string(MaxThreads) +
            ".5]\nset yrange [0:*]\n"
            "set grid\nset datafile missing '?'\n";
  // A distinct colour per row: gnuplot's own cycle repeats after eight.
  const char* const Colours[] = {"#1f77b4", "#ff7f0e", "#2ca02c", "#d62728", "#9467bd",
                                 "#8c564b", "#e377c2", "#7f7f7f", "#17becf"};
  static_assert(std::size(Colours) == ScheduleRows, "one colour per schedule row");
  for (int Index = 0; Index < ScheduleRows; ++Index)
    Script += "set linetype " + std::to_string(Index + 1) + " linecolor rgb '" + Colours[Index] +
              "' pointtype " + std::to_string(Index + 1) + "\n";
  // One column per row: the header names the series.
  Script += "$Data << EOD\nthreads";
  for (const ReportRow& Row : Parsed.Rows)
    Script += " " + std::to_string(Row.BufferSize);
  Script += "\n";
  for (int NumThread = 1; NumThread <= MaxThreads; ++NumThread) {
    Script += std::to_string(NumThread);
    for (const ReportRow& Row : Parsed.Rows)
      Script += " " + (static_cast<std::size_t>(NumThread) <= Row.Elapsed.size()
                           ? std::to_string(Row.Elapsed[NumThread - 1])
                           : std::string("?"));
    Script += "\n";
  }
  Script += "EOD\nplot for [Column=2:" + std::to_string(Parsed.Rows.size() + 1) +
            "] $Data using 1:Column with linespoints linewidth 2 title columnheader(Column)\n";
  return Script;
}

std::string RunGnuplot(const std::string& Script) {
  int Pipe[2];
  if (pipe(Pipe) != 0)
    return std::string("cannot start gnuplot: ") + std::strerror(errno);

  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  posix_spawn_file_actions_adddup2(&Actions, Pipe[0], STDIN_FILENO);
  posix_spawn_file_actions_addclose(&Actions, Pipe[0]);
  posix_spawn_file_actions_addclose(&Actions, Pipe[1]);
  char Name[] = "gnuplot";
  char* Arguments[] = {Name, nullptr};
  pid_t Child = 0;
  const int Error = posix_spawnp(&Child, Name, &Actions, nullptr, Arguments, environ);
  posix_spawn_file_actions_destroy(&Actions);
  close(Pipe[0]);
  if (Error != 0) {
    close(Pipe[1]);
    if (Error == ENOENT)
      return "gnuplot not found: install it (Debian: apt-get install gnuplot-nox)";
    return std::string("cannot start gnuplot: ") + std::strerror(Error);
  }

  // A gnuplot that dies early must not take this process with it.
  std::signal(SIGPIPE, SIG_IGN);
  bool Written = true;
  for (std::size_t Offset = 0; Offset < Script.size();) {
    const ssize_t Count = write(Pipe[1], Script.data() + Offset, Script.size() - Offset);
    if (Count < 0 && errno == EINTR)
      continue;
    if (Count <= 0) {
      Written = false;
      break;
    }
    Offset += static_cast<std::size_t>(Count);
  }
  close(Pipe[1]);

  int Status = 0;
  while (waitpid(Child, &Status, 0) < 0 && errno == EINTR) {
  }
  if (!Written || !WIFEXITED(Status) || WEXITSTATUS(Status) != 0)
    return "gnuplot failed to draw the chart";
  return "";
}
