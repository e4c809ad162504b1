#pragma once

#include "checksum.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QTime>

#include <deque>
#include <optional>

// How the receive view shows bytes: hex pairs, or text in an encoding; with or without the time
// each line's first byte arrived.
struct ReceiveOptions {
    bool hex = false;
    bool timestamps = false;
    QString encoding = QStringLiteral("GBK");
    // 核对接收校验和: each hex line ends with its verdict for this check (none for 无).
    Checksum check = Checksum::kNone;
    bool operator==(const ReceiveOptions&) const = default;
};

// The codec behind an encoding the terminal offers ("GBK", "UTF-8").
const char* decoder_name(const QString& encoding);

// The receive view's lines. It keeps the last bytes that arrived (16 MiB by default, and no more
// than a million lines or arrival times) with the time they came, and the lines they make in the
// chosen view; older lines go, and a first line says how many bytes went with them. Text lines
// end at CR, LF or CR LF; a hex line holds up to 16 bytes, and a byte that comes 20 ms or more
// after the one before starts a new one. The bytes are kept packed in large blocks, whatever the
// size of the reads; hex lines are formatted when shown, and the text is served by range, so a
// full view costs little more than its bytes.
class ReceiveLog {
public:
    static constexpr qint64 kKeptBytes = 16 * 1024 * 1024;
    static constexpr qsizetype kKeptLines = 1000 * 1000;
    static constexpr int kHexLineBytes = 16;
    static constexpr int kPauseMs = 20;          // a gap this long starts a new hex line
    static constexpr int kTextLineChars = 1024;  // a longer text line wraps

    explicit ReceiveLog(qint64 kept_bytes = kKeptBytes, qsizetype kept_lines = kKeptLines)
        : m_kept(kept_bytes), m_kept_lines(kept_lines) {}

    // A new view of the kept bytes; held bytes stay held.
    void set_options(const ReceiveOptions& options);
    const ReceiveOptions& options() const { return m_options; }

    // Bytes that arrived at `arrival`.
    void append(const QByteArray& bytes, QTime arrival);

    // While paused the lines stand still; bytes keep arriving and are shown on resuming.
    void set_paused(bool paused);
    bool paused() const { return m_paused; }
    qint64 held_bytes() const { return m_end - m_built; }
    // Bytes that arrived but are no longer on screen.
    qint64 dropped_bytes() const;

    void clear();

    // Lines on screen, the mark of dropped bytes first when there is one.
    qsizetype line_count() const;
    QString line(qsizetype index) const;
    // Every line on screen, joined by line feeds; its size, and characters `from` up to `to`
    // of it, made only for the lines asked.
    QString text() const;
    qint64 text_size() const;
    QString text(qint64 from, qint64 to) const;
    // Where line `index` (the mark counted; line_count() for the end) begins in the text, and
    // the line that holds character `offset`, found without making the lines before.
    qint64 text_offset(qsizetype index) const;
    qsizetype line_at(qint64 offset) const;

    // Lines that went from the top since the lines were last made anew: line `index` now was
    // line `index + dropped_lines()` then. The generation changes whenever they are made anew
    // (cleared, or shown another way).
    qint64 dropped_lines() const;
    qint64 generation() const { return m_generation; }

private:
    struct Arrival {
        qint64 start;  // its first byte, among every byte since the view began
        int ms;        // time of day it arrived
    };
    struct Line {
        qint64 start;         // its first byte
        qint64 chars_before;  // text view: characters of the lines before it, since the rebuild
        int ms;
        QString text;  // in a text view; a hex line is formatted from the bytes
    };

    void build_to(qint64 to);
    void build_hex(qint64 from, qint64 to, int ms, bool after_gap);
    void build_text(qint64 from, qint64 to, int ms);
    // Characters of one line's run (no line ends), wrapped at kTextLineChars.
    void add_text(QStringView text, qint64 start, int ms);
    void start_line(qint64 start, int ms);
    void close_line();
    void restart_lines();
    void trim();
    void store(const QByteArray& bytes);
    QByteArray bytes(qint64 from, qint64 to) const;
    QString prefix(int ms) const;
    int prefix_size() const { return m_options.timestamps ? 15 : 0; }
    QString verdict(const QByteArray& shown) const;
    // "  校验正确": the same size for every hex line, so offsets stay a sum.
    int verdict_size() const { return m_options.hex && m_options.check != Checksum::kNone ? 6 : 0; }
    QString mark() const;
    // Where line `index` (not counting the mark) begins in the text after the mark.
    qint64 line_offset(qsizetype index) const;

    qint64 m_kept;
    qsizetype m_kept_lines;
    ReceiveOptions m_options;
    bool m_paused = false;
    std::deque<QByteArray> m_blocks;  // every block full but the last
    qint64 m_blocks_from = 0;         // the first byte of the first block
    std::deque<Arrival> m_arrivals;   // reads of one millisecond share one
    std::deque<Line> m_lines;
    qint64 m_cleared = 0;     // where the bytes since the last clear start
    qint64 m_kept_from = 0;   // the first byte still kept
    qint64 m_end = 0;         // after the last byte that arrived
    qint64 m_built = 0;       // after the last byte in the lines
    qint64 m_shown_from = 0;  // the first byte the lines may show; those before it went
    qint64 m_text_chars = 0;  // characters of the text lines since the rebuild
    // The line being filled: whether there is one, and what the view remembers between reads.
    bool m_line_open = false;
    bool m_after_cr = false;
    int m_line_bytes = 0;
    qint64 m_line_start = 0;  // text view: the byte after the last line end
    int m_last_ms = 0;
    std::optional<QStringDecoder> m_decoder;
    qint64 m_generation = 0;
    qint64 m_popped = 0;               // lines dropped from the top since the rebuild
    bool m_marked_at_rebuild = false;  // the mark of dropped bytes was there at the rebuild
};
