#pragma once
// Interim stand-in for TDTLabel until the scale's own lands; removed then.
#include <QChar>

namespace chart {
enum TTimeFormat { tfHHMMSS, tfHHhMM, tfAMPM };
enum TYearLength { ylNone, ylYY, ylYYYY };
enum TDateOrder { doMMDDYY, doDDMMYY, doYYMMDD };
enum TDateForTime { dtNone, dtOnePerChart, dtOnePerDay, dtAllTicks };

class TDTLabel {
public:
    TDTLabel() = default;
    TDTLabel(const TDTLabel&) = delete;
    TDTLabel& operator=(const TDTLabel&) = delete;
    void SetOwnerDefaults() { ds = u'-'; ts = u':'; yl = ylYYYY; mn = true; dord = doDDMMYY; dft = dtOnePerDay; }
    TTimeFormat TimeFormat() const { return tf; }
    QChar DateSeparator() const { return ds; }
    QChar TimeSeparator() const { return ts; }
    TYearLength YearLength() const { return yl; }
    bool MonthName() const { return mn; }
    TDateOrder DateOrder() const { return dord; }
    TDateForTime DateForTime() const { return dft; }
    void SetTimeFormat(TTimeFormat v) { tf = v; }
    void SetDateSeparator(QChar v) { ds = v; }
    void SetTimeSeparator(QChar v) { ts = v; }
    void SetYearLength(TYearLength v) { yl = v; }
    void SetMonthName(bool v) { mn = v; }
    void SetDateOrder(TDateOrder v) { dord = v; }
    void SetDateForTime(TDateForTime v) { dft = v; }

private:
    TTimeFormat tf = tfHHMMSS;
    QChar ds;
    QChar ts;
    TYearLength yl = ylNone;
    bool mn = false;
    TDateOrder dord = doMMDDYY;
    TDateForTime dft = dtNone;
};
} // namespace chart
