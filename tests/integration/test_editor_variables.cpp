// The E2PROM editor against duoclave-sim: every row read back in its display format, the
// edge-case writes with their register contents and wire bytes, the copy, and a device that
// refuses, ignores or half-answers. Runs with "." and with "," as decimal separator, and with
// the separator of the session's own locale; the locale runs start it under real installed
// locales, where the C library has the locale too.

#include "core/PortState.h"
#include "app/MainWindow.h"
#include "app/support_form.h"
#include "app/support_scripted_dialogs.h"
#include "platform/PortNames.h"
#include "support/SimProcess.h"
#include "support_link.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <iostream>
#include <memory>

using platform::LineDirection;
using testing_support::ChooseRow;
using testing_support::EditText;
using testing_support::ScriptedDialogs;
using testing_support::Status;
using testing_support::WriteValue;
using Bytes = std::vector<std::uint8_t>;
using Kind = ScriptedDialogs::Kind;

namespace {

// The bytes of one 16-bit write: register with the write flag, high, low, check.
Bytes WriteFrame(uint8_t reg, uint16_t value)
{
    const uint8_t first = uint8_t(reg + 0x80), high = uint8_t(value >> 8), low = uint8_t(value & 0xFF);
    return {first, high, low, uint8_t(first ^ high ^ low)};
}

Bytes LongWriteFrames(uint8_t reg, uint32_t value)
{
    Bytes bytes = WriteFrame(reg, uint16_t(value & 0xFFFF));
    const Bytes high = WriteFrame(uint8_t(reg + 1), uint16_t(value >> 16));
    bytes.insert(bytes.end(), high.begin(), high.end());
    return bytes;
}

// AnyLanguage stands for the session's own locale, as the program finds it.
constexpr QLocale::Language SessionLocale = QLocale::AnyLanguage;

class Editor : public ::testing::TestWithParam<QLocale::Language> {
protected:
    void Start(const std::vector<std::string>& options = {})
    {
        QLocale::setDefault(GetParam() == SessionLocale ? QLocale::system() : QLocale(GetParam()));
        sim = std::make_unique<SimProcess>(options);
        ASSERT_TRUE(sim->Running()) << sim->Error();
        platform::SetComPortPath(1, sim->LinkPath());
        form = std::make_unique<TForm1>(dialogs);
        ASSERT_EQ(form->Label1->text(), QStringLiteral("Status: OK"));
    }
    void TearDown() override
    {
        if (form) form->close();
        form.reset();
        if (HasFailure() && sim) std::cout << sim->TraceText();
        sim.reset();
        platform::SetComPortPath(1, "");
        QLocale::setDefault(QLocale::system());
    }
    QString Num(const char* text) const
    {
        return QString::fromLatin1(text).replace(QLatin1Char('.'), QLocale().decimalPoint());
    }
    long E2prom(int reg) { return sim->DumpValue("e2prom " + std::to_string(reg)); }

