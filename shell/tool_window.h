#pragma once

#include <QString>

#include <functional>

class Form;
class FormHost;

// A tool window that the main window can launch: its name (also its caption and object name),
// how to build it, and whether a launch minimizes it with the others.
struct ToolWindow {
    QString name;
    std::function<Form*(FormHost&)> create;
    bool minimizable = true;
};

// An empty window with the tool's caption, for a tool that is not built yet.
ToolWindow placeholder_tool(const QString& name, bool minimizable = true);
