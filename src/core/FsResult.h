#pragma once

#include "core/FsError.h"

#include <optional>
#include <utility>

namespace Fs {

// What a step that can fail gives back: its value, or the Error that kept it from one. The value is read only once
// the step did not fail.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    // error.failed() must be true.
    Result(Error error) : m_error(error) { Q_ASSERT(error.failed()); }

    bool failed() const { return !m_value.has_value(); }
    // Nothing failed while there is a value.
    const Error& error() const { return m_error; }

    T& operator*() & { return *m_value; }
    const T& operator*() const& { return *m_value; }
    T&& operator*() && { return std::move(*m_value); }
    T* operator->() { return &*m_value; }
    const T* operator->() const { return &*m_value; }

private:
    std::optional<T> m_value;
    Error m_error;
};

} // namespace Fs
