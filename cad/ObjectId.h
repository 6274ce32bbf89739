// ObjectId: a database object id with the status of the last operation on it; the
// process-wide null object id and the status values of the CAD access layer.
#pragma once

#include <zcdbmain.h>

/// The null object id shared by the whole plug-in (the host's null id).
extern const ZcDbObjectId nullObjectId;

/// Statuses that the CAD access layer produces itself. Host statuses pass through unchanged
/// and 0 is success; these values coincide with the host's codes of the same meaning.
namespace CadStatus {
constexpr int kOk = 0;
constexpr int kPointsTooClose = 2;       ///< a leader's two points nearly coincide
constexpr int kNoBlockName = 3;          ///< a drawing was read but no block name can be formed
constexpr int kBlockNotOpened = 15;      ///< a block definition id cannot be opened
constexpr int kNoEntity = 20;            ///< no entity (none given, none opened, no leader)
constexpr int kWrongClass = 21;          ///< the object is not of the wrapper's class
constexpr int kNotBlockRecord = 34;      ///< the target space is not a block table record
constexpr int kFileNotFound = 76;        ///< the drawing file does not exist
constexpr int kErased = 80;              ///< the id refers to an erased object
constexpr int kNoPoint = 180;            ///< the first point prompt returned no point
constexpr int kNoSpace = 221;            ///< no working database or no usable space
constexpr int kNoObject = 374;           ///< invalid id / nothing open; initial status
constexpr int kBlockNotDefined = 379;    ///< the named block is not defined
}  // namespace CadStatus

/// An object id and the last status recorded by the operations of the class.
class ObjectId {
public:
    ObjectId() = default;
    explicit ObjectId(const ZcDbObjectId& objectId) : id(objectId) {}
    virtual ~ObjectId();

    ZcDbObjectId id = nullObjectId;
    int status = CadStatus::kNoObject;
};
