// The status line's texts: "Status: OK", or "Status: Error" with the reason and what to do.

#include "core/PortMessages.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

using platform::PortFailure;
using platform::SerialResult;

namespace {

struct AdviceCase {
    PortFailure failure;
    const char* mustSay;  // the words a user acts on
};

class PortStatus : public ::testing::TestWithParam<AdviceCase> {};

TEST_P(PortStatus, StartsWithStatusErrorAndSaysWhatToDo)
{
    const std::string text = core::PortStatusText(GetParam().failure, SerialResult::Failure("open", EACCES));
    EXPECT_EQ(text.rfind("Status: Error: ", 0), 0u) << text;
    EXPECT_NE(text.find(GetParam().mustSay), std::string::npos) << text;
    // The advice is the program's own, not the system's message.
    EXPECT_EQ(text.find("Permission denied"), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(Reasons, PortStatus, ::testing::Values(
    AdviceCase{PortFailure::NotFound, "not found"},
    AdviceCase{PortFailure::NoPermission, "dialout"},
    AdviceCase{PortFailure::InUse, "in use by another program"},
    AdviceCase{PortFailure::NotSerial, "not a serial device"},
    AdviceCase{PortFailure::DeviceGone, "lost"}));

TEST(PortStatusText, OkAndTheSystemsMessageForAnythingElse)
{
    EXPECT_EQ(core::PortStatusText(PortFailure::None, {}), "Status: OK");
    EXPECT_EQ(core::PortStatusText(PortFailure::Other, SerialResult::Failure("open", EMFILE)),
              std::string("Status: Error: open: ") + std::strerror(EMFILE));
    EXPECT_EQ(core::PortStatusText(PortFailure::Other, {}), "Status: Error");
}

} // namespace
