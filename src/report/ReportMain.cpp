// lockbench-report: reads lockbench reports and turns them into CSV, a
// summary table, a comparison of two runs, or a chart.
#include "report/Chart.h"
#include "report/ReportFile.h"
#include "report/Tables.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int Success = 0;
constexpr int Failure = 2; // bad input, bad usage, or nothing could be produced

const char* const Usage =
    "usage: lockbench-report COMMAND [ARGUMENTS]\n"
    "\n"
    "Reads reports written by lockbench. FILE absent or '-' reads standard input.\n"
    "\n"
    "commands:\n"
    "  csv [FILE]                  the report as CSV: buffer_size,pass_count,threads,elapsed_ms\n"
    "  summary [FILE]              milliseconds per BufferSize and thread count, with the\n"
    "                              contention factor Elapsed(N) / (N * Elapsed(1))\n"
    "  compare A B                 B's milliseconds over A's per cell, with geometric means\n"
    "  chart [FILE] -o OUT.svg     a line per BufferSize, milliseconds against threads,\n"
    "                              drawn by gnuplot (OUT.png for a PNG)\n"
    "\n"
    "'lockbench-report COMMAND --help' describes one command. Exit status: 0 on success,\n"
    "2 on bad input or usage.\n";

struct Command {
  const char* Name;
  const char* Help;
};

const Command Commands[] = {
    {"csv", "usage: lockbench-report csv [FILE]\n"
            "Writes the report as CSV with a header line, one line per measurement:\n"
            "buffer_size,pass_count,threads,elapsed_ms. For an incomplete run, standard error\n"
            "says where it stopped.\n"},
    {"summary",
     "usage: lockbench-report summary [FILE]\n"
     "One line per BufferSize: the milliseconds for 1..8 threads, then the contention\n"
     "factor x<N> = Elapsed(N) / (N * Elapsed(1)). 1 means the lock serialised the work\n"
     "at no extra cost; above 1 is the cost of contention; below 1 is work that\n"
     "overlapped outside the lock.\n"},
    {"compare", "usage: lockbench-report compare A B\n"
                "Per BufferSize and thread count, B's milliseconds over A's (below 1: B took less\n"
                "time), with the geometric mean per row and overall. A cell missing from either\n"
                "report is shown as missing; a cell of 0 ms on either side has no ratio (n/a).\n"},
    {"chart",
     "usage: lockbench-report chart [FILE] -o OUT.svg|OUT.png\n"
     "Draws one line per BufferSize, milliseconds against thread count, with gnuplot\n"
     "(Debian: gnuplot-nox). For an incomplete run, standard error says where it stopped.\n"},
};

int UsageError(const std::string& Message) {
  std::fprintf(stderr, "lockbench-report: %s\n%s", Message.c_str(), Usage);
  return Failure;
}

struct Input {
  std::string Name; // as shown in messages
  Report Parsed;
};

// Reads and parses one report; on failure says why on standard error.
bool ReadReport(const std::string& Path, Input* Result) {
  const bool Standard = Path.empty() || Path == "-";
  Result->Name = Standard ? "<stdin>" : Path;
  std::FILE* File = Standard ? stdin : std::fopen(Path.c_str(), "rb");
  if (File == nullptr) {
    std::fprintf(stderr, "lockbench-report: %s: %s\n", Path.c_str(), std::strerror(errno));
    return false;
  }
  std::string Text;
  char Buffer[65536];
  for (std::size_t Count; (Count = std::fread(Buffer, 1, sizeof Buffer, File)) > 0;)
    Text.append(Buffer, Count);
  const bool ReadFailed = std::ferror(File) != 0;
  const int ReadError = errno;
  if (!Standard)
    std::fclose(File);
  if (ReadFailed) {
    std::fprintf(stderr, "lockbench-report: %s: %s\n", Result->Name.c_str(),
                 std::strerror(ReadError));
    return false;
  }

  const ParseResult Parsed = ParseReport(Text);
  if (!Parsed.Ok) {
    std::fprintf(stderr, "%s:%d: %s\n", Result->Name.c_str(), Parsed.Line, Parsed.Error.c_str());
    return false;
  }
  Result->Parsed = Parsed.Parsed;
  return true;
}

