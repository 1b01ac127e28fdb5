#pragma once
// The chart area's background image setting: a bitmap file drawn in one of three fill modes.

#include <QString>
#include <functional>

namespace chart {

enum TBkgFill { bfSimple, bfStretch, bfTile };

class TBakGndImg {
public:
    TBakGndImg() = default;
    TBakGndImg(const TBakGndImg&) = delete;
    TBakGndImg& operator=(const TBakGndImg&) = delete;

    // The image file; empty means none. Without IncludePath only the file-name part is kept,
    // so the file is then looked up relative to the current directory.
    const QString& Name() const { return FName; }
    void SetName(const QString& v);
    // Setting False also cuts the stored Name to its file-name part.
    bool IncludePath() const { return FIncludePath; }
    void SetIncludePath(bool v);
    TBkgFill FillMode() const { return FFillMode; }
    void SetFillMode(TBkgFill v);

    // Copies the three values (IncludePath first, so Name keeps its directory when allowed).
    void Assign(const TBakGndImg& source);

    // Empties Name after a failed load, without notification.
    void ForgetName() { FName.clear(); }

    std::function<void(TBakGndImg* sender)> OnChange;

private:
    void Changed();

    QString FName;
    bool FIncludePath = false;
    TBkgFill FFillMode = bfStretch;
};

// The file-name part of a path (after the last '/' or '\\' or drive colon).
QString FileNamePart(const QString& path);

} // namespace chart
