#include "report/ReportFile.h"

#include "common/RunState.h"
#include "common/Schedule.h"

#include <limits>

namespace {

// Strips Prefix from Text; false when Text does not start with it.
bool Consume(std::string_view& Text, std::string_view Prefix) {
  if (Text.substr(0, Prefix.size()) != Prefix)
    return false;
  Text.remove_prefix(Prefix.size());
  return true;
}

enum class NumberStatus { Ok, Missing, TooLarge };

// Leading decimal digits of Text, at most Limit; consumes them.
NumberStatus ConsumeNumber(std::string_view& Text, std::uint64_t Limit, std::uint64_t* Value) {
  std::size_t Length = 0;
  std::uint64_t Result = 0;
  while (Length < Text.size() && Text[Length] >= '0' && Text[Length] <= '9') {
    Result = Result * 10 + static_cast<std::uint64_t>(Text[Length] - '0');
    if (Result > Limit)
      return NumberStatus::TooLarge;
    ++Length;
  }
  if (Length == 0)
    return NumberStatus::Missing;
  Text.remove_prefix(Length);
  *Value = Result;
  return NumberStatus::Ok;
}

constexpr std::uint64_t Int32Limit = std::numeric_limits<std::int32_t>::max();
constexpr std::uint64_t Uint32Limit = std::numeric_limits<std::uint32_t>::max();

// A line of the form Prefix<number>Suffix, number at most Limit.
NumberStatus MatchLine(std::string_view Line, std::string_view Prefix, std::uint64_t Limit,
                       std::string_view Suffix, std::uint64_t* Value) {
  if (!Consume(Line, Prefix))
    return NumberStatus::Missing;
  const NumberStatus Status = ConsumeNumber(Line, Limit, Value);
  if (Status != NumberStatus::Ok)
    return Status;
  return Line == Suffix ? NumberStatus::Ok : NumberStatus::Missing;
}

struct MeasurementLine {
  std::uint64_t NumThread;
  std::uint64_t Elapsed;
};

NumberStatus MatchMeasurement(std::string_view Line, MeasurementLine* Result) {
  if (!Consume(Line, "NumThread="))
    return NumberStatus::Missing;
  NumberStatus Status = ConsumeNumber(Line, Int32Limit, &Result->NumThread);
  if (Status != NumberStatus::Ok)
    return Status;
  if (!Consume(Line, "\tElapsed\t"))
    return NumberStatus::Missing;
  Status = ConsumeNumber(Line, Uint32Limit, &Result->Elapsed);
  if (Status != NumberStatus::Ok)
    return Status;
  return Line == "\tmsec" ? NumberStatus::Ok : NumberStatus::Missing;
}

class Reader {
public:
  ParseResult Result;

  // A row has its header but not yet all its measurements.
  bool RowOpen() const {
    const auto& Rows = Result.Parsed.Rows;
    return !Rows.empty() && Rows.back().Elapsed.size() < MaxThreads;
  }

  // What a run writes next, given what has been read so far.
  std::string Expected() const {
    const auto& Rows = Result.Parsed.Rows;
    if (RowOpen())
      return "\"NumThread=" + std::to_string(Rows.back().Elapsed.size() + 1) +
             "\\tElapsed\\t<milliseconds>\\tmsec\" or \"Thread #<position> creation failed\"";
    if (Rows.size() < ScheduleRows)
      return "\"BufferSize=" + std::to_string(ScheduleBufferSizes[Rows.size()]) + "\"";
    return "the end of the report";
  }

  bool Fail(int Line, const std::string& Message) {
    Result.Line = Line;
    Result.Error = Message;
    return false;
  }

  bool AllMeasured() const {
    return Result.Parsed.Rows.size() == ScheduleRows && !RowOpen();
  }

  // Where the run stopped: the first measurement the report does not hold.
  // Only for a report that is not AllMeasured().
  std::string Position() const {
    const auto& Rows = Result.Parsed.Rows;
    if (Rows.empty())
      return "before the first row";
    if (RowOpen())
      return "at BufferSize=" + std::to_string(Rows.back().BufferSize) +
             ", NumThread=" + std::to_string(Rows.back().Elapsed.size() + 1);
    return "before BufferSize=" + std::to_string(ScheduleBufferSizes[Rows.size()]);
  }

