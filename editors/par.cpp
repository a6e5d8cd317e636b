#include "editors/par.h"
#include "devices/devicecfg.h"

Par::Par(QWidget *parent) : QWidget(parent) {}

void Par::notifyChange(quint32 key, int size) { DeviceCfg::notifyChange(key, size); }
