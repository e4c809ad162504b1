// The text file reader and writer on any bytes. Any bytes decode, whole or as the start of a
// longer file. A text GB18030 can hold is written and read back as it was, unless its bytes
// happen to look like UTF-8 by the reading rule (rare for GBK text, see looks_like_utf8);
// a text it cannot hold is refused and leaves the file as it was. The readme shows no line over
// its limit. The first byte chooses the text: the rest decoded, or the rest as UTF-16 units.

#include "base/text_file.h"
#include "base/readme_text.h"
#include "fuzz/fuzz_check.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>

namespace {

QByteArray bytes_of(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void put_bytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    FUZZ_REQUIRE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_REQUIRE(file.write(bytes) == bytes.size());
}

// The reading rule's case for UTF-8: a byte-order mark, or valid UTF-8 with a sequence of three
// or more bytes.
bool looks_like_utf8(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    utf8(bytes);
    return bytes.startsWith("\xEF\xBB\xBF") ||
           (!utf8.hasError() && std::any_of(bytes.begin(), bytes.end(),
                                            [](char c) { return std::uint8_t(c) >= 0xE0; }));
}

void check_write_then_read(const QString& path, const QString& text) {
    const QByteArray before = bytes_of(path);
    const auto error = write_text_file(path, text);
    if (!QStringView(text).isValidUtf16()) {
        FUZZ_REQUIRE(error);
        FUZZ_REQUIRE(bytes_of(path) == before);
        return;
    }
    FUZZ_REQUIRE(!error);
    QString read;
    FUZZ_REQUIRE(!read_text_file(path, read));
    const QString written = text + QStringLiteral("\r\n");
    FUZZ_REQUIRE(read == written || looks_like_utf8(encode_text(written)));
}

void check_readme(const QDir& directory, const QByteArray& bytes) {
    put_bytes(directory.filePath(QString::fromUtf16(kReadmeName)), bytes);
    const QString shown = readme_text(directory.path());
    FUZZ_REQUIRE(shown.isEmpty() || shown.endsWith(QStringLiteral("\r\n")));
    for (const QString& line : split_lines(shown)) {
        for (const QStringView stretch : QStringView(line).split(u'\n')) {
            FUZZ_REQUIRE(stretch.size() <= kReadmeLineLimit + 1);
        }
    }
}

// Files are written on every run: in memory where the machine has a place for it, as a disk
// under load makes them a hundred times slower.
QTemporaryDir& scratch_directory() {
    const QString memory = QStringLiteral("/dev/shm");
    static QTemporaryDir directory((QFileInfo(memory).isWritable() ? memory : QDir::tempPath()) +
                                   QStringLiteral("/brevik-fuzz-XXXXXX"));
    return directory;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QTemporaryDir& directory = scratch_directory();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArray rest = bytes.mid(1);

    decode_text(bytes);
    decode_text_start(bytes);
    check_readme(QDir(directory.path()), bytes);

    const QString text =
        !bytes.isEmpty() && (bytes[0] & 1)
            ? QString(reinterpret_cast<const QChar*>(rest.constData()), rest.size() / 2)
            : decode_text(rest);
    check_write_then_read(directory.filePath(QStringLiteral("table.txt")), text);
    return 0;
}
