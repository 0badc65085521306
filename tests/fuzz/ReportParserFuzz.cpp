// libFuzzer target: every input is either read as a report or rejected with
// a line and a reason, and whatever is read can be shown by every view.
#include "report/Chart.h"
#include "report/ReportFile.h"
#include "report/Tables.h"

#include "common/RunState.h"
#include "common/Schedule.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string_view Text(reinterpret_cast<const char*>(Data), Size);
  const ParseResult Result = ParseReport(Text);
  if (!Result.Ok) {
    const auto Lines = static_cast<int>(std::count(Text.begin(), Text.end(), '\n'));
    if (Result.Line < 1 || Result.Line > Lines + 1 || Result.Error.empty())
      std::abort();
    return 0;
  }

  const Report& Parsed = Result.Parsed;
  if (Parsed.Rows.empty() || Parsed.Rows.size() > ScheduleRows ||
      Parsed.Complete != Parsed.Stopped.empty())
    std::abort();
  for (std::size_t Row = 0; Row < Parsed.Rows.size(); ++Row) {
    const ReportRow& Read = Parsed.Rows[Row];
    if (Read.BufferSize != ScheduleBufferSizes[Row] || Read.Elapsed.size() > MaxThreads ||
        (Row + 1 < Parsed.Rows.size() && Read.Elapsed.size() != MaxThreads))
      std::abort();
  }
  FormatCsv(Parsed);
  FormatSummary(Parsed);
  FormatComparison(Parsed, "a", Parsed, "b");
  ChartScript(Parsed, "chart.svg");
  return 0;
}
