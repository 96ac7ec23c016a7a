#pragma once
// A value or the reason it could not be had, worded for the user.
#include <QString>

#include <optional>
#include <utility>

namespace qv {

struct Failure {
    QString message;
};

template <class T>
class Result {
  public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failure failure) : failure_(std::move(failure.message)) {}

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    T& value() { return *value_; }
    const T& value() const { return *value_; }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    const QString& error() const { return failure_; }

  private:
    std::optional<T> value_;
    QString failure_;
};

template <>
class Result<void> {
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
