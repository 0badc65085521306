#include "driver/Report.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

struct LineCase {
  const char* Name;
  std::function<void()> Write;
  const char* Expected;
};

const LineCase LineCases[] = {
    {"HeaderFirstRow", [] { WriteRowHeader(256); }, "BufferSize=256\n"},
    {"HeaderFiveDigitsNoGrouping", [] { WriteRowHeader(65536); }, "BufferSize=65536\n"},
    {"MeasurementZeroElapsed", [] { WriteMeasurementLine(1, 0); },
     "NumThread=1\tElapsed\t0\tmsec\n"},
    {"MeasurementEightThreads", [] { WriteMeasurementLine(8, 123456); },
     "NumThread=8\tElapsed\t123456\tmsec\n"},
    // Above 2^31 the difference is still a positive count of milliseconds.
    {"MeasurementElapsedAbove2To31", [] { WriteMeasurementLine(2, 2147483653u); },
     "NumThread=2\tElapsed\t2147483653\tmsec\n"},
    {"MeasurementElapsedMaximum", [] { WriteMeasurementLine(3, 4294967295u); },
     "NumThread=3\tElapsed\t4294967295\tmsec\n"},
    {"FailureFirstPosition", [] { WriteCreationFailure(0); }, "Thread #0 creation failed\n"},
    {"FailureLastPosition", [] { WriteCreationFailure(7); }, "Thread #7 creation failed\n"},
};

class ReportLine : public testing::TestWithParam<LineCase> {};

TEST_P(ReportLine, IsByteExact) {
  testing::internal::CaptureStdout();
  GetParam().Write();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), GetParam().Expected);
  EXPECT_TRUE(ReportDelivered());
}

INSTANTIATE_TEST_SUITE_P(Formats, ReportLine, testing::ValuesIn(LineCases),
                         [](const testing::TestParamInfo<LineCase>& Info) {
                           return Info.param.Name;
                         });

} // namespace
