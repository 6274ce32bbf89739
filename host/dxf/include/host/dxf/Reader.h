// Reading a DXF buffer or file into a Document.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "host/dxf/Document.h"
#include "host/dxf/Status.h"

namespace host::dxf {

enum class ReadMode {
  /// For files we wrote: the first problem of any kind fails the read.
  Strict,
  /// For the world's files: repairable problems (a bad value, a missing ENDSEC, a wrong
  /// count) are recorded in Document::problems and reading goes on.
  Checked,
};

struct ReadOptions {
  ReadMode mode = ReadMode::Checked;
  std::size_t maxFileSize = std::size_t(1) << 30;  ///< larger files are rejected
  std::size_t maxProblems = 1000;   ///< further problems are only counted
};

/// Reads ASCII DXF R12 to R2018 from `buffer`. Fails (never throws) on input that is not
/// DXF, binary DXF, structural damage that cannot be repaired, or any problem in Strict mode.
Expected<Document> read(std::string_view buffer, const ReadOptions& options = {});

/// Reads the file at `path` (a host path) with `read`.
Expected<Document> readFile(const std::string& path, const ReadOptions& options = {});

}  // namespace host::dxf
