#include "report/Tables.h"

#include "common/RunState.h"

#include <cmath>
#include <cstdio>

namespace {

bool HasCell(const ReportRow* Row, int NumThread) {
  return Row != nullptr && NumThread >= 1 &&
         static_cast<std::size_t>(NumThread) <= Row->Elapsed.size();
}

std::string Format(const char* Pattern, double Value) {
  char Text[64];
  std::snprintf(Text, sizeof Text, Pattern, Value);
  return Text;
}

// Right-aligned in Width columns, and never run into the cell before it.
std::string Cell(const std::string& Text, std::size_t Width) {
  return std::string(Text.size() < Width ? Width - Text.size() : 1, ' ') + Text;
}

std::string ThreadColumns(std::size_t Width, const char* Label) {
  std::string Header;
  for (int NumThread = 1; NumThread <= MaxThreads; ++NumThread)
    Header += Cell(Label + std::to_string(NumThread), Width);
  return Header;
}

// Reports hold the schedule's rows from the first on, so the same index is
// the same BufferSize in both.
const ReportRow* RowAt(const Report& Parsed, std::size_t Index) {
  return Index < Parsed.Rows.size() ? &Parsed.Rows[Index] : nullptr;
}

} // namespace

std::optional<double> ContentionFactor(const ReportRow& Row, int NumThread) {
  if (!HasCell(&Row, NumThread) || Row.Elapsed[0] == 0)
    return std::nullopt;
  return Row.Elapsed[NumThread - 1] / (static_cast<double>(NumThread) * Row.Elapsed[0]);
}

std::optional<double> CellRatio(const ReportRow* A, const ReportRow* B, int NumThread) {
  if (!HasCell(A, NumThread) || !HasCell(B, NumThread))
    return std::nullopt;
  const std::uint32_t Before = A->Elapsed[NumThread - 1];
  const std::uint32_t After = B->Elapsed[NumThread - 1];
  if (Before == 0 || After == 0)
    return std::nullopt;
  return static_cast<double>(After) / Before;
}

std::optional<double> GeometricMean(const std::vector<double>& Values) {
  if (Values.empty())
    return std::nullopt;
  double LogSum = 0;
  for (double Value : Values)
    LogSum += std::log(Value);
  return std::exp(LogSum / static_cast<double>(Values.size()));
}

std::string FormatCsv(const Report& Parsed) {
  std::string Text = "buffer_size,pass_count,threads,elapsed_ms\n";
  for (const ReportRow& Row : Parsed.Rows)
    for (std::size_t Index = 0; Index < Row.Elapsed.size(); ++Index)
      Text += std::to_string(Row.BufferSize) + "," + std::to_string(Row.PassCount) + "," +
              std::to_string(Index + 1) + "," + std::to_string(Row.Elapsed[Index]) + "\n";
  return Text;
}

std::string FormatSummary(const Report& Parsed) {
  std::size_t Width = 8;
  for (const ReportRow& Row : Parsed.Rows)
    for (std::uint32_t Elapsed : Row.Elapsed)
      Width = std::max(Width, std::to_string(Elapsed).size() + 2);

  std::string Text =
      "Elapsed milliseconds by thread count; contention factor x<N> = Elapsed(N) / (N * "
      "Elapsed(1))\n\n";
  Text += Cell("BufferSize", 11) + Cell("PassCount", 11) + ThreadColumns(Width, "N=") + "  |";
  for (int NumThread = 2; NumThread <= MaxThreads; ++NumThread)
    Text += Cell("x" + std::to_string(NumThread), 6);
  Text += "\n";
  for (const ReportRow& Row : Parsed.Rows) {
    Text += Cell(std::to_string(Row.BufferSize), 11) + Cell(std::to_string(Row.PassCount), 11);
    for (int NumThread = 1; NumThread <= MaxThreads; ++NumThread)
      Text +=
          Cell(HasCell(&Row, NumThread) ? std::to_string(Row.Elapsed[NumThread - 1]) : "-", Width);
    Text += "  |";
    for (int NumThread = 2; NumThread <= MaxThreads; ++NumThread) {
      const std::optional<double> Factor = ContentionFactor(Row, NumThread);
      Text += Cell(Factor ? Format("%.2f", *Factor) : "-", 6);
    }
    Text += "\n";
  }
  if (!Parsed.Complete)
    Text += "\n" + Parsed.Stopped + "; - marks a measurement the report does not hold\n";
  return Text;
}

std::string FormatComparison(const Report& A, const std::string& NameA, const Report& B,
                             const std::string& NameB) {
  constexpr std::size_t Width = 9;
  std::string Text = "B / A elapsed milliseconds per cell; below 1: B took less time\n"
                     "A: " +
                     NameA + "\nB: " + NameB + "\n\n";
  Text += Cell("BufferSize", 11) + ThreadColumns(Width, "N=") + Cell("geomean", Width) + "\n";

  std::vector<double> All;
  for (std::size_t Index = 0; Index < std::max(A.Rows.size(), B.Rows.size()); ++Index) {
    const ReportRow* RowA = RowAt(A, Index);
    const ReportRow* RowB = RowAt(B, Index);
    std::vector<double> Ratios;
    Text += Cell(std::to_string((RowA != nullptr ? RowA : RowB)->BufferSize), 11);
    for (int NumThread = 1; NumThread <= MaxThreads; ++NumThread) {
      const std::optional<double> Ratio = CellRatio(RowA, RowB, NumThread);
      if (Ratio)
        Ratios.push_back(*Ratio);
      Text += Cell(Ratio                                                    ? Format("%.3f", *Ratio)
                   : !HasCell(RowA, NumThread) || !HasCell(RowB, NumThread) ? "missing"
                                                                            : "n/a",
                   Width);
    }
    const std::optional<double> RowMean = GeometricMean(Ratios);
    Text += Cell(RowMean ? Format("%.3f", *RowMean) : "n/a", Width) + "\n";
    All.insert(All.end(), Ratios.begin(), Ratios.end());
  }
  const std::optional<double> Overall = GeometricMean(All);
  Text += "\noverall geometric mean: " + (Overall ? Format("%.3f", *Overall) : std::string("n/a")) +
          " over " + std::to_string(All.size()) + " cells\n";
  Text += "missing: the cell is not in both reports; n/a: 0 ms on one side, so no ratio\n";
  if (!A.Complete)
    Text += "A: " + A.Stopped + "\n";
  if (!B.Complete)
    Text += "B: " + B.Stopped + "\n";
  return Text;
}
