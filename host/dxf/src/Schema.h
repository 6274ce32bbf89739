// Table-driven record codec: each record type states its groups once (code, field,
// default) per subclass; one generic loop reads them and one writes them.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Problems.h"
#include "host/dxf/Entities.h"
#include "host/dxf/TagWriter.h"

namespace host::dxf::detail {

using TagSpan = std::span<const TagView>;

/// What a hook or the generic loop may need besides the tags.
struct ReadContext {
  ProblemLog& log;
  std::string_view handle;  ///< handle of the record being read, for problem reports
  std::int64_t declared = -1;  ///< a count announced by one group and checked by another
};

/// Reads a structured run of groups starting at tags[i] (whose code triggered it) and
/// returns the index after the last group consumed (> i); writes the same groups.
template <class T>
struct Hook {
  std::size_t (*read)(T&, TagSpan, std::size_t, ReadContext&);
  void (*write)(const T&, TagWriter&);
};

/// Text split into 250-byte chunks under group 3, the last piece under group 1.
template <class T>
struct Chunks {
  std::string T::*member;
};

enum class Emit : std::uint8_t { Always, NonDefault };

template <class T>
using Member = std::variant<double T::*, int T::*, std::string T::*, Vec3 T::*,
                            std::optional<std::int32_t> T::*, Chunks<T>, Hook<T>>;

template <class T>
struct Field {
  int code;
  Member<T> member;
  Emit emit = Emit::Always;
  bool (*when)(const T&) = nullptr;  ///< the group is written only when this holds
  int dims = 3;                       ///< points: 2 = x and y only
};

template <class T>
struct Subclass {
  std::string_view marker;  ///< the 100 group
  std::vector<Field<T>> fields;
  const char* alias = nullptr;  ///< another marker read as this one
};

template <class T>
struct Schema {
  struct Flat {
    std::uint16_t sub;
    Field<T> field;
  };
  std::vector<Subclass<T>> subclasses;
  std::optional<Hook<T>> trailer;  ///< read in any subclass at its code, written last
  int trailerCode = 0;
  std::vector<Flat> flat;
  T defaults{};

  explicit Schema(std::vector<Subclass<T>> subs, std::optional<Hook<T>> trail = {}, int trailCode = 0)
      : subclasses(std::move(subs)), trailer(trail), trailerCode(trailCode) {
    for (std::size_t s = 0; s < subclasses.size(); ++s)
      for (const Field<T>& f : subclasses[s].fields) flat.push_back({static_cast<std::uint16_t>(s), f});
  }

