// The sync measurement, its recording and the two save actions.

#include "app/Unit1.h"

void TForm1::Button_SwitchClick(QObject*) {}

void TForm1::Timer1Timer(QObject*) {}

void TForm1::Button1Click(QObject*) {}

void TForm1::Button2Click(QObject*) {}

void TForm1::LayerChart1DblClick(QObject*) {}
