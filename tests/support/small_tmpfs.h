#pragma once

#include <QString>
#include <QTemporaryDir>

// A small tmpfs mounted on a fresh folder for as long as the object lives, so that a test can
// meet a disk that is really full. Mounting needs root; `mounted()` says whether it worked and
// `why_not()` why not, for the test's skip note.
class SmallTmpfs {
public:
    explicit SmallTmpfs(int kibibytes = 64);
    ~SmallTmpfs();

    bool mounted() const { return m_mounted; }
    QString why_not() const { return m_why_not; }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    // Writes `bytes` to the file `name` before the disk is filled, and returns its path.
    QString add_file(const QString& name, const QByteArray& bytes) const;

    // Takes every block that is left with a file of its own, so that the next write that needs a
    // block fails with "No space left on device".
    void fill();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_why_not;
};

// The bytes of a file, or "(missing)" when it cannot be read.
QByteArray file_bytes(const QString& path);

// A character device that discards what is written to it, as /dev/null does: a node of its own
// in `folder` when the test runs as root, so that a fault that replaces the target cannot replace
// the system's /dev/null; /dev/null itself otherwise, which a user cannot replace.
QString null_device(const QString& folder);
