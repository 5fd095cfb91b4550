// AcArray: the host's growable array template, as the module indexes it (int indices, logical length).
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "kelvora/assert.h"

// Reallocation policies of the host API. Our storage is a std::vector, which
// copies or moves elements itself, so both are tags kept for source compatibility.
template <class T> class AcArrayMemCopyReallocator {};
template <class T> class AcArrayObjectCopyReallocator {};

template <class T, class R = AcArrayMemCopyReallocator<T>>
class AcArray {
public:
    AcArray() = default;
    // The grow length is kept for the API only: std::vector chooses its own growth.
    explicit AcArray(int initPhysicalLength, int initGrowLength = 8) : m_growLength(initGrowLength)
    {
        if (initPhysicalLength > 0)
            m_data.reserve(static_cast<size_t>(initPhysicalLength));
    }
    AcArray(const AcArray&) = default;
    AcArray(AcArray&&) noexcept = default;
    AcArray& operator=(const AcArray&) = default;
    AcArray& operator=(AcArray&&) noexcept = default;
    ~AcArray() = default;

    bool operator==(const AcArray& other) const
    {
        if (other.m_data.size() != m_data.size())
            return false;
        for (size_t i = 0; i < m_data.size(); ++i)
            if (!sameElement(m_data[i], other.m_data[i]))
                return false;
        return true;
    }

    T& operator[](int i) { return at(i); }
    const T& operator[](int i) const { return at(i); }
    T& at(int i)
    {
        KELVORA_ASSERT(isValid(i), "AcArray index out of range");
        return m_data[static_cast<size_t>(i)];
    }
    const T& at(int i) const
    {
        KELVORA_ASSERT(isValid(i), "AcArray index out of range");
        return m_data[static_cast<size_t>(i)];
    }
    AcArray& setAt(int i, const T& value)
    {
        at(i) = value;
        return *this;
    }
    AcArray& setAll(const T& value)
    {
        std::fill(m_data.begin(), m_data.end(), value);
        return *this;
    }
    T& first() { return at(0); }
    const T& first() const { return at(0); }
    T& last() { return at(length() - 1); }
    const T& last() const { return at(length() - 1); }

    // Returns the index of the new element.
    int append(const T& value)
    {
        m_data.push_back(value);
        return length() - 1;
    }
    AcArray& append(const AcArray& other)
    {
        m_data.insert(m_data.end(), other.m_data.begin(), other.m_data.end());
        return *this;
    }
    // index may equal length(): the element is then appended.
    AcArray& insertAt(int index, const T& value)
    {
        KELVORA_ASSERT(index >= 0 && index <= length(), "AcArray insert index out of range");
        m_data.insert(m_data.begin() + index, value);
        return *this;
    }
    AcArray& removeAt(int index)
    {
        KELVORA_ASSERT(isValid(index), "AcArray remove index out of range");
        m_data.erase(m_data.begin() + index);
        return *this;
    }
    bool remove(const T& value, int start = 0)
    {
        int at = findFrom(value, start);
        if (at < 0)
            return false;
        removeAt(at);
        return true;
    }
    AcArray& removeFirst() { return removeAt(0); }
    AcArray& removeLast() { return removeAt(length() - 1); }
    AcArray& removeAll()
    {
        m_data.clear();
        return *this;
    }
    AcArray& removeSubArray(int startIndex, int endIndex)
    {
        KELVORA_ASSERT(isValid(startIndex) && isValid(endIndex) && startIndex <= endIndex,
                       "AcArray sub-array out of range");
        m_data.erase(m_data.begin() + startIndex, m_data.begin() + endIndex + 1);
        return *this;
    }

    bool contains(const T& value, int start = 0) const { return findFrom(value, start) >= 0; }
    bool find(const T& value, int& foundAt, int start = 0) const
    {
        int at = findFrom(value, start);
        if (at < 0)
            return false;
        foundAt = at;
        return true;
    }
    int find(const T& value) const { return findFrom(value, 0); }
    int findFrom(const T& value, int start) const
    {
        for (int i = std::max(start, 0); i < length(); ++i)
            if (sameElement(m_data[static_cast<size_t>(i)], value))
                return i;
        return -1;
    }

    int length() const { return static_cast<int>(m_data.size()); }
    int logicalLength() const { return length(); }
    bool isEmpty() const { return m_data.empty(); }
    // Growing fills the new slots with default-constructed values.
    AcArray& setLogicalLength(int n)
    {
        m_data.resize(static_cast<size_t>(std::max(n, 0)));
        return *this;
    }
    int physicalLength() const { return static_cast<int>(m_data.capacity()); }
    AcArray& setPhysicalLength(int n)
    {
        if (n < length())
            m_data.resize(static_cast<size_t>(std::max(n, 0)));
        m_data.reserve(static_cast<size_t>(std::max(n, 0)));
        return *this;
    }
    int growLength() const { return m_growLength; }
    AcArray& setGrowLength(int n)
    {
        m_growLength = std::max(n, 1);
        return *this;
    }
    AcArray& reverse()
    {
        std::reverse(m_data.begin(), m_data.end());
        return *this;
    }
    AcArray& swap(int i1, int i2)
    {
        std::swap(at(i1), at(i2));
        return *this;
    }
    const T* asArrayPtr() const { return m_data.data(); }
    T* asArrayPtr() { return m_data.data(); }

    // Range-for support, as the newer SDKs offer.
    T* begin() { return m_data.data(); }
    T* end() { return m_data.data() + m_data.size(); }
    const T* begin() const { return m_data.data(); }
    const T* end() const { return m_data.data() + m_data.size(); }

private:
    bool isValid(int i) const { return i >= 0 && i < length(); }

    // Elements compare with their own operator==: exact for numbers (an array
    // of doubles finds the very value stored), within the tolerance for AcGe points.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wfloat-equal"
#endif
    static bool sameElement(const T& a, const T& b) { return a == b; }
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

    std::vector<T> m_data;
    int m_growLength = 8;
};
