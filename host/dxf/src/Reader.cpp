// Reader: sections, tables, blocks and entity sequences of a DXF buffer.
#include "host/dxf/Reader.h"

#include <fstream>

#include "Codec.h"
#include "RecordStream.h"
#include "Transcode.h"
#include "host/dxf/TagReader.h"

namespace host::dxf {

namespace detail {
bool convertPolyline(Entity& e);
}

namespace {

using namespace detail;

class DocumentReader {
public:
  DocumentReader(std::string_view buffer, Document& doc, ProblemLog& log)
      : doc_(doc), log_(log), in_(buffer, log) {}

  void run();

private:
  ReadContext context(std::string_view handle = {}) { return ReadContext{log_, handle, -1}; }
  std::string_view handleOf(int code = 5) const { return in_.first(code); }
  void problem(std::string message) { log_.add(in_.head().line, handleOf(), std::move(message)); }
  /// Advances inside a section; false at ENDSEC or at the start of something that ends it.
  bool nextInSection(std::string_view section);

  void readHeader();
  void readClasses();
  void readTables();
  void readBlocks();
  void readEntities();
  void readObjects();
  void readThumbnail();
  void readUnknown(std::string name);
  template <class R> void readTable(Table<R>& table, std::string_view type);

  /// Entity sequence assembly: INSERT + ATTRIB... + SEQEND, POLYLINE + VERTEX... + SEQEND.
  void addEntity(std::vector<Entity>& list);
  void closeParent(std::vector<Entity>& list, bool complain);

