#pragma once

#include <QString>

#include <memory>

class QTemporaryDir;

// A media set with every bird's files far larger than the bundled ones: a
// 20 MB call (two minutes of stereo 44.1 kHz), a 1024 × 1024 GIF of noise that
// barely compresses, and a 5 MB description. Each kind is written once and
// hard-linked under every bird's name, so every bird costs the same; the
// feedback files are the bundled ones. The screens read media from the real
// directory of the running executable, so the set is written in a new
// directory beside the given program together with a copy of it (and of any
// shared module lying beside it).
class LargeMediaSet
{
public:
    // Makes the set in a new directory under parentDirectory, from the bundled
    // set at bundledRoot, and puts a copy of program into it.
    bool create(const QString& parentDirectory, const QString& bundledRoot, const QString& program);
    LargeMediaSet();
    // Removes the directory and all in it.
    ~LargeMediaSet();

    QString errorString() const { return m_error; }
    // The copy of the program inside the set, which reads the large media.
    QString program() const { return m_program; }
    QString directory() const;
    // What the set holds, one line for the report.
    QString summary() const { return m_summary; }

private:
    bool fail(const QString& message);
    bool writeCall(const QString& path);
    bool writePicture(const QString& path);
    bool writeDescription(const QString& path);

    std::unique_ptr<QTemporaryDir> m_directory;
    QString m_program;
    QString m_summary;
    QString m_error;
};
