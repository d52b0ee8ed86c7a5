// The menus of the main window as one table: parent, component name, caption, handler.
#pragma once

#include <vector>

class TForm2;

struct MenuEntry {
    enum Kind { Item, Submenu, Separator };
    Kind kind;
    const char *parent; // "MainMenu1", a popup menu or a sub-menu's component name
    const char *name;   // component name
    const char *caption;
    void (TForm2::*handler)() = nullptr;
    int radioGroup = 0; // items of one group tick exclusively
    bool checkable = false;
    bool checked = false;
};

const std::vector<MenuEntry> &menuTable();
