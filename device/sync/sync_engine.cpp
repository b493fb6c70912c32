#include "sync_engine.h"

#include <cwchar>

#include "base/paths.h"
#include "file_numbers.h"
#include "file_ops.h"
#include "folder_overlap.h"
#include "folder_search.h"
#include "kept_runs.h"
#include "name_rules.h"
#include "platform/file_system.h"
#include "sync_texts.h"

// What a look at one entry found: the directory search of its folder, or an attribute read.
struct SyncEngine::Entry {
    const wchar_t* path;
    DWORD attributes;
    FILETIME creation;
    FILETIME lastAccess;
    FILETIME lastWrite;
    ULONGLONG size;

    template <typename Info>  // WIN32_FILE_ATTRIBUTE_DATA or WIN32_FIND_DATAW
    static Entry Of(const wchar_t* path, const Info& info) {
        return Entry{path,
                     info.dwFileAttributes,
                     info.ftCreationTime,
                     info.ftLastAccessTime,
                     info.ftLastWriteTime,
                     FileSizeOf(info)};
    }
};

// Read once, when the copy pass is first about to write over a file of the folder: a folder
// the pass writes nothing in is not listed for it.
struct SyncEngine::CaseTwins {
    explicit CaseTwins(const wchar_t* path) : folder(path) {}
    const wchar_t* folder;
    bool read = false;
    NameSet names{NameSet::Case::Ignored};
    NameSet twins{NameSet::Case::Ignored};  // names met more than once, but for case
    NameSet exact{NameSet::Case::Kept};     // the names as the folder holds them
};

// A large file takes long to copy: between its pieces the host shows how far the copy is
// and services its window, and an abort stops the copy where it is.
struct SyncEngine::CopyWatch final : CopyProgress {
    explicit CopyWatch(SyncEngine& engine) : engine_(engine) {}
    bool Continue(ULONGLONG done, ULONGLONG total) override {
        engine_.host_.ShowCopyProgress(done, total);
        return engine_.Step();
    }

private:
    SyncEngine& engine_;
};

namespace {

bool ReadInfo(const wchar_t* path, WIN32_FILE_ATTRIBUTE_DATA* info) {
    return GetFileAttributesExW(path, GetFileExInfoStandard, info) != 0;
}

// False only where the platform reaches nothing but what the link points to (Wine); a link
// that cannot be looked at otherwise counts as removable: its removal says why it is not.
bool LinkRemovable(const wchar_t* path) { return CanRemoveLink(path) || GetLastError() != ERROR_NOT_SUPPORTED; }

// A source counterpart that is neither a file nor a folder: the copy pass skipped it, and
// what stands in its place in the destination stays. No attribute word the platform gives.
constexpr DWORD kSpecialCounterpart = 0xFFFFFFFEu;

}  // namespace

bool SyncEngine::CheckSyncFolders(const wchar_t* from, const wchar_t* to) {
    if (!IsFolder(from)) {
        host_.ShowFolderNotice(FormatString(Pick(SyncTexts::SourceMissing), from).c_str());
        return false;
    }
    // A run between nested folders would walk into its own output, and the deletion pass
    // of a destination holding the source would delete the source.
    if (FoldersOverlap(from, to)) {
        host_.ShowFolderNotice(FormatString(Pick(SyncTexts::FoldersOverlap), from, to).c_str());
        return false;
    }
    // A pattern list from a set file edited by hand is checked as the window checks it.
    const std::wstring badPatterns = PatternListProblem(options_.exclude.c_str());
    if (!badPatterns.empty()) {
        host_.ShowError(badPatterns.c_str());
        return false;
    }
    // Asked before anything is made; a dry run writes nothing a flat battery could cut.
    if (!options_.dryRun && (!BatteryAllowsRun(host_, options_.minBattery) || state_.abortRequested)) return false;
    if (IsFolder(to)) return true;
    // A dry run asks as the run does; its Yes makes nothing, and every source file then
    // counts as missing.
    if (host_.AskCreateDestination(FormatString(Pick(SyncTexts::CreateDestination), to).c_str()) != kIdYes ||
        state_.abortRequested)
        return false;
    return actions_->MakeFolder(to, false);
}

