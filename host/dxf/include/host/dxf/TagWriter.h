// TagWriter and its sinks: formats group codes and values as DXF text.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/dxf/Status.h"
#include "host/dxf/Tag.h"

namespace host::dxf {

/// Where formatted DXF text goes.
class TagSink {
public:
  virtual ~TagSink() = default;
  virtual void write(std::string_view text) = 0;
  /// The first write error, if any (checked once at the end of writing).
  virtual Status status() const { return Status::ok(); }
};

/// Collects the text in a string.
class StringSink final : public TagSink {
public:
  void write(std::string_view text) override { text_.append(text); }
  const std::string& text() const { return text_; }
  std::string take() { return std::move(text_); }

private:
  std::string text_;
};

/// Collects tags (parsed back from the formatted pairs) for tests.
class TagListSink final : public TagSink {
public:
  void write(std::string_view text) override;
  const std::vector<Tag>& tags() const { return tags_; }

private:
  std::string pending_;
  std::vector<Tag> tags_;
};

/// Writes to a file opened by the sink (binary mode, buffered).
class FileSink final : public TagSink {
public:
  explicit FileSink(const std::string& path);
  ~FileSink() override;
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;
  void write(std::string_view text) override;
  /// Flushes and closes; returns the first error.
  Status close();
  Status status() const override { return status_; }

private:
  std::FILE* file_ = nullptr;
  Status status_;
};

/// Formats tags as AutoCAD does: the code right-aligned in three columns on one line, the
/// value on the next; doubles in their shortest exact form.
class TagWriter {
public:
  explicit TagWriter(TagSink& sink) : sink_(sink) {}
  ~TagWriter() { flush(); }
  TagWriter(const TagWriter&) = delete;
  TagWriter& operator=(const TagWriter&) = delete;

  void write(int code, std::string_view value);
  void write(int code, const char* value) { write(code, std::string_view(value)); }
  void write(int code, const std::string& value) { write(code, std::string_view(value)); }
  void write(int code, double value) { write(code, std::string_view(formatDouble(value))); }
  void write(int code, std::int64_t value);
  void write(int code, int value) { write(code, static_cast<std::int64_t>(value)); }
  void write(const Tag& tag) { write(tag.code, std::string_view(tag.value)); }
  void write(std::span<const Tag> tags) {
    for (const Tag& t : tags) write(t);
  }
  /// Writes x, y (and z unless `dims` is 2) with codes code, code+10, code+20.
  void writePoint(int code, double x, double y, double z, int dims = 3);
  /// Writes bytes as chunks of at most 127 bytes (254 hex digits) under `code`.
  void writeBinary(int code, std::span<const std::uint8_t> bytes);

  /// Hands buffered text to the sink (also done by the destructor).
  void flush();
  TagSink& sink() { return sink_; }

private:
  void flushIfLarge();

  TagSink& sink_;
  std::string buf_;
};

}  // namespace host::dxf
