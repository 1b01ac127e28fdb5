// Choosing the device behind "COM 1" in the window: the list shows the simulator's by-id link,
// the choice opens it at once, a restart uses it again, --com1 beats it for its run.

#include "app/MainWindow.h"
#include "app/PortDeviceDialog.h"
#include "app/TRadioGroup.h"
#include "app/support_form.h"
#include "app/support_scripted_dialogs.h"
#include "core/PortChoice.h"
#include "core/PortConnection.h"
#include "platform/PortNames.h"
#include "support/SimProcess.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

using testing_support::ChooseRow;
using testing_support::EditText;
using testing_support::ScriptedDialogs;

namespace {

// A machine whose /dev holds the simulator's by-id link and nothing else, and whose settings
// live in a folder of the test's own.
class DeviceChoice : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid() && settings.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        std::filesystem::create_directories(root.filePath("dev/serial/by-id").toStdString());
        setenv("DUOCLAVE_DEVICE_ROOT", root.path().toUtf8().constData(), 1);
        sim = std::make_unique<SimProcess>(std::vector<std::string>{"--by-id", root.filePath("dev/serial/by-id").toStdString(),
                                                                    "--reg", "20=321"});
        ASSERT_TRUE(sim->Running()) << sim->Error();
        for (const auto& entry : std::filesystem::directory_iterator(root.filePath("dev/serial/by-id").toStdString()))
            byIdLink = QString::fromStdString(entry.path().string());
        ASSERT_FALSE(byIdLink.isEmpty());
        // As on a machine with nothing set: COM 1 is /dev/ttyS0 until the user says otherwise.
        platform::SetComPortPath(1, "");
        platform::SetComPortPath(2, "");
        unsetenv("DUOCLAVE_COM1");
        unsetenv("DUOCLAVE_COM2");
    }
    void TearDown() override
    {
        CloseWindow();
        platform::SetComPortPath(1, "");
        platform::SetComPortPath(2, "");
        unsetenv("DUOCLAVE_DEVICE_ROOT");
    }
    void OpenWindow() { form = std::make_unique<TForm1>(dialogs); }
    void CloseWindow()
    {
        if (form) form->close();
        form.reset();
    }
    // A new start of the program: nothing set for the run, the settings file as it was left.
    void Restart()
    {
        CloseWindow();
        platform::SetComPortPath(1, "");
        platform::SetComPortPath(2, "");
        OpenWindow();
    }
    void ChooseFromMenu(int port)
    {
        auto* action = form->PopupMenu_Port->findChild<QAction*>(QStringLiteral("Action_DeviceCom%1").arg(port));
        ASSERT_NE(action, nullptr);
        action->trigger();
    }
    const ScriptedDialogs::Shown& LastChoice() const { return dialogs.shown.back(); }

    QTemporaryDir root;
    QTemporaryDir settings;
    std::unique_ptr<SimProcess> sim;
    QString byIdLink;
    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
};

