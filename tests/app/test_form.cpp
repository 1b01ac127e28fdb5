// The window as it comes up with no port present: its controls, components and stored settings.

#include "core/E2PROMMessages.h"
#include "core/E2PROMVariables.h"
#include "core/PortMessages.h"
#include "app/TRadioGroup.h"
#include "app/TSaveDialog.h"
#include "app/MainWindow.h"
#include "chart/layerchart.h"
#include "chart/scaleprops.h"
#include "platform/PortNames.h"
#include "support_form.h"
#include "support_scripted_dialogs.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

using testing_support::ScriptedDialogs;

namespace {

class FormWithoutPort : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetComPortPath(1, "/nonexistent/duoclave-com1");
        platform::SetComPortPath(2, "/nonexistent/duoclave-com2");
        form = std::make_unique<TForm1>(dialogs);
    }
    void TearDown() override
    {
        form->close();
        form.reset();
        platform::SetComPortPath(1, "");
        platform::SetComPortPath(2, "");
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
};

TEST_F(FormWithoutPort, CaptionFontAndPlace)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Duoclave V 0.21"));
    EXPECT_EQ(form->font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(form->font().pixelSize(), 11);
    EXPECT_EQ(form->pos(), QPoint(200, 191));
    EXPECT_EQ(form->width(), 940);
    // Every control lies inside the window.
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (w->parentWidget() == form.get()) {
            EXPECT_TRUE(form->rect().contains(w->geometry())) << w->objectName().toStdString();
        }
    }
}

struct ControlCase {
    const char* name;
    const char* className;
    const char* parent;
    QRect bounds; // width or height 0: the control sizes itself; top -1: placed below a grown group
    const char* text;
};

class Controls : public FormWithoutPort, public ::testing::WithParamInterface<ControlCase> {};

QString TextOf(QWidget* w)
{
    if (auto* b = qobject_cast<QPushButton*>(w)) return b->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
    return {};
}

