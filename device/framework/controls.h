#pragma once
#include "window.h"

// Typed wrappers over platform controls, so that owners can hold them as members. They add
// neither fields nor behaviour; messages of platform classes never reach them.
class FCtrl : public FWindow {
public:
    using FWindow::FWindow;
};
class FComboBox : public FCtrl {
public:
    using FCtrl::FCtrl;
};
class FEdit : public FCtrl {
public:
    using FCtrl::FCtrl;
};
class FStatic : public FCtrl {
public:
    using FCtrl::FCtrl;
};

class FButtonCtrl : public FWindow {
public:
    using FWindow::FWindow;
};
class FPushButton : public FButtonCtrl {
public:
    using FButtonCtrl::FButtonCtrl;
};
class FCheckBox : public FButtonCtrl {
public:
    using FButtonCtrl::FButtonCtrl;
};

class FListView : public FWindow {
public:
    using FWindow::FWindow;
};

class FBarCtrl : public FWindow {
public:
    using FWindow::FWindow;
};
class FCommandBands : public FBarCtrl {
public:
    using FBarCtrl::FBarCtrl;
};
class FCommandBar : public FBarCtrl {
public:
    using FBarCtrl::FBarCtrl;
};

class FStatusBar : public FWindow {
public:
    using FWindow::FWindow;
};
