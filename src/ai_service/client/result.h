#pragma once

#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace brindlemoor {

// The outcome of one operation of the client: the record, or the error that ended it. Errors
// keep their own type (APIErrorResponse, OpenAIError, URLError, DecodingError, EncodingError,
// StreamingError); `errorAs` picks one out, `get` throws it unchanged.
template <typename T>
class Result {
public:
    static Result success(T value) { return Result(std::in_place_index<0>, std::move(value)); }
    static Result failure(std::exception_ptr error) { return Result(std::in_place_index<1>, std::move(error)); }

    bool isSuccess() const { return storage_.index() == 0; }

    const T& get() const
    {
        if (!isSuccess())
            std::rethrow_exception(std::get<1>(storage_));
        return std::get<0>(storage_);
    }

    T take() &&
    {
        if (!isSuccess())
            std::rethrow_exception(std::get<1>(storage_));
        return std::move(std::get<0>(storage_));
    }

    std::exception_ptr error() const { return isSuccess() ? nullptr : std::get<1>(storage_); }

    template <typename E>
    std::optional<E> errorAs() const
    {
        if (isSuccess())
            return std::nullopt;
        try {
            std::rethrow_exception(std::get<1>(storage_));
        } catch (const E& error) {
            return error;
        } catch (...) {
            return std::nullopt;
        }
    }

private:
    template <std::size_t Index, typename Value>
    Result(std::in_place_index_t<Index> index, Value&& value) : storage_(index, std::forward<Value>(value))
    {
    }

    std::variant<T, std::exception_ptr> storage_;
};

// The sentence a user reads for an error of the client.
inline std::string errorDescription(const std::exception_ptr& error)
{
    if (!error)
        return {};
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& known) {
        return known.what();
    } catch (...) {
        return "An unknown error occurred.";
    }
}

} // namespace brindlemoor
