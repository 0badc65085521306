// The text views of a report: tidy CSV, the summary table, and a comparison
// of two reports.
#pragma once

#include "report/ReportFile.h"

#include <optional>
#include <string>
#include <vector>

// Elapsed(N) / (N x Elapsed(1)): 1 when the lock serialised the work at no
// extra cost. None when either cell is missing or Elapsed(1) is 0.
std::optional<double> ContentionFactor(const ReportRow& Row, int NumThread);

// B / A for one cell; none when either is missing or 0 ms.
std::optional<double> CellRatio(const ReportRow* A, const ReportRow* B, int NumThread);

// None for an empty list.
std::optional<double> GeometricMean(const std::vector<double>& Values);

std::string FormatCsv(const Report& Parsed);
std::string FormatSummary(const Report& Parsed);
std::string FormatComparison(const Report& A, const std::string& NameA, const Report& B,
                             const std::string& NameB);
