#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

namespace brindlemoor {

// A sequence of records that arrive on another thread, read one at a time. Nothing is dropped
// for lack of a reader. The sequence ends normally or with an error, which the read that
// reaches the end throws; once ended, later yields and ends change nothing.
template <typename T>
class AsyncThrowingStream {
public:
    // The producing side.
    class Continuation {
    public:
        void yield(T element) const
        {
            {
                std::lock_guard lock(state_->mutex);
                if (state_->finished)
                    return;
                state_->elements.push_back(std::move(element));
            }
            state_->changed.notify_all();
        }

        void finish(std::exception_ptr error = nullptr) const
        {
            {
                std::lock_guard lock(state_->mutex);
                if (state_->finished)
                    return;
                state_->finished = true;
                state_->error = std::move(error);
            }
            state_->changed.notify_all();
        }

    private:
        friend class AsyncThrowingStream;
        explicit Continuation(std::shared_ptr<typename AsyncThrowingStream::State> state) : state_(std::move(state)) {}
        std::shared_ptr<typename AsyncThrowingStream::State> state_;
    };

    // Runs `build` at once with the producing side.
    template <typename Build>
    explicit AsyncThrowingStream(Build&& build) : state_(std::make_shared<State>())
    {
        build(Continuation(state_));
    }

    // Waits for the next record; none at a normal end; throws the error of a failed end.
    std::optional<T> next()
    {
        std::unique_lock lock(state_->mutex);
        state_->changed.wait(lock, [&] { return !state_->elements.empty() || state_->finished; });
        if (!state_->elements.empty()) {
            T element = std::move(state_->elements.front());
            state_->elements.pop_front();
            return element;
        }
        if (auto error = std::exchange(state_->error, nullptr))
            std::rethrow_exception(error);
        return std::nullopt;
    }

private:
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        std::deque<T> elements;
        bool finished = false;
        std::exception_ptr error;
    };
    std::shared_ptr<State> state_;
};

} // namespace brindlemoor
