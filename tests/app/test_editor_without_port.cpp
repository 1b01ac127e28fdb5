// The editor's messages and checks, which need no device: conversion errors, range rejections,
// declined confirmations, and the failures of exchanges with no port open.

#include "app/MainWindow.h"
#include "platform/PortNames.h"
#include "support_form.h"
#include "support_scripted_dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <memory>

using testing_support::ChooseRow;
using testing_support::EditText;
using testing_support::ScriptedDialogs;
using testing_support::Status;
using testing_support::WriteValue;
using Kind = ScriptedDialogs::Kind;

namespace {

const QString Confirm = QStringLiteral("Are you 100% sure? If yes, proceed on your own risk :-)");

// Runs with "." and with "," as the user's decimal separator.
class EditorWithoutPort : public ::testing::TestWithParam<QLocale::Language> {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(GetParam()));
        platform::SetComPortPath(1, "/nonexistent/duoclave-com1");
        form = std::make_unique<TForm1>(dialogs);
        separator = QLocale().decimalPoint();
    }
    void TearDown() override
    {
        form->close();
        form.reset();
        platform::SetComPortPath(1, "");
        QLocale::setDefault(QLocale::c());
    }
    // "1.5" with the separator of the run.
    QString Num(const char* text) const { return QString::fromLatin1(text).replace(QLatin1Char('.'), separator); }

    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
    QString separator;
};

TEST_P(EditorWithoutPort, WriteBeforeAnyChoiceOnlyClearsTheStatusLine)
{
    form->Label_E2PROM->setText(QStringLiteral("old"));
    WriteValue(*form, QStringLiteral("zz"));
    EXPECT_EQ(Status(*form), QString());
    EXPECT_EQ(EditText(*form), QStringLiteral("zz"));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_P(EditorWithoutPort, ChoosingNothingTouchesNothing)
{
    form->Label_E2PROM->setText(QStringLiteral("old"));
    form->ComboBox_E2PROMChange(form->ComboBox_E2PROM);
    EXPECT_EQ(Status(*form), QString());
    EXPECT_EQ(EditText(*form), QStringLiteral("0"));
}

TEST_P(EditorWithoutPort, ReadsFailWithErrorAndTheTeleWideNoteStays)
{
    ChooseRow(*form, 4);
    EXPECT_EQ(EditText(*form), QStringLiteral("ERROR"));
    EXPECT_EQ(Status(*form), QString());
    ChooseRow(*form, 3);
    EXPECT_EQ(EditText(*form), QStringLiteral("ERROR"));
    ChooseRow(*form, 17);
    EXPECT_EQ(EditText(*form), QStringLiteral("ERROR"));
    EXPECT_EQ(Status(*form), QStringLiteral("Attention! Only the second bytes are shown!!"));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_P(EditorWithoutPort, TextThatIsNotANumberShowsTheConversionError)
{
    ChooseRow(*form, 4);
    WriteValue(*form, QStringLiteral("abc"));
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{"'abc' is not a valid floating point value."});
    EXPECT_EQ(Status(*form), QString());

    // The other separator is no number either.
    dialogs.Clear();
    const QString other = separator == QStringLiteral(".") ? QStringLiteral("1,5") : QStringLiteral("1.5");
    WriteValue(*form, other);
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("'%1' is not a valid floating point value.").arg(other)});
    EXPECT_EQ(Status(*form), QString());

    // Integer rows ask first, then convert.
    dialogs.Clear();
    ChooseRow(*form, 0);
    dialogs.AnswerConfirmations({true});
    WriteValue(*form, Num("1.5"));
    EXPECT_EQ(dialogs.Texts(Kind::Confirmation), QStringList{Confirm});
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("'%1' is not a valid integer value.").arg(Num("1.5"))});
    EXPECT_EQ(Status(*form), QString());
}

TEST_P(EditorWithoutPort, DeclinedConfirmationLeavesTheStatusLineEmpty)
{
    ChooseRow(*form, 7);
    dialogs.Clear();
    dialogs.AnswerConfirmations({false});
    WriteValue(*form, QStringLiteral("not even a number"));
    EXPECT_EQ(dialogs.Texts(Kind::Confirmation), QStringList{Confirm});
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(Status(*form), QString());
    EXPECT_EQ(EditText(*form), QStringLiteral("not even a number"));
}

struct MessageCase {
    int row;
    const char* text;
    const char* message;
};

TEST_P(EditorWithoutPort, RejectedValuesOfRowsZeroToFiveShowTheirMessage)
{
    const MessageCase cases[] = {
        {0, "16", "Value must be between $0 and $F"}, {0, "65536", "Value must be between $0 and $F"},
        {0, "-1", "Value must be between $0 and $F"}, {1, "$100", "Value must be between $0 and $FF"},
        {2, "256", "Value must be between $0 and $FF"}, {3, "400", "Value must be between 0 and 400"},
        {3, "-1", "Value must be between 0 and 400"}, {4, "15000.5", "Value must be between -15 and 15"},
        {5, "-0.001", "Value must be between 0 and 400"}};
    for (const MessageCase& c : cases) {
        ChooseRow(*form, c.row);
        dialogs.Clear();
        dialogs.AnswerConfirmations({true});
        WriteValue(*form, Num(c.text));
        EXPECT_EQ(dialogs.Texts(Kind::Message), QStringList{QString::fromLatin1(c.message)}) << c.row << " " << c.text;
        EXPECT_EQ(Status(*form), QStringLiteral("Comm error")) << c.row << " " << c.text;
        EXPECT_EQ(EditText(*form), Num(c.text));
    }
}

TEST_P(EditorWithoutPort, RejectedValuesOfRowsSixEighteenNineteenPutErrorIntoTheEdit)
{
    const std::pair<int, const char*> cases[] = {{6, "15000.5"}, {6, "-20000"}, {18, "2"}, {18, "-1"}, {19, "250"}};
    for (auto [row, text] : cases) {
        ChooseRow(*form, row);
        dialogs.Clear();
        WriteValue(*form, Num(text));
        EXPECT_TRUE(dialogs.shown.empty()) << row << " " << text;
        EXPECT_EQ(EditText(*form), QStringLiteral("ERROR")) << row << " " << text;
        EXPECT_EQ(Status(*form), QStringLiteral("Comm error")) << row << " " << text;
    }
}

TEST_P(EditorWithoutPort, AcceptedValuesFailToWriteWithCommError)
{
    ChooseRow(*form, 4);
    WriteValue(*form, Num("1.5"));
    EXPECT_EQ(Status(*form), QStringLiteral("Comm error"));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(EditText(*form), Num("1.5"));

    form->Button_Working->click();
    EXPECT_EQ(Status(*form), QStringLiteral("Comm error"));
}

INSTANTIATE_TEST_SUITE_P(Separators, EditorWithoutPort, ::testing::Values(QLocale::English, QLocale::German),
                         [](const auto& info) { return info.param == QLocale::English ? "Point" : "Comma"; });

} // namespace
