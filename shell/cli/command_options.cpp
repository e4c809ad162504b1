#include "command_options.h"

#include "base/number_text.h"

#include <cmath>

using namespace Qt::StringLiterals;

void refuse(const QString& text) {
    throw UsageError{text};
}

void refuse_value(const QString& name, const QString& value, const QString& valid) {
    refuse(u"%1: '%2' is not valid. Valid values: %3"_s.arg(name, value, valid));
}

void cannot_read(const QString& path, const QString& reason) {
    throw FileError{u"cannot read %1: %2"_s.arg(path, reason)};
}

CommandOptions::CommandOptions(const QStringList& arguments,
                               const std::vector<CommandOption>& valid) {
    QStringList switches{u"-h"_s, u"--help"_s};
    QStringList with_values{u"-o"_s};
    // An option named without dashes ("FILE") is an operand: the first word that is no option.
    QStringList operands;
    for (const CommandOption& option : valid) {
        if (!option.name.startsWith(u'-')) {
            operands << option.name;
            continue;
        }
        (option.value.isEmpty() ? switches : with_values) << option.name;
        m_valid_names << option.name;
    }
    m_valid_names << u"-o"_s << u"-h"_s;
    const QString listed = m_valid_names.join(u", ");
    const auto fail = [this](const QString& text) {
        if (!m_error) {
            m_error = text;
        }
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString name = arguments[i];
        std::optional<QString> value;
        if (const qsizetype equals = name.indexOf(u'='); name.startsWith(u"--") && equals > 0) {
            value = name.sliced(equals + 1);
            name.truncate(equals);
        }
        if (!name.startsWith(u'-') && !operands.isEmpty()) {
            m_values.insert(operands.takeFirst(), name);
            continue;
        }
        if (name == u"-h" || name == u"--help") {
            m_help = true;
            continue;
        }
        if (switches.contains(name)) {
            if (value) {
                fail(u"%1 takes no value."_s.arg(name));
            }
            value = QString();
        } else if (!with_values.contains(name)) {
            fail(name.startsWith(u'-')
                     ? u"Unknown option %1. Valid options: %2"_s.arg(name, listed)
                     : u"Unexpected argument %1. Valid options: %2"_s.arg(name, listed));
            continue;
        } else if (!value) {
            if (++i == arguments.size()) {
                fail(u"%1 needs a value."_s.arg(name));
                break;
            }
            value = arguments[i];
        }
        if (with_values.contains(name) && value->isEmpty()) {
            fail(u"%1 needs a value, not an empty one."_s.arg(name));
        }
        if (m_values.contains(name)) {
            fail(u"%1 is given twice; give each option once."_s.arg(name));
        }
        m_values.insert(name, *value);
    }
}

std::optional<QString> CommandOptions::value(const QString& name) const {
    const auto found = m_values.find(name);
    return found == m_values.end() ? std::nullopt : std::optional<QString>(*found);
}

QString CommandOptions::required(const QString& name, const QString& valid) const {
    const auto found = value(name);
    if (!found) {
        refuse(u"%1 is missing. Valid values: %2"_s.arg(name, valid));
    }
    return *found;
}

int CommandOptions::choice(const QString& name, const QStringList& values,
                           std::optional<int> fallback) const {
    QStringList valid;
    for (const QString& entry : values) {
        const QStringList spellings = entry.split(u'|');
        valid << (spellings.size() == 1
                      ? spellings[0]
                      : u"%1 (%2)"_s.arg(spellings[0], spellings.mid(1).join(u", ")));
    }
    const auto given = value(name);
    if (!given) {
        if (fallback) {
            return *fallback;
        }
        refuse(u"%1 is missing. Valid values: %2"_s.arg(name, valid.join(u", ")));
    }
    for (qsizetype i = 0; i < values.size(); ++i) {
        for (const QString& spelling : values[i].split(u'|')) {
            if (given->compare(spelling, Qt::CaseInsensitive) == 0) {
                return static_cast<int>(i);
            }
        }
    }
    refuse_value(name, *given, valid.join(u", "));
}

double CommandOptions::number(const QString& name, double fallback, const QString& valid) const {
    const auto given = value(name);
    if (!given) {
        return fallback;
    }
    const double number = text_to_number(*given);
    if (!is_numeric(*given) || !std::isfinite(number)) {
        refuse_value(name, *given, valid);
    }
    return number;
}
