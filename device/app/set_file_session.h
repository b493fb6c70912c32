#pragma once
#include <windows.h>

#include <string>

#include "base/text.h"
#include "framework/window.h"
#include "set_editor.h"

// The INI set file the program works on, AppSettings.iniFile (the remembered path): reading
// it into the set list, saving it, the Open and Save commands, and the save at exit with its
// question. A file that could not be read is never written over by the save at exit; a failed
// save keeps the previous file as the program's INI file.
class SetFileSession {
public:
    SetFileSession(SetEditor& sets, const FWnd& window);

    int LoadSetFile();
    int SaveSetFile();
    void OpenSetFileCommand();
    void SaveSetFileCommand();
    // The settings and the set file, once, when the window closes; says so when it fails.
    void SaveAtExit();
    // Posted after creation: the notice about a set file that could not be read.
    void ShowStartupNotice();

private:
    void ShowSetFileFailure(const TextPair& text, const wchar_t* path, DWORD code) const;
    bool WriteSetFile(const wchar_t* path);
    std::string SetFileContent() const;  // the set list as the set file holds it
    void OfferToKeepUnsavedSets(const wchar_t* question);

    SetEditor& sets_;
    const FWnd& window_;  // owns the boxes and the file dialogs
    bool setFileUnread_ = false;
    DWORD setFileFailure_ = ERROR_SUCCESS;
    bool exitSaved_ = false;
    // The set list as it was when the file was read or last saved. When the file's own bytes
    // would not be written again (another code page, lines the program drops), the save at
    // exit leaves it alone while nothing changed since, and asks once something did.
    std::string setFileAsRead_;
    bool setFileOnDisk_ = false;  // setFileAsRead_ is what the file holds
    bool setFileReadsBack_ = true;
};
