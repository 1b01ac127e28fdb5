// The editor's fields as the operator sees them: a long value and a long variable name show
// their beginning, the list that drops down shows every item in full, and the combo box keeps
// its place and width.

#include "app/MainWindow.h"
#include "app/support_form.h"
#include "app/support_scripted_dialogs.h"
#include "platform/PortNames.h"
#include "support/SimProcess.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using testing_support::EditText;
using testing_support::ScriptedDialogs;

namespace {

class EditorFields : public ::testing::Test {
protected:
    void SetUp() override { Start(); }
    void Start()
    {
        // 59 thirtieths of a second over register 19: "1.96666666666667", twice the field's width.
        sim = std::make_unique<SimProcess>(std::vector<std::string>{"--reg", "19=59"});
        ASSERT_TRUE(sim->Running()) << sim->Error();
        platform::SetComPortPath(1, sim->LinkPath());
        form = std::make_unique<TForm1>(dialogs);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void TearDown() override
    {
        form.reset();
        sim.reset();
        platform::SetComPortPath(1, "");
    }

    // Picks row `index` from the list that drops down, with the mouse.
    void PickFromList(int index)
    {
        QComboBox* combo = form->ComboBox_E2PROM;
        combo->showPopup();
        QAbstractItemView* list = combo->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
        const QRect item = list->visualRect(combo->model()->index(index, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        QTRY_VERIFY(!list->window()->isVisible());
    }

    // The field shows the start of its text: the picture it shows is the one it shows with the
    // cursor moved home, and not the one with the cursor at the end.
    static void ExpectShowsItsStart(QLineEdit& field)
    {
        field.clearFocus(); // no blinking cursor in the pictures
        field.deselect();   // nor a selection; the view stays where it is
        const QImage shown = field.grab().toImage();
        field.end(false);
        const QImage end = field.grab().toImage();
        field.home(false);
        const QImage start = field.grab().toImage();
        EXPECT_EQ(shown, start) << field.text().toStdString();
        EXPECT_NE(shown, end) << field.text().toStdString();
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<TForm1> form;
};

TEST_F(EditorFields, ALongValueShowsItsLeadingDigits)
{
    PickFromList(18);
    ASSERT_EQ(EditText(*form), QStringLiteral("1") + QLocale().decimalPoint() + QStringLiteral("96666666666667"));
    QLineEdit* edit = form->Edit_E2PROM;
    ASSERT_GT(edit->fontMetrics().horizontalAdvance(edit->text()), edit->width()); // wider than the field
    ExpectShowsItsStart(*edit);
}

TEST_F(EditorFields, AChosenVariableShowsTheStartOfItsName)
{
    QComboBox* combo = form->ComboBox_E2PROM;
    const QRect stored = combo->geometry();
    for (int row : {17, 3, 5}) {
        PickFromList(row);
        QLineEdit* field = combo->lineEdit();
        ASSERT_EQ(field->text(), combo->itemText(row));
        EXPECT_EQ(field->selectedText(), field->text()) << row; // typing replaces it whole
        ASSERT_GT(field->fontMetrics().horizontalAdvance(field->text()), field->width()) << row;
        ExpectShowsItsStart(*field);
        EXPECT_EQ(combo->geometry(), stored) << row;
    }
}

// The list's width is ours, not the style's: some styles drop the list down no wider than the
// field.
class ComboBoxList : public EditorFields, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override
    {
        previousStyle = QApplication::style()->name();
        QApplication::setStyle(QStyleFactory::create(QString::fromLatin1(GetParam())));
        Start();
    }
    void TearDown() override
    {
        EditorFields::TearDown();
        QApplication::setStyle(QStyleFactory::create(previousStyle));
    }
    QString previousStyle;
};

TEST_P(ComboBoxList, WideEnoughForTheLongestItem)
{
    QComboBox* combo = form->ComboBox_E2PROM;
    const QRect stored = combo->geometry();
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    for (int i = 0; i < combo->count(); ++i) {
        const QModelIndex index = combo->model()->index(i, 0);
        const int needed = list->fontMetrics().horizontalAdvance(combo->itemText(i));
        // The item's text fits inside the item's cell, and the cell inside the visible list.
        EXPECT_LE(needed, list->visualRect(index).width()) << combo->itemText(i).toStdString();
        EXPECT_TRUE(list->viewport()->rect().contains(list->visualRect(index))) << combo->itemText(i).toStdString();
    }
    EXPECT_GE(list->window()->width(), combo->width());
    combo->hidePopup();
    EXPECT_EQ(combo->geometry(), stored);
    EXPECT_EQ(stored.size(), QSize(209, 21));
}

INSTANTIATE_TEST_SUITE_P(Styles, ComboBoxList, ::testing::Values("Fusion", "Windows"));

} // namespace
