#pragma once

#include "Finding.h"

#include <QString>
#include <QStringList>

class QTextStream;

// Checks the files the program would use, bird by bird, and writes one line per
// finding: the file, whose file it is, and what is wrong. For each file the
// program takes the first regular file among its names (b5.gif, b5.jpg, ...),
// in the user's own folder first and then in the media directory; so does the
// check. Files from the user's folder are listed, with their full path. A bird's
// further pictures and calls (姿/b22-2.png, 声/k22-3.wav) are checked alike where
// they exist, with the tags files beside them.
class MediaCheck
{
public:
    // personalRoot: the user's own folder, or empty to check root alone.
    MediaCheck(QString root, QString personalRoot);

    // Writes the findings and the closing summary; returns the number of problems.
    int run(QTextStream& out);

private:
    enum class Kind { Picture, Sound, Description };

    struct Item
    {
        Kind kind;
        QStringList names; // "声/k12.wav", "声/k12.flac", ... in the order the program looks
        QString owner;     // "12 オバシギ", "right-answer sound"
        bool bird;
    };

    // Where one item's file was found, or why none was.
    struct Lookup
    {
        QString path;  // the file the program uses; empty: none
        QString shown; // how it is named in the report
        bool personal = false;
        QStringList passedOver; // names that exist but are not regular files
        QStringList unused;     // regular files under later names of the same folder
    };

    static QList<Item> items();
    static QList<Item> furtherItems(Kind kind);
    static Findings check(const Item& item, const QString& path);
    static QString directoryOf(Kind kind);
    QStringList roots() const;
    QString shownPath(const QString& root, const QString& name) const;
    Lookup find(const Item& item) const;
    bool directoryPresent(Kind kind) const;
    void checkItem(QTextStream& out, const Item& item);
    void checkFurther(QTextStream& out, Kind kind);
    void checkTags(QTextStream& out, const Item& item, const QString& path, bool personal);
    void report(QTextStream& out, const QString& shown, const Item& item, const Findings& findings);
    void reportMissingDirectory(QTextStream& out, Kind kind, int fileCount);
    QString summary() const;

    QString m_root;
    QString m_personalRoot;
    int m_counts[3] = {};
    int m_further[3] = {}; // pictures and sounds beside the first ones (b22-2.png, k22-3.wav)
    int m_problems = 0;
    int m_warnings = 0;
    int m_personalFiles = 0;
};
