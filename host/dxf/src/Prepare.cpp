// Completing a document for writing: standard records, block records, handles, owners.
#include <charconv>
#include <set>
#include <unordered_set>

#include "StandardObjects.h"
#include "host/dxf/Writer.h"

namespace host::dxf {

namespace {

using detail::addRequiredClasses;
using detail::addStandardObjects;

template <class F>
void forEachEntity(std::vector<Entity>& list, F&& f) {
  for (Entity& e : list) {
    f(e);
    for (Entity& c : e.children) f(c);
  }
}

template <class F>
void forAllEntities(Document& d, F&& f) {
  forEachEntity(d.entities, f);
  for (Block& b : d.blocks) forEachEntity(b.entities, f);
}

/// Every handle slot of the document, in writing order.
template <class F>
void forEachHandle(Document& d, F&& f) {
  Tables& t = d.tables;
  auto table = [&](auto& tab) {
    f(tab.handle);
    for (auto& r : tab.records) f(r.handle);
  };
  table(t.vports), table(t.linetypes), table(t.layers), table(t.styles), table(t.views);
  table(t.ucs), table(t.appids), table(t.dimstyles), table(t.blockRecords);
  for (RawTable& r : t.unknown) table(r.table);
  auto entities = [&](std::vector<Entity>& list) {
    for (Entity& e : list) {
      f(e.handle);
      for (Entity& c : e.children) f(c.handle);
      if (e.seqend) f(e.seqend->handle);
    }
  };
  for (Block& b : d.blocks) {
    f(b.begin.handle);
    entities(b.entities);
    f(b.end.handle);
  }
  entities(d.entities);
  for (RawObject& o : d.objects) {
    auto it = std::find_if(o.tags.begin(), o.tags.end(), [](const Tag& tag) { return tag.code == 5; });
    if (it == o.tags.end()) it = o.tags.insert(o.tags.begin(), Tag(5, ""));
    f(it->value);
  }
}

bool parseHandle(const std::string& s, std::uint64_t& v) {
  if (!isHandle(s)) return false;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, 16);
  return ec == std::errc() && p == s.data() + s.size() && v != 0;
}

std::string hex(std::uint64_t v) {
  char buf[20];
  auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v, 16);
  std::string s(buf, p);
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

void ensureLinetypes(Document& d) {
  auto& lts = d.tables.linetypes.records;
  const char* names[] = {"ByBlock", "ByLayer", "Continuous"};
  for (int i = 2; i >= 0; --i) {
    if (d.tables.linetypes.find(names[i])) continue;
    Linetype lt;
    lt.name = names[i];
    if (i == 2) lt.description = "Solid line";
    lts.insert(lts.begin(), std::move(lt));
  }
}

std::string_view recordMarker(std::string_view type) {
  if (type == "VPORT") return "AcDbViewportTableRecord";
  if (type == "VIEW") return "AcDbViewTableRecord";
  if (type == "UCS") return "AcDbUCSTableRecord";
  if (type == "DIMSTYLE") return "AcDbDimStyleTableRecord";
  return {};
}

/// Records read from R12 have no subclass marker: give them theirs.
void addRecordMarkers(Table<RawRecord>& table) {
  for (RawRecord& r : table.records) {
    bool marked = std::any_of(r.extra.begin(), r.extra.end(), [](const ExtraTag& x) { return x.tag.code == 100; });
    std::string_view marker = recordMarker(r.type);
    if (marked || marker.empty()) continue;
    for (ExtraTag& x : r.extra) x.subclass = std::string(marker);
    r.extra.insert(r.extra.begin(), {std::string(marker), Tag(100, std::string(marker))});
  }
}

void ensureStandardRecords(Document& d) {
  Document fresh = newDocument();
  ensureLinetypes(d);
  if (!d.tables.layers.find("0")) d.tables.layers.records.insert(d.tables.layers.records.begin(), *fresh.tables.layers.find("0"));
  if (!d.tables.styles.find("Standard")) d.addTextStyle("Standard");
  if (!d.tables.appids.find("ACAD")) d.tables.appids.records.insert(d.tables.appids.records.begin(), *fresh.tables.appids.find("ACAD"));
  if (!d.tables.dimstyles.find("Standard")) d.tables.dimstyles.records.push_back(*fresh.tables.dimstyles.find("Standard"));
  if (d.tables.vports.records.empty()) d.tables.vports.records.push_back(fresh.tables.vports.records.front());
  auto& dh = d.tables.dimstyles.headExtra;
  if (std::none_of(dh.begin(), dh.end(), [](const Tag& t) { return t.code == 100; }))
    dh.insert(dh.begin(), Tag(100, "AcDbDimStyleTable"));
  addRecordMarkers(d.tables.vports);
  addRecordMarkers(d.tables.views);
  addRecordMarkers(d.tables.ucs);
  addRecordMarkers(d.tables.dimstyles);

  renameR12Spaces(d);
  for (const char* space : {"*Paper_Space", "*Model_Space"}) {
    if (!d.findBlock(space)) {
      Block b;
      b.def.name = space;
      d.blocks.insert(d.blocks.begin(), std::move(b));
    }
  }
  // Every block has a record and every record a block.
  for (const Block& b : d.blocks)
    if (!d.tables.blockRecords.find(b.name())) d.tables.blockRecords.records.emplace_back().name = b.name();
  for (const BlockRecord& r : d.tables.blockRecords.records)
    if (!d.findBlock(r.name)) d.blocks.emplace_back().def.name = r.name;
  // Model and paper space records first, as AutoCAD writes them.
  auto& recs = d.tables.blockRecords.records;
  std::stable_partition(recs.begin(), recs.end(),
                        [](const BlockRecord& r) { return sameName(r.name, "*Model_Space") || sameName(r.name, "*Paper_Space"); });
}

/// Layers, linetypes, text styles and applications that entities use but the tables lack.
void addReferencedRecords(Document& d) {
  std::vector<std::string> layers, linetypes, styles, apps;
  auto note = [](std::vector<std::string>& v, const std::string& s) {
    if (!s.empty() && std::find(v.begin(), v.end(), s) == v.end()) v.push_back(s);
  };
  // A reference to a name no record can have (kept from a damaged file) falls back to the
  // default, so that the file written never holds a record that cannot be read.
  auto base = [&](EntityBase& e) {
    if (!validRecordName(e.layer)) e.layer = "0";
    if (!e.linetype.empty() && !validRecordName(e.linetype)) e.linetype.clear();
    std::erase_if(e.xdata, [](const XData& x) { return !validRecordName(x.app); });
    note(layers, e.layer);
    if (!sameName(e.linetype, "ByLayer") && !sameName(e.linetype, "ByBlock")) note(linetypes, e.linetype);
    for (const XData& x : e.xdata) note(apps, x.app);
  };
  auto style = [&](std::string& name) {
    if (!name.empty() && !validRecordName(name)) name = "Standard";
    note(styles, name);
  };
  forAllEntities(d, [&](Entity& e) {
    base(e);
    if (auto* t = e.get<Text>()) style(t->style);
    if (auto* t = e.get<MText>()) style(t->style);
    if (auto* t = e.get<Attrib>()) style(t->style);
    if (e.seqend) base(*e.seqend);
  });
  for (Block& b : d.blocks) base(b.begin);
  auto records = [&](auto& tab) {
    for (auto& r : tab.records)
      for (const XData& x : r.xdata) note(apps, x.app);
  };
  records(d.tables.layers), records(d.tables.linetypes), records(d.tables.styles), records(d.tables.blockRecords);
  records(d.tables.dimstyles), records(d.tables.appids);
  for (Layer& l : d.tables.layers.records) {
    if (!l.linetype.empty() && !validRecordName(l.linetype)) l.linetype = "Continuous";
    note(linetypes, l.linetype);
  }
  for (const std::string& n : layers) d.addLayer(n);
  for (const std::string& n : linetypes)
    if (!d.tables.linetypes.find(n)) d.tables.linetypes.records.emplace_back().name = n;
  for (const std::string& n : styles) d.addTextStyle(n);
  for (const std::string& n : apps) d.addAppId(n);
}

/// Entities followed by others (ATTRIBs, VERTEXes) end with a SEQEND.
void addSeqends(Document& d) {
  auto add = [](std::vector<Entity>& list) {
    for (Entity& e : list)
      if (!e.children.empty() && !e.seqend) {
        e.seqend.emplace();
        e.seqend->layer = e.layer;
      }
  };
  add(d.entities);
  for (Block& b : d.blocks) add(b.entities);
}

void assignHandles(Document& d, std::uint64_t& next) {
  std::unordered_set<std::uint64_t> seen;
  std::uint64_t max = 0;
  forEachHandle(d, [&](std::string& h) {
    std::uint64_t v;
    if (parseHandle(h, v) && seen.insert(v).second) {
      max = std::max(max, v);
      h = hex(v);
    } else {
      h.clear();
    }
  });
  next = max + 1;
  forEachHandle(d, [&](std::string& h) {
    if (h.empty()) h = hex(next++);
  });
}

void setOwners(Document& d) {
  Tables& t = d.tables;
  auto own = [](auto& tab) {
    for (auto& r : tab.records) r.owner = tab.handle;
  };
  own(t.vports), own(t.linetypes), own(t.layers), own(t.styles), own(t.views);
  own(t.ucs), own(t.appids), own(t.dimstyles), own(t.blockRecords);
  for (RawTable& r : t.unknown) own(r.table);

  auto fill = [](std::vector<Entity>& list, const std::string& owner, const std::string* paper) {
    for (Entity& e : list) {
      e.owner = (paper && e.paperSpace) ? *paper : owner;
      for (Entity& c : e.children) c.owner = e.handle;
      if (e.seqend) e.seqend->owner = e.handle;
      if (auto* i = e.get<Insert>()) i->attribsFollow = e.children.empty() ? 0 : 1;
    }
  };
  for (Block& b : d.blocks) {
    const BlockRecord* r = t.blockRecords.find(b.name());
    b.begin.owner = b.end.owner = r->handle;
    fill(b.entities, r->handle, nullptr);
    if (std::any_of(b.entities.begin(), b.entities.end(), [](const Entity& e) { return e.type == "ATTDEF"; }))
      b.def.flags |= 2;
  }
  const BlockRecord* ms = t.blockRecords.find("*Model_Space");
  const BlockRecord* ps = t.blockRecords.find("*Paper_Space");
  fill(d.entities, ms->handle, &ps->handle);
  if (Block* b = d.findBlock("*Paper_Space")) b->begin.paperSpace = b->end.paperSpace = 1;
}

/// ACAD_TABLE keeps its groups raw; its modelled fields are written back into them.
/// Without a record handle of its own the table names the record of its graphical block.
void syncTables(Document& d) {
  forAllEntities(d, [&d](Entity& e) {
    auto* t = e.get<AcadTable>();
    if (!t) return;
    std::string handle = t->blockRecordHandle;
    if (handle.empty())
      if (const BlockRecord* r = d.tables.blockRecords.find(t->blockName)) handle = r->handle;
    for (ExtraTag& x : e.extra) {
      if (x.subclass == "AcDbTable" && x.tag.code == 343) {
        if (!handle.empty()) x.tag.value = handle;
        break;
      }
    }
  });
}

void completeHeader(Document& d, std::uint64_t next) {
  Header& h = d.header;
  h.erase("$ACADVER");
  h.vars.insert(h.vars.begin(), {"$ACADVER", {Tag(1, "AC1024")}});
  if (!h.find("$DWGCODEPAGE")) h.setText("$DWGCODEPAGE", 3, "ANSI_1252");
  h.setText("$HANDSEED", 5, hex(next));
}

}  // namespace

Document prepareForWrite(const Document& doc) {
  Document d = doc;
  ensureStandardRecords(d);
  addReferencedRecords(d);
  addSeqends(d);
  std::uint64_t next = 1;
  assignHandles(d, next);
  addStandardObjects(d, [&] { return hex(next++); });
  setOwners(d);
  syncTables(d);
  addRequiredClasses(d);
  completeHeader(d, next);
  return d;
}

}  // namespace host::dxf
