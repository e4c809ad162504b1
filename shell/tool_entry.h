#pragma once

#include <QColor>
#include <QString>

#include <functional>
#include <vector>

class Form;
class FormHost;

// One button of the main window's tool column and the window it launches. The program's
// catalogue of these is the one place where a tool is added.
struct ToolEntry {
    QString button{};      // object name of the button, "Command1"; empty: no button
    QString caption{};     // "七段码查询"
    int top = 0;           // twips from the top of the main window
    int focus = 0;         // place in the main window's focus order, lowest first
    QColor face{};         // a painted button's colour; invalid: the standard face
    bool enabled = false;  // whether the button can be clicked
    QString window{};      // caption and object name of the window; empty: none
    std::function<Form*(FormHost&)> create{};
    bool minimizable = true;  // minimized with the others whenever a tool is launched
};

// The catalogue in the order "退出" unloads the windows.
using ToolCatalog = std::vector<ToolEntry>;
