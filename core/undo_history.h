#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <utility>

// The steps of an editing history. Each step holds the whole state before
// and after one committed change, so taking it back or bringing it again
// needs to know nothing of what the change was. The newest kLimit steps are
// kept; a new step drops those that could have been brought again.
template <typename State>
class UndoHistory {
public:
    static constexpr std::size_t kLimit = 1000;

    struct Step {
        std::shared_ptr<const State> before;
        std::shared_ptr<const State> after;
    };

    void push(const State &before, const State &after)
    {
        steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(next_), steps_.end());
        // Steps in a row share the state between them.
        std::shared_ptr<const State> first = !steps_.empty() && *steps_.back().after == before
                                                 ? steps_.back().after
                                                 : std::make_shared<const State>(before);
        steps_.push_back({std::move(first), std::make_shared<const State>(after)});
        if (steps_.size() > kLimit)
            steps_.pop_front();
        next_ = steps_.size();
    }

    bool canUndo() const { return next_ > 0; }
    bool canRedo() const { return next_ < steps_.size(); }
    // The step to take back, or to bring again; only when there is one.
    const Step &undo() { return steps_[--next_]; }
    const Step &redo() { return steps_[next_++]; }

    void clear()
    {
        steps_.clear();
        next_ = 0;
    }

    // Applies `edit` to every state the history holds.
    template <typename Edit>
    void rewrite(Edit edit)
    {
        std::shared_ptr<const State> lastOld, lastNew;
        const auto renew = [&](std::shared_ptr<const State> &state) {
            if (state == lastOld) {
                state = lastNew;
                return;
            }
            State copy = *state;
            edit(copy);
            lastOld = std::exchange(state, std::make_shared<const State>(std::move(copy)));
            lastNew = state;
        };
        for (Step &step : steps_) {
            renew(step.before);
            renew(step.after);
        }
    }

private:
    std::deque<Step> steps_;
    std::size_t next_ = 0;
};
