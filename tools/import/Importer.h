#pragma once

#include "ExemplarTags.h"
#include "MediaPaths.h"
#include "RecordingImport.h"
#include "Season.h"

#include <QFileInfo>
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
//
// A photograph or recording becomes the bird's first (b22.png, k22.wav) when the user has
// none of their own yet; otherwise it is added beside the earlier ones as a further one
// (b22-2.png, k22-3.wav, with its tags), and nothing is replaced. Replacing the first is
// what replace or primary asks for.
struct ImportOptions
{
    QString personalRoot;         // where the files go ($XDG_DATA_HOME/piyo)
    QString dataRoot;             // the bundled media: their further files keep their numbers
    std::optional<Season> season; // only birds of this season set
    int bird = 0;                 // a single file placed by hand under this bird number
    bool replace = false;         // replace the user's earlier first file without asking
    bool primary = false;         // make it the bird's first, after asking about an earlier one
    bool dryRun = false;          // say what would be done, write nothing
    recordingimport::Stretch stretch;
};

enum class MediaKind { Picture, Recording, Description, Other };

MediaKind kindOf(const QString& path);

struct Placement
{
    QString source;
    MediaKind kind = MediaKind::Other;
    QList<int> birds;          // where it goes as the first; empty when it is left alone
    QString problem;           // why it is left alone
    bool seasonInName = false; // a plumage word in the name chose the season set
    QList<int> further;        // where it is added beside the earlier ones
    media::ExemplarTags tags;  // what its name says it shows, and whom it is owed to
};

// Where each file goes, decided from its name and the options alone: as the first of
// its birds; run() decides which become further ones.
Placement place(const QString& source, const ImportOptions& options);

// The tags a file's name gives: for a recording the kind of call (song, call, flight
// call, alarm, さえずり, 地鳴き ...), for a photograph the plumage and view (夏羽, female,
// juvenile, in flight ...), and the sound archive's catalogue number ("XC123456 - ...").
media::ExemplarTags tagsFromName(const QString& fileName, MediaKind kind);

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
    // the bundled ones; per bird how many pictures and calls of each kind it has; and the
    // birds with only the bundled ones, by the names to look for in a sound archive.
    void printSummary();

private:
    struct Made; // the file's content, made to suit the program
    void addBesideTheFirst(QList<Placement>& placements) const;
    void keepOnePerBird(QList<Placement>& placements, QList<bool>& named, int& leftAlone);
    bool importOne(const Placement& placement, bool named);
    bool replaceFirst(const Placement& placement, const Made* made, int bird);
    bool addFurther(const Placement& placement, const Made* made, int bird);
    std::optional<Made> make(const Placement& placement, bool named, QString* error) const;
    QStringList earlierFiles(MediaKind kind, int bird) const;
    bool hasBundledFirst(MediaKind kind, int bird) const;
    QString targetPath(MediaKind kind, int bird) const;
    int freeIndex(MediaKind kind, int bird) const;
    bool writeTags(const Placement& placement, const QFileInfo& target);
    bool hasOwn(media::BirdFile kind, int bird) const;
    void printShoppingList();

    ImportOptions m_options;
    QTextStream& m_out;
    std::function<bool(const QString&)> m_ask;
    QString m_stamp;                                         // names the files moved aside in this run
    std::map<std::pair<MediaKind, int>, QList<int>> m_taken; // further numbers given in this run
};