bool SyncEngine::RunSync(const wchar_t* from, const wchar_t* to) {
    host_.BeginRun();
    SYSTEMTIME utc;  // the device has no GetSystemTimeAsFileTime
    GetSystemTime(&utc);
    SystemTimeToFileTime(&utc, &now_);
    stats_ = RunStats();
    sourceHoldsFile_ = false;
    leftInDestination_ = NameSet(NameSet::Case::Kept);
    from_ = from;
    to_ = to;
    rootsChanged_ = true;
    // An abort is never cleared here: one asked for from another thread (Ctrl+C) before the
    // run or between its passes would be lost, and the mirror would delete on. The host
    // clears it before it starts a run.
    state_.confirmEach = !options_.force && !options_.dryRun;
    watchPower_ = !options_.dryRun;
    if (watchPower_) power_.Start();
    bool ok = CopyTree(from, to);
    if (ok && options_.deleteAfterCopy) {
        // Before the deletion pass: an empty source asked about, a deletion limit checked.
        DeletionGuards guards(host_, options_, *this, *this);
        ok = guards.MayDelete(from, to, sourceHoldsFile_);
        state_.confirmEach = !options_.force && !options_.dryRun;
        if (ok) ok = PrunePass(from, to);
    }
    actions_->EndOfRun();
    stats_.completed = ok;
    // Entries left alone are not a success: the error box counts them instead.
    if (ok && stats_.entriesSkipped > 0) {
        ok = stats_.entriesSkipped == 1
                 ? ReportText(host_, SyncTexts::EntrySkipped)
                 : ReportText(host_, SyncTexts::EntriesSkipped, static_cast<int>(stats_.entriesSkipped));
    }
    if (ok) host_.ShowSuccess();
    host_.SetStatusText(L"");
    host_.EndRun();
    return ok;
}

bool SyncEngine::RunCounting(SyncHost& host, FileActions& actions) {
    SyncOptions counted = options_;
    counted.maxDelete = SyncOptions::kNoDeleteLimit;
    SyncEngine counting(host, state_, counted, actions);
    counting.from_ = from_;  // the run's folders, as the real pass knows them
    counting.to_ = to_;
    state_.confirmEach = false;
    return counting.PrunePass(from_, to_);
}

// Whether `folder` or a folder below it holds a file (a link too, but no folder link is
// followed), not counting excluded ones nor, in the run folder `root`, the kept runs'
// store; one that cannot be listed may, and counts.
bool SyncEngine::DestinationHoldsFile(const wchar_t* to) const { return HoldsFile(to, to); }

bool SyncEngine::HoldsFile(const wchar_t* root, const wchar_t* folder) const {
    FolderSearch search(folder);
    PathBuffer child;
    while (const WIN32_FIND_DATAW* found = search.Next()) {
        if (folder == root && IsKeptStoreName(found->cFileName)) continue;
        if (Excluded(root, folder, found->cFileName, found->dwFileAttributes)) continue;
        if (!IsFolderAttributes(found->dwFileAttributes)) {
            if (!options_.excludeObj || !HasExtension(found->cFileName, L".obj")) return true;
        } else if (!IsFolderLink(found->dwFileAttributes) &&
                   (!JoinPath(child, folder, found->cFileName) || HoldsFile(root, child))) {
            return true;
        }
    }
    return search.Error() != 0;
}

bool SyncEngine::HoldsExcluded(const wchar_t* folder) const {
    if (excluded_.Empty()) return false;
    FolderSearch search(folder);
    PathBuffer child;
    while (const WIN32_FIND_DATAW* found = search.Next()) {
        if (Excluded(to_, folder, found->cFileName, found->dwFileAttributes)) return true;
        if (IsFolderAttributes(found->dwFileAttributes) && !IsFolderLink(found->dwFileAttributes) &&
            JoinPath(child, folder, found->cFileName) && HoldsExcluded(child)) {
            return true;
        }
    }
    return false;  // a folder that cannot be listed: its removal says so
}

bool SyncEngine::Account(const ActionReport& report) {
    stats_.entriesKept += report.kept;
    if (!report.leftAlone) return true;
    ++stats_.entriesSkipped;
    return false;
}

bool SyncEngine::Skip(const wchar_t* path, const TextPair& reason) {
    host_.AddLogRow(kLogSkip, path, Pick(reason));
    ++stats_.entriesSkipped;
    return true;
}

