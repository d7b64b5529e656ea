#pragma once

#include "AnswerHistory.h"

#include <QObject>
#include <QString>

// Lives on the history's own thread and owns its database connection there:
// opens (or repairs) the file, writes answers one transaction each, and runs
// the results queries. When the file cannot be used it says why on stderr,
// once, and from then on drops what it is given: the quiz never notices.
class HistoryWriter final : public QObject
{
    Q_OBJECT
public:
    explicit HistoryWriter(QString folder);
    ~HistoryWriter() override;

    void open();
    void write(const history::Answer& answer);
    history::Results results(Season season, const QDateTime& now);
    history::LastAnswers lastAnswers(Season season, int count);
    bool isOn() const { return m_on; }

Q_SIGNALS:
    // An answer is in the file for good.
    void written(int count);
    // The history cannot be used for the rest of this run.
    void turnedOff();

private:
    bool openFile(const QString& path);
    void moveAside(const QString& path);
    void turnOff(const QString& why);

    QString m_folder;
    QString m_connection;
    bool m_on = false;
    int m_written = 0;
};