TEST_P(Controls, NameClassParentPlaceAndContent)
{
    const ControlCase& c = GetParam();
    auto* w = form->findChild<QWidget*>(QString::fromLatin1(c.name));
    ASSERT_NE(w, nullptr) << c.name;
    EXPECT_TRUE(w->inherits(c.className)) << c.name << " is " << w->metaObject()->className();
    EXPECT_EQ(w->parentWidget()->objectName(), QString::fromLatin1(c.parent)) << c.name;
    EXPECT_EQ(w->x(), c.bounds.x()) << c.name;
    if (c.bounds.y() >= 0) {
        EXPECT_EQ(w->y(), c.bounds.y()) << c.name;
    }
    if (c.bounds.width() > 0) {
        EXPECT_EQ(w->width(), c.bounds.width()) << c.name;
    }
    if (c.bounds.height() > 0) {
        EXPECT_EQ(w->height(), c.bounds.height()) << c.name;
    }
    EXPECT_EQ(TextOf(w), QString::fromLatin1(c.text)) << c.name;
    EXPECT_TRUE(w->isVisibleTo(form.get())) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Window, Controls, ::testing::Values(
    ControlCase{"RadioGroup1", "app::TRadioGroup", "Form1", {8, 8, 241, 49}, "Choose COM PORT"},
    ControlCase{"Label1", "QLabel", "Form1", {8, 64, 0, 0}, "Status: Error: device not found. Plug it in, or choose another."},
    ControlCase{"GroupBox4", "QGroupBox", "Form1", {8, -1, 241, 0}, "Read/Write to E2PROM"},
    ControlCase{"ComboBox_E2PROM", "QComboBox", "GroupBox4", {16, 24, 209, 21}, "Select Variable"},
    ControlCase{"Label18", "QLabel", "GroupBox4", {16, 56, 0, 0}, "Value:"},
    ControlCase{"Edit_E2PROM", "QLineEdit", "GroupBox4", {56, 48, 49, 21}, "0"},
    ControlCase{"Button_E2PROM", "QPushButton", "GroupBox4", {112, 48, 113, 25}, "Write to E2PROM"},
    ControlCase{"Button_Working", "QPushButton", "GroupBox4", {112, 80, 113, 25}, "E2PROM -> working"},
    ControlCase{"Label_E2PROM", "QLabel", "GroupBox4", {16, 109, 0, 0}, ""},
    ControlCase{"GroupBox1", "QGroupBox", "Form1", {8, -1, 241, 0}, "Sync Graph"},
    ControlCase{"Button_Switch", "QPushButton", "GroupBox1", {24, 24, 193, 25}, "Start measurement"},
    ControlCase{"Button1", "QPushButton", "GroupBox1", {24, 56, 113, 25}, "Save measurements"},
    ControlCase{"Button2", "QPushButton", "GroupBox1", {144, 56, 75, 25}, "Save picture"},
    ControlCase{"Label_Missed", "QLabel", "GroupBox1", {24, 85, 193, 0}, ""},
    ControlCase{"LayerChart1", "chart::TLayerChart", "Form1", {256, 16, 681, 281}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormWithoutPort, TheStatusLineHasRoomForEveryReasonAboveTheEditor)
{
    // Each reason wraps within the left column; the editor group keeps its gap of 11 pixels
    // below the tallest.
    const QFontMetrics metrics(form->Label1->font());
    int tallest = 13;
    for (platform::PortFailure failure : core::AdvisedFailures) {
        const QString text = QString::fromStdString(core::PortStatusText(failure, {}));
        const QRect needed = metrics.boundingRect(QRect(0, 0, 241, 0), Qt::TextWordWrap, text);
        EXPECT_LE(needed.width(), 241) << text.toStdString();
        tallest = std::max(tallest, needed.height());
    }
    EXPECT_EQ(form->GroupBox4->y(), 64 + tallest + 11);
    EXPECT_LE(form->Label1->width(), 241);
    EXPECT_TRUE(form->Label1->wordWrap());
}

TEST_F(FormWithoutPort, GroupBox1FollowsTheGrownEditorGroup)
{
    // GroupBox1 keeps its gap of 7 pixels below GroupBox4, whatever the status line needed.
    EXPECT_EQ(form->GroupBox1->y(), form->GroupBox4->geometry().bottom() + 1 + 7);
    EXPECT_GE(form->GroupBox4->height(), 113);
    EXPECT_TRUE(form->rect().contains(form->GroupBox1->geometry()));
}

TEST_F(FormWithoutPort, RadioGroupAndComboBoxContent)
{
    EXPECT_EQ(form->RadioGroup1->Items(), (QStringList{"COM 1", "COM 2"}));
    EXPECT_EQ(form->RadioGroup1->Columns(), 2);
    EXPECT_EQ(form->RadioGroup1->ItemIndex(), 0);
    ASSERT_EQ(form->ComboBox_E2PROM->count(), core::E2PROMVariableCount);
    for (int i = 0; i < core::E2PROMVariableCount; ++i)
        EXPECT_EQ(form->ComboBox_E2PROM->itemText(i), QString::fromLatin1(core::E2PROMVariables[std::size_t(i)].itemText));
    EXPECT_TRUE(form->ComboBox_E2PROM->isEditable());
    EXPECT_EQ(form->ComboBox_E2PROM->currentIndex(), -1);
    EXPECT_EQ(form->E2PROMItemIndex(), -1);
    EXPECT_TRUE(form->Label1->font().bold());
}

TEST_F(FormWithoutPort, TabOrderWithinEachParent)
{
    std::vector<QWidget*> expected = {form->RadioGroup1->Button(0), form->Edit_E2PROM, form->Button_E2PROM,
                                      form->ComboBox_E2PROM, form->Button_Working, form->Button_Switch,
                                      form->Button1, form->Button2};
    std::vector<QWidget*> chain;
    QWidget* w = expected.front();
    do {
        if (w->focusPolicy() & Qt::TabFocus) {
            if (std::find(expected.begin(), expected.end(), w) != expected.end()) chain.push_back(w);
        }
        w = w->nextInFocusChain();
    } while (w != expected.front() && chain.size() < expected.size());
    EXPECT_EQ(chain, expected);
}

TEST_F(FormWithoutPort, ComponentsAndStoredSettings)
{
    auto* timer = form->findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_EQ(timer, form->Timer1);
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_FALSE(timer->isActive());

    auto* dat = form->findChild<app::TSaveDialog*>(QStringLiteral("SaveDialog1"));
    ASSERT_NE(dat, nullptr);
    EXPECT_EQ(dat->DefaultExt(), QStringLiteral(".dat"));
    EXPECT_EQ(dat->Filter(), QStringLiteral("Dat files|*.dat|All files|*.*"));
    EXPECT_EQ(dat->Options(), app::ofOverwritePrompt | app::ofHideReadOnly | app::ofEnableSizing);
    EXPECT_TRUE(dat->Title().isEmpty());

    auto* picture = form->findChild<app::TSaveDialog*>(QStringLiteral("SaveDialogPicture"));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->DefaultExt(), QStringLiteral("*.bmp"));
    EXPECT_EQ(picture->Filter(),
              QStringLiteral("WMF files|*.wmf|SVG files|*.svg|PDF files|*.pdf|PNG files|*.png|All files|*.*"));
    EXPECT_EQ(picture->FilterIndex(), 1);
    EXPECT_EQ(picture->Title(), QStringLiteral("Select file name"));
    EXPECT_EQ(picture->Options(), dat->Options());

    // The driver served its one pass during creation and is gone.
    EXPECT_EQ(form->SerialPortDriver1, nullptr);
    EXPECT_EQ(form->findChild<QObject*>(QStringLiteral("SerialPortDriver1")), nullptr);
}

TEST_F(FormWithoutPort, StartsWithErrorStatusEmptyChartAndNoMeasurement)
{
    EXPECT_TRUE(form->Label1->text().startsWith(QStringLiteral("Status: Error")));
    EXPECT_FALSE(form->Measuring);
    EXPECT_EQ(form->MeasurementCount, 0);
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_EQ(form->MeasurementLog, nullptr);
    EXPECT_EQ(form->LayerChart1->ItemCount(), 0);
}

TEST_F(FormWithoutPort, ChartSettingsStoredWithTheWindow)
{
    using namespace chart;
    const TLayerChart* c = form->LayerChart1;
    EXPECT_EQ(c->AllocSize(), 1000);
    EXPECT_TRUE(c->AutoRedraw());
    EXPECT_EQ(c->ClassDefault(), 0);
    EXPECT_FALSE(c->Isometric());
    EXPECT_EQ(c->DataColor(), clNavy);
    EXPECT_EQ(c->LineWidth(), 2);
    EXPECT_EQ(c->GridStyle(), gsDotLines);
    EXPECT_EQ(c->GridColor(), clGray);
    EXPECT_EQ(c->LRim(), 50);
    EXPECT_EQ(c->RRim(), 20);
    EXPECT_EQ(c->TRim(), 20);
    EXPECT_EQ(c->BRim(), 40);
    EXPECT_EQ(c->ShadowWidth(), 3);
    EXPECT_EQ(c->ShadowStyle(), ssFlying);
    EXPECT_EQ(c->ShadowColor(), clGrayText);
    EXPECT_EQ(c->ShadowBakColor(), clBtnFace);
    EXPECT_EQ(c->Caption(), QStringLiteral("Sync [us]"));
    EXPECT_EQ(c->CaptionPosX(), 0);
    EXPECT_EQ(c->CaptionPosY(), -16);
    EXPECT_EQ(c->CaptionAlignment(), taCenter);
    EXPECT_EQ(c->CaptionAnchorHoriz(), cahChartCenter);
    EXPECT_EQ(c->CaptionAnchorVert(), cavChartTop);
    EXPECT_EQ(c->MouseAction(), maZoomWindPos);
    EXPECT_TRUE(c->MouseCursorFixed());
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(c->CrossHair(n)->Mode(), chOff);
        EXPECT_EQ(c->CrossHair(n)->Layer(), n);
        EXPECT_EQ(c->CrossHair(n)->Color(), clBlack);
        EXPECT_EQ(c->CrossHair(n)->LineType(), psSolid);
        EXPECT_EQ(c->CrossHair(n)->LineWid(), 1);
    }
    for (int layer = 1; layer <= 4; ++layer) {
        for (const TScaleProps* s : {static_cast<const TScaleProps*>(c->ScaleX(layer)),
                                     static_cast<const TScaleProps*>(c->ScaleY(layer))}) {
            EXPECT_EQ(s->Visible(), layer == 1) << layer;
            EXPECT_EQ(s->LabelType(), ftNum);
            EXPECT_EQ(s->DecPlaces(), -2);
            EXPECT_EQ(s->MinTicks(), 3);
            EXPECT_DOUBLE_EQ(s->MinRange(), 1e-10);
            EXPECT_DOUBLE_EQ(s->RangeHigh(), 1);
            EXPECT_TRUE(s->ShortTicks());
            EXPECT_FALSE(s->Logarithmic());
            EXPECT_EQ(s->ScalePos(), 0);
            EXPECT_EQ(s->ColorScale(), clBlack);
            EXPECT_EQ(s->Font().Font.pixelSize(), 11);
            EXPECT_EQ(s->DateFormat().TimeFormat(), tfHHMMSS);
            EXPECT_EQ(s->DateFormat().DateSeparator(), QLatin1Char('-'));
            EXPECT_EQ(s->DateFormat().TimeSeparator(), QLatin1Char(':'));
            EXPECT_EQ(s->DateFormat().YearLength(), ylYYYY);
            EXPECT_TRUE(s->DateFormat().MonthName());
            EXPECT_EQ(s->DateFormat().DateOrder(), doDDMMYY);
            EXPECT_EQ(s->DateFormat().DateForTime(), dtOnePerDay);
        }
    }
    EXPECT_EQ(c->Scale1X()->ScaleLocation(), slBottom);
    EXPECT_EQ(c->Scale1X()->CaptionPosY(), 22);
    EXPECT_EQ(c->Scale1X()->CaptionAlignment(), taCenter);
    EXPECT_EQ(c->Scale1X()->CaptionAnchor(), uaSclCenter);
    EXPECT_EQ(c->Scale1Y()->ScaleLocation(), slLeft);
    EXPECT_EQ(c->Scale1Y()->CaptionPosY(), -16);
    EXPECT_EQ(c->Scale1Y()->CaptionAlignment(), taLeftJustify);
    EXPECT_EQ(c->Scale1Y()->CaptionAnchor(), uaSclTopLft);
    EXPECT_EQ(c->TextFontStyle(), 0);
    EXPECT_EQ(c->TextBkStyle(), tbClear);
    EXPECT_EQ(c->TextBkColor(), clWhite);
    EXPECT_EQ(c->TextAlignment(), taCenter);
    EXPECT_EQ(c->BackGroundImg()->FillMode(), bfStretch);
    EXPECT_FALSE(c->BackGroundImg()->IncludePath());
    EXPECT_TRUE(c->BackGroundImg()->Name().isEmpty());
}

