#pragma once

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
    bool operator==(const ReceiveOptions&) const = default;
};

// The codec behind an encoding the terminal offers ("GBK", "UTF-8").
const char* decoder_name(const QString& encoding);

// The receive view's lines. It keeps the last bytes that arrived (16 MiB by default) with the
// time they came, and the lines they make in the chosen view; older lines go, and a first line
// says how many bytes went with them. Text lines end at CR, LF or CR LF; a hex line holds up to
// 16 bytes, and bytes that come after a pause start a new one. Hex lines are formatted when
// shown, so a full view costs little more than its bytes.
class ReceiveLog {
public:
    static constexpr qint64 kKeptBytes = 16 * 1024 * 1024;
    static constexpr int kHexLineBytes = 16;
    static constexpr int kPauseMs = 20;          // a gap this long starts a new hex line
    static constexpr int kTextLineChars = 1024;  // a longer text line wraps

    explicit ReceiveLog(qint64 kept_bytes = kKeptBytes) : m_kept(kept_bytes) {}

    // A new view of the kept bytes.
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
    // Every line on screen, joined by line feeds.
    QString text() const;

private:
    struct Chunk {
        qint64 start;  // place of its first byte among every byte since the last clear
        QByteArray bytes;
        int ms;  // time of day it arrived
    };
    struct Line {
        qint64 start;  // its first byte
        int ms;
        QString text;  // in a text view; a hex line is formatted from the bytes
    };

    void build_held();
    void build(const Chunk& chunk, qsizetype from);
    void build_hex(const Chunk& chunk, qsizetype from);
    void build_text(const Chunk& chunk, qsizetype from);
    void start_line(qint64 start, int ms);
    void restart_lines();
    void trim();
    qint64 kept_from() const { return m_chunks.empty() ? m_end : m_chunks.front().start; }
    QByteArray kept_bytes(qint64 from, qint64 to) const;
    QString prefix(int ms) const;

    qint64 m_kept;
    ReceiveOptions m_options;
    bool m_paused = false;
    std::deque<Chunk> m_chunks;
    std::deque<Line> m_lines;
    qint64 m_cleared = 0;     // where the bytes since the last clear start
    qint64 m_end = 0;         // after the last byte that arrived
    qint64 m_built = 0;       // after the last byte in the lines
    qint64 m_shown_from = 0;  // the first byte the lines may show; those before it went
    // The line being filled: whether there is one, and what the view remembers between reads.
    bool m_line_open = false;
    bool m_after_cr = false;
    int m_line_bytes = 0;
    int m_last_ms = 0;
    std::optional<QStringDecoder> m_decoder;
};