  bool ReadLine(int Number, std::string_view Line) {
    auto& Rows = Result.Parsed.Rows;
    std::uint64_t Value = 0;
    MeasurementLine Measurement{};

    NumberStatus Status = MatchLine(Line, "BufferSize=", Int32Limit, "", &Value);
    if (Status == NumberStatus::TooLarge)
      return Fail(Number, "BufferSize does not fit a 32-bit signed integer");
    if (Status == NumberStatus::Ok) {
      // A header only after a complete row, and never after the last.
      if (RowOpen() || Rows.size() == ScheduleRows)
        return Fail(Number, "expected " + Expected());
      const std::size_t Row = Rows.size();
      bool InSchedule = false;
      for (std::int32_t Size : ScheduleBufferSizes)
        InSchedule = InSchedule || Size == static_cast<std::int32_t>(Value);
      if (!InSchedule)
        return Fail(Number, "BufferSize=" + std::to_string(Value) + " is not in the schedule");
      if (static_cast<std::int32_t>(Value) != ScheduleBufferSizes[Row])
        return Fail(Number, "BufferSize=" + std::to_string(Value) +
                                " out of schedule order: expected \"BufferSize=" +
                                std::to_string(ScheduleBufferSizes[Row]) + "\"");
      Rows.push_back({ScheduleBufferSizes[Row], SchedulePassCounts[Row], {}});
      return true;
    }

    Status = MatchMeasurement(Line, &Measurement);
    if (Status == NumberStatus::TooLarge)
      return Fail(Number, "a number that does not fit: NumThread must fit 32 bits signed, Elapsed "
                          "32 bits unsigned");
    if (Status == NumberStatus::Ok) {
      if (Rows.empty())
        return Fail(Number, "measurement before any \"BufferSize=\" header");
      if (Measurement.NumThread < 1 || Measurement.NumThread > MaxThreads)
        return Fail(Number, "NumThread=" + std::to_string(Measurement.NumThread) + " outside 1.." +
                                std::to_string(MaxThreads));
      if (!RowOpen() || Measurement.NumThread != Rows.back().Elapsed.size() + 1)
        return Fail(Number, "NumThread=" + std::to_string(Measurement.NumThread) +
                                " out of order: expected " + Expected());
      Rows.back().Elapsed.push_back(static_cast<std::uint32_t>(Measurement.Elapsed));
      return true;
    }

    Status = MatchLine(Line, "Thread #", Int32Limit, " creation failed", &Value);
    if (Status == NumberStatus::TooLarge)
      return Fail(Number, "thread position does not fit a 32-bit signed integer");
    if (Status == NumberStatus::Ok) {
      if (!RowOpen())
        return Fail(Number, "expected " + Expected());
      const std::size_t NumThread = Rows.back().Elapsed.size() + 1;
      if (Value >= NumThread)
        return Fail(Number, "thread #" + std::to_string(Value) +
                                " cannot fail in a measurement of " + std::to_string(NumThread) +
                                " threads");
      Result.Parsed.Stopped = "incomplete run: stopped " + Position() + " (line " +
                              std::to_string(Number) + ": thread #" + std::to_string(Value) +
                              " could not be created)";
      return true;
    }
    return Fail(Number, "expected " + Expected());
  }
};

} // namespace

ParseResult ParseReport(std::string_view Text) {
  Reader State;
  Report& Parsed = State.Result.Parsed;
  int Number = 0;
  bool Ok = true;
  while (Ok && !Text.empty()) {
    ++Number;
    if (!Parsed.Stopped.empty()) {
      Ok = State.Fail(Number, "nothing may follow the creation failure line");
      break;
    }
    const std::size_t End = Text.find('\n');
    if (End == std::string_view::npos) {
      // A line without its end was being written when the run was cut off;
      // even its number may be short, so it is not used. After the last
      // measurement a run writes nothing more, not even part of a line.
      if (State.AllMeasured()) {
        Ok = State.Fail(Number, "expected " + State.Expected());
        break;
      }
      Parsed.Stopped = "incomplete run: stopped " + State.Position() + " (line " +
                       std::to_string(Number) + " is cut off)";
      break;
    }
    std::string_view Line = Text.substr(0, End);
    Text.remove_prefix(End + 1);
    if (!Line.empty() && Line.back() == '\r')
      Line.remove_suffix(1);
    Ok = State.ReadLine(Number, Line);
  }
  if (Ok && Number == 0)
    Ok = State.Fail(1, "empty report: expected " + State.Expected());
  else if (Ok && Parsed.Rows.empty())
    Ok = State.Fail(Number, "expected " + State.Expected());
  if (!Ok)
    return State.Result;

  Parsed.Complete = Parsed.Stopped.empty() && State.AllMeasured();
  if (!Parsed.Complete && Parsed.Stopped.empty())
    Parsed.Stopped = "incomplete run: stopped " + State.Position() +
                     " (the report ends after line " + std::to_string(Number) + ")";
  State.Result.Ok = true;
  return State.Result;
}
