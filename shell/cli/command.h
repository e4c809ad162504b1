#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class CommandOptions;

// One subcommand of the program, such as `brevik glyphs` or `brevik table sensor`: what it takes,
// how its help reads and what it makes. The kit (command_kit.h) reads the options, answers
// --help and -o, writes the text and sets the exit status the same way for every subcommand.

// An option of a subcommand. -o FILE and -h/--help belong to every subcommand and are not listed.
struct CommandOption {
    QString name;   // with its dashes: "--dialect"
    QString value;  // what it takes, for the help: "pic|a51|c|emc"; empty: a switch, no value
    QString help;   // one line, or several joined by '\n'
};

// What a subcommand made: the text of the file a window would save, and remarks for standard
// error that do not stop the command.
struct CommandOutput {
    QString text;
    QString notes;
};

struct Command {
    QString name;                        // the words after "brevik": "glyphs", "table sensor"
    QString synopsis;                    // the usage line after the name: "--text TEXT [options]"
    QString summary;                     // one line, for `brevik --help` and a mistyped subcommand
    QString description;                 // the paragraph under the usage line
    std::vector<CommandOption> options;  // in the order the help lists them
    QStringList examples;                // whole command lines, each starting "brevik "
    // Makes the text from the options read; refuses with refuse() or cannot_read().
    std::function<CommandOutput(const CommandOptions&)> run;
    // Draws with the window system's fonts: runs inside a QGuiApplication on the offscreen
    // platform, which needs no display.
    bool draws = false;
    // Writes its lines with LF alone, as the Linux tools that read them expect (ir-ctl takes
    // no CR), rather than the CR LF of the tables a window saves.
    bool line_feeds = false;
};

// The description of a subcommand that writes the file a window saves, in the words every such
// subcommand uses: "Writes WHAT, byte for byte the file SAVED_BY\n(GBK text, CR LF line
// ends)MORE. Needs no display."
QString saved_file_description(const QString& what, const QString& saved_by,
                               const QString& more = {});

// The subcommands, in the order the help lists them.
using CommandCatalog = std::vector<Command>;

// Exit statuses, the same for every subcommand.
inline constexpr int kCommandDone = 0;
inline constexpr int kCommandCannotReadOrWrite = 1;
inline constexpr int kCommandBadUsage = 2;

// A refused command line (exit status 2); nothing is written.
struct UsageError {
    QString text;
};

// A file that cannot be read or written (exit status 1); nothing is written.
struct FileError {
    QString text;
};

[[noreturn]] void refuse(const QString& text);
// "NAME: 'VALUE' is not valid. Valid values: VALID"
[[noreturn]] void refuse_value(const QString& name, const QString& value, const QString& valid);
// "cannot read PATH: REASON"
[[noreturn]] void cannot_read(const QString& path, const QString& reason);