    ScriptedDialogs dialogs;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<TForm1> form;
};

struct ReadCase {
    int row;
    const char* shown;
};

TEST_P(Editor, EveryRowReadsBackInItsDisplayFormat)
{
    // 799999 = 0x000C34FF over registers 3 and 4; 0xFFFFFFFF over 6 and 7.
    Start({"--reg", "0=10", "--reg", "1=10", "--reg", "2=255", "--reg", "3=0x34FF", "--reg", "4=0x000C",
           "--reg", "5=3", "--reg", "6=0xFFFF", "--reg", "7=0xFFFF", "--reg", "8=0xFFFD", "--reg", "9=10",
           "--reg", "10=0xABCD", "--reg", "11=0", "--reg", "12=0x0100", "--reg", "13=1", "--reg", "14=0xFFFF",
           "--reg", "15=0x1234", "--reg", "16=0x8000", "--reg", "17=65535", "--reg", "18=1234", "--reg",
           "19=59", "--reg", "20=249"});
    const ReadCase cases[] = {{0, "$A"}, {1, "$0A"}, {2, "$FF"}, {3, "399.9995"}, {4, "1.5"}, {5, "-0.0005"},
                              {6, "-1.5"}, {7, "$000A"}, {8, "$ABCD"}, {9, "$0000"}, {10, "$0100"},
                              {11, "$0001"}, {12, "$FFFF"}, {13, "$1234"}, {14, "$8000"}, {15, "65535"},
                              {16, "1234"}, {18, "1.96666666666667"}, {19, "249"}};
    for (const ReadCase& c : cases) {
        ChooseRow(*form, c.row);
        EXPECT_EQ(EditText(*form), Num(c.shown)) << "row " << c.row;
        EXPECT_EQ(Status(*form), QString()) << "row " << c.row;
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_P(Editor, DelaysDurationsAndPowerOffTimeReadAsScaledNumbers)
{
    // 30000000 = 0x01C9C380 half-units over registers 3 and 4.
    Start({"--reg", "5=4", "--reg", "8=3", "--reg", "19=60", "--reg", "3=0xC380", "--reg", "4=0x01C9", "--reg",
           "6=7", "--reg", "7=0"});
    const ReadCase cases[] = {{4, "2"}, {6, "1.5"}, {18, "2"}, {3, "15000"}, {5, "0.0035"}};
    for (const ReadCase& c : cases) {
        ChooseRow(*form, c.row);
        EXPECT_EQ(EditText(*form), Num(c.shown)) << "row " << c.row;
    }
}

struct WriteCase {
    int row;
    const char* input;
    int reg;          // first register written
    uint32_t value;   // what lands there (both halves for a 32-bit row)
};

TEST_P(Editor, EdgeCaseWritesLandInTheRegistersAndNeverReadBack)
{
    Start();
    const WriteCase cases[] = {
        {0, "$F", 0, 15}, {1, "0xFF", 1, 255}, {3, "0", 3, 0}, {3, "399.9995", 3, 799999}, {5, "50", 6, 100000},
        {4, "1.5", 5, 3}, {4, "-1.5", 5, 0xFFFD}, {4, "15000", 5, 30000}, {4, "20", 5, 40}, {6, "-2", 8, 0xFFFC},
        {7, "-1", 9, 0xFFFF}, {14, "$12345", 16, 0x2345}, {15, "70000", 17, 70000 & 0xFFFF}, {16, "x10", 18, 16},
        {18, "1.9", 19, 57}, {19, "249", 20, 249}, {19, "2.5", 20, 2}};
    for (const WriteCase& c : cases) {
        ChooseRow(*form, c.row);
        dialogs.Clear();
        dialogs.AnswerConfirmations({true});
        LineRecorder line;
        WriteValue(*form, Num(c.input));
        const bool isLong = c.row == 3 || c.row == 5;
        EXPECT_EQ(Status(*form), QStringLiteral("Value Stored")) << c.row << " " << c.input;
        EXPECT_EQ(EditText(*form), Num(c.input)) << c.row << " " << c.input;
        EXPECT_EQ(line.Bytes(LineDirection::Sent),
                  isLong ? LongWriteFrames(uint8_t(c.reg), c.value) : WriteFrame(uint8_t(c.reg), uint16_t(c.value)))
            << c.row << " " << c.input;
        EXPECT_TRUE(dialogs.Texts(Kind::Message).isEmpty());
        if (isLong) {
            EXPECT_EQ(E2prom(c.reg), long(c.value & 0xFFFF)) << c.row << " " << c.input;
            EXPECT_EQ(E2prom(c.reg + 1), long(c.value >> 16)) << c.row << " " << c.input;
        } else {
            EXPECT_EQ(E2prom(c.reg), long(c.value)) << c.row << " " << c.input;
        }
    }
}

TEST_P(Editor, TeleWideReadsRegister102AndWritesRegister98)
{
    Start();
    ChooseRow(*form, 17);
    EXPECT_EQ(Status(*form), QStringLiteral("Attention! Only the second bytes are shown!!"));
    dialogs.AnswerConfirmations({true});
    LineRecorder line;
    WriteValue(*form, QStringLiteral("$1234"));
    EXPECT_EQ(Status(*form), QStringLiteral("Value Stored"));
    EXPECT_EQ(line.Bytes(LineDirection::Sent), WriteFrame(98, 0x1234));
    EXPECT_EQ(sim->DumpValue("register 98"), 0x1234);

    LineRecorder readLine;
    ChooseRow(*form, 17);
    EXPECT_EQ(readLine.Bytes(LineDirection::Sent), (Bytes{102, 101}));
    EXPECT_EQ(EditText(*form), QStringLiteral("$34"));
    EXPECT_EQ(Status(*form), QStringLiteral("Attention! Only the second bytes are shown!!"));
}

TEST_P(Editor, RejectedAndDeclinedValuesSendNothing)
{
    Start({"--reg", "5=7", "--reg", "8=7", "--reg", "0=3"});
    ChooseRow(*form, 4);
    WriteValue(*form, Num("15000.5"));
    EXPECT_EQ(dialogs.Texts(Kind::Message), QStringList{"Value must be between -15 and 15"});
    EXPECT_EQ(Status(*form), QStringLiteral("Comm error"));

    ChooseRow(*form, 6);
    WriteValue(*form, Num("-15000.5"));
    EXPECT_EQ(EditText(*form), QStringLiteral("ERROR"));
    EXPECT_EQ(Status(*form), QStringLiteral("Comm error"));

    ChooseRow(*form, 0);
    dialogs.AnswerConfirmations({false});
    WriteValue(*form, QStringLiteral("$1"));
    EXPECT_EQ(Status(*form), QString());

    EXPECT_EQ(E2prom(5), 7);
    EXPECT_EQ(E2prom(8), 7);
    EXPECT_EQ(E2prom(0), 3);
}

TEST_P(Editor, RejectedTextSendsNothing)
{
    Start();
    ChooseRow(*form, 19);
    LineRecorder line;
    WriteValue(*form, QStringLiteral("250"));
    WriteValue(*form, Num("abc"));
    EXPECT_TRUE(line.Bytes(LineDirection::Sent).empty());
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{"'abc' is not a valid floating point value."});
}

TEST_P(Editor, TheOtherSeparatorIsNotANumberAndSendsNothing)
{
    Start({"--reg", "5=7"});
    ChooseRow(*form, 4);
    const QString other = QLocale().decimalPoint() == QStringLiteral(",") ? QStringLiteral("1.5") : QStringLiteral("1,5");
    LineRecorder line;
    WriteValue(*form, other);
    EXPECT_TRUE(line.Bytes(LineDirection::Sent).empty());
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("'%1' is not a valid floating point value.").arg(other)});
    EXPECT_EQ(Status(*form), QString());
    EXPECT_EQ(E2prom(5), 7);
}

