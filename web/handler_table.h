#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "output/save_failure.h"

namespace sorvane::web {

// Tells the person that a handler failed: the program's own message.
using Reporter = std::function<void(const std::string& message)>;

// The handlers the browser calls back by number. Each lives exactly as long as the Registration that added it,
// and its failures go to the reporter it was added with. A handler that runs may add registrations and end
// others, its own too: the call keeps its handler until it returns, and a number is never given twice.
template <typename Argument>
class HandlerTable {
public:
    using Handler = std::function<void(Argument)>;

    class Registration {
    public:
        Registration(HandlerTable& table, Handler handler, Reporter report)
            : table_(table), id_(table.Add(std::move(handler), std::move(report)))
        {
        }
        ~Registration() { table_.entries_.erase(id_); }
        Registration(const Registration&) = delete;
        Registration& operator=(const Registration&) = delete;

        int Id() const { return id_; }

    private:
        HandlerTable& table_;
        const int id_;
    };

    // Runs handler id; one removed since (an event already queued) is passed over: false, nobody took it.
    [[nodiscard]] bool Call(int id, Argument argument)
    {
        const std::shared_ptr<const Entry> entry = Find(id);
        if (!entry) return false;
        try {
            entry->handler(std::move(argument));
        } catch (const std::exception& error) {
            Tell(*entry, StepFailure(error.what()));
        } catch (...) {
            Tell(*entry, StepFailure({}));
        }
        return true;
    }

    // A failure that passed by Call's catch, told to handler id's reporter in
    // the program's words; false where that handler is gone and no one is left to tell.
    [[nodiscard]] bool Report(int id, const std::string& reason)
    {
        const std::shared_ptr<const Entry> entry = Find(id);
        if (!entry) return false;
        Tell(*entry, StepFailure(reason));
        return true;
    }

private:
    struct Entry {
        Handler handler;
        Reporter report;
    };

    int Add(Handler handler, Reporter report)
    {
        const int id = next_++;
        entries_.emplace(id, std::make_shared<const Entry>(Entry{std::move(handler), std::move(report)}));
        return id;
    }

    std::shared_ptr<const Entry> Find(int id) const
    {
        const auto found = entries_.find(id);
        return found == entries_.end() ? nullptr : found->second;
    }

    // A reporter that fails in turn throws to the browser, whose console is the last place left.
    static void Tell(const Entry& entry, const std::string& message)
    {
        if (entry.report) entry.report(message);
    }

    std::unordered_map<int, std::shared_ptr<const Entry>> entries_;
    int next_ = 1;
};

}  // namespace sorvane::web
