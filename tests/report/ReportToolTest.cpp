// lockbench-report as a user runs it: commands, files, exit statuses.
#include "../RunProgram.h"
#include "ReportFixtures.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <string>

namespace {

class ReportTool : public testing::Test {
protected:
  std::string Directory;

  void SetUp() override {
    char Template[] = "/tmp/lockbench-report-XXXXXX";
    ASSERT_NE(mkdtemp(Template), nullptr);
    Directory = Template;
  }
  void TearDown() override {
    std::system(("rm -rf '" + Directory + "'").c_str());
  }

  std::string WriteFile(const std::string& Name, const std::string& Text) {
    const std::string Path = Directory + "/" + Name;
    std::ofstream(Path, std::ios::binary) << Text;
    return Path;
  }

  static ProgramResult Tool(std::vector<std::string> Arguments, const std::string& Stdin = "") {
    ProgramOptions Options;
    Options.Arguments = std::move(Arguments);
    Options.StdinPath = Stdin;
    return RunProgram(LOCKBENCH_REPORT_PROGRAM, Options);
  }
};

TEST_F(ReportTool, ReadsStandardInputWhenNoFileOrDash) {
  const std::string Path = WriteFile("run.txt", CompleteReport);
  const ProgramResult FromFile = Tool({"csv", Path});
  ASSERT_EQ(FromFile.ExitStatus, 0) << FromFile.Stderr;
  EXPECT_EQ(SplitLines(FromFile.Stdout).size(), 73u);
  EXPECT_EQ(Tool({"csv"}, Path).Stdout, FromFile.Stdout);
  EXPECT_EQ(Tool({"csv", "-"}, Path).Stdout, FromFile.Stdout);
}

TEST_F(ReportTool, ReadsTheRealProgramsReport) {
  const std::string Path = Directory + "/tiny.txt";
  ProgramOptions Options;
  Options.StdoutPath = WriteFile("tiny.txt", "");
  ASSERT_EQ(RunProgram(LOCKBENCH_TINY_PROGRAM, Options).ExitStatus, 0);
  const ProgramResult Result = Tool({"summary", Path});
  EXPECT_EQ(Result.ExitStatus, 0) << Result.Stderr;
  EXPECT_EQ(SplitLines(Result.Stdout).size(), 12u) << Result.Stdout;
}

TEST_F(ReportTool, IncompleteRunIsSaidAndReadUpToItsLastMeasurement) {
  const std::string Path = WriteFile("cut.txt", ReportText(1, 2) + "Thread #1 creation failed\r\n");
  const ProgramResult Summary = Tool({"summary", Path});
  EXPECT_EQ(Summary.ExitStatus, 0);
  EXPECT_NE(Summary.Stdout.find("incomplete run: stopped at BufferSize=512, NumThread=3"),
            std::string::npos)
      << Summary.Stdout;
  const ProgramResult Csv = Tool({"csv", Path});
  EXPECT_EQ(Csv.ExitStatus, 0);
  EXPECT_EQ(SplitLines(Csv.Stdout).size(), 11u); // header, 8 + 2 measurements
  EXPECT_NE(Csv.Stderr.find("incomplete run"), std::string::npos);
}

TEST_F(ReportTool, RejectionNamesFileAndLineAndWritesNothingElse) {
  const std::string Path =
      WriteFile("bad.txt", ReportText(3, 4) + "NumThread=6\tElapsed\t1\tmsec\n");
  for (const char* Command : {"csv", "summary"}) {
    const ProgramResult Result = Tool({Command, Path});
    EXPECT_EQ(Result.ExitStatus, 2);
    EXPECT_EQ(Result.Stdout, "");
    EXPECT_EQ(Result.Stderr,
              Path +
                  ":33: NumThread=6 out of order: expected \"NumThread=5\\tElapsed\\t<milliseconds>"
                  "\\tmsec\" or \"Thread #<position> creation failed\"\n");
  }
  const ProgramResult Compare = Tool({"compare", WriteFile("good.txt", CompleteReport), Path});
  EXPECT_EQ(Compare.ExitStatus, 2);
  EXPECT_EQ(Compare.Stdout, "");
}

TEST_F(ReportTool, MissingFileIsOneLine) {
  const ProgramResult Result = Tool({"summary", Directory + "/absent.txt"});
  EXPECT_EQ(Result.ExitStatus, 2);
  EXPECT_EQ(Result.Stdout, "");
  EXPECT_EQ(Result.Stderr,
            "lockbench-report: " + Directory + "/absent.txt: No such file or directory\n");
}

TEST_F(ReportTool, CompareShowsRatiosOfTwoFiles) {
  const std::string A = WriteFile("a.txt", CompleteReport);
  const std::string B = WriteFile("b.txt", ReportText(0, 4));
  const ProgramResult Result = Tool({"compare", A, B});
  ASSERT_EQ(Result.ExitStatus, 0) << Result.Stderr;
  EXPECT_NE(Result.Stdout.find("        256    1.000    1.000    1.000    1.000  missing"),
            std::string::npos)
      << Result.Stdout;
  EXPECT_NE(Result.Stdout.find("overall geometric mean: 1.000 over 4 cells"), std::string::npos);
}

struct UsageCase {
  const char* Name;
  std::vector<std::string> Arguments;
  int ExitStatus;
  const char* StdoutStarts; // nullptr: nothing on standard output
};

class ReportUsage : public ReportTool, public testing::WithParamInterface<UsageCase> {};

TEST_P(ReportUsage, ExitStatusAndHelp) {
  const UsageCase& Case = GetParam();
  const ProgramResult Result = Tool(Case.Arguments);
  EXPECT_EQ(Result.ExitStatus, Case.ExitStatus) << Result.Stderr;
  if (Case.StdoutStarts == nullptr) {
    EXPECT_EQ(Result.Stdout, "");
    EXPECT_NE(Result.Stderr.find("usage: lockbench-report"), std::string::npos) << Result.Stderr;
  } else {
    EXPECT_EQ(Result.Stdout.rfind(Case.StdoutStarts, 0), 0u) << Result.Stdout;
  }
}

const UsageCase UsageCases[] = {
    {"Help", {"--help"}, 0, "usage: lockbench-report COMMAND"},
    {"CsvHelp", {"csv", "--help"}, 0, "usage: lockbench-report csv"},
    {"SummaryHelp", {"summary", "--help"}, 0, "usage: lockbench-report summary"},
    {"CompareHelp", {"compare", "--help"}, 0, "usage: lockbench-report compare"},
    {"ChartHelp", {"chart", "-o", "x.svg", "--help"}, 0, "usage: lockbench-report chart"},
    {"NoCommand", {}, 2, nullptr},
    {"UnknownCommand", {"plot"}, 2, nullptr},
    {"UnknownOption", {"summary", "--wide"}, 2, nullptr},
    {"TwoFilesForSummary", {"summary", "a", "b"}, 2, nullptr},
    {"OneFileForCompare", {"compare", "a"}, 2, nullptr},
    {"ChartWithoutOutput", {"chart", "a"}, 2, nullptr},
    {"ChartOutputNotSvgOrPng", {"chart", "a", "-o", "chart.pdf"}, 2, nullptr},
    {"ChartOutputWithLineBreak",
     {"chart", "a", "-o", "x\nsystem 'touch injected'\n.svg"},
     2,
     nullptr},
    {"CompareStandardInputTwice", {"compare", "-", "-"}, 2, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Commands, ReportUsage, testing::ValuesIn(UsageCases),
                         [](const testing::TestParamInfo<UsageCase>& Info) {
                           return Info.param.Name;
                         });

TEST_F(ReportTool, ChartIsWellFormedSvgWithOneSeriesPerRow) {
  if (std::system("command -v gnuplot >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "gnuplot is not installed (Debian: gnuplot-nox)";
  const std::string Input = WriteFile("run.txt", ReportText(4, 3));
  const std::string Chart = Directory + "/chart.svg";
  const ProgramResult Result = Tool({"chart", Input, "-o", Chart});
  ASSERT_EQ(Result.ExitStatus, 0) << Result.Stderr;
  EXPECT_NE(Result.Stderr.find("incomplete run"), std::string::npos);

  std::ifstream Stream(Chart);
  const std::string Svg{std::istreambuf_iterator<char>(Stream), std::istreambuf_iterator<char>()};
  const std::regex Series("<g id=\"gnuplot_plot_[0-9]+\" ><title>([0-9]+)</title>");
  std::vector<std::string> Titles;
  for (auto Match = std::sregex_iterator(Svg.begin(), Svg.end(), Series);
       Match != std::sregex_iterator(); ++Match)
    Titles.push_back((*Match)[1]);
  EXPECT_EQ(Titles, (std::vector<std::string>{"256", "512", "1024", "2048", "4096"}));
  if (std::system("command -v xmllint >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "xmllint is not installed (Debian: libxml2-utils): well-formedness unchecked";
  EXPECT_EQ(std::system(("xmllint --noout '" + Chart + "'").c_str()), 0);
}

TEST_F(ReportTool, ChartWithoutGnuplotSaysWhichPackage) {
  ProgramOptions Options;
  Options.Arguments = {"chart", WriteFile("run.txt", CompleteReport), "-o",
                       Directory + "/chart.svg"};
  Options.ExtraEnvironment = {"PATH=" + Directory};
  const ProgramResult Result = RunProgram(LOCKBENCH_REPORT_PROGRAM, Options);
  EXPECT_EQ(Result.ExitStatus, 2);
  EXPECT_EQ(
      Result.Stderr,
      "lockbench-report: gnuplot not found: install it (Debian: apt-get install gnuplot-nox)\n");
  EXPECT_NE(access((Directory + "/chart.svg").c_str(), F_OK), 0);
}

} // namespace
