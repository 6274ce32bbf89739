// RecordStream: groups tags into records (a 0 group and the groups up to the next 0).
#pragma once

#include <vector>

#include "Problems.h"
#include "host/dxf/TagReader.h"

namespace host::dxf::detail {

class RecordStream {
public:
  RecordStream(std::string_view buffer, ProblemLog& log) : reader_(buffer), log_(log) {}

  /// Advances to the next record (or keeps the current one after `hold`). False at the end
  /// of the input or after a failure.
  bool next();
  /// Makes the next call of `next` return the current record again.
  void hold() { held_ = true; }

  const TagView& head() const { return head_; }
  const std::vector<TagView>& tags() const { return tags_; }
  bool is(std::string_view type) const { return head_.value == type; }
  /// Value of the record's first group `code`, empty when none.
  std::string_view first(int code) const;
  /// Line of the last tag read.
  std::uint32_t line() const { return reader_.line(); }

private:
  bool nextTag(TagView& t);

  TagReader reader_;
  ProblemLog& log_;
  TagView head_, pending_;
  bool havePending_ = false, held_ = false, started_ = false, ended_ = false;
  std::vector<TagView> tags_;
};

}  // namespace host::dxf::detail