TEST_F(FormWithoutPort, StatusLineShowsEveryTextInFull)
{
    QLabel* label = form->Label_E2PROM;
    const QRect inGroup = label->geometry();
    EXPECT_GT(inGroup.top(), form->Button_Working->geometry().bottom());
    EXPECT_TRUE(form->GroupBox4->contentsRect().contains(inGroup));
    for (const char* text : core::EditorStatusTexts) {
        label->setText(QString::fromLatin1(text));
        EXPECT_LE(label->heightForWidth(label->width()), label->height()) << text;
        const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 1000), Qt::TextWordWrap,
                                                               label->text());
        EXPECT_LE(needed.width(), label->width()) << text;
        EXPECT_LE(needed.height(), label->height()) << text;
    }
}

TEST_F(FormWithoutPort, TypingStopsAtEightCharactersButShownValuesStayWhole)
{
    QLineEdit* edit = form->Edit_E2PROM;
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("123456789"));
    EXPECT_EQ(edit->text(), QStringLiteral("12345678"));
    edit->setText(QStringLiteral("1.96666666666667"));
    EXPECT_EQ(edit->text(), QStringLiteral("1.96666666666667"));
    edit->setCursorPosition(edit->text().size());
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), QStringLiteral("1.9666666666666"));
    QTest::keyClick(edit, Qt::Key_5);
    EXPECT_EQ(edit->text(), QStringLiteral("1.9666666666666"));
}

