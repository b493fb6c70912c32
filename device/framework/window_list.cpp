#include "window_list.h"

#include <new>

#include "window.h"

FWndList WindowList;
FWndList DialogList;

FWndList::~FWndList() {
    while (head_) {
        Node* next = head_->next;
        delete head_;
        head_ = next;
    }
}

void FWndList::PushFront(FWnd* object) {
    Node* node = new (std::nothrow) Node{object, nullptr, head_};
    if (node == nullptr) {
        MessageBoxW(nullptr, L"out of memory", nullptr, MB_OK);
        ExitProcess(1);
    }
    if (head_) head_->previous = node;
    head_ = node;
}

void FWndList::Remove(FWnd* object) {
    Node* node = head_;
    while (node) {
        Node* next = node->next;
        if (node->object == object) {
            if (node->previous) node->previous->next = node->next;
            else head_ = node->next;
            if (node->next) node->next->previous = node->previous;
            delete node;
        }
        node = next;
    }
}

FWnd* FWndList::Find(HWND hwnd) const {
    return FindIf([hwnd](FWnd* object) { return object->hwnd == hwnd; });
}

bool FWndList::Contains(const FWnd* object) const {
    return FindIf([object](FWnd* candidate) { return candidate == object; }) != nullptr;
}

int FWndList::Count() const {
    int count = 0;
    for (Node* node = head_; node; node = node->next) ++count;
    return count;
}

LRESULT FWndList::Route(FWnd* entering, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (entering) {
        entering->hwnd = hwnd;
        PushFront(entering);
    }
    FWnd* object = Find(hwnd);
    if (object == nullptr) return 0;
    LRESULT result = object->WindowProc(hwnd, msg, wParam, lParam);
    if (msg == WM_DESTROY) Remove(object);
    return result;
}
