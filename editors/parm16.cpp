#include "editors/parm16.h"

ParM16::ParM16(QWidget *parent, CfgParM16 *par) : ParMask(parent, par->uid(), 16), m_par(par)
{
    nameIfUnnamed("ParM16");
    build(false);
}
