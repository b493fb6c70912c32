#pragma once
#include <windows.h>

class FWnd;

// A process-wide list of window objects, newest first. It does not own the objects.
class FWndList {
public:
    constexpr FWndList() = default;
    ~FWndList();
    FWndList(const FWndList&) = delete;
    FWndList& operator=(const FWndList&) = delete;

    // Inserts at the front. Without memory for the node the program cannot go on: it says
    // "out of memory" and ends with exit status 1.
    void PushFront(FWnd* object);
    // Removes every entry equal to `object`.
    void Remove(FWnd* object);
    // The first object, from the front, whose window is `hwnd`; null when none.
    FWnd* Find(HWND hwnd) const;
    bool Contains(const FWnd* object) const;
    // The dialog and page procedures' common routing: `entering` (given with WM_INITDIALOG)
    // joins the list first; the message goes to the object of `hwnd`, if any (0 otherwise);
    // at WM_DESTROY the object leaves the list after its handler.
    LRESULT Route(FWnd* entering, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    int Count() const;

    // Front-to-back walk; stops when `visit` returns true and returns that object.
    template <class Visit>
    FWnd* FindIf(Visit visit) const {
        for (Node* node = head_; node; node = node->next)
            if (visit(node->object)) return node->object;
        return nullptr;
    }

private:
    struct Node {
        FWnd* object;
        Node* previous;
        Node* next;
    };
    Node* head_ = nullptr;
};

// Objects served by WndProc.
extern FWndList WindowList;
// Objects served by DlgProc and PropPageProc.
extern FWndList DialogList;
