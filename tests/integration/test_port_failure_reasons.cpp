// Why the window's port failed, for each real cause: a path that leads nowhere, a path that is no
// serial device, a port another program holds, a port the user may not open. The status line
// starts with "Status: Error" and goes on with the reason and what to do.

#include "app/MainWindow.h"
#include "app/support_scripted_dialogs.h"
#include "core/PortConnection.h"
#include "core/PortMessages.h"
#include "core/PortState.h"
#include "platform/PortNames.h"
#include "support/SimProcess.h"
#include "support/Unprivileged.h"
#include "support_port_holder.h"

#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sys/stat.h>

using platform::PortFailure;

namespace {

QString ExpectedStatus(PortFailure failure) { return QString::fromStdString(core::PortStatusText(failure, {})); }

// The window's status line with "COM 1" standing for `path`.
QString WindowStatusFor(const std::string& path)
{
    testing_support::ScriptedDialogs dialogs;
    platform::SetComPortPath(1, path);
    auto form = std::make_unique<TForm1>(dialogs);
    const QString status = form->Label1->text();
    form->close();
    form.reset();
    platform::SetComPortPath(1, "");
    return status;
}

struct ReasonCase {
    const char* name;
    std::string (*makePath)(const QTemporaryDir&);
    PortFailure expected;
};

const ReasonCase ReasonCases[] = {
    {"MissingPath", [](const QTemporaryDir& d) { return d.filePath("ttyUSB3").toStdString(); }, PortFailure::NotFound},
    {"TextFile",
     [](const QTemporaryDir& d) {
         const std::string path = d.filePath("device.txt").toStdString();
         std::ofstream(path) << "not a port\n";
         return path;
     },
     PortFailure::NotSerial},
    {"Folder", [](const QTemporaryDir& d) { return d.path().toStdString(); }, PortFailure::NotSerial},
    {"NullDevice", [](const QTemporaryDir&) { return std::string("/dev/null"); }, PortFailure::NotSerial},
};

class FailureReason : public ::testing::TestWithParam<ReasonCase> {};

TEST_P(FailureReason, FollowsStatusErrorInTheWindow)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString status = WindowStatusFor(GetParam().makePath(folder));
    EXPECT_EQ(status, ExpectedStatus(GetParam().expected));
    EXPECT_TRUE(status.startsWith(QStringLiteral("Status: Error: ")));
}

INSTANTIATE_TEST_SUITE_P(Causes, FailureReason, ::testing::ValuesIn(ReasonCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FailureReasonOfAPort, HeldByAnotherProgramIsInUse)
{
    SimProcess sim;
    ASSERT_TRUE(sim.Running()) << sim.Error();
    PortHolder other(QString::fromStdString(sim.LinkPath()));
    ASSERT_TRUE(other.Holds()) << other.Report().toStdString();
    EXPECT_EQ(WindowStatusFor(sim.LinkPath()), ExpectedStatus(PortFailure::InUse));
}

TEST(FailureReasonOfAPort, WithoutPermissionNamesTheDialoutGroup)
{
    SimProcess sim;
    ASSERT_TRUE(sim.Running()) << sim.Error();
    // As a serial node is to a user outside its group: no rights for others.
    ASSERT_EQ(chmod(sim.PtyPath().c_str(), 0660), 0);
    // The window of a user without root: created in a child that gave root up.
    const std::string status = RunUnprivileged([&] { return WindowStatusFor(sim.LinkPath()).toStdString(); });
    EXPECT_EQ(QString::fromStdString(status), ExpectedStatus(PortFailure::NoPermission));
    EXPECT_NE(status.find("dialout"), std::string::npos) << status;
    // The same port opens for its owner.
    EXPECT_EQ(WindowStatusFor(sim.LinkPath()), QStringLiteral("Status: OK"));
}

TEST(FailureReasonOfAPort, AFailureKeepsThePathForTheToolTip)
{
    const std::string path = "/nonexistent/duoclave-reason";
    testing_support::ScriptedDialogs dialogs;
    platform::SetComPortPath(1, path);
    TForm1 form(dialogs);
    EXPECT_EQ(form.Port().Failure(), PortFailure::NotFound);
    EXPECT_EQ(form.Port().Path(), path);
    EXPECT_TRUE(form.Label1->toolTip().contains(QString::fromStdString(path)));
    form.close();
    platform::SetComPortPath(1, "");
}

} // namespace
