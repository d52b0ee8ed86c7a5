// Shows the importer's progress on stderr: a bar redrawn in place on a terminal, plain lines
// every few seconds otherwise (a log file, a pipe).
#pragma once

#include "dataaccess/import/importerror.h"

#include <QElapsedTimer>
#include <QString>

class ProgressView {
  public:
    explicit ProgressView(bool quiet);
    ~ProgressView();
    libraryimport::ImportProgress callbacks();
    // Ends the current bar line, if any.
    void finishLine();

  private:
    void phase(const QString &name, qint64 total);
    void advance(qint64 done);
    void warning(const QString &message);
    void draw();

    bool quiet_;
    bool terminal_;
    QString phase_;
    qint64 total_ = 0;
    qint64 done_ = 0;
    bool lineOpen_ = false;
    QElapsedTimer sinceDraw_;
    QElapsedTimer sincePhase_;
};