bool SyncEngine::LeaveInDestination(const wchar_t* path, const TextPair& reason) {
    leftInDestination_.Insert(path);
    return Skip(path, reason);
}

bool SyncEngine::Step() {
    host_.PumpOneMessage();
    return !state_.abortRequested;
}

const wchar_t* SyncEngine::FolderBelow(const wchar_t* root, const wchar_t* folder) {
    if (root == nullptr) return folder;
    const size_t rootLength = wcslen(root);
    const wchar_t* below = wcslen(folder) > rootLength ? folder + rootLength : L"";
    return *below == L'\\' ? below + 1 : below;
}

bool SyncEngine::Excluded(const wchar_t* root, const wchar_t* folder, const wchar_t* name, DWORD attributes) const {
    return !excluded_.Empty() && excluded_.Excludes(FolderBelow(root, folder), name, IsFolderAttributes(attributes));
}

const WIN32_FILE_ATTRIBUTE_DATA* SyncEngine::RunFolderInfo(const wchar_t* folder) {
    if (rootsChanged_) {
        fromKnown_ = ReadInfo(from_, &fromInfo_);
        toKnown_ = ReadInfo(to_, &toInfo_);
        rootsChanged_ = false;
    }
    if (folder == from_) return fromKnown_ ? &fromInfo_ : nullptr;
    return toKnown_ ? &toInfo_ : nullptr;
}

// The same folder read twice with nothing changed between shows the same times: an
// attribute read, a fraction of what a handle costs on some platforms, rules out all but a
// rare folder, and only there is the full identity read (milliseconds under Wine).
bool SyncEngine::NotTheOther(const wchar_t* folder, const wchar_t* other, const WIN32_FILE_ATTRIBUTE_DATA* info) {
    WIN32_FILE_ATTRIBUTE_DATA mine;
    if (other == nullptr || (info == nullptr && !ReadInfo(folder, &mine))) return true;
    if (info == nullptr) info = &mine;
    const WIN32_FILE_ATTRIBUTE_DATA* theirs = RunFolderInfo(other);
    if (theirs == nullptr || CompareFileTime(&info->ftLastWriteTime, &theirs->ftLastWriteTime) != 0 ||
        CompareFileTime(&info->ftCreationTime, &theirs->ftCreationTime) != 0) {
        return true;
    }
    FileIdentity a, b;
    if (!ReadFileIdentity(folder, &a) || !ReadFileIdentity(other, &b) || !SameIdentity(a, b)) return true;
    return ReportText(host_, SyncTexts::FoldersOverlap, from_, to_);
}

bool SyncEngine::MayWriteInto(const wchar_t* folder, const WIN32_FILE_ATTRIBUTE_DATA& info) {
    if (IsFolderLink(info.dwFileAttributes)) {
        LinkKind kind = ClassifyLink(folder);
        if (kind == LinkKind::Unknown) return ReportUnreadable(host_, folder, GetLastError());
        if (kind == LinkKind::Link) return ReportText(host_, SyncTexts::LinkInTheWay, folder);
    }
    return NotTheOther(folder, from_, &info);
}

int SyncEngine::Ask(PromptKind kind, const wchar_t* path) {
    Prompt prompt;
    ComposePrompt(kind, path, true, prompt);
    return host_.AskPrompt(prompt);
}

// ---- Copy pass --------------------------------------------------------------------

bool SyncEngine::CopyTree(const wchar_t* source, const wchar_t* destination) {
    if (!Step()) return false;
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!ReadInfo(source, &info)) return ReportUnreadable(host_, source, GetLastError());
    return CopyEntry(Entry::Of(source, info), destination);
}

