#include "chart/dtlabel.h"

namespace chart {

void TDTLabel::SetOwnerDefaults()
{
    SetTimeFormat(tfHHMMSS);
    SetDateSeparator(QChar('-'));
    SetTimeSeparator(QChar(':'));
    SetYearLength(ylYYYY);
    SetMonthName(true);
    SetDateOrder(doDDMMYY);
    SetDateForTime(dtOnePerDay);
}

void TDTLabel::Notify()
{
    if (OnChange)
        OnChange(this);
}

void TDTLabel::SetTimeFormat(TTimeFormat v)
{
    FTimeFormat = v;
    Notify();
}

void TDTLabel::SetDateSeparator(QChar v)
{
    if (v == FDateSeparator)
        return;
    FDateSeparator = v;
    Notify();
}

void TDTLabel::SetTimeSeparator(QChar v)
{
    if (v == FTimeSeparator)
        return;
    FTimeSeparator = v;
    Notify();
}

void TDTLabel::SetYearLength(TYearLength v)
{
    if (v == FYearLength)
        return;
    FYearLength = v;
    Notify();
}

void TDTLabel::SetMonthName(bool v)
{
    if (v == FMonthName)
        return;
    FMonthName = v;
    Notify();
}

void TDTLabel::SetDateOrder(TDateOrder v)
{
    FDateOrder = v;
    Notify();
}

void TDTLabel::SetDateForTime(TDateForTime v)
{
    if (v == FDateForTime)
        return;
    FDateForTime = v;
    Notify();
}

bool TDTLabel::SameValues(const TDTLabel& o) const
{
    return FTimeFormat == o.FTimeFormat && FDateSeparator == o.FDateSeparator
        && FTimeSeparator == o.FTimeSeparator && FYearLength == o.FYearLength
        && FMonthName == o.FMonthName && FDateOrder == o.FDateOrder
        && FDateForTime == o.FDateForTime;
}

void TDTLabel::Assign(const TDTLabel& source)
{
    if (&source == this || SameValues(source))
        return;
    FTimeFormat = source.FTimeFormat;
    FDateSeparator = source.FDateSeparator;
    FTimeSeparator = source.FTimeSeparator;
    FYearLength = source.FYearLength;
    FMonthName = source.FMonthName;
    FDateOrder = source.FDateOrder;
    FDateForTime = source.FDateForTime;
    Notify();
}

} // namespace chart
