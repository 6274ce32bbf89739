// ProblemLog: collects repairable problems while reading, or stops at the first (strict).
#pragma once

#include <string>
#include <string_view>

#include "host/dxf/Document.h"
#include "host/dxf/Status.h"

namespace host::dxf::detail {

class ProblemLog {
public:
  ProblemLog(Document& doc, bool strict, std::size_t limit)
      : doc_(doc), strict_(strict), limit_(limit) {}

  /// Records a problem; in strict mode the first one becomes the read's failure.
  void add(std::uint32_t line, std::string_view handle, std::string message, ErrorCode code = ErrorCode::Structure) {
    if (strict_) {
      if (failure_.isOk()) failure_ = Status(code, std::move(message), line);
      return;
    }
    if (doc_.problems.size() >= limit_) {
      ++doc_.problemsDropped;
      return;
    }
    doc_.problems.push_back(
        {static_cast<int>(doc_.problems.size()) + 1, line, std::string(handle), std::move(message)});
  }
  void add(const Status& s, std::string_view handle = {}) { add(s.line(), handle, s.message(), s.code()); }
  /// A problem that no mode can repair.
  void fail(Status s) {
    if (failure_.isOk()) failure_ = std::move(s);
  }
  bool failed() const { return !failure_.isOk(); }
  const Status& failure() const { return failure_; }
  bool strict() const { return strict_; }

private:
  Document& doc_;
  bool strict_;
  std::size_t limit_;
  Status failure_;
};

}  // namespace host::dxf::detail
