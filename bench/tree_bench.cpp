// Expanding a sub-category of 10,000 books and rebuilding a result tree of 20,000 books.
#include "app/program.h"
#include "catalogue/nodedata.h"
#include "dataaccess/schema.h"
#include "platform/treeview.h"
#include "support/library.h"
#include "support/scripted.h"
#include "support/shownform.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Library {
    QTemporaryDir dir;
    Library() {
        QDir::setCurrent(dir.path());
        TestLibrary lib;
        QString sql = "begin;";
        for (int i = 1; i <= 10000; ++i)
            sql +=
                QStringLiteral(
                    "insert into wxlb values (%1,'书名第%1种','','作者','集部','别集',%2,%3,'');")
                    .arg(i)
                    .arg(i % 3 == 0 ? 1 : 5)
                    .arg(i % 3 == 0 ? 100000 + i : 0);
        for (int i = 1; i <= 20000; ++i)
            sql += QStringLiteral("insert into tmpwxlb values "
                                  "(%1,'结果第%1种','','作者','集部','别集',%2,%3,'');")
                       .arg(i)
                       .arg(i % 3 == 0 ? 1 : 5)
                       .arg(i % 3 == 0 ? 100000 + i : 0);
        lib.exec("wxlb.dbx", sql + "commit;");
    }
};

Library &library() {
    static Library lib;
    return lib;
}

// Builds the library (and enters its folder) before the windows open.
struct LibraryFirst {
    LibraryFirst() { library(); }
};

struct Form : LibraryFirst, ShownForm {};

void BM_ExpandSubcategoryOf10000Books(benchmark::State &state) {
    Form form;
    TForm2 &f = form.f;
    TTreeNode *sub = f.TreeViewa->Root(2)->Item(1); // 集部 / 别集
    for (auto _ : state) {
        state.PauseTiming();
        sub->Collapse();
        sub->DeleteChildren();
        f.TreeViewa->Add(sub, "loading...");
        state.ResumeTiming();
        sub->Expand();
        QApplication::processEvents(); // the rows are laid out and painted
    }
    if (sub->Count() != 10000) state.SkipWithError("wrong number of books");
}
BENCHMARK(BM_ExpandSubcategoryOf10000Books)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_LoadtreeOf20000Books(benchmark::State &state) {
    Form form;
    TForm2 &f = form.f;
    for (auto _ : state) {
        f.loadtree();
        QApplication::processEvents();
    }
    if (f.TreeViewb->RootCount() != 20000) state.SkipWithError("wrong number of results");
}
BENCHMARK(BM_LoadtreeOf20000Books)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