bool SyncEngine::CopyEntry(const Entry& source, const wchar_t* destination, bool destinationMissing,
                           CaseTwins* twins) {
    if (IsFolderAttributes(source.attributes)) return CopyFolder(source.path, destination);
    if (!Step()) return false;
    if (options_.excludeObj && HasExtension(source.path, L".obj")) return true;
    sourceHoldsFile_ = true;
    // A name that is not there can cost a search of its whole folder to look for under
    // some platforms; in a folder that did not exist there is nothing to look for.
    if (destinationMissing) return SyncFileKnown(source, destination, nullptr);
    // One attribute read of the destination answers "is it a folder?", "does it exist?"
    // and "when was it written?" alike.
    WIN32_FILE_ATTRIBUTE_DATA destInfo;
    bool destExists = ReadInfo(destination, &destInfo);
    // A pipe or a device in the file's place is not written over (nor opened).
    if (!destExists && GetLastError() == ERROR_INVALID_PARAMETER && IsSpecialFile(destination)) {
        return LeaveInDestination(destination, SyncTexts::SpecialFileReason);
    }
    // A name no look found has no twins either; one about to be written over may.
    if (twins && destExists && (IsFolderAttributes(destInfo.dwFileAttributes) || Newer(source, destInfo))) {
        PathBuffer picked;
        bool found;
        if (!PickCaseTwin(*twins, destination, picked, &found)) return false;
        if (found) return CopyEntry(source, picked);
    }
    if (!destExists || !IsFolderAttributes(destInfo.dwFileAttributes)) {
        return SyncFileKnown(source, destination, destExists ? &destInfo : nullptr);
    }
    // A file meeting a folder of its name goes into that folder.
    if (!MayWriteInto(destination, destInfo)) return false;
    PathBuffer target;
    const wchar_t* name = BaseName(source.path);
    if (!JoinPath(target, destination, name)) {
        ReportPathTooLong(host_, destination, name);
        return false;
    }
    bool targetExists = ReadInfo(target, &destInfo);
    return SyncFileKnown(source, target, targetExists ? &destInfo : nullptr);
}

bool SyncEngine::CopyFolder(const wchar_t* source, const wchar_t* destination) {
    host_.SetStatusText(source);
    if (!NotTheOther(source, to_)) return false;
    WIN32_FILE_ATTRIBUTE_DATA info;
    DWORD attributes = ReadInfo(destination, &info) ? info.dwFileAttributes : kUnreadableAttributes;
    const bool missing = !IsFolderAttributes(attributes);
    // The destination the user named is worked in even when it is a link; below it, links
    // are not written through.
    bool named = to_ && wcscmp(destination, to_) == 0;
    if (!missing && !(named ? NotTheOther(destination, from_, &info) : MayWriteInto(destination, info))) return false;
    if (missing) {
        rootsChanged_ = true;
        if (!actions_->MakeFolder(destination, true)) return false;
    }
    CaseTwins twins(destination);
    const wchar_t* below = excluded_.Empty() ? nullptr : FolderBelow(from_, source);
    return ForEachEntry(source, source, destination,
                        [this, missing, &twins, below](const WIN32_FIND_DATAW& found, const wchar_t* childSource,
                                                       const wchar_t* childDestination) {
                            // A file is not copied into a folder of its name that a pattern
                            // for folders leaves out.
                            if (below && !missing && !IsFolderAttributes(found.dwFileAttributes) &&
                                excluded_.Excludes(below, found.cFileName, true) && IsFolder(childDestination)) {
                                return true;
                            }
                            // A folder link is not followed: through it the walk could come back
                            // to itself. A mount point looks the same and is walked like any folder.
                            if (IsFolderLink(found.dwFileAttributes)) {
                                LinkKind kind = ClassifyLink(childSource);
                                if (kind == LinkKind::Link) return true;
                                if (kind == LinkKind::Unknown) return ReportUnreadable(host_, childSource, GetLastError());
                            }
                            // The search already holds the entry's attributes and time: no second look.
                            return CopyEntry(Entry::Of(childSource, found), childDestination, missing,
                                             missing ? nullptr : &twins);
                        });
}

