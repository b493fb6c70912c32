#include "deletion_guards.h"

#include <cwchar>
#include <string>

#include "folder_search.h"
#include "kept_runs.h"
#include "sync_texts.h"

namespace {

// What the deletion pass would remove, counted instead of removed: a file or link as one
// entry (a folder link is removed as itself, not with what it leads to), a folder with
// everything it holds. A folder's removal is looked through first, as the removal will look
// (every folder it would enter shown to `check`): one that would stop stops the run before
// anything at all is deleted.
class DeletionCounter final : public FileActions {
public:
    DeletionCounter(ErrorReporter& owner, FolderCheck& check) : owner_(owner), check_(check) {}

    bool MakeFolder(const wchar_t*, bool) override { return true; }
    bool CopyFile(const FileCopy&, CopyProgress*) override { return true; }
    bool DeleteFile(const wchar_t*, LinkKind, WalkedFolder*) override {
        ++entries;
        return true;
    }
    bool RemoveFolder(const wchar_t* path, LinkKind kind, Removed&) override {
        ++entries;
        if (kind == LinkKind::Link) return true;
        unsigned long long held = 0;
        if (!LookBeforeRemoval(owner_, path, &check_, &held)) return false;
        entries += held;
        return true;
    }

    unsigned long long entries = 0;

private:
    ErrorReporter& owner_;
    FolderCheck& check_;
};

// The host of the pass that counts: it writes no rows and asks nothing; the pump, the
// status text and any error box are the real host's.
class RowlessHost final : public SyncHost {
public:
    explicit RowlessHost(SyncHost& host) : host_(host) {}

    void PumpOneMessage() override { host_.PumpOneMessage(); }
    void AddLogRow(const wchar_t*, const wchar_t*, const wchar_t*) override {}
    void SetStatusText(const wchar_t* text) override { host_.SetStatusText(text); }
    void ShowError(const wchar_t* text) override { host_.ShowError(text); }
    int AskPrompt(const Prompt&) override { return kIdCancel; }
    void ShowFolderNotice(const wchar_t*) override {}
    int AskCreateDestination(const wchar_t*) override { return kIdNo; }
    int AskEmptySource(const wchar_t*) override { return kIdNo; }
    int AskLowBattery(const wchar_t*) override { return kIdNo; }
    int AskUndo(const wchar_t*) override { return kIdNo; }
    void ShowSuccess() override {}
    void BeginRun() override {}
    void EndRun() override {}

private:
    SyncHost& host_;
};

}  // namespace

bool DeletionGuards::MayDelete(const wchar_t* from, const wchar_t* to, bool sourceHoldsFile) {
    return ConfirmEmptySource(from, to, sourceHoldsFile) && WithinDeleteLimit();
}

bool DeletionGuards::ConfirmEmptySource(const wchar_t* from, const wchar_t* to, bool sourceHoldsFile) {
    // A dry run asks as the run does: its rows alone would not stop a mistaken mirror.
    if (sourceHoldsFile || !pass_.DestinationHoldsFile(to)) return true;
    return host_.AskEmptySource(FormatString(Pick(SyncTexts::EmptySource), from, to).c_str()) == kIdYes;
}

bool DeletionGuards::WithinDeleteLimit() {
    if (options_.maxDelete == SyncOptions::kNoDeleteLimit) return true;
    // The same pass without questions, counting instead of deleting, so that it finds what
    // the real one would.
    RowlessHost quiet(host_);
    DeletionCounter counter(host_, check_);
    if (!pass_.RunCounting(quiet, counter)) return false;
    if (counter.entries <= options_.maxDelete) return true;
    host_.ShowError(FormatString(Pick(SyncTexts::TooManyDeletions), std::to_wstring(counter.entries).c_str(),
                                 std::to_wstring(options_.maxDelete).c_str())
                        .c_str());
    return false;
}
