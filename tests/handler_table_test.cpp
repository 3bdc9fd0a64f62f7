// The page's handler table, with an int for the browser's event.
#include "web/handler_table.h"

#include <gtest/gtest.h>

#include <list>
#include <optional>
#include <stdexcept>

namespace sorvane::web {
namespace {

using Table = HandlerTable<int>;

// A handler may add registrations (the table grows and moves its entries) and end
// others, its own too, while it runs; its failures reach its own reporter.
TEST(HandlerTable, HandlersChangeTheTableWhileTheyRunAndFailToTheirOwnReporter)
{
    Table table;
    std::vector<std::string> mainWindow, about;
    const Reporter toMain = [&](const std::string& message) { mainWindow.push_back(message); };
    const Reporter toAbout = [&](const std::string& message) { about.push_back(message); };
    std::vector<int> seen;
    std::list<Table::Registration> added;
    std::optional<Table::Registration> renewed;
    const std::string captured(64, 'x');  // used after each change, from the running handler
    Table::Registration many(table, [&, captured](int event) {
        for (int i = 0; i < 200; ++i) added.emplace_back(table, [&seen](int e) { seen.push_back(e); }, toMain);
        seen.push_back(event + int(captured.size()));
    }, toMain);
    std::function<void(int)> renew = [&, captured](int event) {
        renewed.emplace(table, renew, toMain);
        seen.push_back(event + int(captured.size()));
    };
    const int first = renewed.emplace(table, renew, toMain).Id();
    Table::Registration throws(table, [](int) { throw std::runtime_error("no memory left"); }, toMain);
    Table::Registration throwsOther(table, [](int) { throw 42; }, toAbout);

    table.Call(many.Id(), 1);
    table.Call(first, 2);
    table.Call(first, 3);  // ended by its own run: passed over
    table.Call(renewed->Id(), 4);
    table.Call(added.front().Id(), 5);
    table.Call(throws.Id(), 0);
    table.Call(throwsOther.Id(), 0);
    EXPECT_TRUE(table.Report(throwsOther.Id(), "The page failed: a script"));
    EXPECT_FALSE(table.Report(first, "The page failed: too late"));
    EXPECT_EQ(seen, (std::vector<int>{65, 66, 68, 5}));
    EXPECT_EQ(mainWindow, (std::vector<std::string>{"The page failed: no memory left"}));
    EXPECT_EQ(about, (std::vector<std::string>{"The page failed.", "The page failed: a script"}));
    EXPECT_EQ(table.Size(), 204u);
    added.clear();
    renewed.reset();
    EXPECT_EQ(table.Size(), 3u);
    EXPECT_NE(renewed.emplace(table, renew, toMain).Id(), first);  // a number is never given twice
}

}  // namespace
}  // namespace sorvane::web