// Walks the entries of `folder` (the source or the destination of the pair) in the
// platform's order: joins each name to both sides, services one message, then visits. A
// name the run cannot use, and one that differs from an earlier one only in case, is never
// visited (acted on, it would reach another file or merge two): it gets a "skip" row.
template <typename Visit>
bool SyncEngine::ForEachEntry(const wchar_t* folder, const wchar_t* source, const wchar_t* destination, Visit visit) {
    FolderSearch search(folder);
    NameSet names(NameSet::Case::Ignored);
    PathBuffer childSource, childDestination;
    // The kept runs' store directly in either run folder is theirs, never the user's: it is
    // neither copied, compared nor deleted.
    const bool runFolder = folder == from_ || folder == to_;
    const wchar_t* below = excluded_.Empty() ? nullptr : FolderBelow(folder == source ? from_ : to_, folder);
    while (const WIN32_FIND_DATAW* found = search.Next()) {
        const wchar_t* name = found->cFileName;
        if (runFolder && IsKeptStoreName(name)) continue;
        // Left out by the set's patterns: neither copied, compared, deleted nor counted.
        if (below && excluded_.Excludes(below, name, IsFolderAttributes(found->dwFileAttributes))) continue;
        NameFault fault = CheckName(name);
        bool usable = fault == NameFault::None && names.Insert(name);
        // A path beyond the limit cannot be named: that entry is left, the rest goes on.
        const wchar_t* tooLong = !JoinPath(childSource, source, name)           ? source
                                 : !JoinPath(childDestination, destination, name) ? destination
                                                                                  : nullptr;
        if (!Step()) return false;
        const wchar_t* child = folder == source ? childSource : childDestination;
        if (folder != source && leftInDestination_.Contains(child)) {
            continue;  // the copy pass left it, with its row
        } else if (!usable) {
            Skip(child, NameFaultReason(fault));
        } else if (tooLong) {
            wchar_t whole[kMessageChars];  // a folder and a name of up to 259 characters each
            FormatInto(whole, L"%s\\%s", tooLong, name);
            Skip(whole, SyncTexts::PathTooLongReason);
        } else if (IsSpecialEntry(*found, child)) {
            Skip(child, SyncTexts::SpecialFileReason);
        } else if (!visit(*found, childSource, childDestination)) {
            return false;
        }
    }
    // A folder that cannot be listed is not an empty one: going on would copy or delete
    // by half a picture.
    if (search.Error() != 0) return ReportFolderUnlistable(host_, folder, search.Error());
    return true;
}

bool SyncEngine::PickCaseTwin(CaseTwins& twins, const wchar_t* destination, PathBuffer& picked, bool* found) {
    *found = false;
    if (!twins.read) {
        twins.read = true;
        FolderSearch search(twins.folder);
        while (const WIN32_FIND_DATAW* entry = search.Next()) {
            if (!twins.names.Insert(entry->cFileName)) twins.twins.Insert(entry->cFileName);
            twins.exact.Insert(entry->cFileName);
        }
        if (search.Error() != 0) return ReportFolderUnlistable(host_, twins.folder, search.Error());
    }
    const wchar_t* name = BaseName(destination);
    // A file the folder holds under another case (readme.txt for Readme.TXT) is written under
    // its own name, which a replace keeps, so that the name never changes whatever is done
    // around the replace (Keep moves the old file away first).
    if (!twins.twins.Contains(name) && twins.exact.Contains(name)) return true;
    // Rare: the folder is read once more for the names themselves.
    FolderSearch search(twins.folder);
    PathBuffer other;
    while (const WIN32_FIND_DATAW* entry = search.Next()) {
        if (!SameButCase(entry->cFileName, name) || !JoinPath(other, twins.folder, entry->cFileName)) continue;
        if (!*found) {
            CopyPath(picked, other);
            *found = true;
        } else if (!leftInDestination_.Contains(other)) {
            LeaveInDestination(other, NameFaultReason(NameFault::None));
        }
    }
    if (search.Error() != 0) return ReportFolderUnlistable(host_, twins.folder, search.Error());
    return true;
}

bool SyncEngine::Newer(const Entry& source, const WIN32_FILE_ATTRIBUTE_DATA& destination) const {
    return CompareWriteTimes(source.lastWrite, source.size, destination.ftLastWriteTime, FileSizeOf(destination),
                             timeRule_) > 0;
}

bool SyncEngine::SyncFile(const wchar_t* source, const wchar_t* destination) {
    if (!Step()) return false;
    WIN32_FILE_ATTRIBUTE_DATA sourceInfo, destInfo;
    if (options_.excludeObj && HasExtension(source, L".obj")) return true;
    if (!ReadInfo(source, &sourceInfo)) return ReportUnreadable(host_, source, GetLastError());
    bool destExists = ReadInfo(destination, &destInfo);
    return SyncFileKnown(Entry::Of(source, sourceInfo), destination, destExists ? &destInfo : nullptr);
}

