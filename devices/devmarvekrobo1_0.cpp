// The Robo controller model: its identity and layout; the page comes from its table.
#include "devices/devmarvekrobo1_0.h"
#include "devices/marvekrobo1_0_table.h"

DevMarvekRobo1_0::DevMarvekRobo1_0(QObject *parent) : FixedLayoutModel(marvekRobo1_0Layout(), parent) {}
