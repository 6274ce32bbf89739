// Inserting a typical sign (outline, solid fill, pictogram, three attribute definitions)
// as a new block into a drawing that already holds 1,000 block definitions.
//   BM_InsertSign        ZcDbDatabase::insert from a sign read once
//   BM_ReadAndInsertSign readDwgFile of the sign file, then insert (what a library pick does)
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>

#include "platform/Paths.h"
#include "zcdbheaders.h"

namespace {

constexpr int kExistingBlocks = 1000;
// The drawing is rebuilt after this many inserts, so every insert meets about 1,000 blocks.
constexpr int kInsertsPerDrawing = 100;

template <class T>
void append(ZcDbBlockTableRecord* space, T* entity) {
    space->appendZcDbEntity(entity);
    entity->close();
}

void addAttdef(ZcDbBlockTableRecord* space, const wchar_t* tag, const wchar_t* value, double y, int flags) {
    auto* def = new ZcDbAttributeDefinition(ZcGePoint3d(1, y, 0), value, tag, tag);
    def->setHeight(0.8);
    def->setFlagBits(flags);
    append(space, def);
}

/// A 10 x 10 sign with its base at the centre, as the sample library draws them.
std::unique_ptr<ZcDbDatabase> makeSign() {
    auto db = std::make_unique<ZcDbDatabase>(true, true);
    db->setInsbase(ZcGePoint3d(5, 5, 0));
    ZcDbBlockTableRecord* space = nullptr;
    zcdbOpenObject(space, db->modelSpaceId(), ZcDb::kForWrite);

    ZcGePoint2dArray square;
    for (ZcGePoint2d p : {ZcGePoint2d(0, 0), ZcGePoint2d(10, 0), ZcGePoint2d(10, 10), ZcGePoint2d(0, 10)})
        square.append(p);
    auto* fill = new ZcDbHatch;
    fill->appendLoop(ZcDbHatch::kExternal | ZcDbHatch::kPolyline, square, ZcGeDoubleArray());
    fill->setColorIndex(3);
    append(space, fill);
    auto* outline = new ZcDbPolyline;
    for (int i = 0; i < 4; ++i) outline->addVertexAt(i, square[i]);
    outline->setClosed(true);
    outline->setConstantWidth(0.2);
    append(space, outline);
    append(space, new ZcDbCircle(ZcGePoint3d(4, 7.5, 0), ZcGeVector3d::kZAxis, 0.8));
    const double figure[][4] = {{4, 6.7, 4.5, 4.5}, {4.5, 4.5, 3.5, 2.5}, {4.5, 4.5, 5.5, 2.5},
                                {4.2, 6, 3, 5}, {4.2, 6, 5.5, 5.5}, {6.5, 2, 6.5, 8}, {6.5, 8, 9, 8}};
    for (const auto& l : figure) {
        auto* line = new ZcDbLine(ZcGePoint3d(l[0], l[1], 0), ZcGePoint3d(l[2], l[3], 0));
        line->setColorIndex(7);
        append(space, line);
    }
    auto* arrow = new ZcDbSolid(ZcGePoint3d(1, 1, 0), ZcGePoint3d(3, 1.8, 0), ZcGePoint3d(3, 0.2, 0));
    append(space, arrow);
    addAttdef(space, L"CODE", L"E001", 9, 8);
    addAttdef(space, L"DESC", L"Emergency exit (left)", 8, 1);
    addAttdef(space, L"REV", L"A", 7, 2);
    space->close();
    return db;
}

/// An empty drawing with kExistingBlocks small block definitions.
std::unique_ptr<ZcDbDatabase> makeWorkDrawing() {
    auto db = std::make_unique<ZcDbDatabase>(true, true);
    ZcDbBlockTable* table = nullptr;
    db->getSymbolTable(table, ZcDb::kForWrite);
    for (int i = 0; i < kExistingBlocks; ++i) {
        auto* btr = new ZcDbBlockTableRecord;
        btr->setName((L"BLOCK" + std::to_wstring(i)).c_str());
        table->add(btr);
        append(btr, new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(i, 1, 0)));
        btr->close();
    }
    table->close();
    return db;
}

/// Runs `insertOne(work, name)` once per iteration into a drawing of ~1,000 blocks.
template <class Fn>
void runInserts(benchmark::State& state, Fn insertOne) {
    std::unique_ptr<ZcDbDatabase> work;
    int inserted = kInsertsPerDrawing;
    int serial = 0;
    for (auto _ : state) {
        if (inserted == kInsertsPerDrawing) {
            state.PauseTiming();
            work.reset();
            work = makeWorkDrawing();
            inserted = 0;
            state.ResumeTiming();
        }
        std::wstring name = L"SIGN" + std::to_wstring(serial++);
        if (insertOne(*work, name) != Zcad::eOk) {
            state.SkipWithError("insert failed");
            break;
        }
        ++inserted;
    }
}

void BM_InsertSign(benchmark::State& state) {
    auto sign = makeSign();
    runInserts(state, [&](ZcDbDatabase& work, const std::wstring& name) {
        ZcDbObjectId blockId;
        return work.insert(blockId, name.c_str(), sign.get());
    });
}
BENCHMARK(BM_InsertSign)->Unit(benchmark::kMicrosecond);

void BM_ReadAndInsertSign(benchmark::State& state) {
    std::string file = "/tmp/bench_insert_" + std::to_string(::getpid()) + ".dwg";
    std::wstring path = platform::toWindowsPath(file);
    if (makeSign()->saveAs(path.c_str()) != Zcad::eOk) {
        state.SkipWithError("cannot write the sign file");
        return;
    }
    runInserts(state, [&](ZcDbDatabase& work, const std::wstring& name) {
        ZcDbDatabase sign(false, true);
        Zcad::ErrorStatus es = sign.readDwgFile(path.c_str());
        if (es != Zcad::eOk) return es;
        ZcDbObjectId blockId;
        return work.insert(blockId, name.c_str(), &sign);
    });
    std::remove(file.c_str());
}
BENCHMARK(BM_ReadAndInsertSign)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
