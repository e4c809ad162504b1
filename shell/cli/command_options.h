#pragma once

#include "shell/cli/command.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// The options of one command line, read by one set of rules for every subcommand:
// - an option is given as "--name value" or "--name=value"; a switch takes no value;
// - an option not in the list, a word that is no option, a missing or empty value, and an
//   option given twice are refused (exit status 2);
// - -h or --help anywhere an option may stand asks for the help, whatever else is wrong;
// - the values a choice takes are matched in any case ("C", "pic", "MSB").
class CommandOptions {
public:
    // `arguments` are the words after the subcommand's name; `valid` its options, to which -o
    // and -h/--help are added.
    CommandOptions(const QStringList& arguments, const std::vector<CommandOption>& valid);

    bool help() const { return m_help; }
    // The first thing wrong with the command line, if any.
    const std::optional<QString>& error() const { return m_error; }

    bool has(const QString& name) const { return m_values.contains(name); }
    std::optional<QString> value(const QString& name) const;
    // The value of an option that must be given; `valid` says what it takes.
    QString required(const QString& name, const QString& valid) const;
    // The value's place among `values`, in any case. An entry may give other spellings after a
    // '|' ("c|数组"); the valid values are the first spellings, the others in brackets. Without
    // the option: `fallback`, or the option is refused as missing.
    int choice(const QString& name, const QStringList& values,
               std::optional<int> fallback = std::nullopt) const;
    // A finite number in the program's number rules, or `fallback` without the option.
    double number(const QString& name, double fallback, const QString& valid) const;

private:
    QMap<QString, QString> m_values;
    QStringList m_valid_names;
    bool m_help = false;
    std::optional<QString> m_error;
};