TEST_F(FormWithoutPort, EditingTheComboBoxTextDeselectsTheRow)
{
    QComboBox* combo = form->ComboBox_E2PROM;
    combo->setCurrentIndex(19);
    form->Label_E2PROM->setText(QStringLiteral("old"));
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("x"));
    EXPECT_EQ(form->E2PROMItemIndex(), -1);
    // The chosen name is selected, so the first key replaces it.
    EXPECT_EQ(combo->currentText(), QStringLiteral("x"));
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("y"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("xy"));
    // The change handler ran, found no row, cleared the status line and left the edit alone.
    EXPECT_EQ(form->Label_E2PROM->text(), QString());
    EXPECT_EQ(form->Edit_E2PROM->text(), QStringLiteral("0"));
}

TEST_F(FormWithoutPort, HandlerErrorsGoToTheStandardErrorBox)
{
    form->RunHandler([] { throw std::runtime_error("Cannot create file /x/y.dat"); });
    EXPECT_EQ(dialogs.Texts(ScriptedDialogs::Kind::Error), QStringList{"Cannot create file /x/y.dat"});
}

TEST_F(FormWithoutPort, SaveDialogsRunThroughTheWindowDialogs)
{
    dialogs.AnswerSaveDialog(QStringLiteral("/tmp/run.pdf"), 3);
    dialogs.AnswerSaveDialogs({std::nullopt});
    EXPECT_TRUE(form->SaveDialogPicture->Execute());
    EXPECT_EQ(form->SaveDialogPicture->FileName(), QStringLiteral("/tmp/run.pdf"));
    EXPECT_EQ(form->SaveDialogPicture->FilterIndex(), 3);
    EXPECT_EQ(form->SaveDialogPicture->FilterPattern(), QStringLiteral("*.pdf"));
    EXPECT_FALSE(form->SaveDialog1->Execute());
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].request.title, QStringLiteral("Select file name"));
    EXPECT_EQ(dialogs.shown[0].request.defaultExt, QStringLiteral("*.bmp"));
    EXPECT_TRUE(dialogs.shown[1].request.overwritePrompt);
    EXPECT_EQ(dialogs.shown[1].request.filter, QStringLiteral("Dat files|*.dat|All files|*.*"));
}

TEST_F(FormWithoutPort, ClosingWithNoPortEverOpened)
{
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
