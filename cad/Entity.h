// Entity: an object id wrapper that opens its object as a host entity, and the pattern of
// the typed entity wrappers built on it.
#pragma once

#include <zcdbmain.h>

#include "cad/ObjectId.h"

/// An entity by its id. Every operation records its outcome in entityStatus; the object is
/// open only between open() and close(), never across calls of other operations.
class Entity : public ObjectId {
public:
    Entity() = default;
    explicit Entity(const ZcDbObjectId& objectId) : ObjectId(objectId) {}
    ~Entity() override;

    /// Opens the entity in mode 0 (read) or 1 (write). 374 for an invalid id, 80 for an
    /// erased object (both recorded); otherwise 0 is recorded and the result is 0 when the
    /// host handed out the entity, 20 when it refused (that 20 is not recorded).
    virtual int open(int mode);
    /// Closes the open entity (if any), recording the close result; returns entityStatus.
    int close();
    /// The entity opened in mode, or null on any host failure; nothing is recorded and the
    /// caller closes it.
    ZcDbEntity* openEntity(int mode) const;
    /// Transforms the entity: 374 / 80 as open, 20 when it cannot be opened for write,
    /// otherwise the host's transform result (recorded).
    int transformBy(ZcGeMatrix3d matrix);

    int entityStatus = CadStatus::kNoObject;
    ZcDbEntity* entity = nullptr;

protected:
    /// 374 when id is not valid, 80 when erased, else 0; recorded in entityStatus.
    int checkId();
    /// Opens as open() does, then keeps the object only when it is of objectClass: otherwise
    /// it is closed (close result recorded), id becomes the null id and 21 is returned.
    int openAs(int mode, const ZcRxClass* objectClass);
    /// The id is valid and opens for read as an entity of objectClass (closed again).
    bool isEntityOf(const ZcRxClass* objectClass) const;
};

/// The typed wrappers: an Entity that also views the open object as its host class T.
template <class T>
class TypedEntity : public Entity {
public:
    TypedEntity() = default;
    explicit TypedEntity(const ZcDbObjectId& objectId) : Entity(objectId) {}

    /// Entity::open, then the class test against T: a mismatch closes the object, makes the
    /// wrapper null for good and returns 21.
    int open(int mode) override {
        typed = nullptr;
        int result = openAs(mode, T::desc());
        if (result == 0)
            typed = T::cast(entity);
        return result;
    }
    /// Closes the open object (close result recorded) and returns entityStatus.
    int close() {
        typed = nullptr;
        return Entity::close();
    }

    T* typed = nullptr;
};
