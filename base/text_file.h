#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Text files in the system's 8-bit code page, GBK. Reading also takes UTF-8 (with or without
// a byte-order mark), so a file saved by a modern editor reads right; writing uses GB18030,
// which is byte for byte GBK for every GBK character and still holds every other one.

struct TextFileError {
    QString reason;
};

// The lines of `text`: a line ends at CR, CR LF or the end of the data, and the line end is
// not part of the line. A lone LF stays inside its line. Empty data gives no lines.
QStringList split_lines(const QString& text);

// Whether a lone LF ends a line too (compiler listings, editors) or stays inside it.
enum class LoneLineFeed { kInsideLine, kEndsLine };

// The lines of `text` as views into it, ended by CR, CR LF, the end of the data and, when
// `lone_lf` says so, a lone LF; the line end is not part of the line; empty data gives no lines.
QList<QStringView> line_views(QStringView text, LoneLineFeed lone_lf);

// `text` with every CR LF and lone CR turned into LF, as editors and message boxes break lines.
QString with_line_feeds(QString text);

// Decodes file bytes: UTF-8 when they start with its byte-order mark, or when they are valid
// UTF-8 and hold at least one sequence of three or more bytes; otherwise GB18030 (ASCII reads
// the same either way).
QString decode_text(const QByteArray& bytes);

// decode_text for the first bytes of a longer file: a character cut off at their end is left
// out.
QString decode_text_start(const QByteArray& bytes);

// GB18030 bytes of `text`.
QByteArray encode_text(const QString& text);

// Reads and decodes the whole file at `path` into `text`. Returns the reason on failure (a
// missing file, a directory, no permission), leaving `text` as it was.
std::optional<TextFileError> read_text_file(const QString& path, QString& text);

// The bytes of a saved text file: `text` and one CR LF in GB18030, put into `bytes`. Returns the
// reason when GB18030 cannot hold the text (a lone surrogate), leaving `bytes` as it was.
std::optional<TextFileError> text_file_bytes(const QString& text, QByteArray& bytes);

// Creates or replaces the file at `path` with `bytes`. A regular file (or a new one) is written
// beside the old one, flushed to the disk and put in its place only when whole, so a failure (a
// full disk, no permission) leaves an old file as it was. A device or a named pipe (/dev/null, a
// FIFO) is written in place, as a shell's redirection does, and never replaced. Returns the
// reason on failure.
std::optional<TextFileError> write_file_bytes(const QString& path, const QByteArray& bytes);

// Creates or replaces the file at `path` with text_file_bytes of `text`, as write_file_bytes
// does. Text that GB18030 cannot hold fails before the file is touched.
std::optional<TextFileError> write_text_file(const QString& path, const QString& text);

// Creates or replaces the file at `path` with `bytes`, as write_text_file does: a failed write
// leaves an old file whole. Returns the reason on failure.
std::optional<TextFileError> write_file_bytes(const QString& path, const QByteArray& bytes);