TEST_F(DeviceChoice, TheListShowsTheSimulatorsByIdLinkAndTheChoiceOpensIt)
{
    OpenWindow();
    EXPECT_EQ(form->PopupMenu_Port->actions().size(), 2);
    EXPECT_EQ(form->RadioGroup1->contextMenuPolicy(), Qt::CustomContextMenu);

    dialogs.AnswerPortDevices({byIdLink});
    ChooseFromMenu(1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    const ScriptedDialogs::Shown& shown = LastChoice();
    EXPECT_EQ(shown.kind, ScriptedDialogs::Kind::PortDevice);
    EXPECT_EQ(shown.portRequest.port, QStringLiteral("COM 1"));
    EXPECT_EQ(shown.portRequest.currentPath, QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(shown.portRequest.currentSource, QStringLiteral("default"));
    ASSERT_FALSE(shown.devices.entries.empty());
    EXPECT_EQ(shown.devices.entries.front().path, byIdLink);
    EXPECT_TRUE(shown.devices.entries.front().description.contains(QString::fromStdString(sim->PtyPath())))
        << shown.devices.entries.front().description.toStdString();
    EXPECT_TRUE(shown.devices.error.isEmpty());

    EXPECT_EQ(form->Label1->text(), QStringLiteral("Status: OK"));
    EXPECT_EQ(form->Port().Path(), byIdLink.toStdString());
    ChooseRow(*form, 19);
    EXPECT_EQ(EditText(*form), QStringLiteral("321"));
}

TEST_F(DeviceChoice, AChoiceIsUsedAfterARestartAndTheOptionBeatsIt)
{
    OpenWindow();
    dialogs.AnswerPortDevices({byIdLink});
    ChooseFromMenu(1);
    ASSERT_EQ(form->Label1->text(), QStringLiteral("Status: OK"));

    Restart();
    EXPECT_EQ(form->Label1->text(), QStringLiteral("Status: OK"));
    EXPECT_EQ(form->Port().Path(), byIdLink.toStdString());
    ChooseRow(*form, 19);
    EXPECT_EQ(EditText(*form), QStringLiteral("321"));

    // --com1 for one run: the other simulator, and the remembered choice stays for later.
    SimProcess other({"--reg", "20=654"});
    ASSERT_TRUE(other.Running()) << other.Error();
    CloseWindow();
    platform::SetComPortPath(1, other.LinkPath());
    OpenWindow();
    EXPECT_EQ(form->Port().Path(), other.LinkPath());
    ChooseRow(*form, 19);
    EXPECT_EQ(EditText(*form), QStringLiteral("654"));
    EXPECT_EQ(core::RememberedPortPath(1), byIdLink.toStdString());

    // So does DUOCLAVE_COM1.
    CloseWindow();
    platform::SetComPortPath(1, "");
    setenv("DUOCLAVE_COM1", other.LinkPath().c_str(), 1);
    OpenWindow();
    EXPECT_EQ(form->Port().Path(), other.LinkPath());
    unsetenv("DUOCLAVE_COM1");
}

TEST_F(DeviceChoice, TheOtherPortIsRememberedWithoutTouchingTheOpenOne)
{
    platform::SetComPortPath(1, sim->LinkPath());
    OpenWindow();
    ASSERT_EQ(form->Label1->text(), QStringLiteral("Status: OK"));
    dialogs.AnswerPortDevices({QStringLiteral("  /dev/ttyUSB9  ")});
    ChooseFromMenu(2);
    EXPECT_EQ(core::RememberedPortPath(2), "/dev/ttyUSB9");
    EXPECT_EQ(form->Port().Path(), sim->LinkPath());
    EXPECT_EQ(form->Label1->text(), QStringLiteral("Status: OK"));

    // Cancel leaves everything as it was.
    dialogs.AnswerPortDevices({std::nullopt});
    ChooseFromMenu(2);
    EXPECT_EQ(core::RememberedPortPath(2), "/dev/ttyUSB9");
}

TEST_F(DeviceChoice, TheDialogListsTheDevicesAndTakesAPickOrATypedPath)
{
    app::PortDeviceRequest request;
    request.port = QStringLiteral("COM 1");
    request.currentPath = QStringLiteral("/dev/ttyS0");
    request.currentSource = QStringLiteral("default");
    int listings = 0;
    request.listDevices = [&] {
        ++listings;
        return app::PortDeviceList{{{byIdLink, QStringLiteral("on /dev/pts/9")}}, {}};
    };
    app::PortDeviceDialog dialog(request);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Device for COM 1"));
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("ListWidget_Devices"));
    auto* path = dialog.findChild<QLineEdit*>(QStringLiteral("Edit_DevicePath"));
    ASSERT_TRUE(list && path);
    ASSERT_EQ(list->count(), 1);
    EXPECT_TRUE(list->item(0)->text().startsWith(byIdLink));
    EXPECT_EQ(dialog.ChosenPath(), QStringLiteral("/dev/ttyS0"));

    list->setCurrentRow(0);
    EXPECT_EQ(dialog.ChosenPath(), byIdLink);
    path->setText(QStringLiteral(" /dev/ttyACM2 "));
    EXPECT_EQ(dialog.ChosenPath(), QStringLiteral("/dev/ttyACM2"));
    dialog.Refresh();
    EXPECT_EQ(listings, 2);
    EXPECT_EQ(dialog.ChosenPath(), QStringLiteral("/dev/ttyACM2"));
}

} // namespace
