#pragma once

#include "Finding.h"

#include <QString>

class QTextStream;

// Checks every file of a media directory and writes one line per finding:
// the path relative to the directory, whose file it is, and what is wrong.
class MediaCheck
{
public:
    explicit MediaCheck(QString root);

    // Writes the findings and the closing summary; returns the number of problems.
    int run(QTextStream& out);

private:
    enum class Kind { Picture, Sound, Description };

    struct Item
    {
        Kind kind;
        QString relativePath; // "声/k12.wav"
        QString owner;        // "12 オバシギ", "right-answer sound"
        bool bird;
    };

    static QList<Item> items();
    static Findings check(const Item& item, const QString& path);
    static QString directoryOf(Kind kind);
    void report(QTextStream& out, const Item& item, const Findings& findings);
    void reportMissingDirectory(QTextStream& out, Kind kind, int fileCount);
    QString summary() const;

    QString m_root;
    int m_counts[3] = {};
    int m_problems = 0;
    int m_warnings = 0;
};
