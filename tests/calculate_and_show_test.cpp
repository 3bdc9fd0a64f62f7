#include "command/calculate_and_show.h"

#include <gtest/gtest.h>

#include <new>

#include "core/calculate_section.h"
#include "fakes.h"

namespace sorvane {
namespace {

using testing::FakeForm;
using testing::TempFolder;

TEST(CalculateAndShow, AcceptedInputFillsFieldsFileAndPlot)
{
    TempFolder folder;
    FakeForm form("2412", "51");
    SectionState state;
    CalculateAndShow(form, state, folder / "airfoil.txt");

    EXPECT_TRUE(form.messages.empty());
    EXPECT_EQ(form.texts[TextField::Text_FCR], "0.4");
    EXPECT_EQ(form.texts[TextField::Text_CCR], "0.02");
    EXPECT_EQ(form.texts[TextField::Text_TCR], "0.12");
    EXPECT_TRUE(testing::ReadWholeFile(folder / "airfoil.txt")
                    .starts_with(testing::PlatformLines("NACA 2412\n 51 \n")));
    EXPECT_EQ(form.box.clears, 1);
    EXPECT_EQ(form.box.Segments().size(), 2u + 50u);
    EXPECT_EQ(form.plotDescription, "NACA 2412, 51 points");

    form.texts[TextField::Text_N1] = "1";
    CalculateAndShow(form, state, folder / "airfoil.txt");
    EXPECT_EQ(form.plotDescription, "NACA 2412, 1 point");
}

TEST(CalculateAndShow, RejectedInputShowsOneMessageAndTouchesNothingElse)
{
    TempFolder folder;
    FakeForm form("0012", "51");
    SectionState state;
    CalculateAndShow(form, state, folder / "airfoil.txt");
    const std::string file = testing::ReadWholeFile(folder / "airfoil.txt");

    form.texts[TextField::Text_Code] = "2412";
    form.texts[TextField::Text_N1] = "201";
    form.separator = ",";
    CalculateAndShow(form, state, folder / "airfoil.txt");

    ASSERT_EQ(form.messages.size(), 1u);
    EXPECT_EQ(form.messages[0], kTooManyPoints);
    // The ratios are shown before the count is checked.
    EXPECT_EQ(form.texts[TextField::Text_FCR], "0,4");
    EXPECT_EQ(testing::ReadWholeFile(folder / "airfoil.txt"), file);
    EXPECT_EQ(form.box.clears, 1);

    form.texts[TextField::Text_Code] = "abc";
    form.texts[TextField::Text_FCR] = "typed";
    CalculateAndShow(form, state, folder / "airfoil.txt");
    ASSERT_EQ(form.messages.size(), 2u);
    EXPECT_EQ(form.messages[1], kCodeOutOfRange);
    EXPECT_EQ(form.texts[TextField::Text_FCR], "typed");
}

// The cells beyond a shorter section's count keep a longer one's points: the
// file and the plot never reach them.
TEST(CalculateAndShow, AShorterSectionAfterALongerOneShowsOnlyItsOwnPoints)
{
    TempFolder folder;
    FakeForm fresh("0012", "51");
    SectionState freshState;
    CalculateAndShow(fresh, freshState, folder / "fresh.txt");

    FakeForm form("2412", "101");
    SectionState state;
    CalculateAndShow(form, state, folder / "airfoil.txt");
    form.texts[TextField::Text_Code] = "0012";
    form.texts[TextField::Text_N1] = "51";
    CalculateAndShow(form, state, folder / "airfoil.txt");

    EXPECT_EQ(testing::ReadWholeFile(folder / "airfoil.txt"), testing::ReadWholeFile(folder / "fresh.txt"));
    ASSERT_EQ(form.box.Segments().size(), fresh.box.Segments().size());
    for (std::size_t i = 0; i < fresh.box.Segments().size(); ++i) {
        EXPECT_EQ(form.box.Segments()[i].x1, fresh.box.Segments()[i].x1) << i;
        EXPECT_EQ(form.box.Segments()[i].y2, fresh.box.Segments()[i].y2) << i;
    }
}

TEST(CalculateAndShow, FileThatCannotBeWrittenIsReportedAndTheSectionStillPlotted)
{
    TempFolder folder;
    std::filesystem::create_directory(folder / "airfoil.txt");
    FakeForm form("0012", "51");
    SectionState state;
    CalculateAndShow(form, state, folder / "airfoil.txt");

    ASSERT_EQ(form.messages.size(), 1u);
    EXPECT_NE(form.messages[0].find("airfoil.txt"), std::string::npos);
    EXPECT_EQ(form.box.Segments().size(), 52u);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "airfoil.txt"));
}

// A window that fails while the command runs: the failure ends in a message,
// never in the event loop (in the page, the command alone is built to catch).
TEST(CalculateAndShow, AFailureInTheWindowEndsInAMessage)
{
    struct FailingForm : FakeForm {
        using FakeForm::FakeForm;
        void DescribePlot(const std::string&) override
        {
            if (failure == 0) throw std::bad_alloc();
            throw 7;
        }
        int failure = 0;
    };
    TempFolder folder;
    FailingForm form("2412", "51");
    SectionState state;
    for (const int failure : {0, 1}) {
        form.failure = failure;
        EXPECT_NO_THROW(CalculateAndShow(form, state, folder / "airfoil.txt"));
    }
    ASSERT_EQ(form.messages.size(), 2u);
    EXPECT_TRUE(form.messages[0].starts_with("The calculation failed: ")) << form.messages[0];
    EXPECT_EQ(form.messages[1], "The calculation failed.");
}

}  // namespace
}  // namespace sorvane
