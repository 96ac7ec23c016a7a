#pragma once
// A value or the reason it could not be had, worded for the user. A result must be looked at, and
// asking a failed one for its value stops the program with the failure's message rather than
// reading what is not there.
#include <QString>
#include <QtGlobal>

#include <optional>
#include <utility>

namespace qv {

struct Failure {
    QString message;
};

template <class T>
class [[nodiscard]] Result {
  public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failure failure) : failure_(std::move(failure.message)) {}

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    T& value() {
        check();
        return *value_;
    }
    const T& value() const {
        check();
        return *value_;
    }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    const QString& error() const { return failure_; }

  private:
    void check() const {
        if (!value_) [[unlikely]]
            qFatal("The value of a failed result was asked for: %s", qPrintable(failure_));
    }

    std::optional<T> value_;
    QString failure_;
};

template <>
class [[nodiscard]] Result<void> {
  public:
    Result() = default;
    Result(Failure failure) : ok_(false), failure_(std::move(failure.message)) {}

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const QString& error() const { return failure_; }

  private:
    bool ok_ = true;
    QString failure_;
};

}  // namespace qv
