// The linked list and the hash map of the class library (CList, CMap) with their
// POSITION-based iteration; included by afxtempl.h.
#pragma once

#include <afx.h>

#include <cwchar>
#include <functional>
#include <unordered_map>

/// A doubly linked list of TYPE passed as ARG_TYPE.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
    struct Node {
        TYPE data;
        Node* next = nullptr;
        Node* prev = nullptr;
    };

public:
    explicit CList(INT_PTR blockSize = 10) { (void)blockSize; }
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return count_; }
    INT_PTR GetSize() const { return count_; }
    BOOL IsEmpty() const { return count_ == 0; }

    /// The first or last element; the list must not be empty (CInvalidArgException*).
    TYPE& GetHead() { return checked(head_)->data; }
    const TYPE& GetHead() const { return checked(head_)->data; }
    TYPE& GetTail() { return checked(tail_)->data; }
    const TYPE& GetTail() const { return checked(tail_)->data; }
    TYPE RemoveHead() {
        Node* n = checked(head_);
        TYPE value = n->data;
        unlink(n);
        return value;
    }
    TYPE RemoveTail() {
        Node* n = checked(tail_);
        TYPE value = n->data;
        unlink(n);
        return value;
    }
    POSITION AddHead(ARG_TYPE element) { return InsertBefore(GetHeadPosition(), element); }
    POSITION AddTail(ARG_TYPE element) { return InsertAfter(GetTailPosition(), element); }
    void AddTail(const CList* other) {
        for (Node* n = other->head_; n; n = n->next)
            AddTail(n->data);
    }
    void AddHead(const CList* other) {
        for (Node* n = other->tail_; n; n = n->prev)
            AddHead(n->data);
    }
    void RemoveAll() {
        while (head_)
            unlink(head_);
    }

    POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(head_); }
    POSITION GetTailPosition() const { return reinterpret_cast<POSITION>(tail_); }
    /// The element at position, which moves on to the next one (nullptr after the last).
    TYPE& GetNext(POSITION& position) {
        Node* n = node(position);
        position = reinterpret_cast<POSITION>(n->next);
        return n->data;
    }
    const TYPE& GetNext(POSITION& position) const {
        Node* n = node(position);
        position = reinterpret_cast<POSITION>(n->next);
        return n->data;
    }
    TYPE& GetPrev(POSITION& position) {
        Node* n = node(position);
        position = reinterpret_cast<POSITION>(n->prev);
        return n->data;
    }
    const TYPE& GetPrev(POSITION& position) const {
        Node* n = node(position);
        position = reinterpret_cast<POSITION>(n->prev);
        return n->data;
    }
    TYPE& GetAt(POSITION position) { return node(position)->data; }
    const TYPE& GetAt(POSITION position) const { return node(position)->data; }
    void SetAt(POSITION position, ARG_TYPE element) { node(position)->data = element; }
    void RemoveAt(POSITION position) { unlink(node(position)); }
    /// Inserts before position (at the head for a null position).
    POSITION InsertBefore(POSITION position, ARG_TYPE element) {
        Node* at = position ? node(position) : head_;
        Node* n = new Node{TYPE(element)};
        n->next = at;
        n->prev = at ? at->prev : tail_;
        (n->prev ? n->prev->next : head_) = n;
        (at ? at->prev : tail_) = n;
        ++count_;
        return reinterpret_cast<POSITION>(n);
    }
    /// Inserts after position (at the tail for a null position).
    POSITION InsertAfter(POSITION position, ARG_TYPE element) {
        Node* at = position ? node(position) : tail_;
        Node* n = new Node{TYPE(element)};
        n->prev = at;
        n->next = at ? at->next : head_;
        (n->next ? n->next->prev : tail_) = n;
        (at ? at->next : head_) = n;
        ++count_;
        return reinterpret_cast<POSITION>(n);
    }
    /// The first element equal to value after start (from the head for null); nullptr if none.
    POSITION Find(ARG_TYPE value, POSITION start = nullptr) const {
        for (Node* n = start ? node(start)->next : head_; n; n = n->next) {
            if (n->data == value)
                return reinterpret_cast<POSITION>(n);
        }
        return nullptr;
    }
    /// The position of the index-th element; nullptr outside the list.
    POSITION FindIndex(INT_PTR index) const {
        if (index < 0 || index >= count_)
            return nullptr;
        Node* n = head_;
        while (index-- > 0)
            n = n->next;
        return reinterpret_cast<POSITION>(n);
    }

