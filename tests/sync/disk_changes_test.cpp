#include "sync_fixture.h"
#include "sync/disk_changes.h"

// A dry run parts from a run only in DiskChanges: each change, only looked at, fails where
// the change fails, with the same message or last error, and leaves the disk as it was.
TEST_F(SyncFixture, ADryChangeFailsWhereTheChangeFailsWithTheSameReport) {
    tree.Write(L"dst\\taken", "t");
    tree.Write(L"dst\\a.txt", "a");
    tree.Write(L"dst\\tree\\x.txt", "x");
    DiskChanges dry(true), real(false);
    struct Outcome {
        bool done;
        DWORD code;
        Rows errors;
        bool operator==(const Outcome& o) const { return done == o.done && code == o.code && errors == o.errors; }
    };
    auto outcome = [this](bool done) {
        // A change that reports its failure says why in its message; one that does not, in
        // its last error.
        DWORD code = done ? 0 : GetLastError();
        Outcome result{done, host.Only(L"error").empty() ? code : 0, host.Only(L"error")};
        host.events.clear();
        return result;
    };
    // The dry look first, on the disk as it is; then the change itself.
    auto expectSame = [&](const char* what, auto change) {
        Outcome looked = outcome(change(dry));
        Outcome made = outcome(change(real));
        EXPECT_TRUE(looked == made) << what << ": dry " << looked.done << "/" << looked.code << "/"
                                    << looked.errors.size() << ", real " << made.done << "/" << made.code;
    };
    expectSame("name taken", [&](DiskChanges& d) { return d.MakeFolderReport(host, D(L"taken").c_str()); });
    expectSame("no parent", [&](DiskChanges& d) { return d.MakeFolderReport(host, D(L"none\\sub").c_str()); });
    expectSame("file in the way", [&](DiskChanges& d) { return d.MakeFolderPath(host, D(L"taken").c_str()); });
    expectSame("folder made", [&](DiskChanges& d) { return d.MakeFolder(D(L"new").c_str()); });
    expectSame("rename onto a name", [&](DiskChanges& d) {
        return d.Rename(D(L"a.txt").c_str(), D(L"taken").c_str(), dst.c_str());
    });
    expectSame("rename of nothing", [&](DiskChanges& d) {
        return d.Rename(D(L"gone").c_str(), D(L"b.txt").c_str(), dst.c_str());
    });
    Removed lookedAt, removed;
    EXPECT_TRUE(dry.RemoveTree(host, D(L"tree").c_str(), nullptr, &lookedAt) && tree.Exists(L"dst\\tree\\x.txt"));
    EXPECT_TRUE(real.RemoveTree(host, D(L"tree").c_str(), nullptr, &removed) && !tree.Exists(L"dst\\tree"));
    EXPECT_EQ(lookedAt.files, removed.files);
    EXPECT_EQ(lookedAt.folders, removed.folders);
}
