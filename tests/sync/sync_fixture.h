#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "scripted_host.h"
#include "sync/sync_engine.h"
#include "temp_tree.h"

// A source and a destination folder in a fresh tree, a scripted host and the run state.
class SyncFixture : public ::testing::Test {
protected:
    SyncFixture() {
        tree.MakeFolder(L"src");
        tree.MakeFolder(L"dst");
        src = tree.Path(L"src");
        dst = tree.Path(L"dst");
    }

    std::wstring S(const std::wstring& relative) const { return src + L"\\" + relative; }
    std::wstring D(const std::wstring& relative) const { return dst + L"\\" + relative; }

    bool Run(const std::wstring& from, const std::wstring& to) {
        SyncEngine engine(host, state, options);
        return engine.CheckSyncFolders(from.c_str(), to.c_str()) && engine.RunSync(from.c_str(), to.c_str());
    }
    bool Forward() { return Run(src, dst); }

    // Rows sorted, for passes whose order follows the platform's enumeration.
    std::vector<std::wstring> SortedRows() const {
        std::vector<std::wstring> rows = host.Rows();
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    TempTree tree;
    std::wstring src, dst;
    ScriptedHost host;
    RunState state;
    SyncOptions options;

    const FILETIME older = MakeTime(2020, 1, 1, 12, 0, 0);
    const FILETIME newer = MakeTime(2021, 1, 1, 12, 0, 0);
};

using Rows = std::vector<std::wstring>;
