#pragma once

#include "RecordingImport.h"
#include "Season.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <map>
#include <optional>

// Files photographs, recordings and description texts under the right bird in the user's
// own media folder, made to suit the program (see PictureImport, RecordingImport and
// DescriptionImport), and says which birds now use the user's media.
struct ImportOptions
{
    QString personalRoot;         // where the files go ($XDG_DATA_HOME/piyo)
    std::optional<Season> season; // only birds of this season set
    int bird = 0;                 // a single file placed by hand under this bird number
    bool replace = false;         // replace the user's earlier file without asking
    bool dryRun = false;          // say what would be done, write nothing
    recordingimport::Stretch stretch;
};

enum class MediaKind { Picture, Recording, Description, Other };

MediaKind kindOf(const QString& path);

struct Placement
{
    QString source;
    MediaKind kind = MediaKind::Other;
    QList<int> birds;          // where it goes; empty when it is left alone
    QString problem;           // why it is left alone
    bool seasonInName = false; // a plumage word in the name chose the season set
};

// Where each file goes, decided from its name and the options alone.
Placement place(const QString& source, const ImportOptions& options);

// A file to import. A symbolic link is followed only when the user named it on the
// command line: one met while walking a folder may point anywhere, a private file
// included, and is left alone.
struct SourceFile
{
    QString path;
    bool named = true; // given on the command line, not found in a folder
    bool link = false; // a symbolic link found in a folder
};

// The files named, directories walked (sorted, so runs are repeatable).
QList<SourceFile> expandArguments(const QStringList& arguments);

class Importer
{
public:
    // ask gets a question and returns whether to go ahead (replacing an earlier file).
    Importer(ImportOptions options, QTextStream& out, std::function<bool(const QString&)> ask);

    // Returns the number of files left alone or failed.
    int run(const QList<SourceFile>& files);

    // Per season set: the birds with the user's own picture and call, and those still on
    // the bundled ones.
    void printSummary();

private:
    struct Made; // the file's content, made to suit the program
    void keepOnePerBird(QList<Placement>& placements, QList<bool>& named, int& leftAlone);
    bool importOne(const Placement& placement, bool named);
    std::optional<Made> make(const Placement& placement, bool named, QString* error) const;
    QStringList earlierFiles(MediaKind kind, int bird) const;
    QString targetPath(MediaKind kind, int bird) const;

    ImportOptions m_options;
    QTextStream& m_out;
    std::function<bool(const QString&)> m_ask;
    QString m_stamp; // names the files moved aside in this run
};
