// Iterator and Drawable: the abstract bases of row factories and of writers that create
// entities.
#pragma once

#include <zcdbid.h>

/// A position counter over something that a derived class counts.
class Iterator {
public:
    virtual ~Iterator();
    /// The position has reached the derived class's count.
    virtual bool isDone() = 0;
    virtual void reset();
    virtual void next();

    int position = 0;
};

/// Something that creates entities in the drawing and remembers their ids.
class Drawable {
public:
    virtual ~Drawable();
    /// Creates the entities; 0 or a failure status.
    virtual int draw() = 0;
    /// Appends the ids of the created entities, in order, to the end of list.
    virtual void collectIds(ZcDbObjectIdArray& list);

    ZcDbObjectIdArray ids{0, 8};
};
