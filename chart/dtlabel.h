#pragma once
// TDTLabel: the date and time label format owned by a scale and by each scale property set
// (as DateFormat).

#include <QChar>
#include <functional>

namespace chart {

enum TTimeFormat { tfHHMMSS, tfHHhMM, tfAMPM };
enum TYearLength { ylNone, ylYY, ylYYYY };
enum TDateOrder { doMMDDYY, doDDMMYY, doYYMMDD };
enum TDateForTime { dtNone, dtOnePerChart, dtOnePerDay, dtAllTicks };

class TDTLabel {
public:
    using TChangeEvent = std::function<void(TDTLabel* Sender)>;

    // Fresh: the first value of each enumeration, False and character code 0. Owners call
    // SetOwnerDefaults right after creating one.
    TDTLabel() = default;
    TDTLabel(const TDTLabel&) = delete;
    TDTLabel& operator=(const TDTLabel&) = delete;

    // The values a scale or a property set gives its label: tfHHMMSS, "-", ":", ylYYYY,
    // month names, doDDMMYY, dtOnePerDay. Raises OnChange for each value that changes.
    void SetOwnerDefaults();

    TTimeFormat TimeFormat() const { return FTimeFormat; }
    QChar DateSeparator() const { return FDateSeparator; }
    QChar TimeSeparator() const { return FTimeSeparator; }
    TYearLength YearLength() const { return FYearLength; }
    bool MonthName() const { return FMonthName; }
    TDateOrder DateOrder() const { return FDateOrder; }
    TDateForTime DateForTime() const { return FDateForTime; }

    // TimeFormat and DateOrder notify on every store; the others only when the value changes.
    void SetTimeFormat(TTimeFormat v);
    void SetDateSeparator(QChar v);
    void SetTimeSeparator(QChar v);
    void SetYearLength(TYearLength v);
    void SetMonthName(bool v);
    void SetDateOrder(TDateOrder v);
    void SetDateForTime(TDateForTime v);

    // Copies the seven values; raises OnChange once when any of them differed.
    void Assign(const TDTLabel& source);

    bool SameValues(const TDTLabel& other) const;

    TChangeEvent OnChange;

private:
    void Notify();

    TTimeFormat FTimeFormat = tfHHMMSS;
    QChar FDateSeparator = QChar(0);
    QChar FTimeSeparator = QChar(0);
    TYearLength FYearLength = ylNone;
    bool FMonthName = false;
    TDateOrder FDateOrder = doMMDDYY;
    TDateForTime FDateForTime = dtNone;
};

} // namespace chart
