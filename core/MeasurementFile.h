#pragma once
// The measurement file (.dat): one line per recorded sample, the sample number, a tab and the
// value, each line (the last included) ended by CR LF; no header.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace core {

// A number in the general format: shortest decimal form of up to 15 significant digits, no
// exponent below 1E15; whole numbers come out as plain integers ("-12", "100000").
QString FormatGeneral(double value);

// One line of the log, without its line end: "<number>\t<value>".
QString SampleLine(std::int32_t number, double value);

// The bytes of a .dat file holding `lines` in order, each followed by CR LF.
QByteArray MeasurementFileContents(const QStringList& lines);

// Creates or replaces the file at `path` with `lines`. The file appears complete or not at all:
// an earlier file of that name stays untouched when writing fails. Raises EFileError ("Cannot
// create file <path>", "Cannot write file <path>") on failure.
void SaveMeasurementFile(const QString& path, const QStringList& lines);

} // namespace core
