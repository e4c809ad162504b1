#include "command_kit.h"

#include "base/text_file.h"

#include <cerrno>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

const QString kExitStatus =
    u"Exit status: 0 done; 1 a file could not be read or written; 2 a bad or missing option,\n"
    "nothing written.\n"_s;

// The column where the options' help starts.
constexpr qsizetype kHelpColumn = 34;

QStringList words_of(const Command& command) {
    return command.name.split(u' ', Qt::SkipEmptyParts);
}

QString option_lines(const QString& left, const QString& help) {
    QString lines = u"  "_s + left;
    const QStringList help_lines = help.split(u'\n');
    for (qsizetype i = 0; i < help_lines.size(); ++i) {
        if (i > 0 || lines.size() + 1 > kHelpColumn) {
            lines += u'\n' + QString(kHelpColumn, u' ');
        } else {
            lines += QString(kHelpColumn - lines.size(), u' ');
        }
        lines += help_lines[i];
    }
    return lines + u'\n';
}

// The commands whose names start with the words `prefix`.
std::vector<const Command*> commands_under(const CommandCatalog& commands,
                                           const QStringList& prefix) {
    std::vector<const Command*> found;
    for (const Command& command : commands) {
        const QStringList words = words_of(command);
        if (words.size() > prefix.size() && words.mid(0, prefix.size()) == prefix) {
            found.push_back(&command);
        }
    }
    return found;
}

// A word that names no subcommand, or only the first words of some: the subcommands there are.
CommandRun not_a_command(const CommandCatalog& commands, const QStringList& arguments) {
    CommandRun run;
    // The longest run of words that starts some subcommands' names.
    QStringList prefix;
    while (prefix.size() < arguments.size() &&
           !commands_under(commands, prefix + QStringList{arguments[prefix.size()]}).empty()) {
        prefix << arguments[prefix.size()];
    }
    const auto under = commands_under(commands, prefix);
    const QString program = (QStringList{u"brevik"_s} + prefix).join(u' ');
    const bool help = arguments.mid(prefix.size()).contains(u"--help"_s) ||
                      arguments.mid(prefix.size()).contains(u"-h"_s);
    QStringList names;
    QString usage;
    for (const Command* command : under) {
        const QString next = words_of(*command)[prefix.size()];
        if (!names.contains(next)) {
            names << next;
        }
        usage += u"%1 brevik %2 %3\n"_s.arg(usage.isEmpty() ? u"Usage:"_s : u"      "_s,
                                            command->name, command->synopsis);
    }
    if (!prefix.isEmpty() && help) {
        QString text = usage + u'\n';
        QString examples;
        for (const Command* command : under) {
            text += option_lines(command->name, command->summary);
            examples += u"  "_s + command->examples.value(0) + u'\n';
        }
        text += u"\nEach one's options: brevik %1 --help\n\nExamples:\n%2\n"_s.arg(
                    under.front()->name, examples) +
                kExitStatus;
        run.output = text.toUtf8();
        return run;
    }
    const QString word = arguments.value(prefix.size());
    run.exit_status = kCommandBadUsage;
    run.errors = word.isEmpty()
                     ? u"%1: name a subcommand: %2 (%1 --help)\n"_s.arg(program, names.join(u", "))
                     : u"%1: '%2' is not a subcommand. Valid subcommands: %3 (%1 "
                       "--help)\n"_s.arg(program, word, names.join(u", "));
    return run;
}

}  // namespace

const Command* find_command(const CommandCatalog& commands, const QStringList& arguments) {
    const Command* found = nullptr;
    qsizetype found_words = 0;
    for (const Command& command : commands) {
        const QStringList words = words_of(command);
        if (words.size() > found_words && arguments.mid(0, words.size()) == words) {
            found = &command;
            found_words = words.size();
        }
    }
    return found;
}

QString command_help(const Command& command) {
    QString help = u"Usage: brevik %1 %2\n%3\n\nOptions:\n"_s.arg(command.name, command.synopsis,
                                                                  command.description);
    for (const CommandOption& option : command.options) {
        help += option_lines(
            option.value.isEmpty() ? option.name : option.name + u' ' + option.value, option.help);
    }
    help += option_lines(u"-o FILE"_s,
                         u"write FILE instead of standard output, replacing it only\nonce the "
                         "text is whole (a device or a named pipe is\nwritten in place)"_s);
    help += option_lines(u"-h, --help"_s, u"this text"_s);
    help +=
        u"\nValues such as pic, C or MSB may be typed in any case; each option is given "
        "once.\n\nExamples:\n"_s;
    for (const QString& example : command.examples) {
        help += u"  "_s + example + u'\n';
    }
    return help + u'\n' + kExitStatus;
}

QString saved_file_description(const QString& what, const QString& saved_by, const QString& more) {
    return u"Writes %1, byte for byte the file %2\n(GBK text, CR LF line ends)%3. Needs no "
           "display."_s.arg(what, saved_by, more);
}

QString subcommand_list(const CommandCatalog& commands) {
    QString list;
    for (const Command& command : commands) {
        list += option_lines(command.name, command.summary);
    }
    return list;
}

CommandRun run_command(const CommandCatalog& commands, const QStringList& arguments) {
    const Command* command = find_command(commands, arguments);
    if (!command) {
        return not_a_command(commands, arguments);
    }
    CommandRun run;
    const QString program = u"brevik "_s + command->name;
    const CommandOptions options(arguments.mid(words_of(*command).size()), command->options);
    if (options.help()) {
        run.output = command_help(*command).toUtf8();
        return run;
    }
    try {
        if (options.error()) {
            refuse(*options.error());
        }
        const CommandOutput made = command->run(options);
        if (!made.notes.isEmpty()) {
            run.errors = made.notes.endsWith(u'\n') ? made.notes : made.notes + u'\n';
        }
        QByteArray bytes;
        const auto file = options.value(u"-o"_s);
        if (command->line_feeds) {
            bytes = encode_text(with_line_feeds(made.text) + u'\n');
        } else if (const auto error = text_file_bytes(made.text, bytes)) {
            throw FileError{
                u"cannot write %1: %2"_s.arg(file.value_or(u"standard output"_s), error->reason)};
        }
        if (!file) {
            run.output = bytes;
        } else if (const auto error = write_file_bytes(*file, bytes)) {
            throw FileError{u"cannot write %1: %2"_s.arg(*file, error->reason)};
        }
    } catch (const UsageError& error) {
        run.exit_status = kCommandBadUsage;
        run.errors += program + u": "_s + error.text + u'\n';
    } catch (const FileError& error) {
        run.exit_status = kCommandCannotReadOrWrite;
        run.errors += program + u": "_s + error.text + u'\n';
    }
    return run;
}

int command_main(const CommandCatalog& commands, const QStringList& arguments) {
    CommandRun run = run_command(commands, arguments);
    const Command* command = find_command(commands, arguments);
    errno = 0;
    const auto size = static_cast<std::size_t>(run.output.size());
    const bool written = std::fwrite(run.output.constData(), 1, size, stdout) == size &&
                         std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!written) {
        run.errors += u"%1: cannot write standard output: %2\n"_s.arg(
            command ? u"brevik "_s + command->name : u"brevik"_s,
            errno != 0 ? qt_error_string(errno) : u"write failed"_s);
        run.exit_status = kCommandCannotReadOrWrite;
    }
    if (!run.errors.isEmpty()) {
        const QByteArray errors = run.errors.toLocal8Bit();
        std::fwrite(errors.constData(), 1, static_cast<std::size_t>(errors.size()), stderr);
        std::fflush(stderr);
    }
    return run.exit_status;
}
