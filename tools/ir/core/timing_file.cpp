#include "timing_file.h"

#include <QList>

namespace {

std::optional<quint32> length_of(QStringView digits) {
    if (digits.isEmpty() || digits.size() > 9) {
        return std::nullopt;
    }
    quint32 value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<quint32>(c.unicode() - u'0');
    }
    if (value > kLongestTimingUs) {
        return std::nullopt;
    }
    return value;
}

// The words of a line, split at blanks.
std::vector<QStringView> words_of(QStringView line) {
    std::vector<QStringView> words;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        const bool blank = i == line.size() || line[i].isSpace();
        if (blank && start >= 0) {
            words.push_back(line.sliced(start, i - start));
            start = -1;
        } else if (!blank && start < 0) {
            start = i;
        }
    }
    return words;
}

// The samples of one line, or nothing when it is none of the forms.
std::optional<std::vector<IrSample>> line_samples(QStringView line) {
    std::vector<IrSample> samples;
    const std::vector<QStringView> words = words_of(line);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const QStringView word = words[i];
        if (word.startsWith(u'+') || word.startsWith(u'-')) {
            const auto length = length_of(word.sliced(1));
            if (!length) {
                return std::nullopt;
            }
            samples.push_back(
                {word[0] == u'+' ? IrSample::Kind::kPulse : IrSample::Kind::kSpace, *length});
            continue;
        }
        if (i + 1 == words.size()) {
            return std::nullopt;
        }
        const auto length = length_of(words[++i]);
        if (!length) {
            return std::nullopt;
        }
        if (word == u"pulse") {
            samples.push_back({IrSample::Kind::kPulse, *length});
        } else if (word == u"space") {
            samples.push_back({IrSample::Kind::kSpace, *length});
        } else if (word == u"timeout") {
            samples.push_back({IrSample::Kind::kTimeout, *length});
        } else if (word != u"carrier") {
            return std::nullopt;
        }
    }
    return samples;
}

}  // namespace

TimingFile parse_timing_text(const QString& text) {
    TimingFile file;
    int number = 0;
    for (QStringView line : QStringView(text).split(u'\n')) {
        ++number;
        QStringView content = line;
        if (const qsizetype hash = content.indexOf(u'#'); hash >= 0) {
            content = content.first(hash);
        }
        content = content.trimmed();
        if (content.isEmpty()) {
            continue;
        }
        auto samples = line_samples(content);
        if (!samples) {
            QString shown = line.toString();
            shown.remove(u'\r');
            file.error = TimingFileError{number, shown};
            return file;
        }
        file.samples.insert(file.samples.end(), samples->begin(), samples->end());
    }
    return file;
}

QString timing_error_text(const TimingFileError& error) {
    return QStringLiteral("第 %1 行不是脉冲或间隔的时长：%2").arg(error.line).arg(error.text);
}
