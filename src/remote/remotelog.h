// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QObject>
#include <QString>
#include <QStringList>

#include <deque>

// What remote clients did: every command with its client's address and how it
// went, connections, refused tokens and dropped clients. Each line goes to a
// log file that is rotated when it grows past its size (remote.log, then
// remote.log.1 ... .3, oldest last) and to the last lines kept in memory for
// the "Remote log" window. Without a file (none set, or it cannot be
// written) the lines are kept in memory only.
class RemoteLog : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 kRotateBytes = 1024 * 1024;
    static constexpr int kKeptFiles = 3;
    static constexpr int kKeptLines = 1000;

    explicit RemoteLog(QObject *parent = nullptr);

    // The file to append to; an empty path writes none.
    void SetFile(const QString &path, qint64 rotateBytes = kRotateBytes);
    QString FilePath() const { return path; }
    // The log file's usual place: tavrel/remote.log in the user's data
    // folder (~/.local/share).
    static QString DefaultPath();

    // Adds a line, stamped with the local date and time.
    void Add(const QString &text);
    QStringList Lines() const;

signals:
    void LineAdded(const QString &line);

private:
    void Write(const QString &line);
    bool OpenFile();
    void Rotate();

    QString path;
    qint64 rotateBytes = kRotateBytes;
    QFile file;
    std::deque<QString> lines;
};