bool SyncEngine::SyncFileKnown(const Entry& source, const wchar_t* destination,
                               const WIN32_FILE_ATTRIBUTE_DATA* destInfo) {
    if (destInfo && !Newer(source, *destInfo)) return true;
    bool destIsFolder = destInfo && IsFolderAttributes(destInfo->dwFileAttributes);
    if (state_.confirmEach && destIsFolder) {
        int answer = Ask(PromptKind::Replace, destination);
        if (answer == kIdCancel) return false;
        if (answer == kIdNo) return true;
        if (answer == kIdYesToAll) state_.confirmEach = false;
    }
    // Copied as any newer file, but said: a clock set wrong makes a file win every comparison.
    if (!PowerHolds()) return false;
    if (MoreThanADayAhead(source.lastWrite, now_)) host_.AddLogRow(kLogNote, source.path, Pick(SyncTexts::TimeAhead));
    host_.AddLogRow(kLogCopy, source.path, destination);
    // The source's attributes and its three times come from the look the pass just took;
    // reading them again per file would only cost time (opening the file, under some
    // platforms, costs more than the copy of a small one).
    ULONGLONG written = 0;
    FileCopy copy{source.path, source.attributes, FileTimes{source.creation, source.lastAccess, source.lastWrite},
                  source.size, destination, destInfo, &written};
    CopyCheck check;
    if (options_.verify) copy.check = &check;
    rootsChanged_ = true;
    CopyWatch watch(*this);
    bool copied = actions_->CopyFile(copy, &watch);
    if (!Account(actions_->TakeReport())) return copied;
    // A copy that read back different is gone and the old file stays: said, counted as an
    // entry the run could not sync, and the run goes on.
    if (check.mismatch) return Skip(destination, SyncTexts::CopyDiffersReason);
    if (!copied) return false;
    if (check.verified) ++stats_.filesVerified;
    ++stats_.filesCopied;
    stats_.bytesCopied += written;  // what the source held, whatever size it was listed with
    return true;
}

// ---- Deletion pass ----------------------------------------------------------------

// Reads the source counterpart's attributes. "File not found" is an answer
// (kUnreadableAttributes): the folder that should hold it is there and it is not. Any
// other failure stops the pass, because taking it for "missing" would delete what the
// source still has: "path not found" (the source folder vanished under the pass, a card
// pulled), device not ready, access denied.
bool SyncEngine::SourceCounterpart(const wchar_t* source, DWORD* attributes) {
    if (sourceGone_ > 0) {  // inside a destination folder the source lacks
        *attributes = kUnreadableAttributes;
        return true;
    }
    *attributes = GetFileAttributesW(source);
    if (*attributes != kUnreadableAttributes) return true;
    DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND) return true;
    if (code == ERROR_INVALID_PARAMETER && IsSpecialFile(source)) {
        *attributes = kSpecialCounterpart;
        return true;
    }
    host_.ShowError(FormatString(Pick(SyncTexts::SourceUnreadable), source, static_cast<int>(code)).c_str());
    return false;
}

bool SyncEngine::PrunePass(const wchar_t* from, const wchar_t* to) {
    if (!Step()) return false;
    if (!IsFolder(from)) {
        // The source went away (a card pulled): without it every destination entry would
        // look surplus.
        host_.ShowError(FormatString(Pick(SyncTexts::SourceGone), from).c_str());
        return false;
    }
    // The folder the user named is the one the pass works in, even when it is a link;
    // links inside it are still never followed.
    DWORD attributes = GetFileAttributesW(to);
    if (attributes != kUnreadableAttributes) attributes &= ~static_cast<DWORD>(FILE_ATTRIBUTE_REPARSE_POINT);
    return PruneEntry(from, to, attributes);
}

bool SyncEngine::PruneTree(const wchar_t* source, const wchar_t* destination) {
    if (!Step()) return false;
    return PruneEntry(source, destination, GetFileAttributesW(destination));
}

