#pragma once
#include <windows.h>

#include "framework/controls.h"
#include "framework/handles.h"
#include "framework/window.h"
#include "sets/set_fields.h"
#include "sets/set_options.h"
#include "sync/error_reporter.h"

// The sets as the main window edits them: the set list in the tool bar (one item per set, its
// SyncSet record as the item's data), the working copy CurrentSet with currentIndex, and the
// controls that show CurrentSet. The window owns and places the controls; this moves a set
// between the list, CurrentSet and the controls, at the commit points only.
class SetEditor {
public:
    // The window's controls this reads and writes.
    struct Controls {
        const FWnd& window;  // owns the boxes and the browse dialog
        FComboBox& setList;
        FEdit& sourceEdit;
        FEdit& destinationEdit;
        FCheckBox* optionBoxes;  // kOptionBoxCount of them: the first rows of kSetOptions
        const FMenu& menu;       // the options shown as menu items
    };
    explicit SetEditor(const Controls& controls);

    void ClearCurrentSet();
    void ResetCurrentSet();  // the new-set defaults
    void LoadCurrentSet(int index);
    void ShowCurrentSet();
    void ReadSetControls();
    int InsertSet(int index);
    void RemoveSet(int index);
    void CommitCurrentSet();
    void SelectFirstSet();  // and shows it
    // Set i as the list holds it (the item's text, its record's fields).
    void ListedSet(int index, SetFields& set) const;
    int SetCount() const;
    void DestroySetRecords();  // when the window goes

    // What the window's commands and the set list's notifications ask for.
    void OnSetSelChange();
    void OnSetListDropDown();
    void NewSet();
    void DeleteSet();
    void BrowseFolderInto(FEdit& edit);  // on OK only
    void ToggleMenuOption(int command);  // the click on an option shown as a menu item
    void EditOptionText(const SetOption& option);  // its dialog, for the current set

    // A folder edit holding more than a set keeps (text put there by a program, not typed)
    // is refused with the too-long box: a run never works on a path other than the one shown.
    bool RefuseOverlongPaths(ErrorReporter& reporter) const;

    int currentIndex = -1;
    SetFields CurrentSet;

private:
    void ShowOption(int index, bool on);
    bool OptionShownOn(int index) const;

    Controls controls_;
};
