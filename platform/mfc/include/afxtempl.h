// The class library's collection templates: CArray, CTypedPtrArray, CList and CMap.
#pragma once

#include <afx.h>
#include <afxarray.h>
#include <afxcoll.h>
#include <afxlist.h>

/// A growable array of TYPE passed as ARG_TYPE (the class library's CArray).
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public platform::ArrayBase<TYPE, ARG_TYPE> {
public:
    CArray() = default;
};

/// An array of typed pointers over one of the pointer arrays (CPtrArray, CObArray).
template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
public:
    TYPE GetAt(INT_PTR index) const { return static_cast<TYPE>(BASE_CLASS::GetAt(index)); }
    TYPE& ElementAt(INT_PTR index) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(index)); }
    void SetAt(INT_PTR index, TYPE element) { BASE_CLASS::SetAt(index, element); }
    void SetAtGrow(INT_PTR index, TYPE element) { BASE_CLASS::SetAtGrow(index, element); }
    INT_PTR Add(TYPE element) { return BASE_CLASS::Add(element); }
    void InsertAt(INT_PTR index, TYPE element, INT_PTR count = 1) { BASE_CLASS::InsertAt(index, element, count); }
    TYPE operator[](INT_PTR index) const { return GetAt(index); }
    TYPE& operator[](INT_PTR index) { return ElementAt(index); }
};
