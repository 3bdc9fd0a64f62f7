// The page's handler table, with an int for the browser's event.
#include "web/handler_table.h"

#include <gtest/gtest.h>

#include <list>
#include <optional>
#include <stdexcept>

namespace sorvane::web {
namespace {

using Table = HandlerTable<int>;

// A handler may add registrations (the table grows and moves its entries) and
// end others, its own too, while it runs; its failures reach its own reporter.
TEST(HandlerTable, EachActionCallsWhatItShould)
{
    Table table;
    std::vector<std::string> log;
    const auto note = [&](std::string what) { log.push_back(std::move(what)); };
    const Reporter toMain = [&](const std::string& message) { note("main: " + message); };
    const Reporter toAbout = [&](const std::string& message) { note("about: " + message); };
    const std::string kept = "kept";  // read by the running handler after it changed the table
    std::list<Table::Registration> added;
    Table::Registration grows(table, [&, kept](int event) {
        for (int i = 0; i < 200; ++i) added.emplace_back(table, [&](int a) { note("new " + std::to_string(a)); }, toMain);
        note("grew " + std::to_string(event) + " " + kept);
    }, toMain);
    std::optional<Table::Registration> renewed;
    std::function<void(int)> renew = [&, kept](int event) {
        renewed.emplace(table, renew, toMain);
        note("renewed " + std::to_string(event) + " " + kept);
    };
    const int first = renewed.emplace(table, renew, toMain).Id();
    Table::Registration throws(table, [](int) { throw std::runtime_error("no memory left"); }, toMain);
    Table::Registration other(table, [](int) { throw 42; }, toAbout);

    const struct {
        const char* what;
        std::function<bool()> act;
        bool taken;
        std::vector<std::string> calls;
    } steps[] = {
        {"a handler that adds many", [&] { return table.Call(grows.Id(), 1); }, true, {"grew 1 kept"}},
        {"one it added", [&] { return table.Call(added.back().Id(), 2); }, true, {"new 2"}},
        {"a handler that ends itself", [&] { return table.Call(first, 3); }, true, {"renewed 3 kept"}},
        {"an event queued for it", [&] { return table.Call(first, 4); }, false, {}},
        {"its successor", [&] { return table.Call(renewed->Id(), 5); }, true, {"renewed 5 kept"}},
        {"a C++ failure", [&] { return table.Call(throws.Id(), 0); }, true, {"main: " + StepFailure("no memory left")}},
        {"another, to its own reporter", [&] { return table.Call(other.Id(), 0); }, true, {"about: " + StepFailure("")}},
        {"a script's failure", [&] { return table.Report(other.Id(), "js"); }, true, {"about: " + StepFailure("js")}},
        {"a failure whose handler is gone", [&] { return table.Report(first, "too late"); }, false, {}},
    };
    for (const auto& step : steps) {
        log.clear();
        EXPECT_EQ(step.act(), step.taken) << step.what;
        EXPECT_EQ(log, step.calls) << step.what;
    }
    EXPECT_NE(renewed.emplace(table, renew, toMain).Id(), first);  // a number is never given twice
}

}  // namespace
}  // namespace sorvane::web
