// Inserting one drawing into another as a block (a deep clone of its model space), and
// purging.
#include <unordered_map>
#include <unordered_set>

#include "DbInternal.h"

using host::db::DatabaseImpl;
using host::db::ObjectAccess;
using host::db::Table;
using host::db::TableAccess;

namespace {

using IdMap = std::unordered_map<ZcDbObjectId, ZcDbObjectId>;

/// The ids an object refers to (not changed).
std::vector<ZcDbObjectId> referencesOf(ZcDbObject* object) {
    std::vector<ZcDbObjectId> out;
    object->forEachReference([&](ZcDbObjectId& id) {
        if (!id.isNull())
            out.push_back(id);
    });
    return out;
}

/// The live entities of a block, with the attributes of its references after them.
std::vector<ZcDbEntity*> liveEntities(DatabaseImpl* db, ZcDbBlockTableRecord* block) {
    std::vector<ZcDbEntity*> out;
    for (const ZcDbObjectId& id : block->entityIds()) {
        auto* e = db->get<ZcDbEntity>(id);
        if (!e || e->isErased())
            continue;
        out.push_back(e);
        if (auto* ref = ZcDbBlockReference::cast(e))
            for (const ZcDbObjectId& a : ref->attributeIds())
                if (auto* attribute = db->get<ZcDbAttribute>(a); attribute && !attribute->isErased())
                    out.push_back(attribute);
    }
    return out;
}

/// The blocks an entity list refers to.
std::vector<ZcDbObjectId> childBlocks(DatabaseImpl* db, ZcDbBlockTableRecord* block) {
    std::vector<ZcDbObjectId> out;
    for (ZcDbEntity* e : liveEntities(db, block))
        for (const ZcDbObjectId& id : referencesOf(e))
            if (db->get<ZcDbBlockTableRecord>(id))
                out.push_back(id);
    return out;
}

/// The blocks reachable from root in depth-first order (root excluded); false for a
/// cycle or nesting deeper than the limit. Iterative, so deep input cannot exhaust the
/// stack.
bool reachableBlocks(DatabaseImpl* db, ZcDbObjectId root, std::vector<ZcDbObjectId>& order) {
    struct Frame {
        ZcDbObjectId block;
        std::vector<ZcDbObjectId> children;
        size_t next = 0;
    };
    std::unordered_map<ZcDbObjectId, int> state;  // 1 on the path, 2 done
    std::vector<Frame> stack;
    stack.push_back({root, childBlocks(db, db->get<ZcDbBlockTableRecord>(root)), 0});
    state[root] = 1;
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next == top.children.size()) {
            state[top.block] = 2;
            stack.pop_back();
            continue;
        }
        ZcDbObjectId child = top.children[top.next++];
        int s = state[child];
        if (s == 1)
            return false;  // a block that contains itself
        if (s == 2)
            continue;
        if (static_cast<int>(stack.size()) >= host::db::kMaxBlockNesting)
            return false;
        state[child] = 1;
        order.push_back(child);
        stack.push_back({child, childBlocks(db, db->get<ZcDbBlockTableRecord>(child)), 0});
    }
    return true;
}

Table tableOf(DatabaseImpl* db, const ZcDbObject* record) {
    for (Table t : {Table::Layer, Table::Linetype, Table::TextStyle, Table::RegApp, Table::Block})
        if (record->ownerId() == db->tableId(t))
            return t;
    return Table::Block;
}

bool isClonedTable(DatabaseImpl* db, const ZcDbObject* record) {
    ZcDbObjectId owner = record->ownerId();
    return owner == db->tableId(Table::Layer) || owner == db->tableId(Table::Linetype) ||
           owner == db->tableId(Table::TextStyle) || owner == db->tableId(Table::RegApp);
}

/// Drops the kept file groups that name handles of the source drawing (they would point
/// at unrelated objects of the target).
void dropHandleGroups(ZcDbObject* copy) {
    auto& groups = host::db::unmodelledGroups(copy);
    std::erase_if(groups, [](const host::db::RawGroup& g) {
        int c = g.code;
        return c == 5 || c == 105 || (c >= 320 && c <= 369) || (c >= 390 && c <= 399) || c == 480 || c == 481;
    });
}