int WriteOutput(const std::string& Text) {
  if (std::fwrite(Text.data(), 1, Text.size(), stdout) != Text.size() || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "lockbench-report: cannot write to standard output: %s\n",
                 std::strerror(errno));
    return Failure;
  }
  return Success;
}

void NoteIncomplete(const Input& Read) {
  if (!Read.Parsed.Complete)
    std::fprintf(stderr, "lockbench-report: %s: %s\n", Read.Name.c_str(),
                 Read.Parsed.Stopped.c_str());
}

int Run(const std::string& Name, const std::vector<std::string>& Arguments) {
  std::vector<std::string> Files;
  std::string Output;
  for (std::size_t Index = 0; Index < Arguments.size(); ++Index) {
    const std::string& Argument = Arguments[Index];
    if (Name == "chart" && Argument == "-o") {
      if (Index + 1 == Arguments.size())
        return UsageError("chart: -o needs a file name");
      Output = Arguments[++Index];
    } else if (Argument.size() > 1 && Argument[0] == '-') {
      return UsageError(Name + ": unknown option " + Argument);
    } else {
      Files.push_back(Argument);
    }
  }

  const std::size_t Wanted = Name == "compare" ? 2 : 1;
  if (Files.size() > Wanted || (Name == "compare" && Files.size() != 2))
    return UsageError(Name + ": expected " +
                      (Name == "compare" ? "two files" : "at most one file"));
  Files.resize(Wanted);
  if (Name == "compare" && Files[0] == "-" && Files[1] == "-")
    return UsageError("compare: standard input can be only one of the two reports");
  if (Name == "chart" && Output.empty())
    return UsageError("chart: -o OUT.svg or -o OUT.png is required");
  if (Name == "chart" && ChartTerminal(Output).empty())
    return UsageError("chart: the output file must end in .svg or .png");
  // The name goes into gnuplot's script, where a line break would end the
  // quoted string and start a command of the file name's choosing.
  if (Output.find_first_of("\r\n") != std::string::npos)
    return UsageError("chart: the output file name must not contain a line break");

  std::vector<Input> Inputs(Files.size());
  for (std::size_t Index = 0; Index < Files.size(); ++Index)
    if (!ReadReport(Files[Index], &Inputs[Index]))
      return Failure;

  if (Name == "csv") {
    NoteIncomplete(Inputs[0]);
    return WriteOutput(FormatCsv(Inputs[0].Parsed));
  }
  if (Name == "summary")
    return WriteOutput(FormatSummary(Inputs[0].Parsed));
  if (Name == "compare")
    return WriteOutput(
        FormatComparison(Inputs[0].Parsed, Inputs[0].Name, Inputs[1].Parsed, Inputs[1].Name));

  NoteIncomplete(Inputs[0]);
  const std::string Problem = RunGnuplot(ChartScript(Inputs[0].Parsed, Output));
  if (!Problem.empty()) {
    std::fprintf(stderr, "lockbench-report: %s\n", Problem.c_str());
    return Failure;
  }
  return Success;
}

} // namespace

int main(int Count, char** Values) {
  const std::vector<std::string> Arguments(Values + 1, Values + Count);
  if (Arguments.empty())
    return UsageError("a command is required");
  if (Arguments[0] == "--help" || Arguments[0] == "-h" || Arguments[0] == "help")
    return WriteOutput(Usage);
  for (const Command& Known : Commands) {
    if (Arguments[0] != Known.Name)
      continue;
    for (const std::string& Argument : Arguments)
      if (Argument == "--help" || Argument == "-h")
        return WriteOutput(Known.Help);
    return Run(Known.Name, std::vector<std::string>(Arguments.begin() + 1, Arguments.end()));
  }
  return UsageError("unknown command '" + Arguments[0] + "'");
}
