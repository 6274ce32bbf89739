// Arr: a growable array of elements with virtual operations, used for report rows and for
// the records of the library tree.
#pragma once

#include <cstdlib>
#include <utility>
#include <vector>

/// A growable contiguous array. The operations are virtual so that a derived array can
/// watch or change what is added; there is no virtual destructor (arrays live by value).
template <typename T>
class Arr {
public:
    virtual int size() const { return static_cast<int>(items.size()); }
    /// Adds every element of other in order, each through add.
    virtual void appendAll(const Arr<T>& other) {
        const int count = other.size();
        for (int i = 0; i < count; ++i)
            add(other.items[static_cast<size_t>(i)]);
    }
    /// Adds every element of the sequence in order, each through add.
    virtual void appendAll(const std::vector<T>& elements) {
        const size_t count = elements.size();
        for (size_t i = 0; i < count; ++i)
            add(elements[i]);
    }
    virtual void add(const T& element) { items.push_back(element); }
    /// Inserts before index (at the end when index equals the size); an index outside
    /// 0..size inserts nothing.
    virtual void insertAt(int index, const T& element) {
        if (index < 0 || index > size())
            return;
        items.insert(items.begin() + index, element);
    }
    /// Drops the last element; an empty array stays empty.
    virtual void removeLast() {
        if (!items.empty())
            items.pop_back();
    }
    /// Reorders randomly: from the last position down to the second, swaps the element there
    /// with the one at rand() modulo the size.
    virtual void shuffle() {
        const size_t count = items.size();
        for (size_t i = count; i-- > 1;)
            std::swap(items[i], items[static_cast<size_t>(std::rand()) % count]);
    }

    T& operator[](int index) { return items[static_cast<size_t>(index)]; }
    const T& operator[](int index) const { return items[static_cast<size_t>(index)]; }
    typename std::vector<T>::iterator begin() { return items.begin(); }
    typename std::vector<T>::iterator end() { return items.end(); }
    typename std::vector<T>::const_iterator begin() const { return items.begin(); }
    typename std::vector<T>::const_iterator end() const { return items.end(); }

    std::vector<T> items;
};
