// The page's handler table, here with an int for the browser's event: a
// handler may add and end registrations, its own too, while it runs.
#include "web/handler_table.h"

#include <gtest/gtest.h>

#include <list>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace sorvane::web {
namespace {

using Table = HandlerTable<int>;

TEST(HandlerTable, HandlersThatChangeTheTableWhileTheyRun)
{
    Table table;
    std::vector<std::string> told;
    const Reporter report = [&told](const std::string& message) { told.push_back(message); };
    std::list<Table::Registration> added;
    std::optional<Table::Registration> renewed;
    std::vector<int> seen;

    // Each adds enough to make the table grow (and move its entries) while it runs, then uses what it captured.
    const std::string captured(64, 'x');
    auto addMany = [&, captured](int event) {
        for (int i = 0; i < 200; ++i) added.emplace_back(table, [&seen](int e) { seen.push_back(e); }, report);
        seen.push_back(event + static_cast<int>(captured.size()));
    };
    // Ends itself as it runs, as a watch renewed from its own handler does.
    std::function<void(int)> renew = [&, captured](int event) {
        renewed.emplace(table, renew, report);
        seen.push_back(event + static_cast<int>(captured.size()));
    };

    Table::Registration many(table, addMany, report);
    renewed.emplace(table, renew, report);
    const int first = renewed->Id();
    table.Call(many.Id(), 1);
    table.Call(first, 2);
    table.Call(first, 3);  // ended by its own run: passed over
    table.Call(renewed->Id(), 4);
    table.Call(added.front().Id(), 5);
    EXPECT_EQ(seen, (std::vector<int>{65, 66, 68, 5}));
    EXPECT_EQ(table.Size(), 202u);
    EXPECT_TRUE(told.empty());

    added.clear();
    renewed.reset();
    EXPECT_EQ(table.Size(), 1u);
    EXPECT_NE(renewed.emplace(table, renew, report).Id(), first);  // a number is never given twice
}

TEST(HandlerTable, FailuresReachTheirOwnReporter)
{
    Table table;
    std::vector<std::string> mainWindow, about;
    const Reporter toMain = [&](const std::string& message) { mainWindow.push_back(message); };
    const Reporter toAbout = [&](const std::string& message) { about.push_back(message); };
    Table::Registration throws(table, [](int) { throw std::runtime_error("no memory left"); }, toMain);
    Table::Registration throwsOther(table, [](int) { throw 42; }, toAbout);
    std::optional<Table::Registration> gone;
    gone.emplace(table, [](int) {}, toMain);
    const int goneId = gone->Id();
    gone.reset();

    table.Call(throws.Id(), 0);
    table.Call(throwsOther.Id(), 0);
    EXPECT_TRUE(table.Report(throwsOther.Id(), "The page failed: a script"));
    EXPECT_FALSE(table.Report(goneId, "The page failed: too late"));
    EXPECT_EQ(mainWindow, (std::vector<std::string>{"The page failed: no memory left"}));
    EXPECT_EQ(about, (std::vector<std::string>{"The page failed.", "The page failed: a script"}));
}

}  // namespace
}  // namespace sorvane::web
