// The host's growable array template (ZcArray), used for id lists and byte arrays.
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "zcbase.h"

/// A growable array with the host's interface. Indices are int; at() and operator[] on an
/// index outside 0..length()-1 are programmer errors and throw std::out_of_range rather
/// than touch memory outside the array. Capacity grows in steps of growLength (8 unless
/// given).
template <typename T>
class ZcArray {
public:
    explicit ZcArray(int initPhysicalLength = 0, int initGrowLength = 8)
        : growLength_(initGrowLength > 0 ? initGrowLength : 8) {
        if (initPhysicalLength > 0)
            items_.reserve(static_cast<size_t>(initPhysicalLength));
    }

    int length() const { return static_cast<int>(items_.size()); }
    int logicalLength() const { return length(); }
    int physicalLength() const { return static_cast<int>(items_.capacity()); }
    int growLength() const { return growLength_; }
    ZcArray& setGrowLength(int n) { if (n > 0) growLength_ = n; return *this; }
    bool isEmpty() const { return items_.empty(); }
    /// Shrinks or grows to n elements (new elements are value-initialised).
    ZcArray& setLogicalLength(int n) {
        items_.resize(n > 0 ? static_cast<size_t>(n) : 0u);
        return *this;
    }
    ZcArray& setPhysicalLength(int n) {
        if (n > physicalLength())
            items_.reserve(static_cast<size_t>(n));
        return *this;
    }

    /// Appends and returns the index of the new element.
    int append(const T& value) {
        grow(1);
        items_.push_back(value);
        return length() - 1;
    }
    ZcArray& append(const ZcArray& other) {
        grow(other.length());
        items_.insert(items_.end(), other.items_.begin(), other.items_.end());
        return *this;
    }
    ZcArray& insertAt(int index, const T& value) {
        if (index < 0 || index > length())
            return *this;
        grow(1);
        items_.insert(items_.begin() + index, value);
        return *this;
    }
    /// Removes the element at index (nothing for a bad index).
    ZcArray& removeAt(int index) {
        if (index >= 0 && index < length())
            items_.erase(items_.begin() + index);
        return *this;
    }
    /// Removes the first element equal to value at or after start; false when none.
    bool remove(const T& value, int start = 0) {
        int i = 0;
        if (!find(value, i, start))
            return false;
        removeAt(i);
        return true;
    }
    ZcArray& removeFirst() { return removeAt(0); }
    ZcArray& removeLast() { if (!items_.empty()) items_.pop_back(); return *this; }
    ZcArray& removeAll() { items_.clear(); return *this; }
    ZcArray& setAll(const T& value) { std::fill(items_.begin(), items_.end(), value); return *this; }
    ZcArray& reverse() { std::reverse(items_.begin(), items_.end()); return *this; }
    ZcArray& swap(int i, int j) {
        if (i >= 0 && j >= 0 && i < length() && j < length())
            std::swap(items_[static_cast<size_t>(i)], items_[static_cast<size_t>(j)]);
        return *this;
    }

    bool contains(const T& value, int start = 0) const {
        int i = 0;
        return find(value, i, start);
    }
    bool find(const T& value, int& foundAt, int start = 0) const {
        for (int i = start < 0 ? 0 : start; i < length(); ++i)
            if (items_[static_cast<size_t>(i)] == value) {
                foundAt = i;
                return true;
            }
        return false;
    }
    int find(const T& value) const {
        int i = -1;
        return find(value, i) ? i : -1;
    }

    const T& at(int i) const { return items_.at(static_cast<size_t>(i)); }
    T& at(int i) { return items_.at(static_cast<size_t>(i)); }
    const T& operator[](int i) const { return items_.at(static_cast<size_t>(i)); }
    T& operator[](int i) { return items_.at(static_cast<size_t>(i)); }
    const T& first() const { return items_.front(); }
    const T& last() const { return items_.back(); }
    T& first() { return items_.front(); }
    T& last() { return items_.back(); }
    const T* asArrayPtr() const { return items_.data(); }
    T* asArrayPtr() { return items_.data(); }

    bool operator==(const ZcArray& other) const { return items_ == other.items_; }

    // Range support for host-side code.
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    void grow(int extra) {
        size_t need = items_.size() + static_cast<size_t>(extra);
        if (need <= items_.capacity())
            return;
        size_t step = static_cast<size_t>(growLength_);
        size_t cap = items_.capacity();
        while (cap < need)
            cap += step;
        items_.reserve(cap);
    }

    std::vector<T> items_;
    int growLength_;
};
