#pragma once
// Files that appear complete or not at all: the bytes go to a temporary file beside the target,
// their count is checked, the data reaches the disk, and only then does a rename put the file in
// place. An earlier file of that name stays untouched when anything fails. The measurement log,
// the metafile and the other picture formats all save through here.

#include <QByteArray>
#include <QString>

namespace chart {

struct WholeFileResult {
    enum Failure {
        wfNone,
        wfCreate, // the file (or its temporary twin) could not be created, or the rename failed
        wfWrite,  // fewer bytes reached the file than were given (a full disk, a size limit)
    };
    Failure failure = wfNone;
    QString reason; // the system's words for the failure; empty on success

    explicit operator bool() const { return failure == wfNone; }
};

// Creates or replaces `path` with `bytes`; never throws.
WholeFileResult WriteWholeFile(const QString& path, const QByteArray& bytes);

} // namespace chart
