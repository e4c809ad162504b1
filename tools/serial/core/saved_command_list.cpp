#include "saved_command_list.h"

#include "base/stored_value.h"

#include <QSettings>

#include <algorithm>

namespace {

// Every key the list is kept under, within the group "serial_commands"; each row holds the values
// SavedCommand::to_map names.
const QString kGroup = QStringLiteral("serial_commands");
const QString kShown = QStringLiteral("shown");
const QString kCommands = QStringLiteral("commands");

}  // namespace

void SavedCommandList::load(QSettings& settings) {
    settings.beginGroup(kGroup);
    const SavedCommandList fallback;
    panel_shown = stored_bool(settings.value(kShown), fallback.panel_shown);
    commands.clear();
    const int count = std::min(settings.beginReadArray(kCommands), kMaxCommands);
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        QVariantMap map;
        for (const QString& key : settings.childKeys()) {
            map.insert(key, settings.value(key));
        }
        // A count larger than the rows kept names rows that are not there: they are no commands.
        if (!map.isEmpty()) {
            commands.append(SavedCommand::from_map(map));
        }
    }
    settings.endArray();
    settings.endGroup();
}

void SavedCommandList::save(QSettings& settings) const {
    settings.beginGroup(kGroup);
    settings.setValue(kShown, panel_shown);
    settings.remove(kCommands);  // a shorter list leaves no rows of the longer one behind
    settings.beginWriteArray(kCommands, static_cast<int>(commands.size()));
    for (int i = 0; i < commands.size(); ++i) {
        settings.setArrayIndex(i);
        const QVariantMap map = commands[i].to_map();
        for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
            settings.setValue(it.key(), it.value());
        }
    }
    settings.endArray();
    settings.endGroup();
}

bool SavedCommandList::add(const SavedCommand& command) {
    if (commands.size() >= kMaxCommands) {
        return false;
    }
    commands.append(command);
    return true;
}

bool SavedCommandList::replace(int row, const SavedCommand& command) {
    if (row < 0 || row >= commands.size()) {
        return false;
    }
    commands[row] = command;
    return true;
}

bool SavedCommandList::remove(int row) {
    if (row < 0 || row >= commands.size()) {
        return false;
    }
    commands.removeAt(row);
    return true;
}

bool SavedCommandList::move(int row, int step) {
    const int to = row + step;
    if (row < 0 || row >= commands.size() || to < 0 || to >= commands.size() ||
        (step != 1 && step != -1)) {
        return false;
    }
    commands.move(row, to);
    return true;
}