void remap(ZcDbObject* object, const IdMap& map, Zdesk::UInt64 sourceSerial, bool final) {
    if (!final)
        dropHandleGroups(object);
    object->forEachReference([&](ZcDbObjectId& id) {
        auto it = map.find(id);
        if (it != map.end())
            id = it->second;
        else if (final && id.databaseSerial() == sourceSerial)
            id.setNull();  // something the clone does not carry over
    });
}

}  // namespace

Zcad::ErrorStatus ZcDbDatabase::insert(ZcDbObjectId& blockId, const ZTCHAR* newBlockName, ZcDbDatabase* source,
                                       bool /*preserveSourceDatabase*/) {
    blockId.setNull();
    std::wstring name = host::db::safeText(newBlockName);
    if (name.empty() || !source)
        return Zcad::eInvalidInput;
    if (source == this)
        return Zcad::eSelfReference;
    DatabaseImpl* dst = impl_.get();
    DatabaseImpl* src = source->impl();
    if (!dst->table(Table::Block))
        return Zcad::eNoDatabase;
    {
        ZcDbBlockTableRecord probe;
        if (probe.setName(name.c_str()) != Zcad::eOk)
            return Zcad::eInvalidInput;
    }
    if (!dst->recordByName(Table::Block, name).isNull())
        return Zcad::eDuplicateRecordName;
    ZcDbObjectId srcModel = src->modelSpace();
    auto* srcModelRecord = src->get<ZcDbBlockTableRecord>(srcModel);
    if (!srcModelRecord)
        return Zcad::eInvalidInput;

    // Plan everything before changing the target, so that a failure adds nothing.
    std::vector<ZcDbObjectId> blocks;
    if (!reachableBlocks(src, srcModel, blocks))
        return Zcad::eCannotNestBlockDefinitions;

    IdMap map;
    std::vector<std::pair<ZcDbObjectId, ZcDbBlockTableRecord*>> fill;  // source block -> new record
    std::vector<ZcDbObjectId> recordsToClone;
    std::unordered_set<ZcDbObjectId> seenRecords;
    std::vector<ZcDbObjectId> pending;
    for (const ZcDbObjectId& b : blocks) {
        auto* record = src->get<ZcDbBlockTableRecord>(b);
        ZcDbObjectId existing = dst->recordByName(Table::Block, record->getNameConst());
        if (!existing.isNull())
            map[b] = existing;  // the target's definition of that name is kept
    }
    std::vector<ZcDbObjectId> sourceBlocks{srcModel};
    for (const ZcDbObjectId& b : blocks)
        if (!map.count(b))
            sourceBlocks.push_back(b);
    std::unordered_set<std::wstring> appNames;
    for (const ZcDbObjectId& b : sourceBlocks)
        for (ZcDbEntity* e : liveEntities(src, src->get<ZcDbBlockTableRecord>(b))) {
            for (const ZcDbObjectId& id : referencesOf(e))
                pending.push_back(id);
            for (const host::db::XDataItem& item : ObjectAccess::xdata(e))
                if (item.code == 1001)
                    appNames.insert(std::get<std::wstring>(item.value));
        }
    while (!pending.empty()) {
        ZcDbObjectId id = pending.back();
        pending.pop_back();
        auto* record = src->get<ZcDbSymbolTableRecord>(id);
        if (!record || !isClonedTable(src, record) || !seenRecords.insert(id).second)
            continue;
        ZcDbObjectId existing = dst->recordByName(tableOf(src, record), record->getNameConst());
        if (!existing.isNull()) {
            map[id] = existing;
            continue;
        }
        recordsToClone.push_back(id);
        for (const ZcDbObjectId& ref : referencesOf(record))
            pending.push_back(ref);
    }

    // The new block and the records the target lacks.
    auto* newBlock = new ZcDbBlockTableRecord;
    newBlock->setOrigin(source->insbase());
    ZcDbObjectId newBlockId = dst->addRecord(Table::Block, newBlock, name);
    if (newBlockId.isNull()) {
        delete newBlock;
        return Zcad::eDuplicateRecordName;
    }
    map[srcModel] = newBlockId;
    fill.emplace_back(srcModel, newBlock);
    // A damaged source may hold two records whose names differ only in case: the first one
    // copied serves for both.
    auto addCopy = [&](Table table, ZcDbSymbolTableRecord* copy, const ZTCHAR* recordName) {
        ZcDbObjectId added = dst->addRecord(table, copy, recordName);
        if (added.isNull()) {
            delete copy;
            return std::make_pair(dst->recordByName(table, recordName), false);
        }
        return std::make_pair(added, true);
    };
    for (const ZcDbObjectId& id : recordsToClone) {
        auto* record = src->get<ZcDbSymbolTableRecord>(id);
        auto* copy = static_cast<ZcDbSymbolTableRecord*>(record->clone());
        dropHandleGroups(copy);
        map[id] = addCopy(tableOf(src, record), copy, record->getNameConst()).first;
    }
    for (size_t i = 1; i < sourceBlocks.size(); ++i) {
        auto* record = src->get<ZcDbBlockTableRecord>(sourceBlocks[i]);
        auto* copy = static_cast<ZcDbBlockTableRecord*>(record->clone());
        dropHandleGroups(copy);
        auto [added, isNew] = addCopy(Table::Block, copy, record->getNameConst());
        map[sourceBlocks[i]] = added;
        if (isNew)
            fill.emplace_back(sourceBlocks[i], copy);
    }
    for (const ZcDbObjectId& id : recordsToClone)
        if (ZcDbObject* copy = dst->find(map[id]))
            remap(copy, map, src->serial, true);
    for (const std::wstring& app : appNames)
        if (dst->recordByName(Table::RegApp, app).isNull())
            addCopy(Table::RegApp, new ZcDbRegAppTableRecord, app.c_str());

    // Entities, then the references between them (a leader's annotation...).
    std::vector<ZcDbObject*> copies;
    for (auto& [srcBlockId, target] : fill) {
        auto* srcBlock = src->get<ZcDbBlockTableRecord>(srcBlockId);
        for (const ZcDbObjectId& id : srcBlock->entityIds()) {
            auto* e = src->get<ZcDbEntity>(id);
            if (!e || e->isErased())
                continue;
            auto* copy = static_cast<ZcDbEntity*>(e->clone());
            remap(copy, map, src->serial, false);
            ZcDbObjectId copyId = dst->add(copy, target->objectId(), false);
            TableAccess::entities(target).push_back(copyId);
            map[id] = copyId;
            copies.push_back(copy);
            auto* ref = ZcDbBlockReference::cast(e);
            auto* refCopy = ZcDbBlockReference::cast(copy);
            if (!ref || !refCopy)
                continue;
            for (const ZcDbObjectId& a : ref->attributeIds()) {
                auto* attribute = src->get<ZcDbAttribute>(a);
                if (!attribute || attribute->isErased())
                    continue;
                auto* attributeCopy = static_cast<ZcDbAttribute*>(attribute->clone());
                remap(attributeCopy, map, src->serial, false);
                ZcDbObjectId attributeId = dst->add(attributeCopy, copyId, false);
                ObjectAccess::attributes(refCopy).push_back(attributeId);
                map[a] = attributeId;
                copies.push_back(attributeCopy);
            }
        }
    }
    for (ZcDbObject* copy : copies)
        remap(copy, map, src->serial, true);
    blockId = newBlockId;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDatabase::purge(ZcDbObjectIdArray& ids) {
    std::unordered_set<ZcDbObjectId> used;
    for (const auto& [handle, object] : impl_->objects) {
        if (object->isErased())
            continue;
        for (const ZcDbObjectId& id : referencesOf(object))
            used.insert(id);
        // A record that owns live entities is not itself "used"; entities are not purged.
        if (ZcDbEntity::cast(object))
            used.insert(object->objectId());
    }
    for (const auto& [name, value] : impl_->headerVars)
        if (auto* id = std::get_if<ZcDbObjectId>(&value))
            used.insert(*id);
    ZcDbObjectIdArray kept;
    for (const ZcDbObjectId& id : ids)
        if (!used.count(id) && !impl_->isProtected(id))
            kept.append(id);
    ids = kept;
    return Zcad::eOk;
}

ZcDbObject* ZcDbBlockTableRecord::clone() const {
    auto* copy = new ZcDbBlockTableRecord(*this);
    copy->entities_.clear();
    copy->layoutId_.setNull();
    return copy;
}