bool SyncEngine::PruneEntry(const wchar_t* source, const wchar_t* destination, DWORD destAttributes) {
    DWORD sourceAttributes;
    if (!IsFolderAttributes(destAttributes)) {
        if (!SourceCounterpart(source, &sourceAttributes)) return false;
        return sourceAttributes == kUnreadableAttributes ? PruneFile(destination) : true;
    }
    host_.SetStatusText(destination);
    if (!SourceCounterpart(source, &sourceAttributes)) return false;
    if (sourceAttributes == kSpecialCounterpart) return true;
    // A link is never walked: it stays where the source has a folder of its name, and is
    // removed as itself where not. A mount point looks the same and is a folder.
    LinkKind kind = IsFolderLink(destAttributes) ? ClassifyLink(destination) : LinkKind::Entry;
    if (kind == LinkKind::Unknown) return ReportUnreadable(host_, destination, GetLastError());
    if (kind == LinkKind::Entry && !MayEnter(destination)) return false;
    if (!IsFolderAttributes(sourceAttributes)) {
        if (kind == LinkKind::Link && !LinkRemovable(destination)) return Skip(destination, SyncTexts::LinkStaysReason);
        // What the set's patterns leave out is never deleted, also not with its folder: the
        // pass goes in and deletes the rest, and the folder stays with what it keeps.
        if (kind == LinkKind::Entry && HoldsExcluded(destination)) {
            ++sourceGone_;
            bool ok = PruneWithin(source, destination);
            --sourceGone_;
            return ok;
        }
        if (state_.confirmEach) {
            int answer = Ask(PromptKind::FolderDelete, destination);
            if (answer == kIdCancel || answer == kIdNo) return false;
            if (answer == kIdYesToAll) state_.confirmEach = false;
        }
        if (!PowerHolds()) return false;
        host_.AddLogRow(kLogRemoveFolder, destination, L"");
        Removed removed;
        bool ok = actions_->RemoveFolder(destination, kind, removed);
        Account(actions_->TakeReport());  // what was left alone went nowhere: nothing in `removed`
        stats_.filesDeleted += removed.files;
        stats_.foldersRemoved += removed.folders;
        return ok;
    }
    // Both are folders. Through a link the pass would delete in whatever it points to.
    if (kind == LinkKind::Link) return true;
    return PruneWithin(source, destination);
}

bool SyncEngine::PruneWithin(const wchar_t* source, const wchar_t* destination) {
    WalkedFolder walked(destination);
    WalkedFolder* outer = walked_;
    walked_ = &walked;
    bool ok = ForEachEntry(destination, source, destination,
                           [this](const WIN32_FIND_DATAW& found, const wchar_t* childSource, const wchar_t* childDestination) {
                               return PruneEntry(childSource, childDestination, found.dwFileAttributes);
                           });
    walked_ = outer;
    return ok && ConfirmDeletionsGone(walked);
}

bool SyncEngine::ConfirmDeletionsGone(WalkedFolder& walked) {
    if (walked.deleted.Empty()) return true;
    FolderSearch search(walked.folder);
    PathBuffer path;
    while (const WIN32_FIND_DATAW* found = search.Next()) {
        if (!walked.deleted.Contains(found->cFileName)) continue;
        --stats_.filesDeleted;
        JoinPath(path, walked.folder, found->cFileName);
        return ReportText(host_, SyncTexts::NotDeleted, path);
    }
    if (search.Error() != 0) return ReportFolderUnlistable(host_, walked.folder, search.Error());
    return true;
}

bool SyncEngine::PruneFile(const wchar_t* path) {
    if (!Step()) return false;
    if (options_.excludeObj && HasExtension(path, L".obj")) return true;
    // Some platforms list a file link as a plain file and delete through it into its target:
    // the link is removed as itself, or, where the platform cannot, stays with a row.
    LinkKind kind = walked_ ? ClassifyLinkIn(walked_->Resolved(), path) : ClassifyLink(path);
    if (kind == LinkKind::Unknown) return ReportUnreadable(host_, path, GetLastError());
    if (kind == LinkKind::Link && !LinkRemovable(path)) return Skip(path, SyncTexts::LinkStaysReason);
    if (state_.confirmEach) {
        int answer = Ask(PromptKind::FileDelete, path);
        if (answer == kIdCancel) return false;
        if (answer == kIdNo) return true;
        if (answer == kIdYesToAll) state_.confirmEach = false;
    }
    if (!PowerHolds()) return false;
    host_.AddLogRow(kLogDelete, path, L"");
    bool deleted = actions_->DeleteFile(path, kind, walked_);
    if (!Account(actions_->TakeReport()) || !deleted) return deleted;
    ++stats_.filesDeleted;
    return true;
}
