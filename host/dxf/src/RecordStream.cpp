// RecordStream: tag errors become problems (checked) or the failure (strict).
#include "RecordStream.h"

namespace host::dxf::detail {

bool RecordStream::nextTag(TagView& t) {
  while (!ended_ && !log_.failed()) {
    switch (reader_.next(t)) {
      case TagReader::Result::Tag:
        return true;
      case TagReader::Result::End:
        ended_ = true;
        return false;
      case TagReader::Result::BadCode:
        log_.add(reader_.error());
        break;
      case TagReader::Result::BadValue:
        // A name where a handle belongs is kept as text: R12 DIMSTYLE records use group 5 for
        // an arrow block name, so group 5 is judged by the record reader, which knows the record.
        if (valueType(t.code) == ValueType::Handle) {
          if (t.code != 5) log_.add(reader_.error());
          return true;
        }
        log_.add(reader_.error());
        break;
      case TagReader::Result::Truncated:
        log_.add(reader_.error());
        ended_ = true;
        return false;
    }
  }
  return false;
}

bool RecordStream::next() {
  if (held_) {
    held_ = false;
    return true;
  }
  if (log_.failed()) return false;
  TagView t;
  if (!havePending_) {
    // Before the first record: comments are fine, anything else is reported and skipped.
    for (;;) {
      if (!nextTag(t)) return false;
      if (t.code == 0) break;
      if (t.code != 999) log_.add(t.line, {}, "group " + std::to_string(t.code) + " outside any record");
    }
    pending_ = t;
    havePending_ = true;
  }
  head_ = pending_;
  tags_.clear();
  havePending_ = false;
  while (nextTag(t)) {
    if (t.code == 0) {
      pending_ = t;
      havePending_ = true;
      break;
    }
    if (t.code != 999) tags_.push_back(t);
  }
  started_ = true;
  return !log_.failed();
}

std::string_view RecordStream::first(int code) const {
  for (const TagView& t : tags_)
    if (t.code == code) return t.value;
  return {};
}

}  // namespace host::dxf::detail