  Document& doc_;
  ProblemLog& log_;
  RecordStream in_;
  bool parentOpen_ = false;
};

bool DocumentReader::nextInSection(std::string_view section) {
  if (!in_.next()) {
    log_.add(in_.line(), {}, "section " + std::string(section) + " is not closed (end of file)",
             ErrorCode::Truncated);
    return false;
  }
  if (in_.is("ENDSEC")) return false;
  if (in_.is("SECTION") || in_.is("EOF")) {
    problem("section " + std::string(section) + " is not closed before " + std::string(in_.head().value));
    in_.hold();
    return false;
  }
  return true;
}

void DocumentReader::run() {
  if (!in_.next()) {
    if (!log_.failed()) log_.fail(Status(ErrorCode::NotDxf, "no DXF data", in_.line()));
    return;
  }
  if (!in_.is("SECTION")) {
    log_.fail(Status(ErrorCode::NotDxf, "the file does not start with a SECTION", in_.head().line));
    return;
  }
  in_.hold();
  bool sawEof = false;
  while (in_.next()) {
    if (in_.is("EOF")) {
      sawEof = true;
      break;
    }
    if (!in_.is("SECTION")) {
      problem("record " + std::string(in_.head().value) + " outside any section skipped");
      continue;
    }
    std::string name(in_.first(2));
    if (name == "HEADER") readHeader();
    else if (name == "CLASSES") readClasses();
    else if (name == "TABLES") readTables();
    else if (name == "BLOCKS") readBlocks();
    else if (name == "ENTITIES") readEntities();
    else if (name == "OBJECTS") readObjects();
    else if (name == "THUMBNAILIMAGE") readThumbnail();
    else readUnknown(name);
  }
  if (!sawEof && !log_.failed()) log_.add(in_.line(), {}, "missing EOF", ErrorCode::Truncated);
}

void DocumentReader::readHeader() {
  HeaderVar* var = nullptr;
  bool skippedName = false;
  for (const TagView& t : in_.tags()) {
    if (t.code == 2 && !skippedName) {
      skippedName = true;
      continue;
    }
    if (t.code == 9) {
      var = &doc_.header.vars.emplace_back();
      var->name = std::string(t.value);
    } else if (var) {
      var->values.emplace_back(t);
    } else {
      log_.add(t.line, {}, "header group " + std::to_string(t.code) + " without a variable name");
    }
  }
  while (nextInSection("HEADER")) problem("record " + std::string(in_.head().value) + " in HEADER skipped");
}

void DocumentReader::readClasses() {
  while (nextInSection("CLASSES")) {
    RawObject& c = doc_.classes.emplace_back();
    c.type = std::string(in_.head().value);
    for (const TagView& t : in_.tags()) c.tags.emplace_back(t);
  }
}

std::vector<Tag> headExtra(const std::vector<TagView>& tags, std::string& handle) {
  std::vector<Tag> extra;
  bool name = false, count = false, marker = false;
  for (const TagView& t : tags) {
    if (t.code == 2 && !name) name = true;
    else if (t.code == 5 && handle.empty()) handle = std::string(t.value);
    else if (t.code == 330) continue;
    else if (t.code == 100 && t.value == "AcDbSymbolTable" && !marker) marker = true;
    else if (t.code == 70 && !count) count = true;
    else extra.emplace_back(t);
  }
  return extra;
}

template <class R>
void DocumentReader::readTable(Table<R>& table, std::string_view type) {
  std::string handle;
  std::vector<Tag> extra = headExtra(in_.tags(), handle);
  if (table.handle.empty()) {
    table.handle = handle;
    table.headExtra = std::move(extra);
  }
  for (;;) {
    if (!in_.next()) {
      log_.add(in_.line(), {}, "table " + std::string(type) + " is not closed (end of file)", ErrorCode::Truncated);
      return;
    }
    if (in_.is("ENDTAB")) return;
    if (in_.is("TABLE") || in_.is("ENDSEC") || in_.is("SECTION") || in_.is("EOF")) {
      problem("table " + std::string(type) + " is not closed");
      in_.hold();
      return;
    }
    if (in_.head().value != type) {
      problem("record " + std::string(in_.head().value) + " in table " + std::string(type));
    }
    R& r = table.records.emplace_back();
    if constexpr (std::is_same_v<R, RawRecord>) r.type = std::string(in_.head().value);
    auto ctx = context(handleOf(type == "DIMSTYLE" ? 105 : 5));
    readRecord(std::span(in_.tags()), r, ctx);
  }
}

void DocumentReader::readTables() {
  Tables& t = doc_.tables;
  while (nextInSection("TABLES")) {
    if (!in_.is("TABLE")) {
      problem("record " + std::string(in_.head().value) + " outside a table skipped");
      continue;
    }
    std::string name(in_.first(2));
    if (name == "VPORT") readTable(t.vports, name);
    else if (name == "LTYPE") readTable(t.linetypes, name);
    else if (name == "LAYER") readTable(t.layers, name);
    else if (name == "STYLE") readTable(t.styles, name);
    else if (name == "VIEW") readTable(t.views, name);
    else if (name == "UCS") readTable(t.ucs, name);
    else if (name == "APPID") readTable(t.appids, name);
    else if (name == "DIMSTYLE") readTable(t.dimstyles, name);
    else if (name == "BLOCK_RECORD") readTable(t.blockRecords, name);
    else {
      RawTable& raw = t.unknown.emplace_back();
      raw.name = name;
      readTable(raw.table, name);
    }
  }
}

void DocumentReader::closeParent(std::vector<Entity>& list, bool complain) {
  if (!parentOpen_) return;
  parentOpen_ = false;
  Entity& p = list.back();
  bool wantsSeqend = p.type == "POLYLINE" || !p.children.empty() ||
                     (p.get<Insert>() && p.get<Insert>()->attribsFollow);
  if (complain && wantsSeqend && !p.seqend) problem(p.type + " without SEQEND");
  if (p.type == "POLYLINE") convertPolyline(p);
}

void DocumentReader::addEntity(std::vector<Entity>& list) {
  std::string_view type = in_.head().value;
  auto ctx = context(handleOf());
  auto tags = std::span(in_.tags());
  if (parentOpen_) {
    Entity& p = list.back();
    bool child = (type == "ATTRIB" && p.type == "INSERT") || (type == "VERTEX" && p.type == "POLYLINE");
    if (child) {
      Entity& c = p.children.emplace_back();
      c.type = std::string(type);
      readEntity(tags, c, ctx);
      return;
    }
    if (type == "SEQEND") {
      p.seqend.emplace();
      readEntityBase(tags, *p.seqend, ctx, emptySchema());
      closeParent(list, false);
      return;
    }
    closeParent(list, true);
  }
  if (type == "ATTRIB" || type == "VERTEX" || type == "SEQEND")
    problem(std::string(type) + " without its INSERT or POLYLINE kept as it is");
  Entity& e = list.emplace_back();
  e.type = std::string(type);
  readEntity(tags, e, ctx);
  parentOpen_ = type == "INSERT" || type == "POLYLINE";
}

void DocumentReader::readBlocks() {
  Block* block = nullptr;
  while (nextInSection("BLOCKS")) {
    if (in_.is("BLOCK")) {
      if (block) {
        closeParent(block->entities, true);
        problem("block " + block->name() + " is not closed by ENDBLK");
      }
      block = &doc_.blocks.emplace_back();
      auto ctx = context(handleOf());
      readBlockBegin(std::span(in_.tags()), *block, ctx);
    } else if (in_.is("ENDBLK")) {
      if (!block) {
        problem("ENDBLK without BLOCK");
        continue;
      }
      closeParent(block->entities, true);
      auto ctx = context(handleOf());
      readBlockEnd(std::span(in_.tags()), *block, ctx);
      block = nullptr;
    } else if (!block) {
      problem("entity " + std::string(in_.head().value) + " outside a block skipped");
    } else {
      addEntity(block->entities);
    }
  }
  if (block) {
    closeParent(block->entities, true);
    problem("block " + block->name() + " is not closed by ENDBLK");
  }
}

void DocumentReader::readEntities() {
  while (nextInSection("ENTITIES")) addEntity(doc_.entities);
  closeParent(doc_.entities, true);
}

void DocumentReader::readObjects() {
  while (nextInSection("OBJECTS")) {
    RawObject& o = doc_.objects.emplace_back();
    o.type = std::string(in_.head().value);
    for (const TagView& t : in_.tags()) o.tags.emplace_back(t);
  }
}

void DocumentReader::readThumbnail() {
  std::int64_t size = -1;
  for (const TagView& t : in_.tags()) {
    if (t.code == 90) size = t.integer;
    else if (t.code == 310 && !appendHexBytes(t.value, doc_.thumbnail))
      log_.add(t.line, {}, "bad thumbnail data", ErrorCode::InvalidValue);
  }
  if (size >= 0 && static_cast<std::size_t>(size) != doc_.thumbnail.size())
    problem("thumbnail announces " + std::to_string(size) + " bytes but has " +
            std::to_string(doc_.thumbnail.size()));
  while (nextInSection("THUMBNAILIMAGE")) problem("record in THUMBNAILIMAGE skipped");
}

void DocumentReader::readUnknown(std::string name) {
  RawSection& s = doc_.unknownSections.emplace_back();
  s.name = std::move(name);
  bool skippedName = false;
  auto keep = [&](bool head) {
    if (head) s.tags.emplace_back(in_.head());
    for (const TagView& t : in_.tags()) {
      if (!head && !skippedName && t.code == 2) {
        skippedName = true;
        continue;
      }
      s.tags.emplace_back(t);
    }
  };
  keep(false);
  while (nextInSection(s.name)) keep(true);
}

}  // namespace

Expected<Document> read(std::string_view buffer, const ReadOptions& options) {
  if (buffer.size() > options.maxFileSize)
    return Status(ErrorCode::TooLarge, "the file is larger than " + std::to_string(options.maxFileSize) + " bytes");
  if (isBinaryDxf(buffer)) return Status(ErrorCode::BinaryDxf, "binary DXF is not supported");
  if (buffer.substr(0, 3) == "\xEF\xBB\xBF") buffer.remove_prefix(3);
  std::string converted;
  std::string codepageNote = detail::transcodeIfNeeded(buffer, converted);
  if (!converted.empty()) buffer = converted;

  Document doc;
  ProblemLog log(doc, options.mode == ReadMode::Strict, options.maxProblems);
  if (!codepageNote.empty()) log.add(0, {}, codepageNote);
  DocumentReader(buffer, doc, log).run();
  if (log.failed()) return log.failure();
  return doc;
}

Expected<Document> readFile(const std::string& path, const ReadOptions& options) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return Status(ErrorCode::Io, "cannot open " + path);
  std::streamoff size = in.tellg();
  if (size < 0) return Status(ErrorCode::Io, "cannot read " + path);
  if (static_cast<std::uintmax_t>(size) > options.maxFileSize)
    return Status(ErrorCode::TooLarge, path + " is larger than " + std::to_string(options.maxFileSize) + " bytes");
  std::string data(static_cast<std::size_t>(size), '\0');
  in.seekg(0);
  if (!in.read(data.data(), size)) return Status(ErrorCode::Io, "cannot read " + path);
  return read(data, options);
}

}  // namespace host::dxf