TEST_P(Editor, CopyToWorkingRegisters)
{
    Start({"--reg", "9=0x55"});
    LineRecorder line;
    form->Button_Working->click();
    EXPECT_EQ(Status(*form), QStringLiteral("E2PROM values are copied!"));
    EXPECT_EQ(line.Bytes(LineDirection::Sent), (Bytes{0xE5, 0x00, 0x00, 0xE5}));
    EXPECT_EQ(sim->DumpValue("copies"), 1);
    EXPECT_EQ(sim->DumpValue("working 9"), 0x55);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_P(Editor, RefusedAndUnansweredWritesAreCommErrors)
{
    Start({"--reg", "20=5", "--fault", "refuse-writes"});
    ChooseRow(*form, 19);
    EXPECT_EQ(EditText(*form), QStringLiteral("5"));
    WriteValue(*form, QStringLiteral("6"));
    EXPECT_EQ(Status(*form), QStringLiteral("Comm error"));
    EXPECT_EQ(E2prom(20), 5);
    form->Button_Working->click();
    EXPECT_EQ(Status(*form), QStringLiteral("Comm error"));

    sim->Control("fault off all");
    sim->Control("fault on no-ack");
    WriteValue(*form, QStringLiteral("7"));
    EXPECT_EQ(Status(*form), QStringLiteral("Comm error"));
}

TEST_P(Editor, AHalfAnsweredReadShowsError)
{
    Start({"--reg", "3=1", "--reg", "4=1", "--fault", "no-high-byte"});
    ChooseRow(*form, 3);
    EXPECT_EQ(EditText(*form), QStringLiteral("ERROR"));
    ChooseRow(*form, 0);
    EXPECT_EQ(EditText(*form), QStringLiteral("ERROR"));
}

TEST_P(Editor, LateBytesOfAnInterruptedReadAreDrainedBeforeTheNextRead)
{
    Start({"--reg", "20=200", "--fault", "late", "--late-delay", "250"});
    ChooseRow(*form, 19);
    EXPECT_EQ(EditText(*form), QStringLiteral("ERROR"));
    sim->Control("fault off late");
    // Wait until the late reply byte has reached the host's input queue.
    while (sim->TraceBytes(false).empty()) QTest::qWait(10);
    ChooseRow(*form, 19);
    EXPECT_EQ(EditText(*form), QStringLiteral("200"));
}

INSTANTIATE_TEST_SUITE_P(Separators, Editor, ::testing::Values(QLocale::English, QLocale::German, SessionLocale),
                         [](const auto& info) {
                             return info.param == QLocale::English ? "Point"
                                 : info.param == QLocale::German  ? "Comma"
                                                                  : "Session";
                         });

} // namespace
