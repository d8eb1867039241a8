#pragma once
// A global setting changed for the rest of a scope (a time or work limit a test lowers), put
// back however the scope ends, an ASSERT's early return included.
template <class T> class ScopedValue {
public:
    ScopedValue(T& target, T value) : m_target(target), m_saved(target) { target = value; }
    ~ScopedValue() { m_target = m_saved; }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& m_target;
    T m_saved;
};
