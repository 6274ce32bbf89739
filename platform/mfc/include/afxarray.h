// The growable array shared by CArray and the typed arrays (CStringArray, CDWordArray...):
// indices are INT_PTR; a bad index or count throws CInvalidArgException* as the class
// library does.
#pragma once

#include <afx.h>

#include <vector>

namespace platform {

template <class TYPE, class ARG_TYPE>
class ArrayBase : public CObject {
public:
    ArrayBase() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(items_.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return items_.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }

    /// Resizes; new elements are default-constructed. A negative size throws. growBy is
    /// the step of growth (kept for the interface; the storage grows geometrically).
    void SetSize(INT_PTR newSize, INT_PTR growBy = -1) {
        if (newSize < 0)
            AfxThrowInvalidArgException();
        if (growBy >= 0)
            growBy_ = growBy;
        items_.resize(static_cast<size_t>(newSize));
    }
    void FreeExtra() { items_.shrink_to_fit(); }
    void RemoveAll() { items_.clear(); }

    const TYPE& GetAt(INT_PTR index) const { return items_[checked(index)]; }
    TYPE& GetAt(INT_PTR index) { return items_[checked(index)]; }
    void SetAt(INT_PTR index, ARG_TYPE element) { items_[checked(index)] = element; }
    TYPE& ElementAt(INT_PTR index) { return items_[checked(index)]; }
    const TYPE& ElementAt(INT_PTR index) const { return items_[checked(index)]; }
    const TYPE& operator[](INT_PTR index) const { return GetAt(index); }
    TYPE& operator[](INT_PTR index) { return ElementAt(index); }
    const TYPE* GetData() const { return items_.empty() ? nullptr : items_.data(); }
    TYPE* GetData() { return items_.empty() ? nullptr : items_.data(); }

    /// Sets the element at index, growing the array first when index is past the end.
    void SetAtGrow(INT_PTR index, ARG_TYPE element) {
        if (index < 0)
            AfxThrowInvalidArgException();
        TYPE copy(element);
        if (index >= GetSize())
            SetSize(index + 1);
        items_[static_cast<size_t>(index)] = std::move(copy);
    }
    /// Appends; returns the new element's index.
    INT_PTR Add(ARG_TYPE element) {
        items_.push_back(TYPE(element));
        return GetSize() - 1;
    }
    /// Appends every element of source; returns the index of the first appended one.
    INT_PTR Append(const ArrayBase& source) {
        const INT_PTR old = GetSize();
        const std::vector<TYPE> copy(source.items_);
        items_.insert(items_.end(), copy.begin(), copy.end());
        return old;
    }
    void Copy(const ArrayBase& source) {
        if (&source != this)
            items_ = source.items_;
    }
    /// Inserts count copies before index; an index at or past the end grows the array
    /// (default elements fill any gap). A negative index or count throws.
    void InsertAt(INT_PTR index, ARG_TYPE element, INT_PTR count = 1) {
        if (index < 0 || count < 0)
            AfxThrowInvalidArgException();
        const TYPE copy(element);
        if (index >= GetSize())
            SetSize(index);
        items_.insert(items_.begin() + index, static_cast<size_t>(count), copy);
    }
    /// Inserts all elements of another array before index (index may equal the size).
    void InsertAt(INT_PTR index, const ArrayBase* source) {
        if (!source || index < 0 || index > GetSize())
            AfxThrowInvalidArgException();
        const std::vector<TYPE> copy(source->items_);
        items_.insert(items_.begin() + index, copy.begin(), copy.end());
    }
    /// Removes count elements from index on; the range must lie inside the array.
    void RemoveAt(INT_PTR index, INT_PTR count = 1) {
        if (index < 0 || count < 0 || count > GetSize() - index)
            AfxThrowInvalidArgException();
        items_.erase(items_.begin() + index, items_.begin() + index + count);
    }

protected:
    size_t checked(INT_PTR index) const {
        if (index < 0 || index >= GetSize())
            AfxThrowInvalidArgException();
        return static_cast<size_t>(index);
    }

    std::vector<TYPE> items_;
    INT_PTR growBy_ = 0;
};

}  // namespace platform
