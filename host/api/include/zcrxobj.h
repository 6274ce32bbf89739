// Run-time class descriptors and the root object class of the host's object system.
#pragma once

#include "zcbase.h"

class ZcRxObject;

/// Describes one class of the host's object system: its name and its parent, so that class
/// tests (isKindOf, isDerivedFrom) work on the descriptor chain as in the host.
class ZCAD_PORT ZcRxClass {
public:
    ZcRxClass(const ZTCHAR* name, const ZcRxClass* parent) : name_(name), parent_(parent) {}
    const ZTCHAR* name() const { return name_; }
    const ZcRxClass* myParent() const { return parent_; }
    bool isDerivedFrom(const ZcRxClass* other) const {
        for (const ZcRxClass* c = this; c; c = c->parent_)
            if (c == other)
                return true;
        return false;
    }

private:
    const ZTCHAR* name_;
    const ZcRxClass* parent_;
};

// Declares the run-time class members of a class derived from ZcRxObject.
#define ZCRX_DECLARE_MEMBERS(CLASS)                                       \
    static ZcRxClass* desc();                                             \
    static CLASS* cast(const ZcRxObject* object) {                        \
        return (object && object->isKindOf(CLASS::desc()))                \
                   ? static_cast<CLASS*>(const_cast<ZcRxObject*>(object)) \
                   : nullptr;                                             \
    }                                                                     \
    ZcRxClass* isA() const override

// Defines them in one source file.
#define ZCRX_DEFINE_MEMBERS(CLASS, PARENT)                                  \
    ZcRxClass* CLASS::desc() {                                              \
        static ZcRxClass descriptor(L"" #CLASS, PARENT::desc());            \
        return &descriptor;                                                 \
    }                                                                       \
    ZcRxClass* CLASS::isA() const { return CLASS::desc(); }

/// The root of every object of the host that has a run-time class.
class ZCAD_PORT ZcRxObject {
public:
    virtual ~ZcRxObject() = default;
    static ZcRxClass* desc() {
        static ZcRxClass descriptor(L"ZcRxObject", nullptr);
        return &descriptor;
    }
    static ZcRxObject* cast(const ZcRxObject* object) { return const_cast<ZcRxObject*>(object); }
    virtual ZcRxClass* isA() const { return desc(); }
    bool isKindOf(const ZcRxClass* other) const { return isA()->isDerivedFrom(other); }
};
