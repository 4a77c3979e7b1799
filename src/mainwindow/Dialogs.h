#pragma once
// The dialogs the main window's pages open. They are made after the main
// window, in the run's fixed order, and handed down to it then.

class RankDialog;
class DepartmentDialog;
class CallSignDialog;
class HotkeyPicker;
class LargeTextEditor;

struct Dialogs {
    RankDialog* rank = nullptr;
    DepartmentDialog* department = nullptr;
    CallSignDialog* callSign = nullptr;
    HotkeyPicker* picker = nullptr;
    LargeTextEditor* largeText = nullptr;
};
