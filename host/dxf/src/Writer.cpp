// Writer: emits the sections of a prepared document as DXF R2010.
#include "host/dxf/Writer.h"

#include <algorithm>

#include "Codec.h"

namespace host::dxf {

namespace {

using namespace detail;

void section(TagWriter& w, const char* name) {
  w.write(0, "SECTION");
  w.write(2, name);
}
void endSection(TagWriter& w) { w.write(0, "ENDSEC"); }

template <class R>
void writeTable(TagWriter& w, std::string_view name, const Table<R>& t) {
  w.write(0, "TABLE");
  w.write(2, name);
  w.write(5, t.handle);
  // 102 groups of the head come before its owner, the rest after the count.
  std::size_t i = 0;
  while (i < t.headExtra.size() && t.headExtra[i].code == 102 && t.headExtra[i].value.starts_with("{")) {
    for (; i < t.headExtra.size(); ++i) {
      w.write(t.headExtra[i]);
      if (t.headExtra[i].code == 102 && t.headExtra[i].value == "}") {
        ++i;
        break;
      }
    }
  }
  w.write(330, "0");
  w.write(100, "AcDbSymbolTable");
  w.write(70, static_cast<int>(t.records.size()));
  for (; i < t.headExtra.size(); ++i) w.write(t.headExtra[i]);
  for (const R& r : t.records) writeRecord(r, w);
  w.write(0, "ENDTAB");
}

void writeRaw(TagWriter& w, const RawObject& o) {
  w.write(0, o.type);
  w.write(o.tags);
}

void emit(const Document& d, TagWriter& w) {
  section(w, "HEADER");
  for (const HeaderVar& v : d.header.vars) {
    w.write(9, v.name);
    w.write(v.values);
  }
  endSection(w);

  section(w, "CLASSES");
  for (const RawObject& c : d.classes) writeRaw(w, c);
  endSection(w);

  const Tables& t = d.tables;
  section(w, "TABLES");
  writeTable(w, "VPORT", t.vports);
  writeTable(w, "LTYPE", t.linetypes);
  writeTable(w, "LAYER", t.layers);
  writeTable(w, "STYLE", t.styles);
  writeTable(w, "VIEW", t.views);
  writeTable(w, "UCS", t.ucs);
  writeTable(w, "APPID", t.appids);
  writeTable(w, "DIMSTYLE", t.dimstyles);
  writeTable(w, "BLOCK_RECORD", t.blockRecords);
  for (const RawTable& r : t.unknown) writeTable(w, r.name, r.table);
  endSection(w);

  section(w, "BLOCKS");
  for (const Block& b : d.blocks) {
    writeBlockBegin(b, w);
    for (const Entity& e : b.entities) writeEntity(e, w);
    writeBlockEnd(b, w);
  }
  endSection(w);

  section(w, "ENTITIES");
  for (const Entity& e : d.entities) writeEntity(e, w);
  endSection(w);

  section(w, "OBJECTS");
  for (const RawObject& o : d.objects) writeRaw(w, o);
  endSection(w);

  for (const RawSection& s : d.unknownSections) {
    // A kept section under the name of one the writer makes (a damaged duplicate) would be
    // read as that section next time: it is left out.
    static const char* const kWritten[] = {"HEADER", "CLASSES", "TABLES", "BLOCKS", "ENTITIES", "OBJECTS", "THUMBNAILIMAGE"};
    // (The name is written up to a NUL that damage may have put into it.)
    const std::string_view name(s.name.c_str());
    if (std::find(std::begin(kWritten), std::end(kWritten), name) != std::end(kWritten)) continue;
    section(w, s.name.c_str());
    w.write(s.tags);
    endSection(w);
  }

  if (!d.thumbnail.empty()) {
    section(w, "THUMBNAILIMAGE");
    w.write(90, static_cast<std::int64_t>(d.thumbnail.size()));
    w.writeBinary(310, d.thumbnail);
    endSection(w);
  }
  w.write(0, "EOF");
}

}  // namespace

Status write(const Document& doc, TagSink& sink) {
  Document prepared = prepareForWrite(doc);
  {
    TagWriter w(sink);
    emit(prepared, w);
  }
  return sink.status();
}

Expected<std::string> writeString(const Document& doc) {
  StringSink sink;
  Status s = write(doc, sink);
  if (!s) return s;
  return sink.take();
}

Status writeFile(const Document& doc, const std::string& path) {
  FileSink sink(path);
  if (!sink.status()) return sink.status();
  Status s = write(doc, sink);
  Status c = sink.close();
  return s ? c : s;
}

}  // namespace host::dxf