private:
    static Node* node(POSITION position) {
        if (!position)
            AfxThrowInvalidArgException();
        return reinterpret_cast<Node*>(position);
    }
    static Node* checked(Node* n) {
        if (!n)
            AfxThrowInvalidArgException();
        return n;
    }
    void unlink(Node* n) {
        (n->prev ? n->prev->next : head_) = n->next;
        (n->next ? n->next->prev : tail_) = n->prev;
        delete n;
        --count_;
    }

    Node* head_ = nullptr;
    Node* tail_ = nullptr;
    INT_PTR count_ = 0;
};

/// The hash of a map key, as the class library's HashKey gives it (specialised for texts).
template <class ARG_KEY>
inline UINT HashKey(ARG_KEY key) {
    return static_cast<UINT>(std::hash<std::decay_t<ARG_KEY>>()(key));
}
template <>
inline UINT HashKey<LPCWSTR>(LPCWSTR key) {
    UINT hash = 0;
    for (; key && *key; ++key)
        hash = (hash << 5) + hash + static_cast<UINT>(*key);
    return hash;
}
template <>
inline UINT HashKey<const CStringW&>(const CStringW& key) {
    return HashKey<LPCWSTR>(key.GetString());
}

/// A hash map from KEY (passed as ARG_KEY) to VALUE (passed as ARG_VALUE). Iteration
/// follows insertion order.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
    struct Node {
        KEY key;
        VALUE value;
        Node* next = nullptr;
        Node* prev = nullptr;
    };
    struct Hash {
        size_t operator()(const KEY& key) const { return HashKey<ARG_KEY>(key); }
    };

public:
    explicit CMap(INT_PTR blockSize = 10) { (void)blockSize; }
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return static_cast<INT_PTR>(index_.size()); }
    INT_PTR GetSize() const { return GetCount(); }
    BOOL IsEmpty() const { return index_.empty(); }
    void InitHashTable(UINT size, BOOL = TRUE) { index_.reserve(size); }

    /// Copies the value of key into value; FALSE (value unchanged) when the key is absent.
    BOOL Lookup(ARG_KEY key, VALUE& value) const {
        auto it = index_.find(KEY(key));
        if (it == index_.end())
            return FALSE;
        value = it->second->value;
        return TRUE;
    }
    /// The value of key, inserted default-constructed when absent.
    VALUE& operator[](ARG_KEY key) {
        auto it = index_.find(KEY(key));
        if (it != index_.end())
            return it->second->value;
        Node* n = new Node{KEY(key), VALUE()};
        n->prev = tail_;
        (tail_ ? tail_->next : head_) = n;
        tail_ = n;
        index_.emplace(n->key, n);
        return n->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }
    BOOL RemoveKey(ARG_KEY key) {
        auto it = index_.find(KEY(key));
        if (it == index_.end())
            return FALSE;
        Node* n = it->second;
        index_.erase(it);
        (n->prev ? n->prev->next : head_) = n->next;
        (n->next ? n->next->prev : tail_) = n->prev;
        delete n;
        return TRUE;
    }
    void RemoveAll() {
        index_.clear();
        while (head_) {
            Node* next = head_->next;
            delete head_;
            head_ = next;
        }
        tail_ = nullptr;
    }
    /// The first position, or nullptr for an empty map.
    POSITION GetStartPosition() const { return reinterpret_cast<POSITION>(head_); }
    /// The key and value at position, which moves on (nullptr after the last).
    void GetNextAssoc(POSITION& position, KEY& key, VALUE& value) const {
        if (!position || position == BEFORE_START_POSITION)
            AfxThrowInvalidArgException();
        Node* n = reinterpret_cast<Node*>(position);
        key = n->key;
        value = n->value;
        position = reinterpret_cast<POSITION>(n->next);
    }

private:
    std::unordered_map<KEY, Node*, Hash> index_;
    Node* head_ = nullptr;
    Node* tail_ = nullptr;
};