  /// Bit mask of the subclasses named `marker`; 0 when none.
  std::uint32_t maskFor(std::string_view marker) const {
    std::uint32_t m = 0;
    for (std::size_t s = 0; s < subclasses.size(); ++s)
      if (subclasses[s].marker == marker || (subclasses[s].alias && marker == subclasses[s].alias))
        m |= 1u << s;
    return m;
  }
  std::uint32_t allMask() const { return subclasses.empty() ? 0 : (1u << subclasses.size()) - 1; }
};

// ---------------------------------------------------------------------------------------
// Reading

/// State of one schema while one record is read.
template <class T>
struct PartState {
  const Schema<T>& schema;
  T& object;
  std::uint32_t mask = 0;
  std::size_t cursor = 0;
  std::vector<std::uint8_t> filled;
  PartState(const Schema<T>& s, T& o) : schema(s), object(o), filled(s.flat.size(), 0) {}
};

inline int componentOf(int fieldCode, int code) {
  if (code == fieldCode) return 0;
  if (code == fieldCode + 10) return 1;
  if (code == fieldCode + 20) return 2;
  return -1;
}

template <class T>
int matchKind(const Field<T>& f, int code) {
  return std::visit(
      [&](const auto& m) -> int {
        using M = std::decay_t<decltype(m)>;
        if constexpr (std::is_same_v<M, Vec3 T::*>) return componentOf(f.code, code);
        else if constexpr (std::is_same_v<M, Chunks<T>>) return (code == 1 || code == 3) ? 0 : -1;
        else return code == f.code ? 0 : -1;
      },
      f.member);
}

inline double realOf(const TagView& t) {
  return t.type == ValueType::Double ? t.real : static_cast<double>(t.integer);
}
inline int intOf(const TagView& t) {
  if (t.type == ValueType::Double) {
    double r = std::clamp(t.real, -2147483648.0, 2147483647.0);
    return static_cast<int>(r);
  }
  return static_cast<int>(static_cast<std::uint32_t>(t.integer));
}

/// Tries to store tags[i] in a field of `part`; returns the index after the groups used,
/// or i when no field takes it.
template <class T>
std::size_t tryRead(PartState<T>& part, TagSpan tags, std::size_t i, ReadContext& ctx) {
  if constexpr (std::is_empty_v<T>) return i;  // raw records: nothing modelled
  const TagView& t = tags[i];
  const auto& flat = part.schema.flat;
  std::size_t chosen = flat.size(), firstFree = flat.size();
  int comp = -1, firstComp = -1;
  for (std::size_t k = 0; k < flat.size(); ++k) {
    if (!(part.mask & (1u << flat[k].sub))) continue;
    int c = matchKind(flat[k].field, t.code);
    if (c < 0) continue;
    const auto& m = flat[k].field.member;
    if (std::holds_alternative<Hook<T>>(m)) {
      std::size_t next = std::get<Hook<T>>(m).read(part.object, tags, i, ctx);
      part.cursor = k;
      return std::max(next, i + 1);
    }
    if (std::holds_alternative<Chunks<T>>(m)) {
      std::string& s = part.object.*(std::get<Chunks<T>>(m).member);
      if (!(part.filled[k] & 1)) {
        s.append(t.value);
        if (t.code == 1) part.filled[k] = 1;
        part.cursor = k;
        return i + 1;
      }
      continue;
    }
    if (part.filled[k] & (1u << c)) continue;
    if (k >= part.cursor) {
      chosen = k;
      comp = c;
      break;
    }
    if (firstFree == flat.size()) {
      firstFree = k;
      firstComp = c;
    }
  }
  if (chosen == flat.size()) {
    chosen = firstFree;
    comp = firstComp;
  }
  if (chosen == flat.size()) return i;
  part.filled[chosen] |= static_cast<std::uint8_t>(1u << comp);
  part.cursor = chosen;
  T& o = part.object;
  std::visit(
      [&](const auto& m) {
        using M = std::decay_t<decltype(m)>;
        if constexpr (std::is_same_v<M, double T::*>) o.*m = realOf(t);
        else if constexpr (std::is_same_v<M, int T::*>) o.*m = intOf(t);
        else if constexpr (std::is_same_v<M, std::string T::*>) o.*m = std::string(t.value);
        else if constexpr (std::is_same_v<M, std::optional<std::int32_t> T::*>) o.*m = intOf(t);
        else if constexpr (std::is_same_v<M, Vec3 T::*>) {
          Vec3& v = o.*m;
          (comp == 0 ? v.x : comp == 1 ? v.y : v.z) = realOf(t);
        }
      },
      part.schema.flat[chosen].field.member);
  return i + 1;
}

/// Deepest 1002 { } nesting that extended data may have without a problem report.
inline constexpr int kMaxXDataNesting = 16;

/// Options of one record kind.
struct RecordKind {
  int handleCode = 5;   ///< 105 for DIMSTYLE
  bool hasOwner = true;
};

/// Reads the groups of one record (everything after its 0 group) into `base` (the common
/// subclass of `obj`) and `schemaState` (the type's own subclasses). Groups no field takes go to
/// obj.extra with their subclass; 102 groups to obj.appData; 1001 and after to obj.xdata.
template <class B, class S>
void readRecord(TagSpan tags, ObjectBase& obj, PartState<B>& base, PartState<S>& schemaState,
                ReadContext& ctx, RecordKind kind = {}) {
  bool markers = false;
  for (const TagView& t : tags)
    if (t.code == 100) {
      markers = true;
      break;
    }
  std::string_view subclass;
  if (markers) {
    base.mask = schemaState.mask = 0;
  } else {  // R12: no subclass markers, every field may appear anywhere
    base.mask = base.schema.allMask();
    schemaState.mask = schemaState.schema.allMask();
  }
  bool haveHandle = false, haveOwner = false;
  const auto& trailer = schemaState.schema.trailer;
  std::size_t i = 0, n = tags.size();
  while (i < n) {
    const TagView& t = tags[i];
    if (t.code == 100) {
      subclass = t.value;
      base.mask = base.schema.maskFor(subclass);
      schemaState.mask = schemaState.schema.maskFor(subclass);
      // An alias keeps its extra groups under the canonical marker.
      if (base.mask) subclass = base.schema.subclasses[std::countr_zero(base.mask)].marker;
      else if (schemaState.mask) subclass = schemaState.schema.subclasses[std::countr_zero(schemaState.mask)].marker;
      if (!base.mask && !schemaState.mask) obj.extra.push_back({std::string(subclass), Tag(t)});
      ++i;
      continue;
    }
    if (t.code == 1001) {
      while (i < n) {
        XData& x = obj.xdata.emplace_back();
        x.app = std::string(tags[i].value);
        std::uint32_t line = tags[i].line;
        int depth = 0, deepest = 0;
        for (++i; i < n && tags[i].code != 1001; ++i) {
          if (tags[i].code == 1002) {
            if (tags[i].value != "}") {
              deepest = std::max(deepest, ++depth);
            } else if (depth == 0) {
              ctx.log.add(tags[i].line, ctx.handle, "unmatched } in extended data of " + x.app + " dropped");
              continue;
            } else {
              --depth;
            }
          }
          if (tags[i].code < 1000) {
            ctx.log.add(tags[i].line, ctx.handle, "group " + std::to_string(tags[i].code) +
                                                       " inside extended data moved out of it");
            obj.extra.push_back({std::string(subclass), Tag(tags[i])});
            continue;
          }
          x.tags.emplace_back(tags[i]);
        }
        if (depth != 0) {
          ctx.log.add(line, ctx.handle, "unclosed { in extended data of " + x.app + " closed");
          for (; depth > 0; --depth) x.tags.emplace_back(1002, "}");
        }
        if (deepest > kMaxXDataNesting)
          ctx.log.add(line, ctx.handle, "extended data of " + x.app + " nests {} groups deeper than " +
                                            std::to_string(kMaxXDataNesting));
      }
      break;
    }
    if (t.code == 102 && t.value.size() && t.value.front() == '{') {
      std::size_t j = i + 1;
      while (j < n && !(tags[j].code == 102 && tags[j].value == "}")) {
        if (tags[j].code == 102 && tags[j].value.size() && tags[j].value.front() == '{') break;
        ++j;
      }
      if (j >= n || tags[j].code != 102 || tags[j].value != "}") {
        ctx.log.add(t.line, ctx.handle, "application group " + std::string(t.value) + " not closed");
        for (std::size_t k = i; k < j; ++k) obj.appData.emplace_back(tags[k]);
        obj.appData.emplace_back(102, "}");
        i = j;
      } else {
        for (std::size_t k = i; k <= j; ++k) obj.appData.emplace_back(tags[k]);
        i = j + 1;
      }
      continue;
    }
    if (t.code == 5 && kind.handleCode == 5 && !isHandle(t.value))
      ctx.log.add(t.line, ctx.handle, "invalid handle '" + std::string(t.value.substr(0, 40)) + "'",
                  ErrorCode::InvalidValue);
    if (!haveHandle && t.code == kind.handleCode && (subclass.empty() || !markers)) {
      obj.handle = std::string(t.value);
      haveHandle = true;
      ++i;
      continue;
    }
    if (kind.hasOwner && !haveOwner && t.code == 330 && (subclass.empty())) {
      obj.owner = std::string(t.value);
      haveOwner = true;
      ++i;
      continue;
    }
    if (trailer && t.code == schemaState.schema.trailerCode) {
      i = std::max(trailer->read(schemaState.object, tags, i, ctx), i + 1);
      continue;
    }
    std::size_t next = tryRead(base, tags, i, ctx);
    if (next == i) next = tryRead(schemaState, tags, i, ctx);
    if (next == i) {
      obj.extra.push_back({std::string(markers ? subclass : std::string_view()), Tag(t)});
      next = i + 1;
    }
    i = next;
  }
}

// ---------------------------------------------------------------------------------------
// Writing

void writeChunks(TagWriter& w, std::string_view text);

template <class T>
void writeFields(const Schema<T>& schema, const T& o, std::size_t sub, TagWriter& w) {
  if constexpr (std::is_empty_v<T>) return;  // raw records: nothing modelled
  for (const Field<T>& f : schema.subclasses[sub].fields) {
    if (f.when && !f.when(o)) continue;
    bool nd = f.emit == Emit::NonDefault;
    std::visit(
        [&](const auto& m) {
          using M = std::decay_t<decltype(m)>;
          if constexpr (std::is_same_v<M, Hook<T>>) m.write(o, w);
          else if constexpr (std::is_same_v<M, Chunks<T>>) writeChunks(w, o.*(m.member));
          else if constexpr (std::is_same_v<M, std::optional<std::int32_t> T::*>) {
            if (o.*m) w.write(f.code, static_cast<std::int64_t>(*(o.*m)));
          } else {
            if (nd && o.*m == schema.defaults.*m) return;
            if constexpr (std::is_same_v<M, Vec3 T::*>) {
              const Vec3& v = o.*m;
              w.writePoint(f.code, v.x, v.y, v.z, f.dims);
            } else if constexpr (std::is_same_v<M, std::string T::*>) {
              const std::string& v = o.*m;
              // An empty pointer is written as the null handle.
              w.write(f.code, v.empty() && valueType(f.code) == ValueType::Handle ? std::string("0") : v);
            } else {
              w.write(f.code, o.*m);
            }
          }
        },
        f.member);
  }
}

inline void writeExtras(const ObjectBase& obj, std::string_view subclass, TagWriter& w) {
  for (const ExtraTag& e : obj.extra)
    if (e.subclass == subclass) w.write(e.tag);
}

template <class T>
bool knows(const Schema<T>& s, std::string_view marker) {
  return s.maskFor(marker) != 0;
}

/// Writes one record: 0 type, handle, 102 groups, owner, the subclasses of `base` then of
/// `schemaState` (each with its extra groups), extra groups of other subclasses, the trailer, xdata.
template <class B, class S>
void writeRecord(std::string_view type, const ObjectBase& obj, const Schema<B>& bs, const B& b,
                 const Schema<S>& ss, const S& s, TagWriter& w, RecordKind kind = {}) {
  w.write(0, type);
  if (!obj.handle.empty()) w.write(kind.handleCode, obj.handle);
  w.write(obj.appData);
  if (kind.hasOwner) w.write(330, obj.owner.empty() ? std::string("0") : obj.owner);
  auto lastOf = [](const auto& subs, std::size_t k) {
    for (std::size_t j = k + 1; j < subs.size(); ++j)
      if (subs[j].marker == subs[k].marker) return false;
    return true;
  };
  for (std::size_t k = 0; k < bs.subclasses.size(); ++k) {
    w.write(100, bs.subclasses[k].marker);
    writeFields(bs, b, k, w);
    if (lastOf(bs.subclasses, k)) writeExtras(obj, bs.subclasses[k].marker, w);
  }
  for (std::size_t k = 0; k < ss.subclasses.size(); ++k) {
    w.write(100, ss.subclasses[k].marker);
    writeFields(ss, s, k, w);
    if (lastOf(ss.subclasses, k)) writeExtras(obj, ss.subclasses[k].marker, w);
  }
  for (const ExtraTag& e : obj.extra)
    if (!knows(bs, e.subclass) && !knows(ss, e.subclass)) w.write(e.tag);
  if (ss.trailer) ss.trailer->write(s, w);
  for (const XData& x : obj.xdata) {
    w.write(1001, x.app);
    w.write(x.tags);
  }
}

}  // namespace host::dxf::detail
