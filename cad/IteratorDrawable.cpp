// Iterator and Drawable.
#include "cad/IteratorDrawable.h"

Iterator::~Iterator() = default;

void Iterator::reset() {
    position = 0;
}

void Iterator::next() {
    ++position;
}

Drawable::~Drawable() = default;

void Drawable::collectIds(ZcDbObjectIdArray& list) {
    if (ids.isEmpty())
        return;
    list.append(ids);
}
