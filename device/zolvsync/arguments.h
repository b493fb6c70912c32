#pragma once
#include <string>

#include "sync/sync_engine.h"

// What the command line of zolvsync asks for.
struct RunnerArguments {
    bool backward = false;
    bool allowEmptySource = false;  // a mirror from an empty source deletes without a question
    SyncOptions options;
    int language = -1;  // -1: the device program's language rule
    const wchar_t* from = nullptr;
    const wchar_t* to = nullptr;
    const wchar_t* iniFile = nullptr;  // with setName: folders and options come from this set
    const wchar_t* setName = nullptr;
    bool keptRunsGiven = false;  // --keep-runs: only with Keep
    const wchar_t* logFile = nullptr;  // the rows and the summary are appended to this file too
    bool undo = false;  // put the written folder back as it was before its newest kept run
};

// How to call zolvsync, for a refusal of bad arguments.
std::wstring UsageText();

// False on bad arguments, with a one-line reason.
bool ParseArguments(int argc, wchar_t** argv, RunnerArguments& out, std::wstring* error);
