// TagWriter and the string, tag-list and file sinks.
#include "host/dxf/TagWriter.h"

#include <cerrno>
#include <charconv>
#include <cstring>

#include "host/dxf/TagReader.h"

namespace host::dxf {

void TagListSink::write(std::string_view text) {
  pending_.append(text);
  // Parse complete pairs only (a pair ends with its value line).
  std::size_t end = 0, lines = 0;
  for (std::size_t i = 0; i < pending_.size(); ++i)
    if (pending_[i] == '\n' && ++lines % 2 == 0) end = i + 1;
  if (!end) return;
  TagReader reader(std::string_view(pending_).substr(0, end));
  TagView v;
  while (reader.next(v) != TagReader::Result::End) tags_.emplace_back(v);
  pending_.erase(0, end);
}

FileSink::FileSink(const std::string& path) {
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) status_ = Status(ErrorCode::Io, "cannot create " + path + ": " + std::strerror(errno));
}

FileSink::~FileSink() { (void)close(); }

void FileSink::write(std::string_view text) {
  if (!file_ || !status_) return;
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size())
    status_ = Status(ErrorCode::Io, std::string("write failed: ") + std::strerror(errno));
}

Status FileSink::close() {
  if (file_) {
    if (std::fclose(file_) != 0 && status_)
      status_ = Status(ErrorCode::Io, std::string("close failed: ") + std::strerror(errno));
    file_ = nullptr;
  }
  return status_;
}

void TagWriter::flushIfLarge() {
  if (buf_.size() >= 1 << 16) flush();
}

void TagWriter::flush() {
  if (!buf_.empty()) {
    sink_.write(buf_);
    buf_.clear();
  }
}

namespace {
void appendCode(std::string& buf, int code) {
  char tmp[16];
  auto [p, ec] = std::to_chars(tmp, tmp + sizeof tmp, code);
  std::size_t n = static_cast<std::size_t>(p - tmp);
  if (n < 3) buf.append(3 - n, ' ');
  buf.append(tmp, n);
  buf += '\n';
}
}  // namespace

void TagWriter::write(int code, std::string_view value) {
  appendCode(buf_, code);
  // A line end inside a value would break the pairing of lines: cut it off there.
  std::size_t cut = value.find_first_of("\r\n");
  buf_.append(value.substr(0, cut));
  buf_ += '\n';
  flushIfLarge();
}

void TagWriter::write(int code, std::int64_t value) {
  char tmp[24];
  auto [p, ec] = std::to_chars(tmp, tmp + sizeof tmp, value);
  write(code, std::string_view(tmp, static_cast<std::size_t>(p - tmp)));
}

void TagWriter::writePoint(int code, double x, double y, double z, int dims) {
  write(code, x);
  write(code + 10, y);
  if (dims == 3) write(code + 20, z);
}

void TagWriter::writeBinary(int code, std::span<const std::uint8_t> bytes) {
  for (std::size_t i = 0; i < bytes.size(); i += 127) {
    std::size_t n = std::min<std::size_t>(127, bytes.size() - i);
    write(code, std::string_view(hexBytes(bytes.data() + i, n)));
  }
}

}  // namespace host::dxf
