// The save dialog's filters: the suffix a name typed without one gets follows the selected filter,
// and the window learns which filter was selected.

#include "app/QtDialogs.h"
#include "app/TSaveDialog.h"
#include "tests/app/support_scripted_dialogs.h"

#include <gtest/gtest.h>

namespace {

struct SuffixCase {
    const char* pattern;
    const char* defaultExt;
    const char* suffix;
};

class SuffixForFilterTest : public ::testing::TestWithParam<SuffixCase> {};

TEST_P(SuffixForFilterTest, FilterExtensionElseTheDefault)
{
    const SuffixCase& c = GetParam();
    EXPECT_EQ(app::SuffixForFilter(QString::fromLatin1(c.pattern), QString::fromLatin1(c.defaultExt)),
              QString::fromLatin1(c.suffix))
        << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(Patterns, SuffixForFilterTest,
                         ::testing::Values(SuffixCase{"*.svg", "*.bmp", "svg"}, SuffixCase{"*.wmf", "*.bmp", "wmf"},
                                           SuffixCase{"*.dat", ".dat", "dat"}, SuffixCase{"*.*", "*.bmp", "bmp"},
                                           SuffixCase{"*.*", ".dat", "dat"}, SuffixCase{"*.png;*.bmp", "*.bmp", "bmp"},
                                           SuffixCase{"", "*.bmp", "bmp"}));

TEST(TSaveDialog, FilterPatternOfTheSelectedFilter)
{
    testing_support::ScriptedDialogs dialogs;
    app::TSaveDialog dialog(dialogs, nullptr);
    dialog.SetFilter(QStringLiteral("WMF files|*.wmf|SVG files|*.svg|All files|*.*"));
    const struct {
        int index;
        const char* pattern;
    } cases[] = {{1, "*.wmf"}, {2, "*.svg"}, {3, "*.*"}, {4, ""}, {0, ""}, {-1, ""}};
    for (const auto& c : cases) {
        dialog.SetFilterIndex(c.index);
        EXPECT_EQ(dialog.FilterPattern(), QString::fromLatin1(c.pattern)) << c.index;
    }

    // The dialog starts on the filter last selected and reports the one selected on confirming.
    dialog.SetFilterIndex(2);
    dialogs.AnswerSaveDialog(QStringLiteral("/tmp/x.svg"), 3);
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialogs.shown.back().request.filterIndex, 2);
    EXPECT_EQ(dialog.FilterIndex(), 3);
    dialogs.AnswerSaveDialogs({std::nullopt});
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialogs.shown.back().request.filterIndex, 3);
    EXPECT_EQ(dialog.FilterIndex(), 3);
}

} // namespace
