#pragma once

#include "saved_command.h"

#include <QList>

class QSettings;

// The commands of 多条发送, in the order the panel lists them, and whether the panel shows.
// Kept across runs in the settings.
struct SavedCommandList {
    static constexpr int kMaxCommands = 1000;

    QList<SavedCommand> commands;
    bool panel_shown = false;

    // Reads what was saved; a value that is missing, of the wrong kind or out of range keeps its
    // default.
    void load(QSettings& settings);
    void save(QSettings& settings) const;
    bool operator==(const SavedCommandList&) const = default;

    // The edits of the panel's buttons; each returns false, and changes nothing, when the row is
    // not there or the command cannot go where it is asked to.
    bool add(const SavedCommand& command);
    bool replace(int row, const SavedCommand& command);
    bool remove(int row);
    // One place up (-1) or down (+1).
    bool move(int row, int step);
};
